#pragma once
// Text comparisons. Every function returns a value below, equal to or above
// 0 as a sorts before, equal to or after b. None depends on the process
// locale.
//   *Str:          ordinal (UTF-8 bytes, which is code point order; UTF-16
//                  code units).
//   CompareText, SameText:       ignore the case of ASCII letters only
//                  (identifiers: component, property and class names).
//   AnsiCompareText, AnsiSameText, WideCompareText, WideSameText:
//                  ignore case by Unicode case folding (user texts, lists).
#include <string_view>

namespace rtl {

int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

int WideCompareStr(std::u16string_view a, std::u16string_view b);
int WideCompareText(std::u16string_view a, std::u16string_view b);
bool WideSameText(std::u16string_view a, std::u16string_view b);

}  // namespace rtl
