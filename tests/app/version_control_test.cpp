// The installed and offered versions and the rule that says an offer is newer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/VersionControl.h"
#include "platform/net/XmlDocument.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"

namespace {

namespace fs = std::filesystem;
using app::UpdateState;
using app::UpdateTarget;

std::string Description(const std::string& software, const std::string& database) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><VersionControl>" + software + database + "</VersionControl>";
}

class VersionControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) / ("app-version-" + std::to_string(getpid())) / "";
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = (folder_ / name).string();
    rtl::WriteFileBytes(path, text);
    return path;
  }

  fs::path folder_;
};

TEST_F(VersionControlTest, ReadsTheInstalledVersionsAsFarAsTheFileAllows) {
  struct Case {
    const char* what;
    std::string file;  // empty: no file
    bool numeric;
    int softwareCode, databaseCode;
    const char* softwareVersion;
    const char* databaseVersion;
  };
  const std::string software = "<Software><Version>V4.0</Version><VersionCode>40</VersionCode></Software>";
  const std::string database = "<Database><Version>2019-05-20</Version><VersionCode>7</VersionCode></Database>";
  const Case cases[] = {
      {"both codes", Description(software, database), true, 40, 7, "V4.0", "2019-05-20"},
      {"no database code", Description(software, "<Database><Version>D</Version></Database>"), false, 0, 0, "V4.0",
       "D"},
      {"no software code", Description("<Software><Version>S</Version></Software>", database), false, 0, 0, "S",
       "2019-05-20"},
      {"a code that is no integer",
       Description(software, "<Database><Version>D</Version><VersionCode>7b</VersionCode></Database>"), false, 0, 0,
       "", ""},
      {"blanks around the codes",
       Description("<Software><Version>V4.0</Version><VersionCode>\n  40\n</VersionCode></Software>",
                   "<Database><Version>D</Version><VersionCode> 7\t</VersionCode></Database>"),
       true, 40, 7, "V4.0", "D"},
      {"no database element", Description(software, ""), false, 0, 0, "", ""},
      {"no database version", Description(software, "<Database><VersionCode>7</VersionCode></Database>"), true, 40, 7,
       "V4.0", ""},
      {"not well formed", "<VersionControl><Software>", false, 0, 0, "", ""},
      {"no file", "", false, 0, 0, "", ""},
  };
  for (const Case& c : cases) {
    fs::remove(folder_ / "version_control.xml");
    if (!c.file.empty()) Write("version_control.xml", c.file);
    UpdateState state;
    app::GetXMLDBVersion(state, folder_.string());
    EXPECT_EQ(state.NumericVersionCodes, c.numeric) << c.what;
    EXPECT_EQ(state.LocalSoftwareCode, c.softwareCode) << c.what;
    EXPECT_EQ(state.LocalDatabaseCode, c.databaseCode) << c.what;
    EXPECT_EQ(state.LocalSoftwareVersion, c.softwareVersion) << c.what;
    EXPECT_EQ(state.LocalDatabaseVersion, c.databaseVersion) << c.what;
  }
}

TEST(IsNewerOfferTest, ComparesCodesOrVersionTextsAsBytes) {
  struct Case {
    bool numeric;
    int localCode, remoteCode;
    const char* localVersion;
    const char* remoteVersion;
    bool newer;
  };
  const Case cases[] = {
      {true, 40, 40, "V4.0", "V4.1", false},  // equal codes win over differing texts
      {true, 40, 41, "V4.1", "V4.0", true},
      {true, 41, 40, "", "", false},
      {true, -1, 0, "", "", true},
      {false, 9, 1, "V4.0.9", "V4.0.10", false},
      {false, 0, 0, "V4.0", "V4.0.5", true},  // a proper prefix is the smaller
      {false, 0, 0, "V4.0", "V4.0", false},
      {false, 0, 0, "Va", "V\xC3\xA9", true},  // bytes compare unsigned
      {false, 0, 0, "", "", false},
  };
  for (const Case& c : cases) {
    for (const UpdateTarget target : {UpdateTarget::Software, UpdateTarget::Database}) {
      UpdateState state;
      state.NumericVersionCodes = c.numeric;
      const bool software = target == UpdateTarget::Software;
      (software ? state.LocalSoftwareCode : state.LocalDatabaseCode) = c.localCode;
      (software ? state.RemoteSoftwareCode : state.RemoteDatabaseCode) = c.remoteCode;
      (software ? state.LocalSoftwareVersion : state.LocalDatabaseVersion) = c.localVersion;
      (software ? state.RemoteSoftwareVersion : state.RemoteDatabaseVersion) = c.remoteVersion;
      EXPECT_EQ(app::IsNewerOffer(state, target), c.newer)
          << c.localCode << "/" << c.remoteCode << " " << c.localVersion << "/" << c.remoteVersion;
    }
  }
}

TEST_F(VersionControlTest, ReadsTheOfferAndKeepsEarlierValuesPastAFailure) {
  const std::string offer = Write(
      "_control.tmp",
      Description("<Software><Version>V4.2</Version><VersionCode>42</VersionCode><ReadmeCn>cn.txt</ReadmeCn>"
                  "<ReadmeEn>en.txt</ReadmeEn><Url>a.exe|b.exe</Url></Software>",
                  "<Database><Version>2021-01-01</Version><ReadmeCn>dcn</ReadmeCn><ReadmeEn>den</ReadmeEn>"
                  "<Url>db.zip</Url></Database>"));
  UpdateState state;
  state.NumericVersionCodes = true;
  state.LocalSoftwareCode = 40;
  app::ReadOfferedVersion(state, offer, UpdateTarget::Software, true);
  EXPECT_EQ(state.RemoteSoftwareCode, 42);
  EXPECT_EQ(state.RemoteSoftwareVersion, "V4.2");
  EXPECT_EQ(state.ReadmeUrl, "cn.txt");
  EXPECT_EQ(state.PackageUrls, "a.exe|b.exe");
  EXPECT_TRUE(app::IsNewerOffer(state, UpdateTarget::Software));

  // A database offer without a code keeps the remote code it had: none yet.
  app::ReadOfferedVersion(state, offer, UpdateTarget::Database, false);
  EXPECT_EQ(state.RemoteDatabaseCode, 0);
  EXPECT_EQ(state.RemoteDatabaseVersion, "2021-01-01");
  EXPECT_EQ(state.ReadmeUrl, "den");
  EXPECT_EQ(state.PackageUrls, "db.zip");

  const std::string noUrl = Write(
      "no_url.tmp", Description("<Software><Version>V5</Version><VersionCode>50</VersionCode>"
                                "<ReadmeEn>new.txt</ReadmeEn></Software>",
                                ""));
  EXPECT_THROW(app::ReadOfferedVersion(state, noUrl, UpdateTarget::Software, false), net::EXmlError);
  EXPECT_EQ(state.RemoteSoftwareCode, 50);
  EXPECT_EQ(state.ReadmeUrl, "new.txt");
  EXPECT_EQ(state.PackageUrls, "db.zip");

  const std::string badCode = Write(
      "bad_code.tmp", Description("<Software><Version>V6</Version><VersionCode>six</VersionCode></Software>", ""));
  EXPECT_THROW(app::ReadOfferedVersion(state, badCode, UpdateTarget::Software, false), rtl::EConvertError);
  EXPECT_EQ(state.RemoteSoftwareVersion, "V5");

  const std::string malformed = Write("malformed.tmp", "<VersionControl><Software>");
  EXPECT_THROW(app::ReadOfferedVersion(state, malformed, UpdateTarget::Software, false), net::EXmlError);
  EXPECT_EQ(state.RemoteSoftwareCode, 50);
}

}  // namespace
