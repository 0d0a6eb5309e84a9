#pragma once
// The eleven feature switches of the main window's menus and option
// controls, and the optional file config.dat beside the executable that may
// override them: Base64 text of {"Data":[{"on-off":"on"}, ...]}, of which
// only the first 4096 bytes count.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

/// 0 ESC menu, 1 LCD program card, 2 motor checker, 3 supported versions,
/// 4..8 link-adapter items PORTAVEX1..5, 9 colour options, 10 rotation options.
using FeatureFlags = std::array<std::uint8_t, 11>;
inline constexpr FeatureFlags kDefaultFeatureFlags{1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0};
inline constexpr std::size_t kConfigFileLimit = 4096;

struct FeatureFlagsResult {
  FeatureFlags flags = kDefaultFeatureFlags;
  /// Empty when the content was read; else why the defaults apply.
  std::string error;
};

/// The flags that `content` (the file's bytes) gives, starting from `start`.
/// The text ends at the first NUL. Content longer than 4096 bytes, a text
/// that is not Base64, decodes to no JSON object with a "Data" array, or has
/// an element that is not an object with "on-off", gives the defaults and
/// the reason.
/// Element i (i < 11) switches flag i on when the JSON text of its "on-off"
/// value holds "on" (case-sensitive).
FeatureFlagsResult ParseFeatureFlags(std::string_view content, const FeatureFlags& start);

/// Reads config.dat at `path`: nothing (std::nullopt) when the file is
/// missing or unreadable, else the parse of its content (read no further
/// than one byte past the limit).
std::optional<FeatureFlagsResult> ReadFeatureFlagsFile(const std::string& path, const FeatureFlags& start);

}  // namespace app
