#include "app/ExtraDeviceText.h"

namespace app {

bool HasInvalidChars(std::string_view text) {
  for (const char c : text) {
    const bool allowed = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                         c == '.' || c == '_';
    if (!allowed) return true;
  }
  return false;
}

}  // namespace app
