// Number and spin boxes in a real embedded scene with the built-in style,
// run under a locale whose decimal separator is "," (the test's
// environment), with one-shot timers fired by hand: each firing stands for
// the 100 ms the spin box asks for.
#include "ui/controls/vg_numberbox.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/TextConvert.h"
#include "tests/ui/controls/controls_fixture.h"

using namespace vg;
using namespace vgtest;

namespace {

enum : std::uint16_t { kEnter = 13, kUp = 38, kDown = 40 };

struct NumberScene : ControlScene {
  int changes = 0;

  void SetUp() override {
    if (rtl::FormatSettings().DecimalSeparator != ",") GTEST_SKIP() << "needs a locale with a decimal comma";
    ControlScene::SetUp();
  }
  template <class T>
  T* AddBox() {
    T* box = Add<T>();
    box->SetBounds(10, 10, 100, 22);
    box->OnChange = [this](rtl::TObject*) { ++changes; };
    return box;
  }
  static void Key(TvgCustomTextBox* box, std::uint16_t key) {
    char16_t ch = 0;
    box->KeyDown(key, ch, 0);
  }
  // Types a text over the whole box and presses Enter.
  void Commit(TvgCustomTextBox* box, const char16_t* text) {
    box->SetFocus();
    box->SelectAll();
    box->InsertText(text);
    Key(box, kEnter);
  }
};

TEST_F(NumberScene, NumberBoxShowsAndReadsTheUsersDecimalSeparator) {
  auto* box = AddBox<TvgNumberBox>();
  box->SetValueType(vgValueFloat);
  box->SetMax(100);
  box->SetValue(2.5f);
  EXPECT_EQ(box->Text(), u"2,50") << "two decimals, the user's separator";
  box->SetValue(3);
  EXPECT_EQ(box->Text(), u"3");
  EXPECT_EQ(changes, 0) << "setting a value fires nothing";

  struct Case {
    TvgValueType type;
    const char16_t* typed;
    float value;
    const char16_t* shown;
  } cases[] = {
      {vgValueFloat, u"2,125", 2.125f, u"2,125"},
      {vgValueFloat, u"2,1", 2.1f, u"2,1"},  // not 2,09999990463257
      {vgValueFloat, u"1.5", 2.1f, u"2,1"},  // unreadable here: the value stays
      {vgValueFloat, u"250", 100, u"100"},   // above Max
      {vgValueFloat, u"-3", 0, u"0"},        // below Min
      {vgValueInteger, u"3,7", 3.7f, u"3"},  // keeps the fraction, shows the integer part
  };
  for (const Case& c : cases) {
    box->SetValueType(c.type);
    Commit(box, c.typed);
    EXPECT_FLOAT_EQ(box->Value(), c.value) << rtl::Utf16ToUtf8(c.typed);
    EXPECT_EQ(box->Text(), c.shown) << rtl::Utf16ToUtf8(c.typed);
  }
  EXPECT_EQ(changes, 6);

  box->SetMax(2);
  EXPECT_FLOAT_EQ(box->Value(), 3.7f) << "a new maximum leaves the value";
}

TEST_F(NumberScene, NumberBoxDragsAndKeysStepTheValue) {
  auto* box = AddBox<TvgNumberBox>();
  box->SetMax(100);
  box->SetValue(50);
  scene->MouseDown(vgMouseLeft, vgLeftButton, 50, 20);
  struct Move {
    float x, y, value;
  } moves[] = {{60, 21, 51}, {61, 10, 56}, {61, 12, 51}, {40, 12, 50}, {40, 12, 49}};  // no move at all counts as leftward
  for (const Move& m : moves) {
    scene->MouseMove(vgLeftButton, m.x, m.y);
    EXPECT_FLOAT_EQ(box->Value(), m.value) << m.x << "," << m.y;
  }
  EXPECT_EQ(changes, 0);
  scene->UpdateBuffer();  // paints the drag bar
  scene->MouseUp(vgMouseLeft, 0, 40, 12);
  EXPECT_EQ(changes, 1) << "the release commits the dragged value";
  EXPECT_EQ(box->Text(), u"49");

  Key(box, kUp);
  EXPECT_FLOAT_EQ(box->Value(), 50);
  Key(box, kDown);
  Key(box, kDown);
  EXPECT_FLOAT_EQ(box->Value(), 48) << "both keys step by the horizontal increment";
}

TEST_F(NumberScene, AClickEntersTheBoxSoThatTypingReplacesTheNumber) {
  struct Case {
    const char16_t* typed;
    float value;
    const char16_t* shown;
  } cases[] = {{u"42", 42, u"42"}, {u"12,3456abc", 12.3456f, u"12,3456"}};
  auto* other = AddBox<TvgTextBox>();
  other->SetBounds(10, 50, 100, 22);
  auto* box = AddBox<TvgNumberBox>();
  box->SetValueType(vgValueFloat);
  box->SetMax(100);
  for (const Case& c : cases) {
    other->SetFocus();
    box->SetValue(12.5f);
    changes = 0;
    scene->MouseDown(vgMouseLeft, vgLeftButton, 50, 20);
    scene->MouseUp(vgMouseLeft, 0, 50, 20);
    EXPECT_EQ(changes, 0) << "a plain click commits nothing";
    EXPECT_EQ(box->GetSelText(), box->Text()) << "the click keeps the whole number selected";
    for (const char16_t* ch = c.typed; *ch; ++ch) scene->KeyChar(*ch, 0);
    Key(box, kEnter);
    EXPECT_FLOAT_EQ(box->Value(), c.value) << rtl::Utf16ToUtf8(c.typed);
    EXPECT_EQ(box->Text(), c.shown) << rtl::Utf16ToUtf8(c.typed);
  }

  box->SetText(u"7,50");
  box->SelectAll();
  Key(box, kEnter);
  EXPECT_EQ(box->GetSelText(), u"7,5") << "a re-format keeps a whole-text selection whole";
}

struct SpinScene : NumberScene {
  TvgSpinBox* spin = nullptr;
  void SetUp() override {
    NumberScene::SetUp();
    if (IsSkipped()) return;
    spin = AddBox<TvgSpinBox>();
  }
  // Screen points of the style's buttons (20 wide at either end).
  void Press(float x) { scene->MouseDown(vgMouseLeft, vgLeftButton, x, 20); }
  void Release(float x) { scene->MouseUp(vgMouseLeft, 0, x, 20); }
  void Click(float x) {
    Press(x);
    Release(x);
  }
  static constexpr float kMinus = 15, kPlus = 105;
};

TEST_F(SpinScene, ButtonsWrapAroundAndAlwaysFireChange) {
  spin->SetValue(10);
  Click(kPlus);
  EXPECT_EQ(spin->Text(), u"0") << "10 + 1 wraps to the minimum";
  Click(kMinus);
  EXPECT_EQ(spin->Text(), u"10") << "0 - 1 wraps to the maximum";
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(spin->IsFocused());

  spin->SetPostfix(u" A");
  EXPECT_EQ(spin->Text(), u"10") << "a new postfix shows from the next formatting";
  Click(kMinus);
  EXPECT_EQ(spin->Text(), u"9 A");

  spin->SetValueType(vgValueFloat);
  spin->SetIncrement(0.25f);
  Click(kPlus);
  EXPECT_EQ(spin->Text(), u"9,25 A");
  spin->SetValueType(vgValueInteger);
  EXPECT_FLOAT_EQ(spin->Increment(), 1) << "integers reset a fractional increment";
}

TEST_F(SpinScene, KeysStepWithoutChangeAndNeverType) {
  spin->SetValue(5);
  spin->SetFocus();
  changes = 0;
  Key(spin, kUp);
  EXPECT_EQ(spin->Text(), u"6");
  Key(spin, kDown);
  Key(spin, kDown);
  EXPECT_EQ(spin->Text(), u"4");
  scene->KeyChar(u'7', 0);
  scene->KeyChar(u'x', 0);
  Key(spin, kEnter);
  EXPECT_EQ(spin->Text(), u"4");
  EXPECT_EQ(changes, 0);
}

TEST_F(SpinScene, AHeldButtonRepeatsAfterHalfASecond) {
  struct Case {
    const char* name;
    int ticks;  // 100 ms each
    float value;
  } cases[] = {{"short click", 2, 1}, {"held 500 ms", 5, 1}, {"held 1 s", 10, 6}};
  for (const Case& c : cases) {
    spin->SetValue(0);
    Press(kPlus);
    for (int i = 0; i < c.ticks; ++i) timers.FireAll();
    Release(kPlus);
    EXPECT_FLOAT_EQ(spin->Value(), c.value) << c.name;
    for (int i = 0; i < 10; ++i) timers.FireAll();
    EXPECT_FLOAT_EQ(spin->Value(), c.value) << c.name << ": the release stops the repeat";
  }

  spin->SetValue(5);
  Press(kMinus);
  for (int i = 0; i < 7; ++i) timers.FireAll();
  EXPECT_FLOAT_EQ(spin->Value(), 3) << "the minus button repeats downward";
  Release(kMinus);
}

TEST_F(SpinScene, ABoxFreedWhileHeldLeavesNoTick) {
  Press(kPlus);
  for (int i = 0; i < 5; ++i) timers.FireAll();
  spin->Free();
  for (int i = 0; i < 5; ++i) timers.FireAll();  // would step a freed box
}

}  // namespace
