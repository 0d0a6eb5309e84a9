#pragma once
// The governor calculator's arithmetic: from the page's input texts, the
// texts and colours its result boxes show. A result left empty (nullopt)
// means the box keeps the text it has.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace app {

// Font colours of a highest-head-speed box (ARGB, as the toolkit's colours).
inline constexpr std::uint32_t kHeadSpeedReachedColor = 0xFF000000;
inline constexpr std::uint32_t kHeadSpeedShortColor = 0xFFFF0000;

struct GovernorInputs {
  std::string HeadSpeed;  // wanted head speed, integer
  std::string MainGear;   // teeth of the main gear, integer
  std::string Pinion;     // teeth of the pinion, number
  std::string PolePairs;  // integer
  std::string Kv;         // integer
  std::string Cells;      // number of cells, integer
  // Cell voltage of the normal, maximum and minimum column: "3.7V", or
  // "Other" while that item is chosen and nothing was typed yet.
  std::array<std::string, 3> CellVoltages;
};

struct GovernorColumn {
  std::optional<std::string> CellVoltage;  // "0V" in place of "Other"
  std::optional<std::string> PackVoltage;  // "39.6V"
  std::optional<std::string> HeadSpeed;    // highest head speed, "3064"
  std::uint32_t HeadSpeedColor = kHeadSpeedReachedColor;  // meaningful with HeadSpeed
};

struct GovernorResult {
  std::optional<float> MotorRpm;
  std::optional<std::string> MotorRpmText;  // "21993.8"
  std::optional<float> ElectricalRpm;
  std::optional<std::string> ElectricalRpmText;  // "87975.0"
  std::optional<int> Row;                        // the governor table row used
  std::optional<std::string> Range;              // "Governor_High" or "Governor_Low"
  std::optional<std::string> Throttle;           // "77.5%"
  std::array<GovernorColumn, 3> Columns;
};

// Computes every result. Nothing is computed while one of the six inputs is
// empty. An input that is no number ends the motor, rpm, range and throttle
// results, and the columns keep their texts too, since they need all six; a
// cell voltage that is no number ends only its column. A pinion that is not
// positive leaves the motor rpm at 0; an electrical rpm of 0 empties the
// range and throttle, and a main gear that is not positive empties the
// columns' pack voltages and head speeds.
GovernorResult CalcGovernor(const GovernorInputs& inputs);

// A committed input box: its new text when the number exceeds the cap of
// 300000 ("300000"), else nullopt.
std::optional<std::string> CapGovernorInput(const std::string& text);

// A committed cell-voltage box: the number before its last character with
// one decimal and "V" ("12V" gives "12.0V"); nullopt when that is no number.
std::optional<std::string> NormalizeCellVoltage(const std::string& text);

// The text a chosen battery item puts in its cell-voltage box; nullopt for
// item 4, "Other", which keeps the text.
std::optional<std::string> CellVoltageOfItem(int item);

}  // namespace app
