#pragma once
// A DeviceLink on the simulated adapter with every service faked, on the real
// clock, for the benchmarks that measure time spent against the protocol's
// own waits.
#include <memory>

#include "tests/support/DeviceLinkFakes.h"

namespace rig {

struct RealClockLink {
  /// Plugs `device` in as the adapter and selects it.
  void Attach(std::shared_ptr<hid::ISimDevice> device) {
    sim.Plug({"/sim/bench", 0x10C4, 0x82CD, u"adapter", 64, 65, "1-1"}, std::move(device));
    link.SelectAdapter(sim.Enumerate().front());
  }

  hid::SteadyTickClock clock;
  hid::SimulatedHid sim{clock};
  device::fakes::FakePump pump;
  device::fakes::FakeTimer timer;
  device::fakes::FakeTexts texts;
  device::fakes::FakeMessages messages;
  device::fakes::FakeProgress progress;
  device::fakes::FakePages pages;
  device::fakes::FakeEditor editor;
  device::fakes::FakeView view;
  device::fakes::FakeRecorder recorder;
  device::fakes::FakeHandlers handlers;
  device::fakes::FakeChooser chooser;
  device::DeviceLink link{sim, clock, {pump, timer, texts, messages, progress, pages, editor, view, recorder, handlers,
                                       chooser}};
};

}  // namespace rig
