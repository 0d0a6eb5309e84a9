#pragma once
// Which page layouts (tabLayout1..13) a page item shows: the item's Tag
// names the page; the governor rpm page stands in for parameter page 3 on
// the governor models, the link adapter's firmware page for the firmware
// page in link modes 2 to 4, and the channel-parameter page needs mode 5
// and a link adapter.
#include <array>
#include <functional>
#include <string_view>

namespace app {

inline constexpr int kPageLayouts = 13;
inline constexpr int kGovernorRpmPage = 11;   ///< tabLayout11

/// visible[n - 1] tells whether tabLayout<n> shows for page item Tag `tag`,
/// the controller text (first device string) and the checked link mode
/// (1..5, 0 for none). Every other layout is hidden, so some Tags in some
/// modes show no page at all.
std::array<bool, kPageLayouts> VisiblePages(int tag, std::string_view controller, int linkMode);

/// Tags whose pages have a help pane beside them (1..7 and 9).
bool PageHasHelpPane(int tag);

/// Whether the page of a Tag shows a device: every page but About (0), the
/// data recorder (8) and the speed calculator (9).
bool PageNeedsDevice(int tag);

/// The help view's left edge in sight, beside the pages, and out of sight.
inline constexpr int kHelpViewShownLeft = 563;
inline constexpr int kHelpViewHiddenLeft = 900;

/// What showing a page asks of the parts that sit beside the pages; each
/// part sets its own, an unset one is skipped.
struct PageHooks {
  std::function<void(int left)> placeHelpView;
  std::function<void(int code)> showHelp;       ///< fills the help panel
};

}  // namespace app
