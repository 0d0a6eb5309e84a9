#include "app/GovernorTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace app {
namespace {

// The motor period P of a range in hundredths, given at these k and linear
// in between; hundredths make every step a whole number, so each row and its
// rounding are exact (row 61 lies on a half: 23437.5 rpm).
constexpr std::array<int, 5> kKnotK = {1, 9, 41, 73, 105};
constexpr std::array<std::int64_t, 5> kLowPeriod = {600000, 524000, 332000, 210400, 133600};
constexpr std::array<std::int64_t, 5> kHighPeriod = {133000, 116200, 73960, 47080, 29960};

constexpr std::int64_t PeriodAt(const std::array<std::int64_t, 5>& period, int k) {
  std::size_t span = 1;
  while (kKnotK[span] < k) ++span;
  const int k0 = kKnotK[span - 1];
  const int k1 = kKnotK[span];
  return period[span - 1] + (period[span] - period[span - 1]) * (k - k0) / (k1 - k0);
}

// 60000000 / (P / 100), halves up.
constexpr std::int32_t RpmOfPeriod(std::int64_t hundredths) {
  constexpr std::int64_t kNumerator = 6'000'000'000;
  return static_cast<std::int32_t>((2 * kNumerator + hundredths) / (2 * hundredths));
}

// The larger of 60.0 and (151 + k) × 100 / 256 to one decimal, halves up.
constexpr double PercentAt(int k) {
  const int tenths = ((151 + k) * 1000 + 128) / 256;
  return std::max(tenths, 600) / 10.0;
}

constexpr std::array<GovernorRow, kGovernorRowCount> BuildTable() {
  std::array<GovernorRow, kGovernorRowCount> table{};
  table[0] = {0, 0.0};
  for (int k = 1; k <= kLastLowGovernorRow; ++k) {
    table[k] = {RpmOfPeriod(PeriodAt(kLowPeriod, k)), PercentAt(k)};
    table[kLastLowGovernorRow + k] = {RpmOfPeriod(PeriodAt(kHighPeriod, k)), PercentAt(k)};
  }
  return table;
}

constexpr bool StrictlyAscending(const std::array<GovernorRow, kGovernorRowCount>& table) {
  for (std::size_t i = 1; i < table.size(); ++i)
    if (table[i].ElectricalRpm <= table[i - 1].ElectricalRpm) return false;
  return true;
}

}  // namespace

constexpr std::array<GovernorRow, kGovernorRowCount> kGovernorTable = BuildTable();
static_assert(StrictlyAscending(kGovernorTable), "the nearest-row search needs ascending rpm");
static_assert((kGovernorTable[kLastLowGovernorRow].ElectricalRpm + kGovernorTable[kLastLowGovernorRow + 1].ElectricalRpm) / 2 ==
                  kHighestLowRangeRpm,
              "the range text must agree with the row chosen");

const std::array<GovernorRow, kGovernorRowCount> GovernorTable = kGovernorTable;

int FindGovernorRow(std::int32_t electricalRpm) {
  const auto above = std::lower_bound(
      GovernorTable.begin(), GovernorTable.end(), electricalRpm,
      [](const GovernorRow& row, std::int32_t rpm) { return row.ElectricalRpm < rpm; });
  if (above == GovernorTable.end()) return kGovernorRowCount - 1;
  const int upper = static_cast<int>(above - GovernorTable.begin());
  if (upper == 0) return 0;
  const std::int64_t toLower = std::int64_t{electricalRpm} - GovernorTable[upper - 1].ElectricalRpm;
  const std::int64_t toUpper = std::int64_t{above->ElectricalRpm} - electricalRpm;
  return toLower >= toUpper ? upper : upper - 1;
}

double FloorToHalf(double x) {
  const double whole = std::trunc(x);
  return x - whole > 0.5 ? whole + 0.5 : whole;
}

}  // namespace app
