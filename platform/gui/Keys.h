#pragma once
// Key translation between GDK key events and the class library's virtual
// keys, characters and menu shortcuts. Pure functions: no display needed.
#include <cstdint>

#include "platform/gui/Input.h"

namespace gui {

// The shift state of a GDK modifier mask (GdkModifierType bits).
TShiftState ShiftFromGdk(unsigned gdkState);
// The GDK modifier mask of the Shift, Ctrl and Alt flags of `shift`.
unsigned GdkFromShift(TShiftState shift);

// What one key press means to the class library: the virtual key of the
// physical key (0 when it has none) and the character it types (0 for none;
// Ctrl+letter types the control character 1..26, Enter 13, Backspace 8,
// Tab 9, Escape 27, as the platform's character messages do).
struct TKeyStroke {
  std::uint16_t Key = 0;
  char32_t Char = 0;
  friend bool operator==(const TKeyStroke&, const TKeyStroke&) = default;
};

// `keyval` is the key symbol the press produced, `baseKeyval` the symbol of
// the same physical key without Shift (both GDK key symbols), `shift` the
// modifiers held.
TKeyStroke TranslateKey(unsigned keyval, unsigned baseKeyval, TShiftState shift);

// Menu shortcuts: a virtual key plus modifier bits, stored as an integer.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
inline constexpr TShortCut ShortCut(std::uint16_t key, TShortCut modifiers = 0) {
  return static_cast<TShortCut>(key | modifiers);
}

// The GDK key symbol and modifier mask that activate `shortCut`; false when
// the virtual key has no GDK symbol (or the shortcut is none).
bool ShortCutToAccelerator(TShortCut shortCut, unsigned& keyval, unsigned& gdkModifiers);

}  // namespace gui
