#include "app/IniStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/LangKey.h"
#include "app/TextFiles.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/Streams.h"
#include "tests/support/file_size_limit.h"

namespace app {
namespace {

namespace fs = std::filesystem;

class IniStoreFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("ini_store_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  static void Write(const std::string& path, const std::string& content) {
    rtl::WriteFileBytes(path, content.data(), content.size());
  }
  static std::string Read(const std::string& path) {
    const rtl::TBytes bytes = rtl::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
  }

  fs::path folder_;
};

constexpr char kSample[] =
    "\xEF\xBB\xBF"
    "orphan=before any section\r\n"
    "; a comment\r\n"
    "  [Common]  \r\n"
    "  chsInfoTitle =  提示  \r\n"
    "engInfoTitle=Information\n"
    "ENGINFOTITLE=second pair loses\r"
    "url=http://host/a?b=c\r\n"
    "a bare line\r\n"
    "\r\n"
    "[C H1 F12]\r\n"
    "tab=2\r\n"
    "[common]\r\n"
    "lang=1\r\n";

TEST(IniStore, ReadsTheFileAsSectionsOfTrimmedLines) {
  const IniStore ini("", kSample);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Common", "C H1 F12"}));
  EXPECT_EQ(ini.ReadString("common", "CHSINFOTITLE", "x"), "提示");
  EXPECT_EQ(ini.ReadString("COMMON", "engInfoTitle", "x"), "Information");
  EXPECT_EQ(ini.ReadString("common", "url", ""), "http://host/a?b=c");
  EXPECT_EQ(ini.ReadString("common", "lang", "0"), "1");  // a repeated section continues the first
  EXPECT_EQ(ini.ReadString("common", "orphan", "none"), "none");
  EXPECT_EQ(ini.ReadString("common", "a bare line", "none"), "none");
  EXPECT_EQ(ini.ReadString("missing", "tab", "dflt"), "dflt");
  EXPECT_TRUE(ini.SectionExists("c h1 f12"));
  EXPECT_FALSE(ini.SectionExists("C H1"));
}

TEST(IniStore, ReadsIntegersAndBooleans) {
  struct Case {
    const char* value;
    int integer;  // read with the default -99
    bool boolean; // read with the default false
  };
  const Case cases[] = {
      {"12", 12, true},          {"0x1F", 31, true},     {"0X10", 16, true},
      {"-7", -7, true},          {"+5", 5, true},        {"0", 0, false},
      {"yes", -99, false},       {"12abc", -99, false},  {"", -99, false},
      {"0x", -99, false},        {"1.5", -99, false},    {"99999999999", -99, false},
      {"0xFFFFFFFF", -1, true},  {"0x100000000", -99, false}, {"+-5", -99, false},
      {"0x-5", -99, false},      {"- 5", -99, false},
  };
  for (const Case& c : cases) {
    IniStore ini;
    ini.WriteString("s", "k", c.value);
    EXPECT_EQ(ini.ReadInteger("s", "k", -99), c.integer) << c.value;
    EXPECT_EQ(ini.ReadBool("s", "k", false), c.boolean) << c.value;
  }
  const IniStore empty;
  EXPECT_EQ(empty.ReadInteger("s", "k", 7), 7);
  EXPECT_TRUE(empty.ReadBool("s", "k", true));
}

TEST(IniStore, WritesReplaceTheFirstPairOrAppend) {
  IniStore ini("", "[common]\r\nlang=0\r\nLANG=dup\r\nbare\r\n[dev]\r\nname=X\r\n");
  ini.WriteInteger("Common", "Lang", 1);
  ini.WriteString("common", "cacl1", "2300");
  ini.WriteBool("new", "flag", true);
  EXPECT_EQ(ini.Text(),
            "[common]\r\nlang=1\r\nLANG=dup\r\nbare\r\ncacl1=2300\r\n\r\n"
            "[dev]\r\nname=X\r\n\r\n"
            "[new]\r\nflag=1\r\n\r\n");
}

TEST_F(IniStoreFiles, WriteBackDropsCommentsAndByteOrderMark) {
  const std::string path = PathOf("lang.ini");
  Write(path, kSample);
  {
    IniStore ini(path);
    ini.WriteString("common", "lang", "0");
    ini.UpdateFile();
  }
  const std::string written = Read(path);
  EXPECT_EQ(written.rfind("[Common]\r\n", 0), 0u);
  EXPECT_EQ(written.find("comment"), std::string::npos);
  EXPECT_NE(written.find("chsInfoTitle=提示\r\n"), std::string::npos);
  const IniStore again(path);
  EXPECT_EQ(again.Text(), written);
  EXPECT_EQ(again.ReadString("common", "lang", ""), "0");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);  // no temporary left
}

TEST_F(IniStoreFiles, MissingFileGivesAnEmptyStoreThatWriteBackCreates) {
  const std::string path = PathOf("lang.ini");
  IniStore ini(path);
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_EQ(ini.ReadString("common", "chsInfoTitle", "Information"), "Information");
  ini.WriteString("common", "lang", "1");
  ini.UpdateFile();
  EXPECT_EQ(Read(path), "[common]\r\nlang=1\r\n\r\n");
}

TEST_F(IniStoreFiles, UpdateFileFailureIsReported) {
  IniStore ini(PathOf("no-such-folder/lang.ini"));
  EXPECT_THROW(ini.UpdateFile(), rtl::EStreamError);
}

TEST_F(IniStoreFiles, TextFilesAreWrittenWithoutAByteOrderMark) {
  const std::string withBom = PathOf("a.txt");
  const std::string inside = PathOf("b.txt");
  WriteTextFile(withBom, "\xEF\xBB\xBF[common]\r\n");
  WriteTextFile(inside, "[common]\xEF\xBB\xBF\r\n");
  EXPECT_EQ(Read(withBom), "[common]\r\n");
  EXPECT_EQ(Read(inside), "[common]\xEF\xBB\xBF\r\n");
}

TEST_F(IniStoreFiles, AWriteBackOnAFullDiskKeepsTheOldFile) {
  const std::string path = PathOf("lang.ini");
  std::string text = "[common]\r\n";
  for (int i = 0; text.size() < 3100; ++i) text += "key" + std::to_string(i) + "=some text of the program\r\n";
  Write(path, text);
  IniStore ini(path);
  ini.WriteString("common", "lang", "0");
  EXPECT_EQ(test_support::RunWithFileSizeLimit(1000, [&] { ini.UpdateFile(); }),
            test_support::LimitedRun::WriteError);
  EXPECT_EQ(Read(path), text);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST(IniStore, RefusesKeysAndFlattensValuesThatWouldChangeTheFile) {
  IniStore ini;
  ini.WriteString("common", "lang", "1");
  for (const char* key : {"", "[evil", ";note", "a=b", "two\nlines", "cr\r", " padded", "tab\t"})
    EXPECT_THROW(ini.WriteString("common", key, "v"), rtl::EConvertError) << key;
  EXPECT_THROW(ini.WriteString("com\nmon", "key", "v"), rtl::EConvertError);
  ini.WriteString("common", "cacl1", "line1\n[evil]\r\nlang=9");
  ini.WriteString("common", "url", "a=b;c[d]");
  const IniStore again("", ini.Text());
  EXPECT_EQ(again.ReadSections(), std::vector<std::string>{"common"});
  EXPECT_EQ(again.ReadString("common", "lang", ""), "1");
  EXPECT_EQ(again.ReadString("common", "cacl1", ""), "line1 [evil]  lang=9");
  EXPECT_EQ(again.ReadString("common", "url", ""), "a=b;c[d]");
}

TEST_F(IniStoreFiles, ALegacyFileIsReadAsGbkAndSaidSo) {
  const std::string path = PathOf("lang.ini");
  Write(path, "[common]\r\nchsInfoTitle=\xCC\xE1\xCA\xBE\r\n");  // 提示 in GBK
  std::vector<std::string> lines;
  const rtl::TDebugSink previous = rtl::SetDebugSink([&](const std::string& line) { lines.push_back(line); });
  const IniStore ini(path);
  rtl::SetDebugSink(previous);
  EXPECT_EQ(ini.ReadString("common", "chsInfoTitle", ""), "提示");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(path), std::string::npos);
  EXPECT_NE(lines[0].find("GBK"), std::string::npos);
}

TEST(LangKey, PrefixesTheLanguage) {
  EXPECT_EQ(LangKey(Language::Chinese, "InfoTitle"), "chsInfoTitle");
  EXPECT_EQ(LangKey(Language::English, "InfoTitle"), "engInfoTitle");
}

}  // namespace
}  // namespace app
