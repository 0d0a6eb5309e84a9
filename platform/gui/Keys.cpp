#include "platform/gui/Keys.h"

#include <gdk/gdk.h>

#include <array>
#include <utility>

namespace gui {
namespace {

struct TKeyPair {
  unsigned keyval;
  std::uint16_t key;
};

// Keys whose virtual key is not their character. The first entry of a key
// is the one a shortcut maps back to.
constexpr std::array kSpecialKeys{
    TKeyPair{GDK_KEY_BackSpace, vk::Back},   TKeyPair{GDK_KEY_Tab, vk::Tab},
    TKeyPair{GDK_KEY_ISO_Left_Tab, vk::Tab}, TKeyPair{GDK_KEY_Return, vk::Return},
    TKeyPair{GDK_KEY_KP_Enter, vk::Return},  TKeyPair{GDK_KEY_Shift_L, vk::Shift},
    TKeyPair{GDK_KEY_Shift_R, vk::Shift},    TKeyPair{GDK_KEY_Control_L, vk::Control},
    TKeyPair{GDK_KEY_Control_R, vk::Control}, TKeyPair{GDK_KEY_Alt_L, vk::Menu},
    TKeyPair{GDK_KEY_Alt_R, vk::Menu},       TKeyPair{GDK_KEY_Pause, vk::Pause},
    TKeyPair{GDK_KEY_Caps_Lock, vk::Capital}, TKeyPair{GDK_KEY_Escape, vk::Escape},
    TKeyPair{GDK_KEY_space, vk::Space},      TKeyPair{GDK_KEY_Page_Up, vk::Prior},
    TKeyPair{GDK_KEY_KP_Page_Up, vk::Prior}, TKeyPair{GDK_KEY_Page_Down, vk::Next},
    TKeyPair{GDK_KEY_KP_Page_Down, vk::Next}, TKeyPair{GDK_KEY_End, vk::End},
    TKeyPair{GDK_KEY_KP_End, vk::End},       TKeyPair{GDK_KEY_Home, vk::Home},
    TKeyPair{GDK_KEY_KP_Home, vk::Home},     TKeyPair{GDK_KEY_Left, vk::Left},
    TKeyPair{GDK_KEY_KP_Left, vk::Left},     TKeyPair{GDK_KEY_Up, vk::Up},
    TKeyPair{GDK_KEY_KP_Up, vk::Up},         TKeyPair{GDK_KEY_Right, vk::Right},
    TKeyPair{GDK_KEY_KP_Right, vk::Right},   TKeyPair{GDK_KEY_Down, vk::Down},
    TKeyPair{GDK_KEY_KP_Down, vk::Down},     TKeyPair{GDK_KEY_Insert, vk::Insert},
    TKeyPair{GDK_KEY_KP_Insert, vk::Insert}, TKeyPair{GDK_KEY_Delete, vk::Delete},
    TKeyPair{GDK_KEY_KP_Delete, vk::Delete}, TKeyPair{GDK_KEY_KP_Multiply, vk::Multiply},
    TKeyPair{GDK_KEY_KP_Add, vk::Add},       TKeyPair{GDK_KEY_KP_Subtract, vk::Subtract},
    TKeyPair{GDK_KEY_KP_Decimal, vk::Decimal}, TKeyPair{GDK_KEY_KP_Divide, vk::Divide},
    TKeyPair{GDK_KEY_semicolon, 186},        TKeyPair{GDK_KEY_equal, 187},
    TKeyPair{GDK_KEY_comma, 188},            TKeyPair{GDK_KEY_minus, 189},
    TKeyPair{GDK_KEY_period, 190},           TKeyPair{GDK_KEY_slash, 191},
    TKeyPair{GDK_KEY_grave, 192},            TKeyPair{GDK_KEY_bracketleft, 219},
    TKeyPair{GDK_KEY_backslash, 220},        TKeyPair{GDK_KEY_bracketright, 221},
    TKeyPair{GDK_KEY_apostrophe, 222},       TKeyPair{GDK_KEY_Menu, vk::Apps},
};

std::uint16_t VirtualKeyOf(unsigned keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return static_cast<std::uint16_t>('A' + (keyval - GDK_KEY_a));
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return static_cast<std::uint16_t>(keyval);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return static_cast<std::uint16_t>(keyval);
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
    return static_cast<std::uint16_t>(vk::Numpad0 + (keyval - GDK_KEY_KP_0));
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) return static_cast<std::uint16_t>(vk::F1 + (keyval - GDK_KEY_F1));
  for (const TKeyPair& pair : kSpecialKeys)
    if (pair.keyval == keyval) return pair.key;
  return 0;
}

char32_t CharacterOf(unsigned keyval, std::uint16_t key, TShiftState shift) {
  switch (key) {
    case vk::Return: return 13;
    case vk::Back: return 8;
    case vk::Tab: return 9;
    case vk::Escape: return 27;
    case vk::Delete: return 0;
    default: break;
  }
  const bool ctrl = shift.Contains(ssCtrl), alt = shift.Contains(ssAlt);
  if (ctrl && !alt) return key >= 'A' && key <= 'Z' ? static_cast<char32_t>(key - 'A' + 1) : 0;
  if (alt && !ctrl) return 0;  // Alt+key is a menu key, not typing
  const char32_t c = gdk_keyval_to_unicode(keyval);
  return c >= 0x20 && c != 0x7F ? c : 0;
}

}  // namespace

TShiftState ShiftFromGdk(unsigned gdkState) {
  TShiftState shift;
  if (gdkState & GDK_SHIFT_MASK) shift.Include(ssShift);
  if (gdkState & GDK_CONTROL_MASK) shift.Include(ssCtrl);
  if (gdkState & GDK_MOD1_MASK) shift.Include(ssAlt);
  if (gdkState & GDK_BUTTON1_MASK) shift.Include(ssLeft);
  if (gdkState & GDK_BUTTON2_MASK) shift.Include(ssMiddle);
  if (gdkState & GDK_BUTTON3_MASK) shift.Include(ssRight);
  return shift;
}

unsigned GdkFromShift(TShiftState shift) {
  unsigned mask = 0;
  if (shift.Contains(ssShift)) mask |= GDK_SHIFT_MASK;
  if (shift.Contains(ssCtrl)) mask |= GDK_CONTROL_MASK;
  if (shift.Contains(ssAlt)) mask |= GDK_MOD1_MASK;
  return mask;
}

TKeyStroke TranslateKey(unsigned keyval, unsigned baseKeyval, TShiftState shift) {
  TKeyStroke stroke;
  stroke.Key = VirtualKeyOf(baseKeyval);
  if (!stroke.Key) stroke.Key = VirtualKeyOf(keyval);
  stroke.Char = CharacterOf(keyval, stroke.Key, shift);
  return stroke;
}

bool ShortCutToAccelerator(TShortCut shortCut, unsigned& keyval, unsigned& gdkModifiers) {
  const std::uint16_t key = shortCut & 0x1FFF;
  keyval = 0;
  if (key >= 'A' && key <= 'Z')
    keyval = GDK_KEY_a + (key - 'A');
  else if (key >= '0' && key <= '9')
    keyval = key;
  else if (key >= vk::F1 && key <= vk::F12)
    keyval = GDK_KEY_F1 + (key - vk::F1);
  else if (key >= vk::Numpad0 && key <= vk::Numpad0 + 9)
    keyval = GDK_KEY_KP_0 + (key - vk::Numpad0);
  else
    for (const TKeyPair& pair : kSpecialKeys)
      if (pair.key == key) {
        keyval = pair.keyval;
        break;
      }
  gdkModifiers = 0;
  if (shortCut & scShift) gdkModifiers |= GDK_SHIFT_MASK;
  if (shortCut & scCtrl) gdkModifiers |= GDK_CONTROL_MASK;
  if (shortCut & scAlt) gdkModifiers |= GDK_MOD1_MASK;
  return keyval != 0;
}

}  // namespace gui
