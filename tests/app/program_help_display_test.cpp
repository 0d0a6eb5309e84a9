// The program on the simulated controller "AIRPLANE_ESC": focusing a
// parameter points the help panel at it and shows the parameter's help text
// over its picture; focusing the profile selector shows the controller's own
// help page, named after its model and hardware, in the web pane.
#include <cmath>

#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "platform/gui/Shell.h"
#include "platform/gui/WebBrowser.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

namespace app {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct PanelState {
  float x = 0, width = 0, calloutLength = 0, calloutOffset = 0;
  int pictures = 0, labels = 0;
  std::string text;
  int webLeft = 0;
};

PanelState ReadPanel(TfrmInterface& form) {
  PanelState state;
  state.x = form.Panel2->Position()->X();
  state.width = form.Panel2->Width();
  state.calloutLength = form.Panel2->CalloutLength();
  state.calloutOffset = form.Panel2->CalloutOffset();
  state.webLeft = form.web->Left();
  auto* layout = form.Node<vg::TvgLayout>("helpLayout");
  for (int i = 0; layout && i < layout->ChildrenCount(); ++i) {
    vg::TvgObject* child = layout->GetChild(i);
    if (dynamic_cast<vg::TvgImage*>(child)) ++state.pictures;
    if (auto* label = dynamic_cast<vg::TvgLabel*>(child)) {
      ++state.labels;
      state.text = rtl::Utf16ToUtf8(label->Text());
    }
  }
  return state;
}

std::string FileText(const std::filesystem::path& file) {
  rtl::TStringList lines;
  lines.LoadFromFile(file.string());
  return lines.Text();
}

bool Focus(TfrmInterface& form, const char* name) {
  auto* control = form.Node<vg::TvgVisualObject>(name);
  if (!control) return false;
  control->SetFocus();
  return true;
}

TEST(ProgramHelp, PointsAtTheFocusedParameterAndShowsItsHelpBesideIt) {
  if (!gui::WebEngineAvailable()) GTEST_SKIP() << "no web engine";
  setenv("ESCTOOL_SIMULATED_HID", "AIRPLANE_ESC", 1);
  testing::ProgramRun run;
  PanelState parameter, profile;
  float expectedOffset = -1;
  bool chinese = false, parameterShot = false, pageShot = false, pageShowing = false;
  std::string pageUrl, expectedText;
  int drawsBefore = 0;
  Clock::time_point loaded;
  run.Then("the pages are built",
           [&](TfrmInterface& form) {
             const device::DeviceState& link = form.Device().State();
             return link.Connected && !link.Busy && !form.Progress().Exists() && form.FindComponent("cbItem0") &&
                    form.FindComponent("cbMode");
           })
      .Then("a parameter is focused",
            [&](TfrmInterface& form) {
              form.ShowPageItem(params::kFirstParamPage);
              chinese = form.IsChinese();
              auto* list = form.Node<vg::TvgVisualObject>("cbItem0");
              expectedOffset = std::trunc(
                  dynamic_cast<vg::TvgVisualObject*>(list->Parent())->Position()->Y() + list->Position()->Y() - 5);
              drawsBefore = form.ControlsScene->DrawCount();
              return Focus(form, "cbItem0");
            })
      .Then("its help is shot",
            [&](TfrmInterface& form) {
              if (form.ControlsScene->DrawCount() == drawsBefore) return false;
              parameter = ReadPanel(form);
              expectedText = FileText(run.folder / "help" / (chinese ? "flight_mode_cn.txt" : "flight_mode_en.txt"));
              parameterShot = test_support::SaveWindowShot(form.Handle(), "main_window_help_text").has_value();
              return Focus(form, "cbMode");
            })
      .Then("the profile's help page is shown",
            [&](TfrmInterface& form) {
              if (form.web->Busy() || !form.web->Showing()) return false;
              profile = ReadPanel(form);
              pageUrl = form.web->LocationURL();
              pageShowing = form.web->Showing();
              loaded = Clock::now();
              return true;
            })
      .Then("the page is shot",
            [&](TfrmInterface& form) {
              // The web engine paints from its own process: give it a moment.
              if (Clock::now() - loaded < 500ms) return false;
              pageShot = test_support::SaveWindowShot(form.Handle(), "main_window_help_page").has_value();
              return true;
            })
      .Then("the window is closed", [](TfrmInterface& form) {
        form.Close();
        return true;
      });
  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  EXPECT_EQ(run.timedOut, "");

  EXPECT_EQ(parameter.x, -7);
  EXPECT_EQ(parameter.width, 226);
  EXPECT_EQ(parameter.calloutLength, 11);
  EXPECT_EQ(parameter.calloutOffset, expectedOffset);
  EXPECT_EQ(parameter.pictures, 1);
  EXPECT_EQ(parameter.labels, 1);
  EXPECT_EQ(parameter.text, expectedText);
  EXPECT_EQ(parameter.webLeft, 900);
  EXPECT_TRUE(parameterShot);

  EXPECT_EQ(profile.pictures + profile.labels, 0);
  EXPECT_EQ(profile.webLeft, 563);
  EXPECT_TRUE(pageShowing);
  EXPECT_EQ(pageUrl, gui::FileUri((run.folder / "help" / "AIRPLANE_ESC_HW1.htm").string()));
  EXPECT_TRUE(pageShot);
}

}  // namespace
}  // namespace app
