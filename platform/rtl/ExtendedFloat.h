#pragma once
// The 80-bit extended float of the component stream ("TPF0" value tag 5),
// converted to and from double without relying on long double: ten bytes,
// little-endian, a 64-bit mantissa with an explicit integer bit followed by
// the sign bit and a 15-bit exponent biased by 16383.
//
// Every double converts exactly; an extended value converts to the nearest
// double (beyond the double range: infinity or zero).
#include <array>
#include <cstdint>

namespace rtl {

using TExtended80 = std::array<std::uint8_t, 10>;

TExtended80 DoubleToExtended(double value);
double ExtendedToDouble(const TExtended80& bytes);

}  // namespace rtl
