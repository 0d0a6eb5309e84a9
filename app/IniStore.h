#pragma once
// The in-memory form of lang.ini: sections of lines, read once when the store
// is made and written back whole by UpdateFile.
//
// Reading rules: every line is trimmed; empty lines and lines beginning with
// ";" are skipped; "[name]" starts a section; inside a section a line with
// "=" is a pair split at the first "=" (key and value trimmed), any other
// line is kept as a bare line; lines before the first section are skipped.
// Section and key names compare without regard to case; the first pair of a
// key counts, and a section named twice continues the first one. A UTF-8
// byte-order mark is accepted; a file that is not UTF-8 is read as GBK (see
// rtl::TextBytesToUtf8).
//
// Every operation may be called from any thread: reads share a lock, writes
// take it alone. A description load on a worker keeps its own reference to
// the store it began with, so replacing the program's store never pulls it
// from under the load.
#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace app {

class IniStore {
 public:
  // An empty store without a file.
  IniStore() = default;
  // Reads `fileName` when it exists (a missing file gives an empty store);
  // a file that exists but cannot be read raises rtl::EFOpenError.
  explicit IniStore(std::string fileName);
  // A store holding `text`, writing to `fileName`.
  IniStore(std::string fileName, std::string_view text);

  IniStore(const IniStore&) = delete;
  IniStore& operator=(const IniStore&) = delete;

  const std::string& FileName() const { return fileName_; }

  // The value of the key's first pair, or `defaultValue` when the section
  // or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal ("-12") or hexadecimal after "0x" ("0x1F"); anything else,
  // including a number outside 32 bits, gives `defaultValue`.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // ReadInteger not equal to 0 ("yes" reads as the default).
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Replaces the value of the key's first pair, or appends the pair to the
  // section, appending the section when it is missing. CR and LF in the
  // value become blanks. A key that would not read back as itself (empty,
  // blanks at its ends, starting with "[" or ";", holding "=", CR or LF) or
  // a section name with a line break raises rtl::EConvertError
  // "Invalid ini key '%s'" / "Invalid ini section name '%s'".
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Names of all sections in file order.
  std::vector<std::string> ReadSections() const;
  // Whether a section of that name (any letter case) exists.
  bool SectionExists(std::string_view section) const;

  // The whole store as the file holds it after a write-back: per section
  // "[name]", its lines (pairs as "key=value"), then an empty line; CR LF
  // line ends; no byte-order mark.
  std::string Text() const;
  // Writes Text() to the file through the atomic writer: on any failure the
  // old file stays. Raises rtl::EFCreateError or rtl::EWriteError
  // (rtl::WriteFileBytes).
  void UpdateFile() const;

 private:
  struct Line {
    bool isPair = false;
    std::string key;    // pairs only
    std::string value;  // pair value, or the whole bare line
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
    std::unordered_map<std::string, std::size_t> firstPair;  // folded key -> line
  };

  void Parse(std::string_view text);
  const Line* FindPair(std::string_view section, std::string_view key) const;
  Section& SectionForWrite(std::string_view name);

  std::string fileName_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> section
  mutable std::shared_mutex mutex_;
};

}  // namespace app
