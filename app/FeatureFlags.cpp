#include "app/FeatureFlags.h"

#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/net/Base64.h"

namespace app {
namespace {

bool IsBase64Text(std::string_view text) {
  bool padding = false;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
    if (c == '=') {
      padding = true;
      continue;
    }
    const bool alphabet = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || c == '+' ||
                          c == '/';
    if (!alphabet || padding) return false;
  }
  return true;
}

// Characters outside ASCII become "?", one per UTF-8 sequence.
std::string AsciiOnly(std::string_view utf8) {
  std::string out;
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80)
      out += c;
    else if ((u & 0xC0) != 0x80)
      out += '?';
  }
  return out;
}

}  // namespace

FeatureFlagsResult ParseFeatureFlags(std::string_view content, const FeatureFlags& start) {
  if (content.size() > kConfigFileLimit)
    return {kDefaultFeatureFlags, "config.dat is longer than " + std::to_string(kConfigFileLimit) + " bytes"};
  std::string_view text = content.substr(0, content.find('\0'));
  if (!IsBase64Text(text)) return {kDefaultFeatureFlags, "config.dat is not Base64 text"};
  const std::string json = AsciiOnly(net::Base64Decode(text));
  if (json.empty() && text.find_first_not_of(" \t\r\n") == std::string_view::npos) return {start, {}};
  const nlohmann::json document = nlohmann::json::parse(json, nullptr, false);
  if (document.is_discarded()) return {kDefaultFeatureFlags, "config.dat holds no valid JSON"};
  if (!document.is_object() || !document.contains("Data") || !document["Data"].is_array())
    return {kDefaultFeatureFlags, "config.dat has no \"Data\" list"};
  FeatureFlagsResult result{start, {}};
  const auto& data = document["Data"];
  for (std::size_t i = 0; i < data.size() && i < result.flags.size(); ++i) {
    const auto& element = data[i];
    if (!element.is_object() || !element.contains("on-off"))
      return {kDefaultFeatureFlags, "config.dat element " + std::to_string(i) + " has no \"on-off\""};
    result.flags[i] = element["on-off"].dump().find("on") != std::string::npos ? 1 : 0;
  }
  return result;
}

std::optional<FeatureFlagsResult> ReadFeatureFlagsFile(const std::string& path, const FeatureFlags& start) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string content(kConfigFileLimit + 1, '\0');  // one more shows a file too long
  file.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(file.gcount()));
  return ParseFeatureFlags(content, start);
}

}  // namespace app
