#pragma once
// The rounding words of the toolkit and the program: Round gives the nearest
// integer with halves to the even neighbour (Round(2.5) = 2, Round(3.5) = 4,
// Round(-2.5) = -2); Trunc cuts toward zero (Trunc(-2.7) = -2).
// A NaN gives 0 and values beyond the 64-bit range give its nearest end, so
// neither ever invokes undefined behaviour.
#include <cmath>
#include <cstdint>
#include <limits>

namespace rtl {

namespace detail {
inline std::int64_t ToInt64Saturated(double whole) {
  if (std::isnan(whole)) return 0;
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (whole >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (whole < -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(whole);
}
}  // namespace detail

// Relies on the default floating-point rounding mode (to nearest, ties to even).
inline std::int64_t Round(double value) { return detail::ToInt64Saturated(std::nearbyint(value)); }
inline std::int64_t Trunc(double value) { return detail::ToInt64Saturated(std::trunc(value)); }

}  // namespace rtl
