#include "app/IniStore.h"

#include <glib.h>

#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "app/TextFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextFileEncoding.h"

namespace app {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

// The form names are compared in: Unicode case folding, or ASCII lower
// case for text that is not valid UTF-8.
std::string Fold(std::string_view name) {
  if (g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr)) {
    gchar* folded = g_utf8_casefold(name.data(), static_cast<gssize>(name.size()));
    std::string result(folded);
    g_free(folded);
    return result;
  }
  std::string result(name);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string ReadWholeFile(const std::string& fileName) {
  return rtl::TextBytesToUtf8(rtl::ReadFileBytes(fileName), fileName);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A key that would read back as something else, or change the lines around
// it, once written as "key=value".
bool IsStorableKey(std::string_view key) {
  return !key.empty() && Trim(key).size() == key.size() && key.front() != '[' && key.front() != ';' &&
         key.find('=') == std::string_view::npos && !HasLineBreak(key);
}

// Line breaks in a value would start new lines, sections or pairs.
std::string OneLine(std::string_view value) {
  std::string line(value);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

// Decimal, or hexadecimal after "0x" (32 bits, so "0xFFFFFFFF" is -1).
bool ParseInteger(std::string_view text, int& value) {
  const char* last = text.data() + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint32_t hex = 0;  // unsigned: no sign after the prefix
    const auto [end, error] = std::from_chars(text.data() + 2, last, hex, 16);
    if (error != std::errc() || end != last) return false;
    value = static_cast<int>(hex);
    return true;
  }
  std::string_view digits = text;
  if (digits.starts_with('+')) digits.remove_prefix(1);
  const std::string_view unsignedDigits = digits.starts_with('-') && digits.data() == text.data()
                                              ? digits.substr(1)
                                              : digits;
  if (unsignedDigits.empty() || !std::isdigit(static_cast<unsigned char>(unsignedDigits.front()))) {
    return false;
  }
  const auto [end, error] = std::from_chars(digits.data(), last, value, 10);
  return error == std::errc() && end == last;
}

}  // namespace

IniStore::IniStore(std::string fileName) : fileName_(std::move(fileName)) {
  std::error_code error;
  if (std::filesystem::exists(fileName_, error)) Parse(ReadWholeFile(fileName_));
}

IniStore::IniStore(std::string fileName, std::string_view text) : fileName_(std::move(fileName)) {
  Parse(text);
}

void IniStore::Parse(std::string_view text) {
  if (text.starts_with(rtl::kUtf8Bom)) text.remove_prefix(rtl::kUtf8Bom.size());
  Section* current = nullptr;
  for (const std::string_view rawLine : SplitLines(text)) {
    const std::string_view line = Trim(rawLine);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &SectionForWrite(line.substr(1, line.size() - 2));
      continue;
    }
    if (current == nullptr) continue;
    Line entry;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      entry.value = line;
    } else {
      entry.isPair = true;
      entry.key = Trim(line.substr(0, equals));
      entry.value = Trim(line.substr(equals + 1));
      current->firstPair.try_emplace(Fold(entry.key), current->lines.size());
    }
    current->lines.push_back(std::move(entry));
  }
}

IniStore::Section& IniStore::SectionForWrite(std::string_view name) {
  const auto [it, added] = sectionIndex_.try_emplace(Fold(name), sections_.size());
  if (added) sections_.push_back(Section{std::string(name), {}, {}});
  return sections_[it->second];
}

const IniStore::Line* IniStore::FindPair(std::string_view section, std::string_view key) const {
  const auto sectionIt = sectionIndex_.find(Fold(section));
  if (sectionIt == sectionIndex_.end()) return nullptr;
  const Section& found = sections_[sectionIt->second];
  const auto lineIt = found.firstPair.find(Fold(key));
  return lineIt == found.firstPair.end() ? nullptr : &found.lines[lineIt->second];
}

std::string IniStore::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  std::shared_lock lock(mutex_);
  const Line* pair = FindPair(section, key);
  return pair ? pair->value : std::string(defaultValue);
}

int IniStore::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  std::shared_lock lock(mutex_);
  const Line* pair = FindPair(section, key);
  int value = defaultValue;
  if (pair == nullptr || !ParseInteger(pair->value, value)) return defaultValue;
  return value;
}

bool IniStore::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section))
    throw rtl::EConvertError(rtl::Format("Invalid ini section name '%.*s'", static_cast<int>(section.size()), section.data()));
  if (!IsStorableKey(key))
    throw rtl::EConvertError(rtl::Format("Invalid ini key '%.*s'", static_cast<int>(key.size()), key.data()));
  std::unique_lock lock(mutex_);
  Section& target = SectionForWrite(section);
  const auto [it, added] = target.firstPair.try_emplace(Fold(key), target.lines.size());
  if (added) {
    target.lines.push_back(Line{true, std::string(key), OneLine(value)});
  } else {
    target.lines[it->second].value = OneLine(value);
  }
}

void IniStore::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniStore::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniStore::ReadSections() const {
  std::shared_lock lock(mutex_);
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_) names.push_back(section.name);
  return names;
}

bool IniStore::SectionExists(std::string_view section) const {
  std::shared_lock lock(mutex_);
  return sectionIndex_.contains(Fold(section));
}

std::string IniStore::Text() const {
  std::shared_lock lock(mutex_);
  std::string text;
  for (const Section& section : sections_) {
    text += "[" + section.name + "]\r\n";
    for (const Line& line : section.lines) {
      text += line.isPair ? line.key + "=" + line.value : line.value;
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

void IniStore::UpdateFile() const { WriteTextFile(fileName_, Text()); }

}  // namespace app
