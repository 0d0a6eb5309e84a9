#include <gtest/gtest.h>

#include "platform/rtl/TextCase.h"

using namespace rtl;

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
