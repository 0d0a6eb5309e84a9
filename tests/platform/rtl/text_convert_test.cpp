#include <gtest/gtest.h>

#include "platform/rtl/TextConvert.h"

using namespace rtl;

TEST(TextConvert, Utf8Utf16RoundTripAndMalformedInput) {
  const std::string text = "Ab\xE4\xB8\xAD\xF0\x9F\x98\x80";  // "Ab中😀"
  const WideString wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, (WideString{u'A', u'b', 0x4E2D, 0xD83D, 0xDE00}));
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  EXPECT_EQ(Utf8ToUtf16("a\xC3"), (WideString{u'a', 0xFFFD}));  // truncated sequence
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), (WideString{0xFFFD, 0xFFFD}));  // overlong
  EXPECT_EQ(Utf16ToUtf8(WideString{0xD800, u'x'}), "\xEF\xBF\xBDx");  // lone surrogate
}

TEST(TextConvert, CodePagesRoundTripAndUnmappable) {
  struct Case {
    const char* codePage;
    std::string utf8;
    std::string bytes;
  };
  const Case cases[] = {
      {"GBK", "\xE4\xB8\xAD\xE6\x96\x87 ok", "\xD6\xD0\xCE\xC4 ok"},  // 中文
      {"CP1252", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},         // café €
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCodePage(c.utf8, c.codePage), c.bytes) << c.codePage;
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.utf8) << c.codePage;
  }
  EXPECT_EQ(Utf8ToCodePage("a\xE4\xB8\xAD" "b", "CP1252"), "a?b");
}

// Descriptors are kept between calls: no state may carry over from a call
// that ended in a bad or cut sequence, whatever code page comes next.
TEST(TextConvert, BadBytesAndAlternatingCodePagesKeepEveryCallApart) {
  const std::string replacement = "\xEF\xBF\xBD";
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(CodePageToUtf8("a\xFF" "b\xD6", "GBK"), "a" + replacement + "b" + replacement);
    EXPECT_EQ(CodePageToUtf8("\xD0\xCE", "GBK"), "\xE5\xBD\xA2");  // 形, not the tail of a cut 中
    EXPECT_EQ(CodePageToUtf8("\x81\x80", "CP1252"), replacement + "\xE2\x82\xAC");
    EXPECT_EQ(Utf8ToCodePage("\xE2\x82\xAC\xE4\xB8\xAD", "CP1252"), "\x80?");
    EXPECT_EQ(Utf8ToCodePage("\xE2\x82\xAC\xE4\xB8\xAD", "GBK"), "\x80\xD6\xD0");
  }
}
