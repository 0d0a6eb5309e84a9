#include "platform/rtl/TextCompare.h"

#include <glib.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/rtl/TextConvert.h"

namespace rtl {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

template <class Char>
bool IsAscii(std::basic_string_view<Char> text) {
  return std::all_of(text.begin(), text.end(), [](Char c) { return static_cast<unsigned>(c) < 0x80; });
}

template <class Char>
unsigned AsciiLower(Char c) {
  const auto unit = static_cast<std::make_unsigned_t<Char>>(c);
  return unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit;
}

template <class Char>
int CompareAsciiNoCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned ca = AsciiLower(a[i]);
    const unsigned cb = AsciiLower(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(AsciiLower(c));
  return lower;
}

std::string CaseFold(std::string_view text) {
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return LowerCase(text);
  std::unique_ptr<gchar, decltype(&g_free)> folded(
      g_utf8_casefold(text.data(), static_cast<gssize>(text.size())), g_free);
  return std::string(folded.get());
}

int CompareStr(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

int CompareText(std::string_view a, std::string_view b) { return CompareAsciiNoCase(a, b); }

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) return CompareAsciiNoCase(a, b);
  return Sign(CaseFold(a).compare(CaseFold(b)));
}

bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

int WideCompareStr(std::u16string_view a, std::u16string_view b) { return Sign(a.compare(b)); }

int WideCompareText(std::u16string_view a, std::u16string_view b) {
  if (IsAscii(a) && IsAscii(b)) return CompareAsciiNoCase(a, b);
  return AnsiCompareText(Utf16ToUtf8(a), Utf16ToUtf8(b));
}

bool WideSameText(std::u16string_view a, std::u16string_view b) { return WideCompareText(a, b) == 0; }

}  // namespace rtl
