#include "platform/rtl/DateTime.h"

#include <time.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextCompare.h"

namespace rtl {
namespace {

using namespace std::chrono;

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr sys_days kEpoch = year{1899} / 12 / 30;
// 0001-01-01 and 9999-12-31 as day numbers.
constexpr std::int64_t kFirstDay = -693'593;
constexpr std::int64_t kLastDay = 2'958'465;

struct DayAndTime {
  std::int64_t day;
  std::int64_t ms;  // 0 .. kMsPerDay - 1
};

DayAndTime Split(TDateTime dateTime) {
  if (!std::isfinite(dateTime)) return {0, 0};
  const double whole = std::trunc(dateTime);
  std::int64_t ms = Round(std::fabs(dateTime - whole) * kMsPerDay);
  std::int64_t day = Trunc(whole);
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    day += dateTime < 0 ? -1 : 1;
  }
  return {std::clamp(day, kFirstDay, kLastDay), ms};
}

TDateTime Join(std::int64_t day, std::int64_t ms) {
  const double fraction = static_cast<double>(ms) / kMsPerDay;
  return day < 0 ? day - fraction : day + fraction;
}

year_month_day Civil(std::int64_t day) { return year_month_day{kEpoch + days{day}}; }

std::int64_t DayNumber(const year_month_day& date) { return (sys_days{date} - kEpoch).count(); }

struct Fields {
  int year, month, day, dayOfWeek;
  int hour, minute, second, millisecond;
  bool midnight;
};

Fields Decode(TDateTime dateTime) {
  const DayAndTime parts = Split(dateTime);
  const year_month_day date = Civil(parts.day);
  const auto ms = static_cast<int>(parts.ms);
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(weekday{sys_days{date}}.c_encoding()) + 1,
          ms / 3'600'000,
          ms / 60'000 % 60,
          ms / 1000 % 60,
          ms % 1000,
          ms == 0};
}

std::string TwoDigits(int value) {
  return std::string{static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::string Padded(int value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

bool HasAmPm(std::string_view format) {
  for (std::size_t i = 0; i < format.size(); ++i) {
    const std::string_view rest = format.substr(i);
    if (StartsWithNoCase(rest, "am/pm") || StartsWithNoCase(rest, "a/p") || StartsWithNoCase(rest, "ampm"))
      return true;
  }
  return false;
}

// Formats that name other formats (c, t, ddddd...) are followed this deep.
constexpr int kMaxNesting = 3;

class DateTimeWriter {
 public:
  DateTimeWriter(const Fields& fields, const TFormatSettings& settings) : f_(fields), settings_(settings) {}

  void Write(std::string_view format, int nesting = 0) {
    if (nesting > kMaxNesting) return;
    const bool twelveHour = HasAmPm(format);
    bool afterHour = false;
    std::size_t i = 0;
    while (i < format.size()) {
      const char c = format[i];
      const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const std::size_t run = RunLength(format, i);
      const std::string_view rest = format.substr(i);
      std::size_t used = 1;
      bool hourToken = false;
      switch (lower) {
        case '"':
        case '\'': {
          const auto close = format.find(c, i + 1);
          const auto end = close == std::string_view::npos ? format.size() : close;
          out_ += format.substr(i + 1, end - i - 1);
          used = end - i + 1;
          break;
        }
        case 'd':
          used = std::min<std::size_t>(run, 6);
          WriteDay(used, nesting);
          break;
        case 'm':
          used = std::min<std::size_t>(run, 4);
          if (afterHour && used <= 2) out_ += used == 2 ? TwoDigits(f_.minute) : std::to_string(f_.minute);
          else WriteMonth(used);
          break;
        case 'y':
          used = run;
          out_ += run <= 2 ? TwoDigits(f_.year % 100) : Padded(f_.year, 4);
          break;
        case 'h': {
          used = std::min<std::size_t>(run, 2);
          hourToken = true;
          int hour = f_.hour;
          if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
          out_ += used == 2 ? TwoDigits(hour) : std::to_string(hour);
          break;
        }
        case 'n':
          used = std::min<std::size_t>(run, 2);
          out_ += used == 2 ? TwoDigits(f_.minute) : std::to_string(f_.minute);
          break;
        case 's':
          used = std::min<std::size_t>(run, 2);
          out_ += used == 2 ? TwoDigits(f_.second) : std::to_string(f_.second);
          break;
        case 'z':
          used = run >= 3 ? 3 : 1;
          out_ += used == 3 ? Padded(f_.millisecond, 3) : std::to_string(f_.millisecond);
          break;
        case 't':
          used = std::min<std::size_t>(run, 2);
          Write(used == 2 ? settings_.LongTimeFormat : settings_.ShortTimeFormat, nesting + 1);
          break;
        case 'c':
          Write(settings_.ShortDateFormat, nesting + 1);
          if (!f_.midnight) {
            out_ += ' ';
            Write(settings_.LongTimeFormat, nesting + 1);
          }
          break;
        case 'a':
          used = WriteAmPm(rest);
          break;
        case '/':
          out_ += settings_.DateSeparator;
          break;
        case ':':
          out_ += settings_.TimeSeparator;
          break;
        default:
          out_ += c;
          break;
      }
      if (std::isalpha(static_cast<unsigned char>(c))) afterHour = hourToken;
      i += used;
    }
  }

  const std::string& Text() const { return out_; }

 private:
  static std::size_t RunLength(std::string_view format, std::size_t i) {
    const auto lower = [](char ch) { return std::tolower(static_cast<unsigned char>(ch)); };
    std::size_t end = i + 1;
    while (end < format.size() && lower(format[end]) == lower(format[i])) ++end;
    return end - i;
  }

  void WriteDay(std::size_t count, int nesting) {
    switch (count) {
      case 1: out_ += std::to_string(f_.day); break;
      case 2: out_ += TwoDigits(f_.day); break;
      case 3: out_ += settings_.ShortDayNames[f_.dayOfWeek - 1]; break;
      case 4: out_ += settings_.LongDayNames[f_.dayOfWeek - 1]; break;
      case 5: Write(settings_.ShortDateFormat, nesting + 1); break;
      default: Write(settings_.LongDateFormat, nesting + 1); break;
    }
  }

  void WriteMonth(std::size_t count) {
    switch (count) {
      case 1: out_ += std::to_string(f_.month); break;
      case 2: out_ += TwoDigits(f_.month); break;
      case 3: out_ += settings_.ShortMonthNames[f_.month - 1]; break;
      default: out_ += settings_.LongMonthNames[f_.month - 1]; break;
    }
  }

  // Returns the characters used.
  std::size_t WriteAmPm(std::string_view rest) {
    const bool pm = f_.hour >= 12;
    if (StartsWithNoCase(rest, "am/pm")) {
      out_ += pm ? rest.substr(3, 2) : rest.substr(0, 2);
      return 5;
    }
    if (StartsWithNoCase(rest, "a/p")) {
      out_ += pm ? rest[2] : rest[0];
      return 3;
    }
    if (StartsWithNoCase(rest, "ampm")) {
      out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
      return 4;
    }
    out_ += rest[0];
    return 1;
  }

  const Fields& f_;
  const TFormatSettings& settings_;
  std::string out_;
};

// Splits text at any of the separators; empty fields count.
std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && separators.find(text[i]) == std::string_view::npos) continue;
    fields.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return fields;
}

bool ReadNumbers(const std::vector<std::string_view>& fields, int* numbers) {
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i].empty() || !TryStrToInt(fields[i], numbers[i]) || numbers[i] < 0) return false;
  return true;
}

}  // namespace

TDateTime Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  const TDateTime date = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  const std::int64_t ms = (local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59)) * 1000LL +
                          now.tv_nsec / 1'000'000;
  return Join(Trunc(date), ms);
}

bool TryEncodeDate(int yearValue, int monthValue, int dayValue, TDateTime& date) {
  if (yearValue < 1 || yearValue > 9999 || monthValue < 1 || monthValue > 12 || dayValue < 1 || dayValue > 31)
    return false;
  const year_month_day civil{year{yearValue}, month{static_cast<unsigned>(monthValue)},
                             day{static_cast<unsigned>(dayValue)}};
  if (!civil.ok()) return false;
  date = static_cast<TDateTime>(DayNumber(civil));
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
  return date;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return false;
  time = static_cast<double>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
  return true;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  TDateTime time = 0;
  if (!TryEncodeTime(hour, minute, second, millisecond, time)) throw EConvertError("Invalid argument to time encode");
  return time;
}

void DecodeDate(TDateTime dateTime, int& year, int& month, int& day) {
  const Fields fields = Decode(dateTime);
  year = fields.year;
  month = fields.month;
  day = fields.day;
}

void DecodeTime(TDateTime dateTime, int& hour, int& minute, int& second, int& millisecond) {
  const Fields fields = Decode(dateTime);
  hour = fields.hour;
  minute = fields.minute;
  second = fields.second;
  millisecond = fields.millisecond;
}

int DayOfWeek(TDateTime dateTime) { return Decode(dateTime).dayOfWeek; }

bool IsLeapYear(int yearValue) { return year{yearValue}.is_leap(); }

int DaysInAMonth(int yearValue, int monthValue) {
  const year_month_day_last last{year{yearValue}, month_day_last{month{static_cast<unsigned>(monthValue)}}};
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

int WeekOfTheYear(TDateTime dateTime) {
  const sys_days date = kEpoch + days{Split(dateTime).day};
  const weekday dayOfWeek{date};
  // The Thursday of the same Monday-based week decides the year.
  const sys_days thursday = date - (dayOfWeek - Monday) + days{3};
  const sys_days january1 = year_month_day{thursday}.year() / January / 1;
  return static_cast<int>((thursday - january1).count() / 7 + 1);
}

TDateTime IncMonth(TDateTime dateTime, int months) {
  // Split would clamp these to a date of the range.
  if (!std::isfinite(dateTime) || dateTime <= static_cast<double>(kFirstDay - 1) ||
      dateTime >= static_cast<double>(kLastDay + 1))
    throw EConvertError("Invalid argument to date encode");
  const DayAndTime parts = Split(dateTime);
  const year_month_day date = Civil(parts.day);
  const std::int64_t total = static_cast<int>(date.year()) * 12 + static_cast<int>(static_cast<unsigned>(date.month())) -
                             1 + static_cast<std::int64_t>(months);
  if (total < 12 || total >= 10000 * 12) throw EConvertError("Invalid argument to date encode");
  const year_month target{year{static_cast<int>(total / 12)}, month{static_cast<unsigned>(total % 12 + 1)}};
  const day lastDay = year_month_day_last{target.year(), month_day_last{target.month()}}.day();
  const year_month_day result{target.year(), target.month(), std::min(date.day(), lastDay)};
  return Join(DayNumber(result), parts.ms);
}

std::string FormatDateTime(std::string_view format, TDateTime dateTime, const TFormatSettings& settings) {
  const Fields fields = Decode(dateTime);
  DateTimeWriter writer(fields, settings);
  writer.Write(format.empty() ? std::string_view("c") : format);
  return writer.Text();
}

std::string DateTimeToStr(TDateTime dateTime, const TFormatSettings& settings) {
  return FormatDateTime("c", dateTime, settings);
}

std::string DateToStr(TDateTime dateTime, const TFormatSettings& settings) {
  return FormatDateTime("ddddd", dateTime, settings);
}

std::string TimeToStr(TDateTime dateTime, const TFormatSettings& settings) {
  return FormatDateTime("tt", dateTime, settings);
}


bool TryStrToDateTime(std::string_view text, TDateTime& value, const TFormatSettings& settings) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const std::size_t space = text.find(' ');
  const std::string separators = settings.DateSeparator + "/.-";
  const std::vector<std::string_view> dateFields = SplitAt(text.substr(0, space), separators);
  int date[3] = {};
  if (dateFields.size() != 3 || !ReadNumbers(dateFields, date)) return false;
  // The order of day, month and year in the short date format.
  std::string order;
  for (char c : settings.ShortDateFormat) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if ((lower == 'd' || lower == 'm' || lower == 'y') && order.find(lower) == std::string::npos) order += lower;
  }
  if (order.size() != 3) order = "ymd";
  int day = 0, month = 0, year = 0;
  for (int i = 0; i < 3; ++i) (order[i] == 'd' ? day : order[i] == 'm' ? month : year) = date[i];
  if (dateFields[order.find('y')].size() <= 2) year += 2000;
  TDateTime result = 0;
  if (!TryEncodeDate(year, month, day, result)) return false;
  if (space != std::string_view::npos) {
    const std::vector<std::string_view> timeFields = SplitAt(text.substr(space + 1), settings.TimeSeparator + ":");
    int time[3] = {};
    TDateTime ofDay = 0;
    if (timeFields.size() < 2 || timeFields.size() > 3 || !ReadNumbers(timeFields, time) ||
        !TryEncodeTime(time[0], time[1], time[2], 0, ofDay))
      return false;
    result += result < 0 ? -ofDay : ofDay;
  }
  value = result;
  return true;
}

}  // namespace rtl
