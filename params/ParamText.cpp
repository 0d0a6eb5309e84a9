#include "params/ParamText.h"

#include <charconv>

#include "platform/rtl/HexText.h"
#include "platform/rtl/NumberText.h"

namespace params {

int LeadingInteger(std::string_view text) {
  std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return 0;
  if (text[start] == '+') ++start;
  int value = 0;
  std::from_chars(text.data() + start, text.data() + text.size(), value);
  return value;
}

int FindEntryContaining(const std::vector<std::string>& entries, std::string_view needle) {
  for (std::size_t k = 0; k < entries.size(); ++k)
    if (entries[k].find(needle) != std::string::npos) return static_cast<int>(k);
  return -1;
}

int ItemOffset(const ITEM& item) {
  int value = 0;
  const char* end = item.min.data() + item.min.size();
  auto [next, error] = std::from_chars(item.min.data(), end, value);
  return error == std::errc{} && next == end ? value : 0;
}

std::string TrimControlCharacters(std::string_view text) {
  auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string CutUtf8(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return std::string(text);
  std::size_t cut = bytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut));
}

bool DecodeTable(std::string_view text, std::span<std::uint8_t> table) {
  std::vector<std::uint8_t> decoded(table.size());
  if (text.size() != 2 * table.size() || rtl::HexToBytes(text, decoded) != static_cast<int>(table.size()))
    return false;
  std::copy(decoded.begin(), decoded.end(), table.begin());
  return true;
}

std::string OneDecimal(double value) {
  return rtl::FloatToStrF(value, rtl::ffFixed, 15, 1);
}

}  // namespace params
