#pragma once
// Turns lang.ini into the look of the main window: it reloads the file,
// shows the menus and options the feature switches allow, writes every
// fixed text in the chosen language, places the logo and page icons, builds
// the supported-model menu and fills the calculator inputs on the first
// call, applies the optional list background and tab-label style, and has
// the settings database chosen again so that its version label follows.
#include <array>
#include <string_view>

namespace app {

class TfrmInterface;

/// The calculator inputs' stored keys "cacl1".."cacl19" and their texts when
/// lang.ini has none.
inline constexpr std::array<std::string_view, 19> kCalculatorDefaults = {
    "2300", "153",   "16",    "4",    "740",  "12",  "3.3V",          "3.6V",  "2.7V",    "39.6V",
    "42.2V", "32.4V", "3064", "3343", "2507", "Governor_High", "77.5%", "21993.75", "87975"};

/// Applies the language to `form`. An error on the way (lang.ini present but
/// unreadable, a picture that cannot be decoded) ends the application there
/// and passes to the caller.
void ApplyLanguage(TfrmInterface& form);

}  // namespace app
