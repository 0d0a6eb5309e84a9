#include "platform/rtl/ExtendedFloat.h"

#include <bit>
#include <cmath>

namespace rtl {

namespace {
constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

TExtended80 Pack(bool negative, unsigned exponent, std::uint64_t mantissa) {
  TExtended80 bytes{};
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  const unsigned top = (negative ? 0x8000u : 0u) | (exponent & 0x7FFFu);
  bytes[8] = static_cast<std::uint8_t>(top);
  bytes[9] = static_cast<std::uint8_t>(top >> 8);
  return bytes;
}
}  // namespace

TExtended80 DoubleToExtended(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const unsigned exponent = static_cast<unsigned>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (exponent == 0x7FF)  // infinity keeps only the integer bit; NaN keeps its payload, quiet
    return Pack(negative, 0x7FFF, kIntegerBit | (fraction << 11));
  if (exponent == 0 && fraction == 0) return Pack(negative, 0, 0);
  if (exponent == 0) {  // subnormal double: normalise
    const int top = 63 - std::countl_zero(fraction);  // bit index of the leading 1
    return Pack(negative, static_cast<unsigned>(top - 1074 + kExtendedBias), fraction << (63 - top));
  }
  return Pack(negative, static_cast<unsigned>(static_cast<int>(exponent) - kDoubleBias + kExtendedBias),
              kIntegerBit | (fraction << 11));
}

double ExtendedToDouble(const TExtended80& bytes) {
  std::uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa |= std::uint64_t{bytes[i]} << (8 * i);
  const unsigned top = bytes[8] | (unsigned{bytes[9]} << 8);
  const bool negative = (top & 0x8000u) != 0;
  const int exponent = static_cast<int>(top & 0x7FFFu);
  double magnitude;
  if (exponent == 0x7FFF) {
    magnitude = (mantissa << 1) == 0 ? HUGE_VAL : std::nan("");
  } else {
    // mantissa * 2^(exponent - bias - 63); uint64 -> double rounds to nearest.
    magnitude = std::ldexp(static_cast<double>(mantissa), exponent - kExtendedBias - 63);
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace rtl
