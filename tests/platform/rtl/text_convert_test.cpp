#include <gtest/gtest.h>

#include "platform/rtl/TextCase.h"
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

TEST(TextCase, MapsCharactersAndKeepsTheLength) {
  struct Case {
    WideString text, upper, lower;
  };
  const Case cases[] = {
      {u"Straße 1-b", u"STRAßE 1-B", u"straße 1-b"},  // ß has no one-character upper case
      {u"ÄÖÜ Ωμ", u"ÄÖÜ ΩΜ", u"äöü ωμ"},
      {u"\U00010428\U00010400", u"\U00010400\U00010400", u"\U00010428\U00010428"},  // Deseret, astral
      {WideString{u'a', 0xD800, u'b'}, WideString{u'A', 0xD800, u'B'}, WideString{u'a', 0xD800, u'b'}},
      {u"中文", u"中文", u"中文"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideUpperCase(c.text), c.upper);
    EXPECT_EQ(WideLowerCase(c.text), c.lower);
  }
}
