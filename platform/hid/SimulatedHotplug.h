#pragma once
// Hot-plug of the simulated adapter: tells the handler, from the GLib main
// loop, when an adapter was plugged into or pulled out of the simulator, as
// the udev monitor does for real adapters. For end-to-end checks; not a user
// feature.
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/SimulatedHid.h"
#include "platform/hid/UdevHotplug.h"

namespace hid {

class SimulatedHotplugMonitor {
 public:
  /// Starts watching the simulator's adapters in the default GLib main
  /// context. The simulator tells of each change, so an idle loop is not
  /// woken. Made and destroyed on the loop's thread.
  SimulatedHotplugMonitor(SimulatedHid& hid, IHotplugHandler& handler);
  ~SimulatedHotplugMonitor();
  SimulatedHotplugMonitor(const SimulatedHotplugMonitor&) = delete;
  SimulatedHotplugMonitor& operator=(const SimulatedHotplugMonitor&) = delete;

 private:
  friend struct SimulatedHotplugTrampoline;
  // What a queued check reaches: the monitor while it lives, else nullptr.
  struct Link {
    SimulatedHotplugMonitor* monitor;
  };
  std::vector<std::string> PluggedPaths();
  void Check();

  SimulatedHid& hid_;
  IHotplugHandler& handler_;
  std::vector<std::string> plugged_;
  std::shared_ptr<Link> link_;
};

}  // namespace hid
