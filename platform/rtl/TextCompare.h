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
#include <string>
#include <string_view>

namespace rtl {

// ASCII letters lowered, every other byte kept (the class library's
// LowerCase; identifiers, file extensions).
std::string LowerCase(std::string_view text);
// The key AnsiCompareText compares: the Unicode case folding of valid UTF-8,
// and LowerCase of bytes that are not UTF-8 (a GBK text, say), which keeps
// every byte apart.
std::string CaseFold(std::string_view text);

int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);

int WideCompareStr(std::u16string_view a, std::u16string_view b);
int WideCompareText(std::u16string_view a, std::u16string_view b);
bool WideSameText(std::u16string_view a, std::u16string_view b);

}  // namespace rtl
