#pragma once
// Rules for the text files the program writes (lang.ini, TXT settings,
// recorder files): UTF-8 without a byte-order mark.
#include <string>

namespace app {

// Rewrites `fileName` without its leading UTF-8 byte-order mark (EF BB BF);
// a file without one is left untouched. Raises the rtl stream errors when
// the file cannot be read or written.
void StripUtf8Bom(const std::string& fileName);

}  // namespace app
