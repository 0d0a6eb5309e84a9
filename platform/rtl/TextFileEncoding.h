#pragma once
// The encodings of text files as the string lists read them. A byte-order
// mark selects UTF-8 (EF BB BF), UTF-16 little-endian (FF FE) or UTF-16
// big-endian (FE FF); the mark itself is not part of the text, and an odd
// last byte of UTF-16 text is dropped. Without a mark the bytes are taken as
// UTF-8 when they are valid UTF-8, else as Windows-1252 (the legacy "ANSI"
// text of Western systems), so no byte is lost.
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

namespace rtl {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string TextBytesToUtf8(const TBytes& bytes);
WideString TextBytesToUtf16(const TBytes& bytes);

// FF FE followed by the text as UTF-16 little-endian code units.
TBytes Utf16ToBomBytes(std::u16string_view text);

}  // namespace rtl
