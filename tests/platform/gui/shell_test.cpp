// The desktop shell's addresses of local files, and a shell that opens
// nothing it has no program for.
#include <gtest/gtest.h>

#include "platform/gui/Shell.h"

namespace {

TEST(ShellTest, FileAddressesAreEscapedAndOnlyForAbsoluteNames) {
  struct Case {
    const char* fileName;
    const char* uri;
  };
  const Case cases[] = {
      {"/opt/esctool/help/help.htm", "file:///opt/esctool/help/help.htm"},
      {"/opt/my tool/history/index_cn.html", "file:///opt/my%20tool/history/index_cn.html"},
      {"/opt/\xE5\xB8\xAE\xE5\x8A\xA9.htm", "file:///opt/%E5%B8%AE%E5%8A%A9.htm"},
      {"help/help.htm", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(gui::FileUri(c.fileName), c.uri) << c.fileName;
}

TEST(ShellTest, AnAddressNoProgramTakesIsReportedNotRaised) {
  EXPECT_FALSE(gui::Shell().Open("esctool-no-such-scheme:nothing"));
}

}  // namespace
