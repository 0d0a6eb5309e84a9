#include "platform/hid/SimulatedHotplug.h"

#include <glib.h>

#include <algorithm>

namespace hid {
namespace {

constexpr guint kCheckIntervalMs = 50;

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

// Whether `paths` holds a path that `others` lacks.
bool HasOneMissingFrom(const std::vector<std::string>& paths, const std::vector<std::string>& others) {
  return std::any_of(paths.begin(), paths.end(), [&](const std::string& path) { return !Contains(others, path); });
}

}  // namespace

struct SimulatedHotplugTrampoline {
  static gboolean OnTimeout(gpointer self) {
    static_cast<SimulatedHotplugMonitor*>(self)->Check();
    return G_SOURCE_CONTINUE;
  }
};

SimulatedHotplugMonitor::SimulatedHotplugMonitor(SimulatedHid& hid, IHotplugHandler& handler)
    : hid_(hid), handler_(handler), plugged_(PluggedPaths()) {
  sourceId_ = g_timeout_add(kCheckIntervalMs, &SimulatedHotplugTrampoline::OnTimeout, this);
}

SimulatedHotplugMonitor::~SimulatedHotplugMonitor() { g_source_remove(sourceId_); }

std::vector<std::string> SimulatedHotplugMonitor::PluggedPaths() {
  std::vector<std::string> paths;
  for (const DeviceInfo& info : hid_.Enumerate()) paths.push_back(info.path);
  return paths;
}

void SimulatedHotplugMonitor::Check() {
  std::vector<std::string> now = PluggedPaths();
  const bool removed = HasOneMissingFrom(plugged_, now), arrived = HasOneMissingFrom(now, plugged_);
  plugged_ = std::move(now);
  try {
    if (removed) handler_.AdapterRemoved();
    if (arrived) handler_.AdapterArrived();
  } catch (...) {
    handler_.HandleException(std::current_exception());
  }
}

}  // namespace hid
