// The XML document's lookups and the Base64 decoder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/net/Base64.h"
#include "platform/net/XmlDocument.h"
#include "platform/rtl/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

class XmlDocumentTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove(file_); }
  void Load(const std::string& text) {
    rtl::WriteFileBytes(file_.string(), text);
    document_.LoadFromFile(file_.string());
  }

  fs::path file_ = fs::path(::testing::TempDir()) / ("net-xml-" + std::to_string(getpid()) + ".xml");
  net::TXmlDocument document_;
};

TEST_F(XmlDocumentTest, FindsTheFirstDirectChildOfAName) {
  Load("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
       "<AnyName><Other><Software><Version>nested</Version></Software></Other>"
       "<Software><Version> V4.0 </Version><ReadmeCn><![CDATA[http://h/a?b=1&c=2]]></ReadmeCn></Software>"
       "<Software><Version>second</Version></Software><Database/></AnyName>");
  const net::TXmlNode root = document_.DocumentElement();
  EXPECT_EQ(root.Name(), "AnyName");
  const net::TXmlNode software = root.FindNode("Software");
  EXPECT_EQ(software.FindNode("Version").Text(), " V4.0 ");
  EXPECT_EQ(software.FindNode("ReadmeCn").Text(), "http://h/a?b=1&c=2");
  EXPECT_EQ(root.FindNode("Database").Text(), "");
  EXPECT_FALSE(root.FindNode("software")) << "names are case-sensitive";
  EXPECT_FALSE(root.FindNode("Version")) << "only direct children count";
  EXPECT_FALSE(root.FindNode("Missing").FindNode("Version"));
  EXPECT_THROW(root.FindNode("Missing").FindNode("Version").Text(), net::EXmlError);
}

TEST_F(XmlDocumentTest, ABrokenOrMissingFileIsAnError) {
  for (const char* text : {"", "<a><b></a>", "no xml at all", "<a></a><b></b>"}) {
    rtl::WriteFileBytes(file_.string(), text);
    EXPECT_THROW(document_.LoadFromFile(file_.string()), net::EXmlError) << text;
    EXPECT_FALSE(document_.DocumentElement()) << text;
  }
  fs::remove(file_);
  EXPECT_THROW(document_.LoadFromFile(file_.string()), net::EXmlError);
}

TEST(Base64Test, DecodesTheStandardAlphabet) {
  struct Case {
    const char* text;
    std::string bytes;
  };
  const Case cases[] = {
      {"eyJEYXRhIjpbXX0=", "{\"Data\":[]}"},
      {"eyJEYXRh\r\nIjpbXX0=", "{\"Data\":[]}"},  // line breaks are skipped
      {"/+8A", std::string("\xFF\xEF\x00", 3)},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(net::Base64Decode(c.text), c.bytes) << c.text;
}

}  // namespace
