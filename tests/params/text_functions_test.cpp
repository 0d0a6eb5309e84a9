#include "params/TextFunctions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace params {
namespace {

using Strings = std::vector<std::string>;

Strings Tenths(int from, int to) {
  Strings out;
  for (int t = from; t <= to; ++t) out.push_back(std::to_string(t / 10) + "." + std::to_string(t % 10));
  return out;
}

TEST(ExpandValueList, ExpandsOptionListTexts) {
  struct Case {
    const char* list;
    Strings options;
  };
  const Case cases[] = {
      {"", {}},
      {"1-3/1", {"1.0", "2.0", "3.0"}},
      {"Off|1-3/1|On(*)", {"Off", "1.0", "2.0", "3.0", "On(*)"}},
      {"10-12/0.5", {"10.0", "10.5", "11.0", "11.5", "12.0"}},
      {"0-1/0.1", Tenths(0, 10)},  // the eleventh sum is 1.0000001
      {"0-0.7/0.1", Tenths(0, 7)},  // an end single precision cannot hold
      {"0-0.2/0.05", {"0.0", "0.1", "0.1", "0.2", "0.2"}},
      {"0.25-1/1", {"0.3"}},  // halves of the one decimal go away from zero
      {"5-1/1", {}},
      {"Low|High|", {"Low", "High", ""}},
      {"a/b", {"a"}},
      {"-5|5", {"-5", "5"}},
      {"Soft | Hard", {"Soft ", " Hard"}},
      {"\"a|b\"|\"say \"\"hi\"\"\"|c", {"a|b", "say \"hi\"", "c"}},
      {"Auto(*)|0-3/1.5|Custom", {"Auto(*)", "0.0", "1.5", "3.0", "Custom"}},
      // Steps that cannot advance end the range instead of running forever.
      {"0-5/0", {"0.0"}},
      {"2-5/-1", {"2.0"}},
      {"100000000-200000000/1", {"100000000.0"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpandValueList(c.list), c.options) << c.list;
  }
}

TEST(ExpandValueList, StopsLongRangesAtTheEntryLimit) {
  const Strings options = ExpandValueList("0-100000/1");
  ASSERT_EQ(options.size(), static_cast<std::size_t>(MaxRangeEntries));
  EXPECT_EQ(options.back(), "9999.0");
}

TEST(ExpandValueList, RaisesForRangesThatAreNotNumbers) {
  EXPECT_THROW(ExpandValueList("Auto-Timing"), rtl::EConvertError);
  EXPECT_THROW(ExpandValueList("-5"), rtl::EConvertError);
  EXPECT_THROW(ExpandValueList("Off|1-x/1"), rtl::EConvertError);
  EXPECT_THROW(ExpandValueList("0-1/fast"), rtl::EConvertError);
  EXPECT_THROW(ExpandValueList("1-5"), rtl::EListError);
  try {
    ExpandValueList("Auto-Timing");
  } catch (const rtl::EConvertError& error) {
    EXPECT_EQ(error.Message(), "'Auto' is not a valid floating point value");
  }
}

TEST(SplitString, SplitsStrictlyOrByLongDelimiters) {
  struct Case {
    const char* delimiter;
    std::string text;
    int count;
    Strings parts;
  };
  const Case cases[] = {
      {",", "a,,b,", 0, {"a", "", "b", ""}},
      {",", "", 0, {}},
      {",", " a , b", 0, {" a ", " b"}},
      {",", "\"x,y\",z", 0, {"x,y", "z"}},
      {",", "\"open", 0, {"open"}},
      {";;", "x.htm;;y.png;;", 0, {"x.htm", "y.png"}},
      {";;", "", 0, {}},
      {";;", "a;;;;b", 0, {"a", "", "b"}},
      {";;", "a;;b;;c", 2, {"a", "b;;c"}},
      {";;", "a", 3, {"a", "", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitString(c.delimiter, c.text, c.count), c.parts) << c.delimiter << " " << c.text;
  }
}

TEST(ByteToBinary, WritesTheLowEightBitsLowestFirst) {
  EXPECT_EQ(ByteToBinary(1), "10000000");
  EXPECT_EQ(ByteToBinary(0x80), "00000001");
  EXPECT_EQ(ByteToBinary(0x1F0), "00001111");
}

}  // namespace
}  // namespace params
