#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include "platform/gui/ClickTracker.h"
#include "platform/gui/Keys.h"

namespace gui {
namespace {

struct KeyCase {
  unsigned keyval, baseKeyval;
  TShiftState shift;
  TKeyStroke expected;
};

TEST(TranslateKey, GivesVirtualKeyAndCharacterAsThePlatformDoes) {
  const TShiftState none, shift{ssShift}, ctrl{ssCtrl}, alt{ssAlt}, altGr{ssCtrl, ssAlt};
  const KeyCase cases[] = {
      {GDK_KEY_a, GDK_KEY_a, none, {'A', U'a'}},
      {GDK_KEY_A, GDK_KEY_a, shift, {'A', U'A'}},
      {GDK_KEY_exclam, GDK_KEY_1, shift, {'1', U'!'}},
      {GDK_KEY_c, GDK_KEY_c, ctrl, {'C', 3}},  // Ctrl+C types the control character 3
      {GDK_KEY_a, GDK_KEY_a, ctrl, {'A', 1}},
      {GDK_KEY_z, GDK_KEY_z, ctrl, {'Z', 26}},
      {GDK_KEY_1, GDK_KEY_1, ctrl, {'1', 0}},
      {GDK_KEY_f, GDK_KEY_f, alt, {'F', 0}},  // menu key, no typing
      {GDK_KEY_at, GDK_KEY_q, altGr, {'Q', U'@'}},
      {GDK_KEY_Return, GDK_KEY_Return, none, {vk::Return, 13}},
      {GDK_KEY_KP_Enter, GDK_KEY_KP_Enter, none, {vk::Return, 13}},
      {GDK_KEY_Escape, GDK_KEY_Escape, none, {vk::Escape, 27}},
      {GDK_KEY_BackSpace, GDK_KEY_BackSpace, none, {vk::Back, 8}},
      {GDK_KEY_ISO_Left_Tab, GDK_KEY_Tab, shift, {vk::Tab, 9}},
      {GDK_KEY_Delete, GDK_KEY_Delete, none, {vk::Delete, 0}},
      {GDK_KEY_Menu, GDK_KEY_Menu, none, {vk::Apps, 0}},  // the context-menu key
      {GDK_KEY_Left, GDK_KEY_Left, none, {vk::Left, 0}},
      {GDK_KEY_Down, GDK_KEY_Down, shift, {vk::Down, 0}},
      {GDK_KEY_Home, GDK_KEY_Home, none, {vk::Home, 0}},
      {GDK_KEY_End, GDK_KEY_End, none, {vk::End, 0}},
      {GDK_KEY_KP_Add, GDK_KEY_KP_Add, none, {vk::Add, U'+'}},
      {GDK_KEY_KP_Subtract, GDK_KEY_KP_Subtract, none, {vk::Subtract, U'-'}},
      {GDK_KEY_KP_7, GDK_KEY_KP_7, none, {vk::Numpad0 + 7, U'7'}},
      {GDK_KEY_F1, GDK_KEY_F1, none, {vk::F1, 0}},
      {GDK_KEY_F12, GDK_KEY_F12, none, {vk::F12, 0}},
      {GDK_KEY_period, GDK_KEY_period, none, {190, U'.'}},
      {GDK_KEY_space, GDK_KEY_space, none, {vk::Space, U' '}},
      {0x01004E2D, 0x01004E2D, none, {0, U'中'}},  // a key symbol that is a Unicode character
      {GDK_KEY_Shift_L, GDK_KEY_Shift_L, shift, {vk::Shift, 0}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.keyval);
    EXPECT_EQ(TranslateKey(c.keyval, c.baseKeyval, c.shift), c.expected);
  }
}

TEST(ShiftFromGdk, MapsModifiersAndButtonsBothWays) {
  const unsigned state = GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_BUTTON1_MASK | GDK_BUTTON3_MASK;
  EXPECT_EQ(ShiftFromGdk(state), (TShiftState{ssShift, ssCtrl, ssLeft, ssRight}));
  EXPECT_EQ(ShiftFromGdk(GDK_MOD1_MASK | GDK_BUTTON2_MASK), (TShiftState{ssAlt, ssMiddle}));
  EXPECT_EQ(GdkFromShift(TShiftState{ssShift, ssAlt, ssLeft}), unsigned(GDK_SHIFT_MASK | GDK_MOD1_MASK));
}

TEST(ShortCutToAccelerator, MapsVirtualKeysAndModifiers) {
  struct Case {
    TShortCut shortCut;
    unsigned keyval, modifiers;
  };
  const Case cases[] = {
      {ShortCut(vk::F1), GDK_KEY_F1, 0},
      {ShortCut('S', scCtrl), GDK_KEY_s, GDK_CONTROL_MASK},
      {ShortCut('5', scCtrl | scShift), GDK_KEY_5, GDK_CONTROL_MASK | GDK_SHIFT_MASK},
      {ShortCut(vk::Delete, scAlt), GDK_KEY_Delete, GDK_MOD1_MASK},
      {ShortCut(vk::Return), GDK_KEY_Return, 0},
      {ShortCut(vk::Numpad0 + 3), GDK_KEY_KP_3, 0},
  };
  for (const Case& c : cases) {
    unsigned keyval = 0, modifiers = 0;
    EXPECT_TRUE(ShortCutToAccelerator(c.shortCut, keyval, modifiers)) << c.shortCut;
    EXPECT_EQ(keyval, c.keyval) << c.shortCut;
    EXPECT_EQ(modifiers, c.modifiers) << c.shortCut;
  }
  unsigned keyval = 0, modifiers = 0;
  EXPECT_FALSE(ShortCutToAccelerator(scNone, keyval, modifiers));
  EXPECT_FALSE(ShortCutToAccelerator(ShortCut(0x07), keyval, modifiers));
}

TEST(ClickTracker, KeepsDownUpDoubleClickUpOrder) {
  // Each press in a sequence, with what the tracker should call it.
  struct Press {
    TMouseButton button;
    std::uint32_t time;
    int x, y;
    TPressKind expected;
  };
  struct Case {
    const char* name;
    std::vector<Press> presses;
  };
  const auto Down = TPressKind::Down, Double = TPressKind::DoubleClick;
  const Case cases[] = {
      {"quick second press", {{mbLeft, 1000, 10, 10, Down}, {mbLeft, 1300, 11, 12, Double}}},
      {"third press starts a new pair",
       {{mbLeft, 1000, 10, 10, Down}, {mbLeft, 1100, 10, 10, Double}, {mbLeft, 1200, 10, 10, Down},
        {mbLeft, 1300, 10, 10, Double}}},
      {"too slow", {{mbLeft, 1000, 10, 10, Down}, {mbLeft, 1401, 10, 10, Down}, {mbLeft, 1500, 10, 10, Double}}},
      {"exactly the interval", {{mbLeft, 1000, 10, 10, Down}, {mbLeft, 1400, 10, 10, Double}}},
      {"moved too far", {{mbLeft, 1000, 10, 10, Down}, {mbLeft, 1100, 16, 10, Down}}},
      {"other button", {{mbLeft, 1000, 10, 10, Down}, {mbRight, 1100, 10, 10, Down}, {mbRight, 1200, 10, 10, Double}}},
      {"event clock wraps", {{mbLeft, 0xFFFFFF00u, 10, 10, Down}, {mbLeft, 0x00000010u, 10, 10, Double}}},
  };
  for (const Case& c : cases) {
    TClickTracker tracker(400, 5);
    for (std::size_t i = 0; i < c.presses.size(); ++i) {
      const Press& p = c.presses[i];
      EXPECT_EQ(tracker.Press(p.button, p.time, p.x, p.y), p.expected) << c.name << ", press " << i;
    }
  }
  TClickTracker tracker(400, 5);
  tracker.Press(mbLeft, 1000, 0, 0);
  tracker.Reset();
  EXPECT_EQ(tracker.Press(mbLeft, 1100, 0, 0), TPressKind::Down);
}

}  // namespace
}  // namespace gui
