#include "platform/rtl/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/rtl/Object.h"

namespace rtl {

namespace {
template <class F>
std::string ShortestText(F value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
}  // namespace

std::string DoubleToExactText(double value) { return ShortestText(value); }
std::string SingleToExactText(float value) { return ShortestText(value); }

std::optional<std::int64_t> ParseInt64(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int64_t value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseDouble(std::string_view text) {
  if (SameIdentifier(text, "NAN")) return std::numeric_limits<double>::quiet_NaN();
  if (SameIdentifier(text, "INF") || SameIdentifier(text, "+INF")) return std::numeric_limits<double>::infinity();
  if (SameIdentifier(text, "-INF")) return -std::numeric_limits<double>::infinity();
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace rtl
