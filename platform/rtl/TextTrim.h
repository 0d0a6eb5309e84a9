#pragma once
// Trimming as the class library does it: every byte up to and including the
// space (controls, tabs, line ends) is blank. Bytes of 0x80 and above are
// never blank, so UTF-8 and other multi-byte texts keep their ends.
#include <string_view>

namespace rtl {

constexpr bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

constexpr std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

constexpr std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

constexpr std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

}  // namespace rtl
