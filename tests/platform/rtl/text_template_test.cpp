#include "platform/rtl/TextTemplate.h"

#include <gtest/gtest.h>

namespace {

TEST(FillPlaces, PutsEachValueInItsPlacesAndLeavesTheRest) {
  struct Case {
    const char* text;
    const char* filled;
  } cases[] = {
      {"{done} upgraded, {failed} failed.", "2 upgraded, 1 failed."},
      {"{failed}个失败，{done}个完成", "1个失败，2个完成"},
      {"{done}{done}", "22"},
      {"{other} and {done", "{other} and {done"},
      {"{{done}}", "{2}"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(rtl::FillPlaces(c.text, {{"done", "2"}, {"failed", "1"}}), c.filled);
  }
  EXPECT_EQ(rtl::FillPlaces("{a}", {{"a", "{b}"}, {"b", "x"}}), "{b}") << "a value is not a place";
}

}  // namespace
