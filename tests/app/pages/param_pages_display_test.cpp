// The parameter pages on a real window (run under xvfb-run): the pages of a
// car controller and of an aircraft controller built from the program's
// descriptions, filled from their simulated settings and saved as
// screenshots; the real controls keep the places and names the pages give
// them and carry the settings back unchanged.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "app/pages/ParamControls.h"
#include "app/pages/ParamPageBuilder.h"
#include "tests/support/ParamFakes.h"
#include "tests/support/vg_scene_form.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_controls.h"
#include "ui/render/vg_layouts.h"

namespace app {
namespace {

using test_support::PumpFor;

// The page area of the main form, 400 wide, and the side list as numbers.
class PageHost : public IParamPageHost {
 public:
  explicit PageHost(vg::TvgObject& area) : area_(area) {}
  rtl::TComponent& FormOwner() override { return owner_; }
  vg::TvgObject& PageArea() override { return area_; }
  vg::TvgVisualObject* SoftwarePage() override { return nullptr; }
  void SetPageEntry(int page, const std::string& caption, const std::string&) override {
    captions.resize(static_cast<std::size_t>(page) + 1);
    captions[static_cast<std::size_t>(page)] = caption;
  }
  void CloseHelpPanel() override { ++helpClosed; }
  params::SideListInputs SideListState() override { return side; }
  std::vector<int> ShownSideEntries() override { return shown; }
  void ShowSideEntries(const std::vector<int>& entries) override { shown = entries; }
  void itemEnterFocus(vg::TvgVisualObject* sender) override { focused.push_back(sender->Name()); }

  std::vector<std::string> captions, focused;
  std::vector<int> shown{1};
  params::SideListInputs side;
  int helpClosed = 0;

 private:
  rtl::TComponent owner_{nullptr};
  vg::TvgObject& area_;
};

class ParamPagesOnScreen : public test_support::ControlsFormTest<> {
 protected:
  void SetUp() override {
    SetUpControlsForm(u"esctool parameter pages");
    if (IsSkipped()) return;
    area = new vg::TvgLayout(nullptr);
    area->SetParent(root);
    area->SetBounds(0, 0, 420, 620);
    pages = std::make_unique<PageHost>(*area);
    controls = std::make_unique<ParamControls>(pages->FormOwner());
    editor = std::make_unique<params::ParamEditor>(rig.version, *controls, rig.form, rig.device, rig.editors);
  }
  void TearDown() override {
    editor.reset();
    controls.reset();
    pages.reset();  // frees the page layouts and their controls
    ControlsFormTest::TearDown();
  }

  // Builds the pages of the simulated `model` as a connected device's.
  void BuildFor(const char* model) {
    fixture = params::fakes::MakeSettingsFixture(model, 2);
    rig.UseFixture(fixture);
    pages->side = {.tab = rig.version.tab, .escKind = true, .connected = true, .controller = fixture.texts[0]};
    params::PlanInputs inputs;
    inputs.modeCaption = "Mode";
    inputs.settingsImage = rig.device.image;
    inputs.valueOffset = rig.device.layout.valueOffset;
    rig.device.busy = true;  // as inside the identification job
    BuildParameterPages(*pages, *editor, rig.version, inputs, true);
    rig.device.busy = false;
  }

  vg::TvgVisualObject* Control(const std::string& name) {
    return dynamic_cast<vg::TvgVisualObject*>(pages->FormOwner().FindComponent(name));
  }

  void ShowPage(int page, const char* shot) {
    dynamic_cast<vg::TvgVisualObject*>(pages->FormOwner().FindComponent(PageLayoutName(page)))->SetVisible(true);
    root->SetBounds(0, 0, 420, 620);
    ShowForm(420, 620);
    PumpFor(std::chrono::milliseconds(200));
    ASSERT_TRUE(test_support::SaveWindowShot(form->Handle(), shot));
  }

  vg::TvgLayout* area = nullptr;
  params::fakes::SettingsFixture fixture;
  params::fakes::EditorRig rig;
  std::unique_ptr<PageHost> pages;
  std::unique_ptr<ParamControls> controls;
  std::unique_ptr<params::ParamEditor> editor;
};

TEST_F(ParamPagesOnScreen, CarPagesShowAndCollectTheDevicesSettings) {
  BuildFor("CAR_ESC");
  EXPECT_FALSE(editor->ParamError());
  EXPECT_EQ(pages->captions, (std::vector<std::string>{"Basic Settings", "Run Log", "Throttle Curves"}));
  EXPECT_EQ(pages->shown, (std::vector<int>{1, 2, 3, 4, 8}));
  vg::TvgVisualObject* mode = Control("cbMode");
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->Tag(), 99);
  EXPECT_EQ(mode->Position()->X(), 110);
  EXPECT_EQ(mode->Position()->Y(), 22);
  EXPECT_EQ(Control("cbItem0")->Position()->Y(), 102);
  EXPECT_EQ(Control("cbItem0")->Width(), 200);
  EXPECT_EQ(Control("eItem2")->Position()->X(), 10 + 292);
  EXPECT_FALSE(Control("eItem13")->Visible());
  EXPECT_EQ(controls->ItemIndex("cbMode"), 2);
  EXPECT_EQ(controls->Text("eName"), "MODE 3         ");  // the fixture pads the name as a write does

  const std::vector<std::uint8_t> shown = rig.device.image;
  editor->CollectSettings();
  EXPECT_TRUE(rig.device.image == shown);
  ShowPage(0, "param_pages_car");
}

TEST_F(ParamPagesOnScreen, ChangesOnThePagesReachTheEditorAfterTheBuild) {
  BuildFor("CAR_ESC");
  controls->SetItemIndex("cbItem1", 3);  // the list's change event runs the editor's rules
  editor->CollectSettings();
  EXPECT_EQ(rig.device.image[static_cast<std::size_t>(rig.device.layout.valueOffset + 1)], 4);  // index + offset 1
}

TEST_F(ParamPagesOnScreen, RebuildFreesTheOldControlsAndTheirNames) {
  BuildFor("CAR_ESC");
  BuildFor("AIRPLANE_ESC");
  EXPECT_FALSE(Control("cbItem13"));
  EXPECT_TRUE(Control("cbItem3"));
  EXPECT_EQ(pages->helpClosed, 2);
  ShowPage(0, "param_pages_airplane");
}

}  // namespace
}  // namespace app
