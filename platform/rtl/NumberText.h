#pragma once
// Numbers to text and back, never through the process locale: the decimal
// and thousand separators come from the TFormatSettings argument, which
// defaults to TFormatSettings::Invariant() (".").
//
// Integers:
//   StrToInt/StrToInt64 accept leading blanks, a sign and decimal digits, or
//   hexadecimal digits after "$" or "0x"; anything else, and values out of
//   range, raise EConvertError "'%s' is not a valid integer value".
// Floats:
//   FloatToStr is the general form with 15 significant digits: trailing
//   zeros and a trailing separator dropped; exponent form ("1.5E-5",
//   "1E15") for magnitudes below 0.0001 and from 10^15 on. NaN and the
//   infinities give "NAN", "INF" and "-INF".
//   StrToFloat accepts blanks around [sign] digits [separator digits]
//   [E [sign] digits]; anything else raises EConvertError
//   "'%s' is not a valid floating point value".
// Halves are rounded away from zero in every decimal form.
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/rtl/FormatSettings.h"

namespace rtl {

std::string IntToStr(std::int64_t value);
int StrToInt(std::string_view text);
std::int64_t StrToInt64(std::string_view text);
int StrToIntDef(std::string_view text, int defaultValue);
bool TryStrToInt(std::string_view text, int& value);
bool TryStrToInt64(std::string_view text, std::int64_t& value);

// Upper-case hexadecimal with at least `digits` digits; a negative value
// shows its two's complement in the width of its type (IntToHex(-1, 2) of
// an int is "FFFFFFFF").
std::string UIntToHex(std::uint64_t value, int digits);
template <std::integral T>
std::string IntToHex(T value, int digits) {
  return UIntToHex(static_cast<std::make_unsigned_t<T>>(value), digits);
}

enum TFloatFormat {
  ffGeneral,  // the shorter of fixed and exponent form, `precision` significant digits
  ffFixed,    // `digits` decimals (the general form when the integer part needs more than `precision` digits)
  ffNumber,   // ffFixed with thousand separators
};

std::string FloatToStr(double value, const TFormatSettings& settings = TFormatSettings::Invariant());
// precision: significant digits, 1 to 17; digits: decimals, 0 to 18.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings = TFormatSettings::Invariant());
// A picture of digit placeholders: "0" (a digit, or 0), "#" (a digit if
// significant), "." (the decimal separator), "," anywhere before it
// (thousand separators), quoted literals '...' or "...", other characters as
// they are. Up to three sections separated by ";": positive, negative (shown
// without a minus sign), zero. An empty format gives FloatToStr.
std::string FormatFloat(std::string_view format, double value,
                        const TFormatSettings& settings = TFormatSettings::Invariant());

double StrToFloat(std::string_view text, const TFormatSettings& settings = TFormatSettings::Invariant());
bool TryStrToFloat(std::string_view text, double& value,
                   const TFormatSettings& settings = TFormatSettings::Invariant());

// Exact texts for streaming and property texts: the shortest text that
// reads back to the same value, "." as the decimal separator.
std::string DoubleToExactText(double value);
std::string SingleToExactText(float value);
// A whole decimal number with an optional sign; nullopt when the text is
// anything else or out of range.
std::optional<std::int64_t> ParseInt64(std::string_view text);
// A decimal number ("-1.5", "2e-3", "7"); "INF", "-INF" and "NAN" are read
// too. Nullopt for anything else, and for values beyond the range of double.
std::optional<double> ParseDouble(std::string_view text);

}  // namespace rtl
