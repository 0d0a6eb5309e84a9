#pragma once
// The governor's throttle table: for an electrical rpm, the throttle
// percentage the controller's governor needs. Row 0 is 0 rpm; rows 1 to 105
// are the low governor range and rows 106 to 210 the high one, ordered by
// electrical rpm, strictly ascending.
#include <array>
#include <cstdint>

namespace app {

struct GovernorRow {
  std::int32_t ElectricalRpm;
  double ThrottlePercent;
};

inline constexpr int kGovernorRowCount = 211;
inline constexpr int kLastLowGovernorRow = 105;
// Electrical rpm up to this value select the low range, above it the high one.
inline constexpr std::int32_t kHighestLowRangeRpm = 45011;

extern const std::array<GovernorRow, kGovernorRowCount> GovernorTable;

// The row whose electrical rpm is nearest to `electricalRpm`; exactly midway
// between two rows, the higher one; below 0 row 0, beyond the last row 210.
int FindGovernorRow(std::int32_t electricalRpm);

// x cut toward zero, plus one half when the cut-off part exceeds one half:
// 77.7 gives 77.5, 77.5 gives 77.0.
double FloorToHalf(double x);

}  // namespace app
