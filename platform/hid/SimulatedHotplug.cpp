#include "platform/hid/SimulatedHotplug.h"

#include <glib.h>

#include <algorithm>

namespace hid {
namespace {

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

// Whether `paths` holds a path that `others` lacks.
bool HasOneMissingFrom(const std::vector<std::string>& paths, const std::vector<std::string>& others) {
  return std::any_of(paths.begin(), paths.end(), [&](const std::string& path) { return !Contains(others, path); });
}

}  // namespace

struct SimulatedHotplugTrampoline {
  using Link = SimulatedHotplugMonitor::Link;
  // Queues a check on the default context from whatever thread plugged.
  static void Queue(const std::shared_ptr<Link>& link) {
    g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &Run, new std::shared_ptr<Link>(link), &Release);
  }
  static gboolean Run(gpointer data) {
    if (SimulatedHotplugMonitor* monitor = (*static_cast<std::shared_ptr<Link>*>(data))->monitor) monitor->Check();
    return G_SOURCE_REMOVE;
  }
  static void Release(gpointer data) { delete static_cast<std::shared_ptr<Link>*>(data); }
};

SimulatedHotplugMonitor::SimulatedHotplugMonitor(SimulatedHid& hid, IHotplugHandler& handler)
    : hid_(hid), handler_(handler), plugged_(PluggedPaths()), link_(std::make_shared<Link>(Link{this})) {
  hid_.SetOnPlugChange([link = link_] { SimulatedHotplugTrampoline::Queue(link); });
}

SimulatedHotplugMonitor::~SimulatedHotplugMonitor() {
  hid_.SetOnPlugChange(nullptr);
  link_->monitor = nullptr;
}

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
