#include "platform/rtl/NumberText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextTrim.h"

namespace rtl {
namespace {

// ---------------------------------------------------------------- integers

bool ParseUnsigned(std::string_view digits, int base, std::uint64_t& value) {
  if (digits.empty()) return false;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  return error == std::errc() && end == digits.data() + digits.size();
}

// Sign, magnitude and whether the digits were hexadecimal.
struct IntegerText {
  bool negative = false;
  bool hex = false;
  std::uint64_t magnitude = 0;
};

bool ParseInteger(std::string_view text, IntegerText& parsed) {
  text = TrimLeft(text);
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    parsed.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.starts_with('$')) {
    parsed.hex = true;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    parsed.hex = true;
    text.remove_prefix(2);
  }
  if (!text.empty() && !std::isxdigit(static_cast<unsigned char>(text.front()))) return false;
  return ParseUnsigned(text, parsed.hex ? 16 : 10, parsed.magnitude);
}

// Hexadecimal text may fill the whole unsigned width of the type (the
// two's complement of a negative value); decimal text must be in range.
template <class Int>
bool ToSigned(const IntegerText& parsed, Int& value) {
  using Unsigned = std::make_unsigned_t<Int>;
  const auto maxPositive = static_cast<std::uint64_t>(std::numeric_limits<Int>::max());
  const std::uint64_t magnitude = parsed.magnitude;
  if (parsed.hex) {
    if (magnitude > std::numeric_limits<Unsigned>::max()) return false;
    Unsigned bits = static_cast<Unsigned>(magnitude);
    if (parsed.negative) bits = Unsigned(0) - bits;
    value = static_cast<Int>(bits);
    return true;
  }
  if (magnitude > maxPositive + (parsed.negative ? 1 : 0)) return false;
  value = parsed.negative ? static_cast<Int>(Unsigned(0) - static_cast<Unsigned>(magnitude))
                          : static_cast<Int>(magnitude);
  return true;
}

[[noreturn]] void InvalidInteger(std::string_view text) {
  throw EConvertError(Format("'%.*s' is not a valid integer value", static_cast<int>(text.size()), text.data()));
}

// ------------------------------------------------------------------ floats

// A decimal form: the value is 0.digits × 10^exponent. Digits carry no
// leading or trailing zeros; no digits means zero.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// Keeps `keep` digits, rounding the rest half away from zero.
void RoundAt(Decimal& decimal, int keep) {
  if (keep >= static_cast<int>(decimal.digits.size())) return;
  if (keep < 0) {
    decimal.digits.clear();
    return;
  }
  const bool up = decimal.digits[keep] >= '5';
  decimal.digits.resize(keep);
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && decimal.digits[i] == '9') decimal.digits[i--] = '0';
  if (i >= 0) {
    ++decimal.digits[i];
  } else {
    decimal.digits.insert(decimal.digits.begin(), '1');
    ++decimal.exponent;
  }
}

// |value| rounded half away from zero to `precision` significant digits and
// to `decimals` digits after the point. The binary value is first cut to 15
// significant digits (more when asked), so 0.15 counts as a half even though
// the nearest double lies just below it.
Decimal ToDecimal(double value, int precision, int decimals) {
  Decimal decimal;
  if (value == 0) return decimal;
  precision = std::clamp(precision, 1, 17);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 16);
  const std::string_view text(buffer, result.ptr - buffer);
  const auto e = text.find('e');
  for (char c : text.substr(0, e))
    if (c != '.') decimal.digits += c;
  std::string_view exponentText = text.substr(e + 1);
  if (exponentText.starts_with('+')) exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), decimal.exponent);
  ++decimal.exponent;
  RoundAt(decimal, std::max(precision, 15));
  RoundAt(decimal, std::min(precision, decimal.exponent + decimals));
  while (!decimal.digits.empty() && decimal.digits.back() == '0') decimal.digits.pop_back();
  decimal.negative = value < 0 && !decimal.digits.empty();
  return decimal;
}

std::string IntegerDigits(const Decimal& decimal) {
  if (decimal.exponent <= 0 || decimal.digits.empty()) return std::string();
  std::string digits = decimal.digits.substr(0, decimal.exponent);
  digits.resize(decimal.exponent, '0');
  return digits;
}

std::string FractionDigits(const Decimal& decimal) {
  if (decimal.digits.empty()) return std::string();
  if (decimal.exponent < 0) return std::string(-decimal.exponent, '0') + decimal.digits;
  return decimal.exponent < static_cast<int>(decimal.digits.size()) ? decimal.digits.substr(decimal.exponent)
                                                                     : std::string();
}

std::string Grouped(const std::string& digits, const std::string& separator) {
  std::string result;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) result += separator;
    result += digits[i];
  }
  return result;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string General(double value, int precision, const TFormatSettings& settings) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal decimal = ToDecimal(value, precision, 1000);
  if (decimal.digits.empty()) return "0";
  std::string result = decimal.negative ? "-" : "";
  if (decimal.exponent > precision || decimal.exponent < -3) {
    result += decimal.digits[0];
    if (decimal.digits.size() > 1) result += settings.DecimalSeparator + decimal.digits.substr(1);
    return result + "E" + IntToStr(decimal.exponent - 1);
  }
  const std::string integer = IntegerDigits(decimal);
  const std::string fraction = FractionDigits(decimal);
  result += integer.empty() ? "0" : integer;
  if (!fraction.empty()) result += settings.DecimalSeparator + fraction;
  return result;
}

std::string Fixed(double value, int precision, int digits, bool grouped, const TFormatSettings& settings) {
  if (!std::isfinite(value)) return NonFinite(value);
  digits = std::clamp(digits, 0, 18);
  const Decimal decimal = ToDecimal(value, precision, digits);
  if (decimal.exponent > std::clamp(precision, 1, 17)) return General(value, precision, settings);
  std::string integer = IntegerDigits(decimal);
  if (integer.empty()) integer = "0";
  std::string result = decimal.negative ? "-" : "";
  result += grouped ? Grouped(integer, settings.ThousandSeparator) : integer;
  if (digits > 0) {
    std::string fraction = FractionDigits(decimal);
    fraction.resize(digits, '0');
    result += settings.DecimalSeparator + fraction;
  }
  return result;
}

// --------------------------------------------------------------- pictures

// One section of a FormatFloat picture, taken apart.
struct Picture {
  std::string prefix;  // literal text before the first placeholder
  std::string suffix;  // literal text after the last placeholder
  int minIntegerDigits = 0;
  bool thousands = false;
  bool hasPoint = false;
  std::string fraction;  // the placeholders after the point, "0" and "#"
};

// Splits at ";" outside quotes.
std::vector<std::string_view> Sections(std::string_view format) {
  std::vector<std::string_view> sections;
  char quote = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

Picture ParsePicture(std::string_view section) {
  Picture picture;
  bool seenPlaceholder = false;
  bool seenZero = false;
  for (std::size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    std::string& literal = seenPlaceholder ? picture.suffix : picture.prefix;
    if (c == '"' || c == '\'') {
      const auto close = section.find(c, i + 1);
      const auto end = close == std::string_view::npos ? section.size() : close;
      literal += section.substr(i + 1, end - i - 1);
      i = end;
    } else if (c == '0' || c == '#') {
      seenPlaceholder = true;
      picture.suffix.clear();
      if (picture.hasPoint) {
        picture.fraction += c;
      } else {
        seenZero = seenZero || c == '0';
        if (seenZero) ++picture.minIntegerDigits;
      }
    } else if (c == '.' && !picture.hasPoint) {
      seenPlaceholder = true;
      picture.hasPoint = true;
      picture.suffix.clear();
    } else if (c == ',' && !picture.hasPoint) {
      picture.thousands = true;
    } else {
      literal += c;
    }
  }
  return picture;
}

std::string ApplyPicture(const Picture& picture, double magnitude, bool minus, const TFormatSettings& settings) {
  const int maxDecimals = static_cast<int>(picture.fraction.size());
  const int minDecimals = static_cast<int>(picture.fraction.find_last_of('0') + 1);
  const Decimal decimal = ToDecimal(magnitude, 15, maxDecimals);
  std::string integer = IntegerDigits(decimal);
  if (static_cast<int>(integer.size()) < picture.minIntegerDigits)
    integer.insert(0, picture.minIntegerDigits - integer.size(), '0');
  std::string fraction = FractionDigits(decimal);
  fraction.resize(std::max<int>(minDecimals, static_cast<int>(fraction.size())), '0');

  std::string result = minus && !decimal.digits.empty() ? "-" : "";
  result += picture.prefix;
  result += picture.thousands ? Grouped(integer, settings.ThousandSeparator) : integer;
  if (!fraction.empty()) result += settings.DecimalSeparator + fraction;
  return result + picture.suffix;
}

}  // namespace

std::string IntToStr(std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

bool TryStrToInt64(std::string_view text, std::int64_t& value) {
  IntegerText parsed;
  return ParseInteger(text, parsed) && ToSigned(parsed, value);
}

bool TryStrToInt(std::string_view text, int& value) {
  IntegerText parsed;
  std::int32_t result = 0;
  if (!ParseInteger(text, parsed) || !ToSigned(parsed, result)) return false;
  value = result;
  return true;
}

int StrToInt(std::string_view text) {
  int value = 0;
  if (!TryStrToInt(text, value)) InvalidInteger(text);
  return value;
}

std::int64_t StrToInt64(std::string_view text) {
  std::int64_t value = 0;
  if (!TryStrToInt64(text, value)) InvalidInteger(text);
  return value;
}

int StrToIntDef(std::string_view text, int defaultValue) {
  int value = 0;
  return TryStrToInt(text, value) ? value : defaultValue;
}

std::string UIntToHex(std::uint64_t value, int digits) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
  std::string text(buffer, result.ptr);
  std::transform(text.begin(), text.end(), text.begin(), [](char c) { return std::toupper(c); });
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

std::string FloatToStr(double value, const TFormatSettings& settings) { return General(value, 15, settings); }

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings) {
  switch (format) {
    case ffFixed:
      return Fixed(value, precision, digits, false, settings);
    case ffNumber:
      return Fixed(value, precision, digits, true, settings);
    case ffGeneral:
      break;
  }
  return General(value, precision, settings);
}

std::string FormatFloat(std::string_view format, double value, const TFormatSettings& settings) {
  if (format.empty() || !std::isfinite(value)) return FloatToStr(value, settings);
  const std::vector<std::string_view> sections = Sections(format);
  std::string_view section = sections[0];
  bool minus = value < 0;
  if (value < 0 && sections.size() >= 2 && !sections[1].empty()) {
    section = sections[1];
    minus = false;
  } else if (value == 0 && sections.size() >= 3 && !sections[2].empty()) {
    section = sections[2];
  }
  return ApplyPicture(ParsePicture(section), std::fabs(value), minus, settings);
}

bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& settings) {
  text = Trim(text);
  std::string normal;
  std::size_t i = 0;
  auto digitsRun = [&] {
    const std::size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) normal += text[i++];
    return i - start;
  };
  auto sign = [&] {
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
      if (text[i] == '-') normal += '-';
      ++i;
    }
  };
  sign();
  std::size_t mantissaDigits = digitsRun();
  if (!settings.DecimalSeparator.empty() && text.substr(i).starts_with(settings.DecimalSeparator)) {
    normal += '.';
    i += settings.DecimalSeparator.size();
    mantissaDigits += digitsRun();
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    normal += 'e';
    ++i;
    sign();
    if (digitsRun() == 0) return false;
  }
  if (i != text.size()) return false;
  double parsed = 0;
  const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), parsed);
  if (error != std::errc() || end != normal.data() + normal.size()) return false;
  value = parsed;
  return true;
}

double StrToFloat(std::string_view text, const TFormatSettings& settings) {
  double value = 0;
  if (!TryStrToFloat(text, value, settings))
    throw EConvertError(
        Format("'%.*s' is not a valid floating point value", static_cast<int>(text.size()), text.data()));
  return value;
}

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
  if (SameText(text, "NAN")) return std::numeric_limits<double>::quiet_NaN();
  if (SameText(text, "INF") || SameText(text, "+INF")) return std::numeric_limits<double>::infinity();
  if (SameText(text, "-INF")) return -std::numeric_limits<double>::infinity();
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace rtl
