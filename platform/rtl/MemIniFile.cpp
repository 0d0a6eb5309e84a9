#include "platform/rtl/MemIniFile.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextFileEncoding.h"
#include "platform/rtl/TextTrim.h"

namespace rtl {
namespace {

using rtl::CaseFold;
using rtl::Trim;

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
  return TextBytesToUtf8(ReadFileBytes(fileName), fileName);
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

TMemIniFile::TMemIniFile(std::string fileName) : fileName_(std::move(fileName)) {
  std::error_code error;
  if (std::filesystem::exists(fileName_, error)) Parse(ReadWholeFile(fileName_));
}

TMemIniFile::TMemIniFile(std::string fileName, std::string_view text) : fileName_(std::move(fileName)) {
  Parse(text);
}

void TMemIniFile::Parse(std::string_view text) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
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
      current->firstPair.try_emplace(CaseFold(entry.key), current->lines.size());
    }
    current->lines.push_back(std::move(entry));
  }
}

TMemIniFile::Section& TMemIniFile::SectionForWrite(std::string_view name) {
  const auto [it, added] = sectionIndex_.try_emplace(CaseFold(name), sections_.size());
  if (added) sections_.push_back(Section{std::string(name), {}, {}});
  return sections_[it->second];
}

const TMemIniFile::Line* TMemIniFile::FindPair(std::string_view section, std::string_view key) const {
  const auto sectionIt = sectionIndex_.find(CaseFold(section));
  if (sectionIt == sectionIndex_.end()) return nullptr;
  const Section& found = sections_[sectionIt->second];
  const auto lineIt = found.firstPair.find(CaseFold(key));
  return lineIt == found.firstPair.end() ? nullptr : &found.lines[lineIt->second];
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  std::shared_lock lock(mutex_);
  const Line* pair = FindPair(section, key);
  return pair ? pair->value : std::string(defaultValue);
}

int TMemIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  std::shared_lock lock(mutex_);
  const Line* pair = FindPair(section, key);
  int value = defaultValue;
  if (pair == nullptr || !ParseInteger(pair->value, value)) return defaultValue;
  return value;
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section))
    throw EConvertError(Format("Invalid ini section name '%.*s'", static_cast<int>(section.size()), section.data()));
  if (!IsStorableKey(key))
    throw EConvertError(Format("Invalid ini key '%.*s'", static_cast<int>(key.size()), key.data()));
  std::unique_lock lock(mutex_);
  Section& target = SectionForWrite(section);
  const auto [it, added] = target.firstPair.try_emplace(CaseFold(key), target.lines.size());
  if (added) {
    target.lines.push_back(Line{true, std::string(key), OneLine(value)});
  } else {
    target.lines[it->second].value = OneLine(value);
  }
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> TMemIniFile::ReadSections() const {
  std::shared_lock lock(mutex_);
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& section : sections_) names.push_back(section.name);
  return names;
}

bool TMemIniFile::SectionExists(std::string_view section) const {
  std::shared_lock lock(mutex_);
  return sectionIndex_.contains(CaseFold(section));
}

std::string TMemIniFile::Text() const {
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

void TMemIniFile::UpdateFile() const { WriteFileBytes(fileName_, Text()); }

}  // namespace rtl
