#include "app/GovernorCalc.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/CalcNumbers.h"
#include "app/GovernorTable.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"

namespace app {
namespace {

constexpr double kInputCap = 300000;

struct GovernorValues {
  int Head = 0;
  int Main = 0;
  double Pinion = 0;
  int Pairs = 0;
  int Kv = 0;
  int Cells = 0;
};

std::optional<GovernorValues> ReadValues(const GovernorInputs& inputs) {
  GovernorValues values;
  if (rtl::TryStrToInt(inputs.HeadSpeed, values.Head) && rtl::TryStrToInt(inputs.MainGear, values.Main) &&
      rtl::TryStrToFloat(inputs.Pinion, values.Pinion) && rtl::TryStrToInt(inputs.PolePairs, values.Pairs) &&
      rtl::TryStrToInt(inputs.Kv, values.Kv) && rtl::TryStrToInt(inputs.Cells, values.Cells))
    return values;
  return std::nullopt;
}

std::int32_t ToInt32Saturated(long double value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(rtl::Trunc(static_cast<double>(value)),
                                                            std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Motor rpm, electrical rpm, range and throttle; stops at the first value
// that leaves the float range, keeping what was set before.
void CalcRpmAndThrottle(const GovernorValues& values, GovernorResult& result) {
  float motor = 0;
  if (values.Pinion > 0) {
    // The product of two capped inputs needs 64 bits.
    const std::int64_t headTimesMain = std::int64_t{values.Head} * values.Main;
    const auto rounded = ToSingle(RoundToDecimals(headTimesMain / static_cast<long double>(values.Pinion), 2));
    if (!rounded) return;
    motor = *rounded;
    result.MotorRpm = motor;
    result.MotorRpmText = FixedText(motor, 1);
  }
  const auto erpm = ToSingle(RoundToDecimals(values.Pairs * static_cast<long double>(motor), 2));
  if (!erpm) return;
  result.ElectricalRpm = *erpm;
  result.ElectricalRpmText = FixedText(*erpm, 1);
  if (*erpm <= 0) {
    // No rpm, no range or throttle: an earlier input's would stay on show.
    result.Range = "";
    result.Throttle = "";
    return;
  }
  const long double whole = RoundToDecimals(*erpm, 0);
  const int row = FindGovernorRow(ToInt32Saturated(whole));
  result.Row = row;
  result.Range = whole > kHighestLowRangeRpm ? "Governor_High" : "Governor_Low";
  result.Throttle = FixedText(FloorToHalf(GovernorTable[row].ThrottlePercent), 1) + "%";
}

// The number of a cell-voltage text without its unit, the last character.
bool TryCellVoltage(const std::string& text, double& cell) {
  return !text.empty() && rtl::TryStrToFloat(std::string_view(text).substr(0, text.size() - 1), cell);
}

void CalcColumn(const GovernorValues& values, const std::string& cellText, GovernorColumn& column) {
  if (values.Main <= 0) {
    // No gear, no reach: an earlier input's figures would stay on show.
    column.PackVoltage = "";
    column.HeadSpeed = "";
    return;
  }
  double cell = 0;
  if (cellText.empty() || !TryCellVoltage(cellText, cell)) return;
  const auto pack = ToSingle(RoundToDecimals(values.Cells * static_cast<long double>(cell), 2));
  if (!pack) return;
  const auto reach =
      ToSingle(RoundToDecimals(values.Kv * static_cast<long double>(*pack) * values.Pinion / values.Main, 0));
  if (!reach) return;
  column.PackVoltage = FixedText(*pack, 1) + "V";
  column.HeadSpeed = FixedText(*reach, 0);
  column.HeadSpeedColor = *reach != 0 && *reach < values.Head ? kHeadSpeedShortColor : kHeadSpeedReachedColor;
}

}  // namespace

GovernorResult CalcGovernor(const GovernorInputs& inputs) {
  GovernorResult result;
  for (const std::string* text : {&inputs.HeadSpeed, &inputs.MainGear, &inputs.Pinion, &inputs.PolePairs,
                                  &inputs.Kv, &inputs.Cells})
    if (text->empty()) return result;

  const std::optional<GovernorValues> values = ReadValues(inputs);
  if (values) CalcRpmAndThrottle(*values, result);

  for (std::size_t i = 0; i < result.Columns.size(); ++i) {
    std::string cellText = inputs.CellVoltages[i];
    if (cellText == "Other") {
      cellText = "0V";
      result.Columns[i].CellVoltage = cellText;
    }
    if (values) CalcColumn(*values, cellText, result.Columns[i]);
  }
  return result;
}

std::optional<std::string> CapGovernorInput(const std::string& text) {
  double value = 0;
  if (rtl::TryStrToFloat(text, value) && value > kInputCap) return "300000";
  return std::nullopt;
}

std::optional<std::string> NormalizeCellVoltage(const std::string& text) {
  double cell = 0;
  if (!TryCellVoltage(text, cell)) return std::nullopt;
  return FixedText(cell, 1) + "V";
}

std::optional<std::string> CellVoltageOfItem(int item) {
  switch (item) {
    case 0:
      return "3.7V";
    case 1:
      return "3.3V";
    case 2:
    case 3:
      return "1.2V";
    default:
      return std::nullopt;
  }
}

}  // namespace app
