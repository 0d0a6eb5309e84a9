#include "params/PageEntries.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "params/TextFunctions.h"

namespace params {
namespace {

std::string_view Trimmed(std::string_view text) {
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<PageEntry> PageEntries(std::string_view group, int itemCount) {
  std::vector<PageEntry> entries;
  for (const std::string& part : SplitString(",", group)) {
    std::string_view entry = Trimmed(part);
    if (entry == "-") {
      entries.push_back({true, -1});
      continue;
    }
    int index = 0;
    if (!AllDigits(entry)) continue;
    auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), index);
    if (error == std::errc() && index < itemCount) entries.push_back({false, index});
  }
  return entries;
}

std::string PageGroupText(const std::vector<PageEntry>& entries) {
  std::string text;
  for (const PageEntry& entry : entries) {
    if (!text.empty()) text += ',';
    text += entry.opensGroupBox ? std::string("-") : std::to_string(entry.index);
  }
  return text;
}

}  // namespace params
