#include <gtest/gtest.h>

#include <clocale>

#include "platform/rtl/Exceptions.h"
#include "ui/core/vg_textforms.h"

using namespace vg;

TEST(VgNumberText, FloatToStr) {
  struct Case {
    float value;
    const char* text;
  } cases[] = {{2, "2"},         {2.5f, "2.500"},   {0.0001f, "0.000"}, {-0.5f, "-0.500"},
               {-1.25f, "-1.250"}, {-20, "-20"},     {-0.0f, "0"},       {1e10f, "10000000000"},
               {0.1f, "0.100"},    {2.0005f, "2.000"}};
  for (const Case& c : cases) EXPECT_EQ(vgFloatToStr(c.value), c.text) << c.value;
}

TEST(VgNumberText, StrToFloatAcceptsOnlyNumbers) {
  struct Case {
    const char* text;
    float value;
  } good[] = {{"1", 1}, {" -2.5 ", -2.5f}, {"1e-3", 0.001f}, {".5", 0.5f},
              {"5.", 5},  {"+3E2", 300},    {"0.1", 0.1f}};
  for (const Case& c : good) EXPECT_EQ(vgStrToFloat(c.text), c.value) << c.text;
  for (const char* bad : {"", "1e", "1e+", "-", ".", "1,5", "nan", "inf", "0x10", "1 2", "1e99"})
    EXPECT_THROW(vgStrToFloat(bad), rtl::EConvertError) << bad;
}

TEST(VgNumberText, IndependentOfTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
  EXPECT_EQ(vgFloatToStr(2.5f), "2.500");
  EXPECT_EQ(vgStrToFloat("2.5"), 2.5f);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(VgNumberText, PointAndRectText) {
  EXPECT_EQ(vgPointToString({10, 2.5f}), "(10,2.500)");
  EXPECT_EQ(vgRectToString({1, 2, 3.5f, 4}), "(1,2,3.500,4)");
  EXPECT_EQ(vgStringToRect("(1,2,3.5,4)"), (TvgRect{1, 2, 3.5f, 4}));
  EXPECT_EQ(vgStringToRect("(1,2,x,4)"), (TvgRect{}));
  EXPECT_EQ(vgStringToRect("(1,2,3)"), (TvgRect{}));
  EXPECT_EQ(vgStringToPoint(""), (TvgPoint{}));
  EXPECT_EQ(vgStringToPoint("( 0 , 0.500 )"), (TvgPoint{0, 0.5f}));
}

TEST(VgTokens, GetTokenKeepsStopsAndTrims) {
  std::string s = " ab c ;de|fg";
  EXPECT_EQ(vgGetToken(s, ";", "|"), "ab c");
  EXPECT_EQ(s, "de|fg");
  EXPECT_EQ(vgGetToken(s, ";", "|"), "de");
  EXPECT_EQ(s, "|fg");
  EXPECT_EQ(vgGetToken(s, ";", "|"), "");
  EXPECT_EQ(s, "|fg");

  // UTF-8 bytes at either end are text, not blanks.
  s = "中文,x,é";
  EXPECT_EQ(vgGetToken(s, ","), "中文");
  EXPECT_EQ(s, "x,é");
  EXPECT_EQ(vgGetToken(s, ","), "x");
  EXPECT_EQ(s, "é");
}

TEST(VgTokens, WideGetTokenMovesTheOneBasedPosition) {
  const rtl::WideString s = u",,ab,c|d";
  int pos = 1;
  EXPECT_EQ(vgWideGetToken(pos, s, u",", u"|"), u"ab");
  EXPECT_EQ(pos, 6);
  EXPECT_EQ(vgWideGetToken(pos, s, u",", u"|"), u"c");
  EXPECT_EQ(pos, 7);
  EXPECT_EQ(vgWideGetToken(pos, s, u",", u"|"), u"");
  EXPECT_EQ(pos, 7);
  pos = 9;
  EXPECT_EQ(vgWideGetToken(pos, s, u",", u"|"), u"");
}
