#pragma once
// The encodings of text files as the string lists read them. A byte-order
// mark selects UTF-8 (EF BB BF), UTF-16 little-endian (FF FE) or UTF-16
// big-endian (FE FF); the mark itself is not part of the text, and an odd
// last byte of UTF-16 text is dropped. Without a mark the bytes are taken as
// UTF-8 when they are valid UTF-8, else as GBK (kLegacyCodePage, the legacy
// "ANSI" text of this program's Chinese users), and a line on the debug
// output names `source` and says so.
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"

namespace rtl {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

inline constexpr const char* kLegacyCodePage = "GBK";

// Text without a mark (a file's body, a name a device keeps): the bytes
// when they are valid UTF-8, else the bytes read as GBK with the debug line.
std::string UnmarkedTextToUtf8(std::string_view bytes, std::string_view source = {});

// `source` names the text in the debug line (a file name), may be empty.
std::string TextBytesToUtf8(const TBytes& bytes, std::string_view source = {});
WideString TextBytesToUtf16(const TBytes& bytes, std::string_view source = {});

// FF FE followed by the text as UTF-16 little-endian code units.
TBytes Utf16ToBomBytes(std::u16string_view text);

}  // namespace rtl
