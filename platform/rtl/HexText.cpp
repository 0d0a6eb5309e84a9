#include "platform/rtl/HexText.h"

namespace rtl {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int HexToBytes(std::string_view text, std::span<std::uint8_t> bytes) {
  text = text.substr(0, text.find('\0'));
  if (text.size() < 2) return -1;
  if (text.size() % 2 != 0) return -2;
  const std::size_t count = text.size() / 2;
  if (count > bytes.size()) return -3;
  for (std::size_t i = 0; i < count; ++i) {
    const int high = HexDigitValue(text[2 * i]);
    const int low = HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return -1;
    bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return static_cast<int>(count);
}

std::string BytesToHex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const std::uint8_t byte : bytes) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

}  // namespace rtl
