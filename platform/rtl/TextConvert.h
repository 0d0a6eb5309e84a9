#pragma once
// Conversions between UTF-8 (files, ini, protocols), UTF-16 (toolkit and UI
// text) and the legacy code pages the program exchanges (GBK / CP936 for
// Chinese, CP1252 for Western text).
//
// Malformed UTF-8 or lone UTF-16 surrogates become U+FFFD; characters a code
// page cannot hold become "?". None of these functions throws.
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

namespace rtl {

WideString Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// `codePage` is an iconv name: "GBK", "CP936", "CP1252", ...
std::string Utf16ToCodePage(std::u16string_view utf16, const char* codePage);
WideString CodePageToUtf16(std::string_view bytes, const char* codePage);
std::string Utf8ToCodePage(std::string_view utf8, const char* codePage);
std::string CodePageToUtf8(std::string_view bytes, const char* codePage);

// The first and the second unit of a UTF-16 surrogate pair.
constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Shorthand for UTF-16 literals built from UTF-8 text.
inline WideString W(std::string_view utf8) { return Utf8ToUtf16(utf8); }

}  // namespace rtl
