#include <gtest/gtest.h>

#include "platform/gui/SceneWindow.h"

namespace gui {
namespace {

TEST(DropDataFromUris, KeepsEveryFileNameWhole) {
  const std::string longName = "/home/user/" + std::string(300, 'x') + ".png";  // longer than 260 characters
  const TDropData data = DropDataFromUris({
      "file:///home/user/a%20b.txt",
      "file://" + longName,
      "file:///tmp/%E4%B8%AD%E6%96%87.ini",
      "# a comment line of the uri list",
      "http://example.org/page",
  });
  ASSERT_EQ(data.Files.size(), 4u);
  EXPECT_EQ(data.Files[0], u"/home/user/a b.txt");
  EXPECT_EQ(data.Files[1].size(), longName.size());
  EXPECT_EQ(data.Files[2], u"/tmp/中文.ini");
  EXPECT_EQ(data.Files[3], u"http://example.org/page");
  EXPECT_TRUE(data.Text.empty());
}

TEST(CursorName, StockCursors) {
  EXPECT_STREQ(CursorName(crDefault), "default");
  EXPECT_STREQ(CursorName(crIBeam), "text");
  EXPECT_STREQ(CursorName(crSizeNWSE), "nwse-resize");
  EXPECT_STREQ(CursorName(crHandPoint), "pointer");
  EXPECT_STREQ(CursorName(crNone), "none");
  EXPECT_STREQ(CursorName(12345), "default");
}

}  // namespace
}  // namespace gui
