#pragma once
// The number rules of the calculator pages: rounding to decimals in extended
// precision, results kept as 32-bit floats, and the fixed and general texts.
// Texts always use "." as the decimal separator.
#include <optional>
#include <string>

namespace app {

// value × 10^decimals rounded to the nearest integer (halves to even), then
// divided back, all in extended precision.
long double RoundToDecimals(long double value, int decimals);

// The value as a 32-bit float; nullopt when it is not finite or lies beyond
// the float range, which ends the calculation step that needed it.
std::optional<float> ToSingle(long double value);

// Fixed form: 12 significant digits, then `decimals` decimals ("39.6", "87975.0").
std::string FixedText(double value, int decimals);
// General form: the shortest text, decimals only for a fraction ("4654.4", "5120").
std::string GeneralText(double value);

}  // namespace app
