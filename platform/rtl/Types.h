#pragma once
// Basic text and byte types shared by every folder.
//   WideString: UTF-16 text of the toolkit and the user interface (lengths,
//               carets and selections count UTF-16 code units).
//   std::string: UTF-8 text of files, ini values and protocols.
#include <cstdint>
#include <string>
#include <vector>

namespace rtl {

using WideChar = char16_t;
using WideString = std::u16string;
using TBytes = std::vector<std::uint8_t>;

}  // namespace rtl
