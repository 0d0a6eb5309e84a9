#include "platform/gdiplus/SymbolFonts.h"

#include <algorithm>
#include <cctype>

namespace gdip {
namespace {

struct SymbolGlyph {
  char16_t letter;
  char16_t symbol;
};

// Wingdings characters set by our windows, with the symbols they draw.
constexpr SymbolGlyph kWingdings[] = {
    {u'v', u'\u2756'},  // black diamond minus white X: the group heading mark
};

}  // namespace

bool IsSymbolFont(std::string_view family) {
  constexpr std::string_view kName = "wingdings";
  return family.size() == kName.size() && std::equal(family.begin(), family.end(), kName.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

std::u16string ShownText(std::string_view family, std::u16string_view text) {
  std::u16string shown(text);
  if (!IsSymbolFont(family)) return shown;
  for (char16_t& c : shown)
    for (const SymbolGlyph& glyph : kWingdings)
      if (c == glyph.letter) c = glyph.symbol;
  return shown;
}

}  // namespace gdip
