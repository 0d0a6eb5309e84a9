// The main window's help column without a display: where the callout
// points, what the panel holds for the firmware and calculator boxes, file
// lists with a page and a picture, and clearing.
#include <gtest/gtest.h>

#include <cmath>

#include "app/HelpContent.h"
#include "app/MainFormHelp.h"
#include "platform/gui/Menus.h"
#include "platform/gui/Shell.h"
#include "platform/gui/WebBrowser.h"
#include "tests/app/main_form_fixture.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

namespace app::testing {
namespace {

class MainFormHelpTest : public MainFormTest {
 protected:
  void CreateWith(const std::string& commonKeys) {
    rtl::WriteFileBytes((folder / "lang.ini").string(), "[common]\r\nlang=1\r\n" + commonKeys);
    fs::create_directories(folder / "help");
    Create();
  }
  vg::TvgLayout* Layout() { return form->Node<vg::TvgLayout>("helpLayout"); }
  template <class T>
  std::vector<T*> Shown() {
    std::vector<T*> found;
    for (int i = 0; Layout() && i < Layout()->ChildrenCount(); ++i)
      if (auto* node = dynamic_cast<T*>(Layout()->GetChild(i))) found.push_back(node);
    return found;
  }
  std::string ShownText() {
    const auto labels = Shown<vg::TvgLabel>();
    return labels.size() == 1 ? rtl::Utf16ToUtf8(labels[0]->Text()) : "<" + std::to_string(labels.size()) + " labels>";
  }
  void Focus(const char* name) { form->itemEnterFocus(form->FindComponent(name)); }
};

TEST_F(MainFormHelpTest, FirmwareAndCalculatorBoxesShowTheirTextsBesideThem) {
  CreateWith(
      "chsupgrade_controller_help=控制器说明\r\nchslcd_upgrade_controller_help=设定盒说明\r\n"
      "chsupgrade_version_help=版本说明\r\nchscalc_help=计算说明\r\n");
  Focus("eController");
  auto* box = form->Node<vg::TvgVisualObject>("eController");
  const float parentY = dynamic_cast<vg::TvgVisualObject*>(box->Parent())->Position()->Y();
  EXPECT_EQ(form->Panel2->CalloutOffset(), std::trunc(parentY + box->Position()->Y() - 5));
  EXPECT_EQ(form->Panel2->CalloutLength(), 11);
  EXPECT_EQ(form->Panel2->Position()->X(), -7);
  EXPECT_EQ(form->Panel2->Width(), 226);
  EXPECT_EQ(Layout()->Position()->X(), 20);
  EXPECT_EQ(Layout()->Position()->Y(), 8);
  EXPECT_EQ(Layout()->Width(), 226 - 20);
  EXPECT_EQ(Layout()->Height(), form->Panel2->Height() - 16);
  EXPECT_EQ(ShownText(), "控制器说明");
  EXPECT_EQ(Shown<vg::TvgLabel>()[0]->Align(), vg::vaClient);

  Focus("cbFirmware");
  EXPECT_EQ(ShownText(), "版本说明");
  Focus("calcTextBox7");  // a combo text box
  EXPECT_EQ(ShownText(), "计算说明");

  form->Node<gui::TMenuItem>("LCDProgramCard1")->SetChecked(true);
  Focus("eController");
  EXPECT_EQ(ShownText(), "设定盒说明");
  Focus("eHardware");  // no text for it: the panel stays empty
  EXPECT_TRUE(Shown<vg::TvgObject>().empty());
  EXPECT_EQ(form->FindComponent("helpLayout"), Layout());  // one layout, rebuilt each time
}

TEST_F(MainFormHelpTest, OtherSendersPointAtTheTopAndPagesWithoutHelpClearThePanel) {
  CreateWith("chscalc_help=计算说明\r\n");
  Focus("calcTextBox1");
  ASSERT_EQ(Shown<vg::TvgLabel>().size(), 1u);
  Focus("btnUpgrade");  // a button: help code 0, no parameter described
  EXPECT_EQ(form->Panel2->CalloutOffset(), 0);
  EXPECT_TRUE(Shown<vg::TvgObject>().empty());

  form->ShowHelp(kCalculatorHelp);
  ASSERT_EQ(Shown<vg::TvgLabel>().size(), 1u);
  form->ShowHelp(kNoHelp);
  ASSERT_NE(Layout(), nullptr);
  EXPECT_TRUE(Shown<vg::TvgObject>().empty());
  EXPECT_EQ(form->web->Left(), 900);
}

TEST_F(MainFormHelpTest, AFileListShowsItsPageInTheWebPaneAndItsPictureInThePanel) {
  CreateWith("chscalc_help=calc.htm;;calc.png;;\r\nchssetting_suggestion=calc.png;;gone.txt;;\r\n");
  rtl::WriteFileBytes((folder / "help" / "calc.htm").string(), "<p>calculator</p>");
  rtl::WriteFileBytes((folder / "help" / "calc.png").string(), "not really a picture");
  EXPECT_EQ(form->web->LocationURL(), gui::FileUri(form->ProgramFolder() + "help/help.html"));
  EXPECT_EQ(form->web->Left(), 900);

  Focus("calcTextBox2");
  EXPECT_EQ(form->web->Left(), 563);
  EXPECT_EQ(form->web->LocationURL(), gui::FileUri(form->ProgramFolder() + "help/calc.htm"));
  const auto pictures = Shown<vg::TvgImage>();
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_TRUE(Shown<vg::TvgLabel>().empty());
  EXPECT_EQ(Layout()->Position()->X(), 14);
  EXPECT_EQ(Layout()->Position()->Y(), 3);
  EXPECT_EQ(Layout()->Width(), 226 - 17);
  EXPECT_EQ(Layout()->Height(), form->Panel2->Height() - 7);
  EXPECT_EQ(pictures[0]->Width(), Layout()->Width());
  EXPECT_EQ(pictures[0]->WrapMode(), vg::vgImageStretch);

  // The label with a missing file's path lies above the picture.
  form->ShowHelp(kGovernorPageHelp);
  EXPECT_EQ(form->web->Left(), 900);
  EXPECT_EQ(form->web->LocationURL(), gui::FileUri(form->ProgramFolder() + "help/calc.htm"));  // kept
  ASSERT_EQ(Layout()->ChildrenCount(), 2);
  EXPECT_TRUE(dynamic_cast<vg::TvgImage*>(Layout()->GetChild(0)));
  EXPECT_EQ(ShownText(), form->ProgramFolder() + "help/gone.txt");
}

}  // namespace
}  // namespace app::testing
