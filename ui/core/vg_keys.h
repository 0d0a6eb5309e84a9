#pragma once
// Virtual key codes of the keys the scene and its controls handle, as they
// arrive in key events.
#include <cstdint>

namespace vg {

enum : std::uint16_t {
  kKeyBack = 8,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyInsert = 45,
  kKeyDelete = 46,
  kKeyAdd = 107,       // numeric keypad +
  kKeySubtract = 109,  // numeric keypad -
  kKeyF2 = 113,
};

}  // namespace vg
