#pragma once
// Dates and times as the class library keeps them: a TDateTime is a double
// whose whole part counts days since 1899-12-30 and whose fraction is the
// time of day (0.25 = 06:00). For dates before 1899-12-30 the whole part is
// negative and the fraction still counts forward in the day (-1.25 is
// 1899-12-29 06:00). Times are decoded to the nearest millisecond.
//
// Encoding an impossible date or time (year outside 1..9999, 31 February,
// hour 24, ...) raises EConvertError "Invalid argument to date encode" /
// "Invalid argument to time encode".
#include <string>
#include <string_view>

#include "platform/rtl/FormatSettings.h"

namespace rtl {

using TDateTime = double;

// The local date and time of the system clock.
TDateTime Now();

TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
void DecodeDate(TDateTime dateTime, int& year, int& month, int& day);
void DecodeTime(TDateTime dateTime, int& hour, int& minute, int& second, int& millisecond);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime dateTime);
bool IsLeapYear(int year);
// 28 to 31; month 1..12.
int DaysInAMonth(int year, int month);
// The ISO 8601 week number, 1..53: weeks begin on Monday and week 1 holds
// the year's first Thursday, so 1 January may lie in week 52 or 53 of the
// year before.
int WeekOfTheYear(TDateTime dateTime);
// Adds months (negative: goes back), keeping the time of day; a day beyond
// the end of the new month becomes its last day (Jan 31 + 1 = Feb 28/29).
TDateTime IncMonth(TDateTime dateTime, int months = 1);

// The class library's date-time pictures. Specifiers (case ignored):
//   d dd ddd dddd       day, two-digit day, short and long day name
//   ddddd dddddd        ShortDateFormat, LongDateFormat
//   m mm mmm mmmm       month, two-digit month, short and long month name
//                       (m and mm right after h or hh mean minutes)
//   yy yyyy             two- and four-digit year
//   h hh n nn s ss      hour, minute, second (hh, nn, ss with two digits)
//   z zzz               milliseconds
//   t tt                ShortTimeFormat, LongTimeFormat
//   c                   ShortDateFormat, then " " and LongTimeFormat unless the time is 00:00:00.000
//   am/pm a/p ampm      12-hour clock for the hours, with the marker as written
//                       (ampm: TimeAMString/TimePMString)
//   /  :                DateSeparator, TimeSeparator
//   '...' "..."         literal text
// Other characters are copied as they are.
std::string FormatDateTime(std::string_view format, TDateTime dateTime,
                           const TFormatSettings& settings = TFormatSettings::Invariant());
// "c" with the given settings, "ddddd" and "tt".
std::string DateTimeToStr(TDateTime dateTime, const TFormatSettings& settings = TFormatSettings::Invariant());
std::string DateToStr(TDateTime dateTime, const TFormatSettings& settings = TFormatSettings::Invariant());
std::string TimeToStr(TDateTime dateTime, const TFormatSettings& settings = TFormatSettings::Invariant());

// Reads a date written in the order of the settings' ShortDateFormat (day,
// month and year as numbers, separated by the DateSeparator, "/", "." or
// "-"; a two-digit year is taken as 20yy), optionally followed by a time
// "h:n" or "h:n:s". False, leaving `value` alone, for anything else.
bool TryStrToDateTime(std::string_view text, TDateTime& value,
                      const TFormatSettings& settings = TFormatSettings::Invariant());

}  // namespace rtl
