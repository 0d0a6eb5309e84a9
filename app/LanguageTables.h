#pragma once
// The fixed texts of the main window in both languages: which [common] key
// of lang.ini each control's text comes from and the built-in text used when
// the key is missing; and the window title with its database stamp.
#include <string>
#include <string_view>
#include <vector>

namespace app {

enum class Language;

/// A text read under the language prefix ("chs" or "eng" + suffix), with a
/// built-in text per language. Each target gets the text: a menu item's
/// caption or a control's text; "box.TextLabel" names a compound box's
/// caption label.
struct LanguageText {
  std::string_view suffix;
  std::vector<std::string_view> targets;
  std::string_view chinese;
  std::string_view english;

  std::string_view Fallback(Language language) const;
};

/// A text read through the language prefix with one built-in text for both
/// languages.
struct SharedText {
  std::string key;
  std::string target;
  std::string fallback;
};

/// The page tabs, panels, firmware pages, data recorder page, channel page,
/// menus and the governor calculator's captions. A target that is a grid
/// column gets the text as its header.
const std::vector<LanguageText>& LanguageTexts();

/// The link adapter's five menu captions (PORTAVEX1..5).
std::vector<SharedText> LinkAdapterCaptions();

/// The rotor-rpm calculator's captions, the channel page's buttons and
/// channel names, and the parameter page tab "Basic".
std::vector<SharedText> SharedTexts();

/// The window title: `title` + " " + `softwareVersion` + "      Database: "
/// and the installed database version, in English turned from
/// year-month-day into month-day-year and followed by "(MM-DD-YY)".
std::string TitleLine(Language language, std::string_view title, std::string_view softwareVersion,
                      std::string_view databaseVersion);

/// "2019-05-20" as "05-20-2019": up to five bytes after the first "-" (from
/// the start without one), "-", the first four bytes.
std::string MonthDayYear(std::string_view date);

}  // namespace app
