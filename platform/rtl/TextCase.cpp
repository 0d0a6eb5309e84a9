#include "platform/rtl/TextCase.h"

#include <glib.h>

#include "platform/rtl/TextConvert.h"

namespace rtl {
namespace {

constexpr gunichar kFirstAstral = 0x10000;

// Maps each code point by `map`, keeping those whose image would change
// the number of code units (or is not a character).
template <class Map>
WideString MapCase(std::u16string_view text, Map map) {
  WideString result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const char16_t unit = result[i];
    if (IsHighSurrogate(unit) && i + 1 < result.size() && IsLowSurrogate(result[i + 1])) {
      const gunichar c = kFirstAstral + ((gunichar(unit) - 0xD800) << 10) + (gunichar(result[i + 1]) - 0xDC00);
      const gunichar mapped = map(c);
      if (mapped >= kFirstAstral && mapped <= 0x10FFFF) {
        result[i] = char16_t(0xD800 + ((mapped - kFirstAstral) >> 10));
        result[i + 1] = char16_t(0xDC00 + ((mapped - kFirstAstral) & 0x3FF));
      }
      ++i;
      continue;
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) continue;
    const gunichar mapped = map(gunichar(unit));
    if (mapped < kFirstAstral && !(mapped >= 0xD800 && mapped <= 0xDFFF)) result[i] = char16_t(mapped);
  }
  return result;
}

}  // namespace

WideString WideUpperCase(std::u16string_view text) { return MapCase(text, g_unichar_toupper); }
WideString WideLowerCase(std::u16string_view text) { return MapCase(text, g_unichar_tolower); }

}  // namespace rtl
