#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"
#include "tests/platform/rtl/TextRows.h"

using namespace rtl;

namespace {

std::string Parsed(std::string_view text, const TFormatSettings& settings = TFormatSettings::Invariant()) {
  double value = 0;
  return TryStrToFloat(text, value, settings) ? FloatToStr(value) : "error";
}

std::string ParsedInt(std::string_view text) {
  int value = 0;
  return TryStrToInt(text, value) ? IntToStr(value) : "error";
}

std::vector<Row> Rows() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const TFormatSettings de = TFormatSettings::FromLocale("de_DE.UTF-8");
  return {
      ROW(FloatToStr(0.0), "0"),
      ROW(FloatToStr(-0.0), "0"),
      ROW(FloatToStr(-2.25), "-2.25"),
      ROW(FloatToStr(0.1 + 0.2), "0.3"),
      ROW(FloatToStr(2.0 / 3.0), "0.666666666666667"),
      ROW(FloatToStr(123456789012345.0), "123456789012345"),
      ROW(FloatToStr(1e15), "1E15"),
      ROW(FloatToStr(-1.5e-5), "-1.5E-5"),
      ROW(FloatToStr(0.0001), "0.0001"),
      ROW(FloatToStr(1e-300), "1E-300"),
      ROW(FloatToStr(nan), "NAN"),
      ROW(FloatToStrF(0.15, ffFixed, 15, 1), "0.2"),
      ROW(FloatToStrF(2.5, ffFixed, 15, 0), "3"),
      ROW(FloatToStrF(0.1f, ffFixed, 12, 1), "0.1"),
      ROW(FloatToStrF(-0.001, ffFixed, 15, 2), "0.00"),
      ROW(FloatToStrF(1e20, ffFixed, 15, 2), "1E20"),
      ROW(FloatToStrF(1234567.891, ffNumber, 15, 2), "1,234,567.89"),
      ROW(FloatToStrF(0.125, ffGeneral, 2, 0), "0.13"),
      ROW(FormatFloat("0.00", 3.14159), "3.14"),
      ROW(FormatFloat("#,##0.0#", 1234567.25), "1,234,567.25"),
      ROW(FormatFloat("#.##", 0.5), ".5"),
      ROW(FormatFloat("000", 7.0), "007"),
      ROW(FormatFloat("0.0;(0.0);'zero'", -2.5), "(2.5)"),
      ROW(FormatFloat("0.0;(0.0);'zero'", 0.0), "zero"),
      ROW(FormatFloat("\"$\"0.00 'kg'", -1.0), "-$1.00 kg"),
      ROW(FormatFloat("", 1.5), "1.5"),
      ROW(FloatToStr(1.5, de), "1,5"),
      ROW(FloatToStrF(1234.5, ffNumber, 15, 1, de), "1.234,5"),
      ROW(Parsed(" -2.5e3 "), "-2500"),
      ROW(Parsed("+.5"), "0.5"),
      ROW(Parsed("5."), "5"),
      ROW(Parsed("1,5"), "error"),
      ROW(Parsed("1,5", de), "1.5"),
      ROW(Parsed("1.5", de), "error"),
      ROW(Parsed("1e"), "error"),
      ROW(Parsed("inf"), "error"),
      ROW(Parsed("0x10"), "error"),
      ROW(Parsed("1e999"), "error"),
      ROW(Parsed(""), "error"),
      ROW(IntToStr(-42), "-42"),
      ROW(ParsedInt("  -17"), "-17"),
      ROW(ParsedInt("$FF"), "255"),
      ROW(ParsedInt("0x10"), "16"),
      ROW(ParsedInt("$FFFFFFFF"), "-1"),
      ROW(ParsedInt("-2147483648"), "-2147483648"),
      ROW(ParsedInt("2147483648"), "error"),
      ROW(ParsedInt("12a"), "error"),
      ROW(ParsedInt("1 "), "error"),
      ROW(IntToStr(StrToIntDef("x", 7)), "7"),
      ROW(IntToStr(StrToInt64("-9223372036854775808")), "-9223372036854775808"),
      ROW(IntToHex(255, 4), "00FF"),
      ROW(IntToHex(-1, 2), "FFFFFFFF"),
      ROW(IntToHex(std::uint8_t{0xAB}, 1), "AB"),
      ROW(IntToStr(Round(2.5)) + IntToStr(Round(3.5)) + IntToStr(Round(-2.5)) + IntToStr(Round(0.5f)), "24-20"),
      ROW(IntToStr(Round(2.5000001)) + IntToStr(Round(-1.5)), "3-2"),
      ROW(IntToStr(Trunc(-2.7)) + IntToStr(Trunc(2.7f)), "-22"),
      ROW(IntToStr(Round(nan)) + "," + IntToStr(Trunc(1e300)), "0,9223372036854775807"),
  };
}

void ExpectRows() {
  for (const Row& row : Rows()) EXPECT_EQ(row.actual, row.expected) << row.expression;
}

}  // namespace

// Every text form holds whatever the process locale says, including one
// whose decimal separator is ",".
TEST(NumberText, FormsAndParsesIndependentOfProcessLocale) {
  ExpectRows();
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
    GTEST_SKIP() << "locale de_DE.UTF-8 is not available (scripts/setup.sh generates it)";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  EXPECT_STREQ(probe, "1,5");  // the process locale is really in effect
  ExpectRows();
  std::setlocale(LC_ALL, "C");
}

TEST(NumberText, ConversionErrorsNameTheText) {
  try {
    StrToFloat("1.2.3");
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'1.2.3' is not a valid floating point value");
  }
  try {
    StrToInt("x1");
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'x1' is not a valid integer value");
  }
}
