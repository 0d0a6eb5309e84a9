#pragma once
// The program's debug output: lines meant for a developer, not the user
// (a legacy file decoded, a form property skipped). They go to the GLib log
// under the domain "esctool" at debug level, shown when G_MESSAGES_DEBUG
// names that domain; a sink can take them instead (tests, a log window).
// Safe to call from any thread.
#include <functional>
#include <string>
#include <string_view>

namespace rtl {

void OutputDebugString(std::string_view line);

using TDebugSink = std::function<void(const std::string& line)>;
// Installs `sink` (empty: back to the GLib log) and returns the previous one.
TDebugSink SetDebugSink(TDebugSink sink);

}  // namespace rtl
