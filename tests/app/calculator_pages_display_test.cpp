// The main window's calculator pages on screen under Xvfb: typed keys, a
// click and the slider reach the pages through the real window, and
// screenshots of both pages are saved for a person to look at.
#include <gdk/gdkkeysyms.h>

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/MainFormDevice.h"
#include "platform/gui/GuiInit.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_events.h"
#include "tests/support/artifacts.h"
#include "tests/support/gui_pump.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_combotextbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"
#include "ui/core/vg_bitmap.h"

namespace app {
namespace {

using namespace std::chrono_literals;
using testing::MainFormTest;

// Pixels whose colour differs by more than smoothing does between two shots
// of the same size (-1 when they cannot be read or differ in size).
int DifferingPixels(const std::string& a, const std::string& b) {
  const auto load = [](const std::string& name) {
    return std::unique_ptr<GdkPixbuf, void (*)(gpointer)>(
        gdk_pixbuf_new_from_file((test_support::ArtifactDir() / (name + ".png")).c_str(), nullptr), g_object_unref);
  };
  const auto first = load(a), second = load(b);
  if (!first || !second || gdk_pixbuf_get_width(first.get()) != gdk_pixbuf_get_width(second.get()) ||
      gdk_pixbuf_get_height(first.get()) != gdk_pixbuf_get_height(second.get()))
    return -1;
  const int width = gdk_pixbuf_get_width(first.get()), height = gdk_pixbuf_get_height(first.get());
  const int channels = gdk_pixbuf_get_n_channels(first.get());
  int differing = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const guchar* p = gdk_pixbuf_get_pixels(first.get()) + y * gdk_pixbuf_get_rowstride(first.get()) + x * channels;
      const guchar* q = gdk_pixbuf_get_pixels(second.get()) + y * gdk_pixbuf_get_rowstride(second.get()) + x * channels;
      if (std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 24) ++differing;
    }
  return differing;
}

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
  // Shoots what the window shows after a change, then again after a repaint
  // of the whole scene; the number of pixels that differ between the two:
  // what the change left behind on screen.
  int LeftBehind(const std::string& name) {
    if (!Shot(name)) return -1;
    vg::TvgScene& scene = *form->ControlsScene;
    scene.AddUpdateRect({0, 0, static_cast<float>(scene.Width()), static_cast<float>(scene.Height())});
    if (!Shot(name + "_redrawn")) return -1;
    return DifferingPixels(name, name + "_redrawn");
  }
  void ShowRotorPage() {
    form->Demo1->SetChecked(true);
    form->Device().State().DeviceInfoStrings[device::kController] = "Corvanel_V4";
    form->ShowPageItem(4);
    ASSERT_EQ(form->VisiblePage(), 11);
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
  ShowRotorPage();
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

// The English captions of the calculator pages run past their labels: a
// page switch leaves nothing of the page before on screen.
TEST_F(CalculatorPagesOnScreen, APageSwitchLeavesNothingOfThePageBefore) {
  form->English1->Click();
  ShowRotorPage();
  const std::pair<int, const char*> switches[] = {{10, "governor"}, {4, "rotor"}, {10, "governor_again"}, {0, "start"}};
  for (const auto& [item, name] : switches) {
    form->ShowPageItem(item);
    EXPECT_EQ(LeftBehind(std::string("page_switch_to_") + name), 0) << name;
  }
}

// The rpm at the slider's throttle stands on one line whatever the gear
// gives, up to the largest figure the demo's motor makes, and a smaller
// figure leaves nothing of a wider one.
TEST_F(CalculatorPagesOnScreen, TheRpmBesideTheSliderShowsWholeOnOneLine) {
  ShowRotorPage();
  TypeInto(form->Node<vg::TvgVisualObject>("nbPoles"), "2");
  ClickOn(form->Node<vg::TvgVisualObject>("rbDJC"));
  TypeInto(form->Node<vg::TvgVisualObject>("nbDJC"), "1000");
  TypeInto(form->Node<vg::TvgVisualObject>("nbZC"), "1");
  form->ControlsScene->SetFocused(nullptr);  // no caret blinks between the shots
  auto* label = form->Node<vg::TvgLabel>("lblRightRPM");
  vg::TvgBitmap measuring(10, 10);
  vg::TvgCanvas& canvas = *measuring.GetCanvas();
  canvas.Font()->Assign(label->Font());
  std::vector<std::string> shown;
  for (const float throttle : {100.0f, 77.0f, 40.0f}) {
    form->Node<vg::TvgCustomTrack>("tbPercent")->SetValue(throttle);
    test_support::PumpFor(20ms);
    shown.push_back(Label("lblRightRPM"));
    vg::TvgRect line{0, 0, 1000, 1000};
    canvas.MeasureText(line, line, label->Text(), false, vg::vgTextAlignNear, vg::vgTextAlignNear);
    const vg::TvgRect area = label->GetUpdateRect();
    EXPECT_GE(vg::vgRectWidth(area), vg::vgRectWidth(line)) << shown.back();
    EXPECT_LT(vg::vgRectHeight(area), 1.5f * vg::vgRectHeight(line)) << shown.back();
    EXPECT_EQ(LeftBehind("calculator_rotor_rpm_at_" + std::to_string(static_cast<int>(throttle))), 0) << shown.back();
  }
  EXPECT_EQ(shown.front(), "<-- 511999975");
}

}  // namespace
}  // namespace app
