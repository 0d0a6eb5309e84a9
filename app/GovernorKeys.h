#pragma once
// Typing into the governor page's read-only boxes: the page's key handler
// edits their texts by these rules, one key event at a time. A key event
// carries a key code (a digit on the main keyboard, 48 to 57, or on the
// numeric pad, 96 to 105; Backspace 8) or, in the character event that
// follows it, only the typed character.
#include <cstdint>
#include <optional>

#include "platform/rtl/Types.h"

namespace app {

struct TypedText {
  rtl::WideString Text;
  int Caret = 0;
};

// An input box (whole numbers): a digit key replaces the selection (or goes
// in at the caret); Backspace removes the selection, or else the last
// character wherever the caret is; other keys change nothing. The text then
// becomes a whole number (empty: 0, above 300000: 300000, leading zeros
// dropped) and the caret goes one past the selection start (moved back by
// what Backspace removed). nullopt when the text is no whole number, as one
// stored by hand in lang.ini may be: the key is refused.
std::optional<TypedText> TypeIntoInput(const rtl::WideString& text, int selStart, int selLength,
                                       std::uint16_t key);

// A cell-voltage box while "Other" is chosen: its number before the "V"
// ("Other" reads as 0) is edited, a digit key replacing the selection, a
// typed "." appended once, Backspace removing the selection or the last
// character; it is then shown in its shortest form ("03" gives 3), kept as
// typed right after a ".", with "V" appended and the caret at the end.
// nullopt when the text is no number: the key is refused.
std::optional<TypedText> TypeIntoCellVoltage(const rtl::WideString& text, int selStart, int selLength,
                                             std::uint16_t key, char16_t keyChar);

}  // namespace app
