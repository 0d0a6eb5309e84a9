#include "app/TextFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/LangKey.h"
#include "platform/rtl/Streams.h"

namespace app {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  const rtl::TBytes bytes = rtl::ReadFileBytes(path.string());
  return std::string(bytes.begin(), bytes.end());
}

TEST(TextFiles, AreWrittenWithoutAByteOrderMark) {
  const fs::path folder = fs::path(::testing::TempDir()) / "text_files";
  fs::remove_all(folder);
  fs::create_directories(folder);
  WriteTextFile((folder / "a.txt").string(), "\xEF\xBB\xBF[common]\r\n");
  WriteTextFile((folder / "b.txt").string(), "[common]\xEF\xBB\xBF\r\n");
  EXPECT_EQ(Read(folder / "a.txt"), "[common]\r\n");
  EXPECT_EQ(Read(folder / "b.txt"), "[common]\xEF\xBB\xBF\r\n");
  fs::remove_all(folder);
}

TEST(LangKey, PrefixesTheLanguage) {
  EXPECT_EQ(LangKey(Language::Chinese, "InfoTitle"), "chsInfoTitle");
  EXPECT_EQ(LangKey(Language::English, "InfoTitle"), "engInfoTitle");
}

}  // namespace
}  // namespace app
