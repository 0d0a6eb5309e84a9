#include "platform/rtl/FormatSettings.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdint>
#include <string_view>

namespace rtl {
namespace {

class LocaleHandle {
 public:
  explicit LocaleHandle(const char* name) : locale_(newlocale(LC_ALL_MASK, name, static_cast<locale_t>(0))) {}
  ~LocaleHandle() {
    if (locale_) freelocale(locale_);
  }
  LocaleHandle(const LocaleHandle&) = delete;
  LocaleHandle& operator=(const LocaleHandle&) = delete;
  explicit operator bool() const { return locale_ != static_cast<locale_t>(0); }
  std::string Info(nl_item item) const { return nl_langinfo_l(item, locale_); }
  // glibc keeps the first weekday as a 1-based offset from the day its
  // week counting starts on (a date such as 19971130, a Sunday).
  int FirstDayOfWeek() const {
    const auto base = reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_TIME_WEEK_1STDAY, locale_));
    const int offset = *nl_langinfo_l(_NL_TIME_FIRST_WEEKDAY, locale_);
    const int baseSunday = base == 19971201 ? 1 : 0;  // 0 Sunday, 1 Monday
    const int sundayBased = (baseSunday + offset - 1 + 7) % 7;
    return (sundayBased + 6) % 7;
  }

 private:
  locale_t locale_;
};

// Translates a strftime pattern ("%d.%m.%Y") into FormatDateTime's notation.
// Separators become "/" or ":" (shown as DateSeparator / TimeSeparator);
// other literal text is quoted.
std::string FromStrftime(std::string_view pattern, char separator, char placeholder) {
  std::string result;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      if (c == separator) result += placeholder;
      else if (std::isalpha(static_cast<unsigned char>(c))) result += std::string("\"") + c + "\"";
      else result += c;
      continue;
    }
    switch (pattern[++i]) {
      case 'd': result += "dd"; break;
      case 'e': result += "d"; break;
      case 'm': result += "mm"; break;
      case 'Y': result += "yyyy"; break;
      case 'y': result += "yy"; break;
      case 'b': case 'h': result += "mmm"; break;
      case 'B': result += "mmmm"; break;
      case 'a': result += "ddd"; break;
      case 'A': result += "dddd"; break;
      case 'H': case 'I': result += "hh"; break;
      case 'k': case 'l': result += "h"; break;
      case 'M': result += "nn"; break;
      case 'S': result += "ss"; break;
      case 'p': result += "ampm"; break;
      case 'T': result += "hh:nn:ss"; break;
      case 'R': result += "hh:nn"; break;
      case 'r': result += "hh:nn:ss ampm"; break;
      case 'D': result += "mm/dd/yy"; break;
      case 'F': result += "yyyy/mm/dd"; break;
      case '%': result += '%'; break;
      default: break;  // modifiers and rarely used fields: dropped
    }
  }
  return result;
}

// The first punctuation character outside the % fields of a pattern.
char SeparatorOf(std::string_view pattern, char fallback) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%') {
      ++i;
      continue;
    }
    if (std::ispunct(static_cast<unsigned char>(pattern[i]))) return pattern[i];
  }
  return fallback;
}

std::string WithoutSeconds(std::string format) {
  const auto seconds = format.find(":ss");
  if (seconds != std::string::npos) format.erase(seconds, 3);
  return format;
}

}  // namespace

const TFormatSettings& TFormatSettings::Invariant() {
  static const TFormatSettings invariant;
  return invariant;
}

TFormatSettings TFormatSettings::FromLocale(const char* localeName) {
  const LocaleHandle locale(localeName);
  if (!locale) return Invariant();
  TFormatSettings settings;
  if (std::string radix = locale.Info(RADIXCHAR); !radix.empty()) settings.DecimalSeparator = std::move(radix);
  settings.ThousandSeparator = locale.Info(THOUSEP);

  const std::string dateFormat = locale.Info(D_FMT);
  const std::string timeFormat = locale.Info(T_FMT);
  const char dateSeparator = SeparatorOf(dateFormat, '/');
  const char timeSeparator = SeparatorOf(timeFormat, ':');
  settings.DateSeparator = std::string(1, dateSeparator);
  settings.TimeSeparator = std::string(1, timeSeparator);
  settings.ShortDateFormat = FromStrftime(dateFormat, dateSeparator, '/');
  settings.LongTimeFormat = FromStrftime(timeFormat, timeSeparator, ':');
  settings.ShortTimeFormat = WithoutSeconds(settings.LongTimeFormat);
  settings.TimeAMString = locale.Info(AM_STR);
  settings.TimePMString = locale.Info(PM_STR);
  for (int i = 0; i < 12; ++i) {
    settings.ShortMonthNames[i] = locale.Info(ABMON_1 + i);
    settings.LongMonthNames[i] = locale.Info(MON_1 + i);
  }
  for (int i = 0; i < 7; ++i) {
    settings.ShortDayNames[i] = locale.Info(ABDAY_1 + i);
    settings.LongDayNames[i] = locale.Info(DAY_1 + i);
  }
  settings.FirstDayOfWeek = locale.FirstDayOfWeek();
  return settings;
}

const TFormatSettings& FormatSettings() {
  static const TFormatSettings user = TFormatSettings::FromLocale("");
  return user;
}

}  // namespace rtl
