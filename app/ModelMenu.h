#pragma once
// The supported-version submenu: one radio item per device section of
// lang.ini (every section but "common"), appended after the submenu's fixed
// items. An item's Hint names its section, its Tag is 3 for the first model,
// 4 for the next and so on, so that the item with Tag t stands at position
// t - 1; a section whose "demo" is not true gives a hidden item that still
// takes its Tag.
#include <optional>
#include <string_view>

#include "platform/rtl/Event.h"

namespace rtl {
class TMemIniFile;
}
namespace gui {
class TMenuItem;
}

namespace app {

inline constexpr int kFirstModelTag = 3;
/// The submenu's fixed items (Demo1 and its separator) before the models.
inline constexpr int kFixedVersionItems = 2;

/// A section's "demo" text as a boolean: a whole number (0 false, else
/// true), or True/False in any letter case; nothing for any other text.
std::optional<bool> ParseDemoFlag(std::string_view text);

/// Appends the model items to `versionMenu`, each clicking `onClick`. A
/// missing or unreadable "demo" hides the model.
void BuildModelMenu(const rtl::TMemIniFile& langIni, gui::TMenuItem& versionMenu, const rtl::TNotifyEvent& onClick);

/// Whether the model items were built already.
bool HasModelItems(const gui::TMenuItem& versionMenu);

}  // namespace app
