#pragma once
// Separators, date and time formats and names used to turn numbers and dates
// into text and back.
//
// Every conversion function takes its settings as an argument and defaults
// to TFormatSettings::Invariant() ("." decimal separator, ISO dates, English
// names), so stored texts never depend on the process locale. The user's
// own conventions (FormatSettings()) are used only where a caller passes
// them explicitly, e.g. number boxes and dates shown to the user.
#include <array>
#include <string>

namespace rtl {

struct TFormatSettings {
  std::string DecimalSeparator = ".";
  std::string ThousandSeparator = ",";
  // Shown for "/" and ":" in date and time formats.
  std::string DateSeparator = "-";
  std::string TimeSeparator = ":";
  // Formats in FormatDateTime's notation.
  std::string ShortDateFormat = "yyyy/mm/dd";
  std::string LongDateFormat = "dddd, mmmm d, yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
  // Sunday first, as DayOfWeek counts.
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  // The first day of the week: 0 Monday ... 6 Sunday.
  int FirstDayOfWeek = 0;

  // The locale-independent settings (the defaults above).
  static const TFormatSettings& Invariant();
  // The conventions of a named locale ("de_DE.UTF-8"); "" reads the user's
  // environment (LC_ALL, LC_NUMERIC, LC_TIME, LANG). A locale that cannot be
  // loaded gives Invariant(). The process locale is neither read nor changed.
  static TFormatSettings FromLocale(const char* localeName);
};

// The user's conventions, read from the environment on first use.
const TFormatSettings& FormatSettings();

}  // namespace rtl
