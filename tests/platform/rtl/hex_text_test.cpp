#include "platform/rtl/HexText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace rtl {
namespace {

TEST(HexText, DecodesAndReportsBadText) {
  struct Case {
    std::string text;
    int result;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"", -1, {}},
      {"A", -1, {}},
      {"ABC", -2, {}},
      {"0G12", -1, {}},
      {"0aFf", 2, {0x0A, 0xFF}},
      {std::string("0A\0FF", 5), 1, {0x0A}},  // read up to the NUL
      {"0102030405", -3, {}},                  // more than the buffer holds
  };
  for (const Case& c : cases) {
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(HexToBytes(c.text, buffer), c.result) << c.text;
    EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), buffer.begin())) << c.text;
  }
  const std::uint8_t bytes[] = {0x00, 0xAB, 0x05};
  EXPECT_EQ(BytesToHex(bytes), "00AB05");
  std::array<std::uint8_t, 3> back{};
  EXPECT_EQ(HexToBytes(BytesToHex(bytes), back), 3);
  EXPECT_TRUE(std::equal(back.begin(), back.end(), bytes));
}

}  // namespace
}  // namespace rtl
