// The main window's two calculator pages on the real form, off screen: keys
// reach the boxes through the scene as the window delivers them (the key
// event, then its character), commits and focus changes raise the form's
// handlers, and the exit writes the boxes back to lang.ini.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/MainFormDevice.h"
#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/main_form_fixture.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_combotextbox.h"
#include "ui/controls/vg_numberbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/controls/vg_track.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_keys.h"

namespace app {
namespace {

constexpr std::uint16_t kPeriodKey = 190;
constexpr int kOther = 4;

class CalculatorPagesTest : public testing::MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Create();
  }

  vg::TvgCustomTextBox* Box(int n) { return form->Node<vg::TvgCustomTextBox>("calcTextBox" + std::to_string(n)); }
  vg::TvgComboTextBox* CellBox(int n) { return form->Node<vg::TvgComboTextBox>("calcTextBox" + std::to_string(n)); }
  std::string Text(int n) { return form->Governor().BoxText(n).value_or("(none)"); }
  std::string Label(const char* name) { return rtl::Utf16ToUtf8(form->Node<vg::TvgTextControl>(name)->Text()); }
  float LabelY(const char* name) { return form->Node<vg::TvgVisualObject>(name)->Position()->Y(); }
  vg::TvgNumberBox* NumberBox(const char* name) { return form->Node<vg::TvgNumberBox>(name); }

  // One key press on the focused node: its key event, then its character.
  void Press(std::uint16_t key, char16_t character = 0) {
    std::uint16_t code = key;
    char16_t none = 0;
    form->ControlsScene->UnicodeKeyDown(code, none, 0);
    if (character) form->ControlsScene->KeyChar(character, 0);
  }
  void TypeText(const std::string& text) {
    for (char c : text) {
      if (c == '.')
        Press(kPeriodKey, u'.');
      else
        Press(static_cast<std::uint16_t>(c), static_cast<char16_t>(c));
    }
  }
  // Enters the box (which selects its text), types over it and commits.
  void Enter(int n, const std::string& text) {
    Box(n)->SetFocus();
    TypeText(text);
    Press(vg::kKeyEnter);
  }
  // Chooses "Other" in a cell-voltage box and types a voltage there.
  void EnterOther(int n, const std::string& voltage) {
    CellBox(n)->SetFocus();
    CellBox(n)->SetItemIndex(kOther);
    TypeText(voltage);
    Press(vg::kKeyEnter);
  }
  void ShowGovernorPage() { form->ShowPageItem(10); }
  // The text colour the style gives a box of the page that is never coloured.
  std::uint32_t NormalTextColor() {
    Box(10)->ApplyResource();
    return Box(10)->FontFill()->SolidColor();
  }
  void ShowRotorPage(bool demo) {
    form->Demo1->SetChecked(demo);
    form->Device().State().DeviceInfoStrings[device::kController] = "Corvanel_V4";
    form->ShowPageItem(4);
  }
  void CommitNumber(const char* name, const std::u16string& text) {
    NumberBox(name)->SetText(text);
    NumberBox(name)->Change();
  }
};

TEST_F(CalculatorPagesTest, WorkedExampleTypedIntoTheGovernorPageAndKeptAtExit) {
  ShowGovernorPage();
  ASSERT_EQ(form->VisiblePage(), 10);
  const char* inputs[] = {"2300", "153", "16", "4", "740", "12"};
  for (int n = 1; n <= 6; ++n) Enter(n, inputs[n - 1]);
  CellBox(7)->SetItemIndex(1);  // LiFe, 3.3 V
  EnterOther(8, "3.6");
  EnterOther(9, "2.7");
  Box(1)->SetFocus();  // leaving the last box commits it too

  const std::vector<std::string> expected = {
      "2300",  "153",   "16",    "4",    "740",  "12",   "3.3V",          "3.6V",  "2.7V",   "39.6V",
      "43.2V", "32.4V", "3064", "3343", "2507", "Governor_High", "77.5%", "21993.8", "87975.0"};
  for (int n = 1; n <= 19; ++n) EXPECT_EQ(Text(n), expected[static_cast<std::size_t>(n - 1)]) << "calcTextBox" << n;
  for (int n = 13; n <= 15; ++n) EXPECT_EQ(Box(n)->FontFill()->SolidColor(), NormalTextColor()) << n;

  // A wanted head speed above what the pack gives turns those columns red.
  Enter(1, "3100");
  Box(2)->SetFocus();
  EXPECT_EQ(Box(13)->FontFill()->SolidColor(), 0xFFFF0000u);       // 3064
  EXPECT_EQ(Box(14)->FontFill()->SolidColor(), NormalTextColor());  // 3343
  EXPECT_EQ(Box(15)->FontFill()->SolidColor(), 0xFFFF0000u);       // 2507

  std::vector<std::string> shown;
  for (int n = 1; n <= 19; ++n) shown.push_back(Text(n));
  form->Free();
  form = nullptr;
  rtl::TMemIniFile ini((folder / "lang.ini").string());
  for (int n = 1; n <= 19; ++n)
    EXPECT_EQ(ini.ReadString("common", "cacl" + std::to_string(n), "?"), shown[static_cast<std::size_t>(n - 1)])
        << "cacl" << n;
}

TEST_F(CalculatorPagesTest, KeysEditTheReadOnlyBoxes) {
  struct Key {
    std::uint16_t code;
    char16_t character;
  };
  const Key backspace{vg::kKeyBack, 0}, five{'5', u'5'}, padSeven{103, u'7'}, letter{'A', u'a'},
      period{kPeriodKey, u'.'}, zero{'0', u'0'}, three{'3', u'3'}, four{'4', u'4'}, two{'2', u'2'};
  struct Case {
    int box;
    const char* text;
    int selStart, selLength;
    std::vector<Key> keys;
    std::vector<const char*> after;  // the text after each key
    int caret;                       // after the last key
  };
  const Case cases[] = {
      {1, "0", 1, 0, {five}, {"5"}, 1},
      {1, "300000", 6, 0, {{'9', u'9'}}, {"300000"}, 6},
      {1, "2300", 1, 0, {five}, {"25300"}, 2},
      {1, "12", 2, 0, {padSeven}, {"127"}, 3},
      {2, "153", 1, 0, {backspace}, {"15"}, 1},  // the last character, wherever the caret is
      {2, "2300", 1, 2, {backspace}, {"20"}, 0},
      {3, "7", 1, 0, {backspace}, {"0"}, 1},
      {4, "0", 1, 0, {zero, five}, {"0", "5"}, 1},
      {5, "740", 3, 0, {letter}, {"740"}, 3},
      {6, "abc", 3, 0, {five}, {"abc"}, 3},  // no whole number (stored by hand): refused
      {8, "Other", 0, 5, {four, period, two}, {"4V", "4.V", "4.2V"}, 4},
      {8, "0V", 2, 0, {zero, three}, {"0V", "3V"}, 2},
      {9, "4.2V", 4, 0, {backspace, backspace}, {"4V", "0V"}, 2},
      {9, "4.2V", 4, 0, {period}, {"4.2V"}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "calcTextBox" << c.box << " \"" << c.text << "\"");
    ShowGovernorPage();
    if (c.box >= 7) CellBox(c.box)->SetItemIndex(kOther);
    vg::TvgCustomTextBox* box = Box(c.box);
    box->SetFocus();
    box->SetText(rtl::W(c.text));
    box->SetSelStart(c.selStart);
    box->SetSelLength(c.selLength);
    for (std::size_t i = 0; i < c.keys.size(); ++i) {
      Press(c.keys[i].code, c.keys[i].character);
      EXPECT_EQ(rtl::Utf16ToUtf8(box->Text()), c.after[i]) << "key " << i;
    }
    EXPECT_EQ(box->CaretPosition(), c.caret);
  }

  // A battery type other than "Other" takes no typing.
  CellBox(7)->SetItemIndex(0);
  CellBox(7)->SetFocus();
  Press('5', u'5');
  EXPECT_EQ(Text(7), "3.7V");
}

TEST_F(CalculatorPagesTest, ShowingThePageCalculatesAndCommitsCapInputsAndNormaliseCellVoltages) {
  const char* inputs[] = {"3500", "153", "16", "4", "740", "12"};
  for (int n = 1; n <= 6; ++n) form->Governor().SetBoxText(n, inputs[n - 1]);
  ShowGovernorPage();
  EXPECT_EQ(Text(10), "44.4V");  // 12 cells of 3.7 V, stored at the last exit
  EXPECT_EQ(Text(13), "3436");
  Box(13)->ApplyResource();  // as its first paint does
  EXPECT_EQ(Box(13)->FontFill()->SolidColor(), 0xFFFF0000u);
  EXPECT_NE(NormalTextColor(), 0xFFFF0000u);

  Box(5)->SetFocus();
  Box(5)->SetText(u"999999");  // as lang.ini may bring it
  Box(6)->SetFocus();
  EXPECT_EQ(Text(5), "300000");

  CellBox(7)->SetItemIndex(kOther);
  EXPECT_EQ(Text(7), "0V");  // the calculation reads "Other" as 0 V
  CellBox(7)->SetFocus();
  TypeText("12");
  Box(1)->SetFocus();
  EXPECT_EQ(Text(7), "12.0V");
  EXPECT_EQ(Text(10), "144.0V");

  CellBox(8)->SetItemIndex(2);  // NiMh
  EXPECT_EQ(Text(8), "1.2V");
  EXPECT_EQ(Text(11), "14.4V");
  EXPECT_TRUE(CellBox(8)->ReadOnly());
}

TEST_F(CalculatorPagesTest, RotorPageFromTheDemoValueAndTheGear) {
  ShowRotorPage(true);
  ASSERT_EQ(form->VisiblePage(), 11);
  EXPECT_EQ(form->Rotor().Setup().MaxERpmThousands, 512);
  EXPECT_EQ(form->Rotor().MaxHeadRpm(), 12800);  // 8 poles, ratio 10
  EXPECT_EQ(Label("lblHighRPM"), "12800");
  EXPECT_EQ(Label("lblLowRPM"), "5120");
  EXPECT_EQ(Label("lblRightRPM"), "<-- 5120");
  EXPECT_EQ(Label("lblTips"), "TH is too low");  // the slider starts at 40 %
  EXPECT_EQ(LabelY("lblTips"), LabelY("lblRightRPM") - 20);
  EXPECT_EQ(NumberBox("nbRPM1")->Max(), 12800);

  form->Node<vg::TvgCustomTrack>("tbPercent")->SetValue(77);
  EXPECT_EQ(Label("lblPercent"), "77%-->");
  EXPECT_EQ(Label("lblRightRPM"), "<-- 9856");
  EXPECT_EQ(LabelY("lblPercent"), 192);  // the 35th height
  EXPECT_EQ(LabelY("lblRightRPM"), 192);
  EXPECT_EQ(Label("lblTips"), "");

  form->Node<vg::TvgCustomTrack>("tbPercent")->SetValue(95);
  EXPECT_EQ(Label("lblTips"), "TH is too high");
  EXPECT_EQ(LabelY("lblTips"), LabelY("lblRightRPM") + 20);

  CommitNumber("nbRPM1", u"12800");
  CommitNumber("nbRPM2", u"9920");
  EXPECT_EQ(NumberBox("nbRPM1")->GetSelText(), u"12800");  // the committed box's leading characters are selected
  EXPECT_EQ(Label("lblRP1"), "-->100%");
  EXPECT_EQ(Label("lblRP1Tip"), "TH is too high");
  EXPECT_EQ(Label("lblRP2"), "-->77.5%");
  EXPECT_EQ(Label("lblRP2Tip"), "");

  // Teeth 10 and 110: ratio 11, the labels in whole numbers after a gear change...
  form->Node<vg::TvgRadioButton>("rbDJC")->SetIsChecked(true);
  EXPECT_TRUE(NumberBox("nbDJC")->Enabled());
  EXPECT_TRUE(NumberBox("nbZC")->Enabled());
  EXPECT_FALSE(NumberBox("nbCB")->Enabled());
  EXPECT_EQ(form->Rotor().MaxHeadRpm(), 11636);
  EXPECT_EQ(Label("lblHighRPM"), "11636");
  EXPECT_EQ(Label("lblLowRPM"), "4654");
  EXPECT_EQ(Label("lblRightRPM"), "<-- 11054");  // 95 % of 11636 is 11054.2
  EXPECT_EQ(Label("lblRP2"), "-->85.3%");        // the wanted boxes follow
  // ...and with their fractions after a pole change.
  CommitNumber("nbPoles", u"9");  // 9 poles count as 8
  EXPECT_EQ(Label("lblLowRPM"), "4654.4");
  EXPECT_EQ(Label("lblRightRPM"), "<-- 11054.2");

  form->Node<vg::TvgRadioButton>("rbCB")->SetIsChecked(true);
  EXPECT_FALSE(NumberBox("nbDJC")->Enabled());
  EXPECT_TRUE(NumberBox("nbCB")->Enabled());
  EXPECT_EQ(form->Rotor().MaxHeadRpm(), 12800);
}

TEST_F(CalculatorPagesTest, RotorPageFromTheControllersData) {
  form->Device().State().DeviceData[19] = 0x01;
  form->Device().State().DeviceData[20] = 0x2C;
  ShowRotorPage(false);
  EXPECT_EQ(form->Rotor().Setup().MaxERpmThousands, 300);
  EXPECT_EQ(Label("lblHighRPM"), "7500");  // 300000 / 4 pole pairs / 10

  // Another controller shows parameter page 3 in its place.
  form->Device().State().DeviceInfoStrings[device::kController] = "Corvanel_V3";
  form->ShowPageItem(4);
  EXPECT_EQ(form->VisiblePage(), 4);
}

}  // namespace
}  // namespace app
