#pragma once
// The check of the extra device text (the fourth device string) before the
// firmware list uses it in file and query names.
#include <string_view>

namespace app {

/// True when `text` holds a byte other than digits, ASCII letters, "-", "."
/// and "_" (bytes of 0x80 and above count as other); false for the empty text.
bool HasInvalidChars(std::string_view text);

}  // namespace app
