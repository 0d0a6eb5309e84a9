#pragma once
// The rule for the text files the program writes (lang.ini, TXT settings,
// recorder files): UTF-8 without a byte-order mark, written whole through
// the atomic writer so an interrupted write leaves the old file.
#include <string>
#include <string_view>

namespace app {

// Writes `text` to `fileName`; a leading UTF-8 byte-order mark (EF BB BF) in
// `text` is left out. Raises the errors of rtl::WriteFileBytes.
void WriteTextFile(const std::string& fileName, std::string_view text);

}  // namespace app
