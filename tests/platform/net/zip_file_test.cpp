// Unpacking database packages: everything or nothing, and never outside
// the target folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/net/ZipFile.h"
#include "platform/rtl/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

struct ZipEntrySpec {
  std::string name;
  std::string content;  // ignored for folders (names ending in "/")
  bool symbolicLink = false;
};

// Writes an archive of stored (uncompressed) entries, so a test can find an
// entry's bytes in the file and damage them.
void MakeZip(const fs::path& path, const std::vector<ZipEntrySpec>& entries) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  ASSERT_NE(archive, nullptr);
  for (const ZipEntrySpec& entry : entries) {
    if (entry.name.ends_with('/')) {
      ASSERT_GE(zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_UTF_8), 0);
      continue;
    }
    zip_source_t* source = zip_source_buffer(archive, entry.content.data(), entry.content.size(), 0);
    const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0) << entry.name;
    zip_set_file_compression(archive, index, ZIP_CM_STORE, 0);
    if (entry.symbolicLink)
      zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

class ZipFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(::testing::TempDir()) / ("net-zip-" + std::to_string(getpid()));
    fs::remove_all(root_);
    program_ = root_ / "program";
    fs::create_directories(program_);
    rtl::WriteFileBytes((program_ / "esc_settings.db3").string(), "old database");
  }
  void TearDown() override { fs::remove_all(root_); }

  // Every file below the test's root, as paths relative to it.
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root_))
      if (!entry.is_directory()) files.push_back(fs::relative(entry.path(), root_).string());
    std::sort(files.begin(), files.end());
    return files;
  }

  fs::path root_;
  fs::path program_;
  fs::path package_ = fs::path(::testing::TempDir()) / ("net-zip-package-" + std::to_string(getpid()) + ".zip");
};

TEST_F(ZipFileTest, UnpacksEveryEntryWithItsFoldersOverTheOldFiles) {
  MakeZip(package_, {{"esc_settings.db3", "new database"},
                     {"help/", ""},
                     {"help\\help.htm", "<p>help</p>"},
                     {"./data/./version_control.xml", "<v/>"},
                     {"empty.txt", ""}});
  net::ExtractZipFile(package_.string(), program_.string());
  fs::remove(package_);
  EXPECT_EQ(ReadFile(program_ / "esc_settings.db3"), "new database");
  EXPECT_EQ(ReadFile(program_ / "help" / "help.htm"), "<p>help</p>");
  EXPECT_EQ(ReadFile(program_ / "data" / "version_control.xml"), "<v/>");
  EXPECT_EQ(Files(), (std::vector<std::string>{"program/data/version_control.xml", "program/empty.txt",
                                               "program/esc_settings.db3", "program/help/help.htm"}));
}

TEST_F(ZipFileTest, AnEntryThatWouldLeaveTheFolderRefusesTheWholePackage) {
  const std::vector<ZipEntrySpec> escapes = {
      {"../evil.db3", "evil"},     {"sub/../../evil.db3", "evil"}, {"/tmp/evil.db3", "evil"},
      {"..\\evil.db3", "evil"},    {"C:/evil.db3", "evil"},        {"link", "/etc/passwd", true},
      {"sub/..", "evil"},
  };
  for (const ZipEntrySpec& escape : escapes) {
    MakeZip(package_, {{"esc_settings.db3", "new database"}, escape, {"z_settings.db3", "new"}});
    EXPECT_THROW(net::ExtractZipFile(package_.string(), program_.string()), net::EZipError) << escape.name;
    EXPECT_EQ(Files(), std::vector<std::string>{"program/esc_settings.db3"}) << escape.name;
    EXPECT_EQ(ReadFile(program_ / "esc_settings.db3"), "old database") << escape.name;
  }
  EXPECT_FALSE(fs::exists("/tmp/evil.db3"));
  fs::remove(package_);
}

TEST_F(ZipFileTest, AnArchiveBeyondItsLimitsIsRefusedWhole) {
  const std::vector<ZipEntrySpec> entries = {
      {"esc_settings.db3", "new database"}, {"help/", ""}, {"help\\a.htm", "<p/>"}};  // 16 bytes
  std::vector<std::string> asked;
  const auto acceptHelpAndDatabases = [&asked](const std::string& path, bool folder) {
    asked.push_back(path + (folder ? "/" : ""));
    return path.ends_with(".db3") || path.starts_with("help");
  };
  struct Case {
    const char* what;
    std::vector<ZipEntrySpec> extra;
    std::size_t maxEntries;
    std::int64_t maxUnpackedBytes;
  };
  const Case cases[] = {
      {"an entry not accepted", {{"esctool", "x"}}, 10, 1000},
      {"too many entries", {}, 2, 1000},
      {"too many bytes", {}, 10, 15},
  };
  for (const Case& c : cases) {
    std::vector<ZipEntrySpec> all = entries;
    all.insert(all.end(), c.extra.begin(), c.extra.end());
    MakeZip(package_, all);
    const net::TZipLimits limits{acceptHelpAndDatabases, c.maxEntries, c.maxUnpackedBytes};
    EXPECT_THROW(net::ExtractZipFile(package_.string(), program_.string(), limits), net::EZipError) << c.what;
    EXPECT_EQ(Files(), std::vector<std::string>{"program/esc_settings.db3"}) << c.what;
    EXPECT_EQ(ReadFile(program_ / "esc_settings.db3"), "old database") << c.what;
  }
  MakeZip(package_, entries);
  asked.clear();
  net::ExtractZipFile(package_.string(), program_.string(), {acceptHelpAndDatabases, 3, 16});
  fs::remove(package_);
  EXPECT_EQ(asked, (std::vector<std::string>{"esc_settings.db3", "help/", "help/a.htm"}));
  EXPECT_EQ(ReadFile(program_ / "help" / "a.htm"), "<p/>");
}

TEST_F(ZipFileTest, ADamagedEntryLeavesEveryOldFileInPlace) {
  const std::string marker = "SECOND-ENTRY-CONTENT";
  MakeZip(package_, {{"esc_settings.db3", "new database"}, {"z_settings.db3", marker}});
  std::string bytes = ReadFile(package_);
  const auto at = bytes.find(marker);
  ASSERT_NE(at, std::string::npos);
  bytes[at] = 'X';  // the stored CRC no longer matches
  rtl::WriteFileBytes(package_.string(), bytes);

  EXPECT_THROW(net::ExtractZipFile(package_.string(), program_.string()), net::EZipError);
  fs::remove(package_);
  EXPECT_EQ(Files(), std::vector<std::string>{"program/esc_settings.db3"});
  EXPECT_EQ(ReadFile(program_ / "esc_settings.db3"), "old database");
}

TEST_F(ZipFileTest, AFileThatIsNoArchiveIsAnError) {
  rtl::WriteFileBytes(package_.string(), "<html>not found</html>");
  EXPECT_THROW(net::ExtractZipFile(package_.string(), program_.string()), net::EZipError);
  fs::remove(package_);
  EXPECT_THROW(net::ExtractZipFile(package_.string(), program_.string()), net::EZipError);
  EXPECT_EQ(ReadFile(program_ / "esc_settings.db3"), "old database");
}

}  // namespace
