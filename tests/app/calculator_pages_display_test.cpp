// The main window's calculator pages on screen under Xvfb: typed keys, a
// click and the slider reach the pages through the real window, and
// screenshots of both pages are saved for a person to look at.
#include <gdk/gdkkeysyms.h>

#include <chrono>
#include <string>

#include "app/MainFormDevice.h"
#include "platform/gui/GuiInit.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_combotextbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"

namespace app {
namespace {

using namespace std::chrono_literals;
using testing::MainFormTest;

class CalculatorPagesOnScreen : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    CreateOnScreen();
  }

  // Types the text with real key presses into the node given the focus,
  // then Enter.
  void TypeInto(vg::TvgVisualObject* node, const std::string& text) {
    node->SetFocus();
    for (char c : text) test_support::Type(form->Handle(), c == '.' ? GDK_KEY_period : GDK_KEY_0 + (c - '0'));
    test_support::Type(form->Handle(), GDK_KEY_Return);
  }
  void ClickOn(vg::TvgVisualObject* node) {
    const vg::TvgPoint at = node->LocalToAbsolute({8, node->Height() / 2});
    test_support::SendButton(*form->ClientWindow(), GDK_BUTTON_PRESS, 1, at.X, at.Y, 1000);
    test_support::SendButton(*form->ClientWindow(), GDK_BUTTON_RELEASE, 1, at.X, at.Y, 1050);
  }
  std::string Box(int n) { return form->Governor().BoxText(n).value_or("(none)"); }
  std::string Label(const char* name) { return rtl::Utf16ToUtf8(form->Node<vg::TvgTextControl>(name)->Text()); }
  bool Shot(const std::string& name) {
    const int draws = form->ControlsScene->DrawCount();
    test_support::PumpUntil([&] { return form->ControlsScene->DrawCount() > draws; }, 1000ms);
    test_support::PumpFor(100ms);
    return test_support::SaveWindowShot(form->Handle(), name).has_value();
  }
};

TEST_F(CalculatorPagesOnScreen, GovernorPageShowsTheWorkedExample) {
  form->ShowPageItem(10);
  const char* inputs[] = {"2300", "153", "16", "4", "740", "12"};
  for (int n = 1; n <= 6; ++n)
    TypeInto(form->Node<vg::TvgVisualObject>("calcTextBox" + std::to_string(n)), inputs[n - 1]);
  form->Node<vg::TvgComboTextBox>("calcTextBox7")->SetItemIndex(1);
  for (const auto& [box, voltage] : {std::pair{"calcTextBox8", "3.6"}, std::pair{"calcTextBox9", "2.7"}}) {
    form->Node<vg::TvgComboTextBox>(box)->SetItemIndex(4);
    TypeInto(form->Node<vg::TvgVisualObject>(box), voltage);
  }
  test_support::PumpFor(20ms);

  EXPECT_EQ(Box(1), "2300");
  EXPECT_EQ(Box(8), "3.6V");
  EXPECT_EQ(Box(10), "39.6V");
  EXPECT_EQ(Box(11), "43.2V");
  EXPECT_EQ(Box(12), "32.4V");
  EXPECT_EQ(Box(13), "3064");
  EXPECT_EQ(Box(14), "3343");
  EXPECT_EQ(Box(15), "2507");
  EXPECT_EQ(Box(16), "Governor_High");
  EXPECT_EQ(Box(17), "77.5%");
  EXPECT_TRUE(Shot("calculator_governor_page"));

  // More head speed than two of the packs give: their columns turn red.
  TypeInto(form->Node<vg::TvgVisualObject>("calcTextBox1"), "3100");
  EXPECT_EQ(form->Node<vg::TvgCustomTextBox>("calcTextBox13")->FontFill()->SolidColor(), 0xFFFF0000u);
  EXPECT_EQ(form->Node<vg::TvgCustomTextBox>("calcTextBox14")->FontFill()->SolidColor(),
            form->Node<vg::TvgCustomTextBox>("calcTextBox10")->FontFill()->SolidColor());
  EXPECT_TRUE(Shot("calculator_governor_page_short"));
}

TEST_F(CalculatorPagesOnScreen, RotorPageFollowsSliderGearAndWantedRpm) {
  form->Demo1->SetChecked(true);
  form->Device().State().DeviceInfoStrings[device::kController] = "Corvanel_V4";
  form->ShowPageItem(4);
  ASSERT_EQ(form->VisiblePage(), 11);
  form->Node<vg::TvgCustomTrack>("tbPercent")->SetValue(77);
  TypeInto(form->Node<vg::TvgVisualObject>("nbRPM1"), "9920");
  TypeInto(form->Node<vg::TvgVisualObject>("nbRPM2"), "12800");
  test_support::PumpFor(20ms);
  EXPECT_EQ(Label("lblHighRPM"), "12800");
  EXPECT_EQ(Label("lblLowRPM"), "5120");
  EXPECT_EQ(Label("lblRightRPM"), "<-- 9856");
  EXPECT_EQ(Label("lblRP1"), "-->77.5%");
  EXPECT_EQ(Label("lblRP2Tip"), "TH is too high");
  EXPECT_TRUE(Shot("calculator_rotor_page_ratio"));

  ClickOn(form->Node<vg::TvgVisualObject>("rbDJC"));
  test_support::PumpFor(20ms);
  EXPECT_TRUE(form->Node<vg::TvgRadioButton>("rbDJC")->IsChecked());
  EXPECT_EQ(Label("lblHighRPM"), "11636");
  EXPECT_EQ(Label("lblLowRPM"), "4654");
  EXPECT_EQ(Label("lblRightRPM"), "<-- 8959");
  EXPECT_TRUE(Shot("calculator_rotor_page_teeth"));
}

}  // namespace
}  // namespace app
