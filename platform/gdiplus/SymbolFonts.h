#pragma once
// Windows' Wingdings symbol font has no counterpart on Linux, and a text set
// in it would show its plain letters. Such text is drawn as the Unicode
// symbols its characters stand for, in whatever font has them.
#include <string>
#include <string_view>

namespace gdip {

/// True for the family name of a symbol font this layer stands in for
/// (compared without regard to case).
bool IsSymbolFont(std::string_view family);

/// `text` as it is drawn in `family`: for a symbol font, each character the
/// program's windows use is replaced by its Unicode symbol (one UTF-16 unit
/// for one, so caret positions keep their meaning); otherwise unchanged.
std::u16string ShownText(std::string_view family, std::u16string_view text);

}  // namespace gdip
