#pragma once
// Exact, locale-free number texts for streaming and property texts: the
// shortest text that reads back to the same value, always with "." as the
// decimal separator. (User-facing number formatting lives elsewhere.)
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

std::string DoubleToExactText(double value);
std::string SingleToExactText(float value);
// A whole decimal number with an optional sign; nullopt when the text is
// anything else or out of range.
std::optional<std::int64_t> ParseInt64(std::string_view text);
// A decimal number ("-1.5", "2e-3", "7"); "INF", "-INF" and "NAN" are read
// too. Nullopt for anything else, and for values beyond the range of double.
std::optional<double> ParseDouble(std::string_view text);

}  // namespace rtl
