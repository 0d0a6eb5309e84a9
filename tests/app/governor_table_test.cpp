#include "app/GovernorTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace app {
namespace {

TEST(GovernorTable, CheckRowsHoldTheirRpmAndThrottle) {
  struct Case {
    int row;
    std::int32_t rpm;
    double percent;
  };
  const Case cases[] = {
      {0, 0, 0.0},          {1, 10000, 60.0},    {2, 10161, 60.0},    {3, 10327, 60.2},
      {4, 10499, 60.5},     {10, 11583, 62.9},   {61, 23438, 82.8},   {105, 44910, 100.0},
      {106, 45113, 60.0},   {114, 51635, 62.5},  {153, 88132, 77.7},  {210, 200267, 100.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(GovernorTable[c.row].ElectricalRpm, c.rpm);
    EXPECT_EQ(GovernorTable[c.row].ThrottlePercent, c.percent);
  }
  // k = 57 lies on a half (81.25) and rounds up.
  EXPECT_EQ(GovernorTable[57].ThrottlePercent, 81.3);
}

TEST(GovernorTable, BothRangesShareTheirThrottleSteps) {
  for (int k = 1; k <= kLastLowGovernorRow; ++k)
    EXPECT_EQ(GovernorTable[k].ThrottlePercent, GovernorTable[kLastLowGovernorRow + k].ThrottlePercent) << k;
}

TEST(FindGovernorRow, BoundariesAndTies) {
  struct Case {
    std::int32_t rpm;
    int row;
  };
  const Case cases[] = {
      {std::numeric_limits<std::int32_t>::min(), 0},
      {-1, 0},
      {0, 0},
      {4999, 0},
      {5000, 1},       // midway between rows 0 and 1: the higher row
      {10243, 2},
      {10244, 3},      // midway between 10161 and 10327
      {45011, 105},    // last rpm of the low range
      {45012, 106},
      {87975, 153},
      {200267, 210},
      {250000, 210},
      {std::numeric_limits<std::int32_t>::max(), 210},
  };
  for (const Case& c : cases) EXPECT_EQ(FindGovernorRow(c.rpm), c.row) << c.rpm;
}

// Every rpm up to past the last row against a plain nearest-row scan.
TEST(FindGovernorRow, AgreesWithANearestRowScan) {
  int expected = 0;
  for (std::int32_t rpm = 0; rpm <= 201000; ++rpm) {
    while (expected + 1 < kGovernorRowCount &&
           std::abs(GovernorTable[expected + 1].ElectricalRpm - rpm) <= std::abs(GovernorTable[expected].ElectricalRpm - rpm))
      ++expected;
    ASSERT_EQ(FindGovernorRow(rpm), expected) << rpm;
  }
}

TEST(FloorToHalf, KeepsAHalfOnlyAboveIt) {
  const std::pair<double, double> cases[] = {{77.7, 77.5}, {77.5, 77.0}, {60.2, 60.0}, {60.5, 60.0},
                                             {62.9, 62.5}, {100.0, 100.0}, {0.0, 0.0}, {81.3, 81.0}};
  for (const auto& [x, expected] : cases) EXPECT_EQ(FloorToHalf(x), expected) << x;
}

}  // namespace
}  // namespace app
