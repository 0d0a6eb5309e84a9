#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ctime>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "tests/platform/rtl/TextRows.h"

using namespace rtl;

namespace {

std::string Decoded(TDateTime value) {
  int y, mo, d, h, mi, s, ms;
  DecodeDate(value, y, mo, d);
  DecodeTime(value, h, mi, s, ms);
  return FormatDateTime("yyyy-mm-dd", EncodeDate(y, mo, d)) + " " + std::to_string(h) + ":" + std::to_string(mi) +
         ":" + std::to_string(s) + "." + std::to_string(ms);
}

// The date read, or "-" when it is refused.
std::string Parsed(std::string_view text, const TFormatSettings& settings = TFormatSettings::Invariant()) {
  TDateTime value = 0;
  return TryStrToDateTime(text, value, settings) ? Decoded(value) : "-";
}

}  // namespace

TEST(DateTime, EncodesDecodesAndFormats) {
  const TDateTime moment = EncodeDate(2026, 12, 10) + EncodeTime(13, 5, 9, 7);
  const TDateTime morning = EncodeDate(2026, 12, 10) + EncodeTime(9, 0, 0, 0);
  const TFormatSettings de = TFormatSettings::FromLocale("de_DE.UTF-8");
  const Row rows[] = {
      ROW(FloatToStr(EncodeDate(1899, 12, 30)), "0"),
      ROW(FloatToStr(EncodeDate(2026, 12, 10)), "46366"),
      ROW(FloatToStr(EncodeDate(1, 1, 1)), "-693593"),
      ROW(FloatToStr(EncodeTime(6, 0, 0, 0)), "0.25"),
      ROW(Decoded(-1.25), "1899-12-29 6:0:0.0"),
      ROW(Decoded(1.0 - 1e-10), "1899-12-31 0:0:0.0"),  // rounds to the millisecond
      ROW(Decoded(moment), "2026-12-10 13:5:9.7"),
      ROW(std::to_string(DayOfWeek(moment)), "5"),
      ROW(std::to_string(DayOfWeek(0)), "7"),
      ROW(Decoded(IncMonth(EncodeDate(2024, 1, 31) + 0.5)), "2024-02-29 12:0:0.0"),
      ROW(Decoded(IncMonth(EncodeDate(2024, 3, 31), -13)), "2023-02-28 0:0:0.0"),
      ROW(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", moment), "2026-12-10 13:05:09.007"),
      ROW(FormatDateTime("d/m/yy h:n:s z", moment), "10-12-26 13:5:9 7"),
      ROW(FormatDateTime("dddd, mmmm d", moment), "Thursday, December 10"),
      ROW(FormatDateTime("ddd MMM YYYY", moment), "Thu Dec 2026"),
      ROW(FormatDateTime("hh:mm", moment), "13:05"),
      ROW(FormatDateTime("h:nn am/pm", moment) + FormatDateTime(" hh a/p", morning), "1:05 pm 09 a"),
      ROW(FormatDateTime("h ampm", moment), "1 PM"),
      ROW(FormatDateTime("'yyyy' \"mm\" yyyy", moment), "yyyy mm 2026"),
      ROW(DateTimeToStr(moment), "2026-12-10 13:05:09"),
      ROW(DateTimeToStr(EncodeDate(2026, 12, 10)), "2026-12-10"),
      ROW(DateToStr(moment) + "|" + TimeToStr(moment), "2026-12-10|13:05:09"),
      ROW(DateTimeToStr(moment, de), "10.12.2026 13:05:09"),
      ROW(FormatDateTime("mmmm dddd", moment, de), "Dezember Donnerstag"),
      ROW(std::to_string(de.FirstDayOfWeek), "0"),
      ROW(std::to_string(TFormatSettings::FromLocale("C").FirstDayOfWeek), "6"),
      ROW(std::to_string(DaysInAMonth(2024, 2)) + " " + std::to_string(DaysInAMonth(2023, 2)), "29 28"),
      ROW(std::to_string(WeekOfTheYear(EncodeDate(2026, 1, 1))), "1"),  // a Thursday
      ROW(std::to_string(WeekOfTheYear(EncodeDate(2026, 1, 4) + 0.9)), "1"),
      ROW(std::to_string(WeekOfTheYear(EncodeDate(2026, 1, 5))), "2"),
      ROW(std::to_string(WeekOfTheYear(EncodeDate(2021, 1, 3))), "53"),  // a Sunday after a 53-week year
      ROW(std::to_string(WeekOfTheYear(EncodeDate(2020, 12, 31))), "53"),
      ROW(std::to_string(WeekOfTheYear(EncodeDate(2019, 12, 30))), "1"),
      ROW(Parsed("2024-02-29"), "2024-02-29 0:0:0.0"),
      ROW(Parsed(" 2024/2/3 13:05 "), "2024-02-03 13:5:0.0"),
      ROW(Parsed("29.02.2024 06:07:08", de), "2024-02-29 6:7:8.0"),
      ROW(Parsed("1.2.24", de), "2024-02-01 0:0:0.0"),
      ROW(Parsed("2023-02-29") + Parsed("2024-02") + Parsed("x") + Parsed("2024-01-01 25:00"), "----"),
  };
  for (const Row& row : rows) EXPECT_EQ(row.actual, row.expected) << row.expression;
}

TEST(DateTime, ImpossibleDatesAndTimesAreRefused) {
  for (auto encode : {+[] { EncodeDate(2023, 2, 29); }, +[] { EncodeDate(0, 1, 1); }, +[] { EncodeDate(2023, 13, 1); },
                      // months beyond either end of the date range
                      +[] { IncMonth(EncodeDate(1, 1, 15), -1); }, +[] { IncMonth(EncodeDate(9999, 12, 15), 1); },
                      +[] { IncMonth(EncodeDate(1, 1, 15), -13); }, +[] { IncMonth(EncodeDate(2000, 1, 1), INT32_MIN); },
                      // dates that are none or beyond the range
                      +[] { IncMonth(NAN, 1); }, +[] { IncMonth(1e300, 1); }, +[] { IncMonth(-1e300, 1); },
                      +[] { IncMonth(EncodeDate(9999, 12, 31) + 1, -1); }})
    EXPECT_THROW(encode(), EConvertError);
  EXPECT_EQ(IncMonth(EncodeDate(1, 2, 15), -1), EncodeDate(1, 1, 15));
  EXPECT_EQ(IncMonth(EncodeDate(9999, 11, 30), 1), EncodeDate(9999, 12, 30));
  try {
    EncodeTime(24, 0, 0, 0);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "Invalid argument to time encode");
  }
}

TEST(DateTime, NowIsTheLocalClock) {
  const std::time_t before = std::time(nullptr);
  const TDateTime now = Now();
  std::tm local{};
  localtime_r(&before, &local);
  const TDateTime expected = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                             EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, 0);
  EXPECT_NEAR(now, expected, 5.0 / 86400);
}
