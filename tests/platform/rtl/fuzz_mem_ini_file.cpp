// Fuzzes the in-memory ini file, whose text a user may edit by hand: any
// text reads; what it writes back reads again as the same text; a pair
// written into it either is refused as a key that would not read back, or
// reads back as written (line breaks as blanks, trailing blanks trimmed).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/MemIniFile.h"
#include "tests/support/fuzz_corpus.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Expected(std::string_view value) {
  std::string line(value);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ') line.pop_back();
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= ' ') line.erase(0, 1);
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  test_support::WriteSeedsIfEmpty(
      *argc, *argv,
      {"\xEF\xBB\xBF; lang.ini\r\n[common]\r\nchsInfoTitle=\xE6\x8F\x90\xE7\xA4\xBA\r\nlang=0x1F\r\n"
       "bare line\r\n[C H1 F12]\r\ntab=2\r\n[COMMON]\r\nLANG=-7\r\n",
       "orphan=1\n[a]b]\n =empty key\nk = v = w \r[]\n"});
  return 0;
}

// The input is ini text, then after a NUL the key and the value of a pair to
// write, split at the next NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view text = input.substr(0, input.find('\0'));
  std::string_view rest = input.substr(std::min(input.size(), text.size() + 1));
  const std::string_view key = rest.substr(0, rest.find('\0'));
  const std::string_view value = rest.substr(std::min(rest.size(), key.size() + 1));

  rtl::TMemIniFile ini("", text);
  const std::string written = ini.Text();
  Check(rtl::TMemIniFile("", written).Text() == written);
  for (const std::string& section : ini.ReadSections()) Check(ini.SectionExists(section));

  try {
    ini.WriteString("fuzz", key, value);
  } catch (const rtl::EConvertError&) {
    return 0;
  }
  const rtl::TMemIniFile again("", ini.Text());
  Check(again.ReadString("fuzz", key, "\x01missing") == Expected(value));
  return 0;
}
