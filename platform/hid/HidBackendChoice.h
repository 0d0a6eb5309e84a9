#pragma once
// Which HID library the program runs on: real adapters through hidapi, or,
// for end-to-end checks without hardware, the simulated adapter. The
// environment variable ESCTOOL_SIMULATED_HID selects the simulator: its value
// names one of the simulated models (SimModels: "AIRPLANE", "AIRPLANE_V2",
// "AIRPLANE_ESC", "Corvanel_V4", "CAR_ESC", "CAR_ESC_BSD", "CAR_ESC_QV4",
// "CAR_ESC_KZ", "BOAT_ESC") or "PORTAVEX", the link adapter with controllers
// on its channels; "register" stands for "CAR_ESC_QV4", any other value for
// the classic "CAR_ESC". Not a user feature.
#include <memory>

#include "platform/hid/HidApi.h"
#include "platform/hid/TickClock.h"

namespace hid {

/// The HID library for this run; the simulator's waits use `clock`, which
/// must outlive it.
std::unique_ptr<IHidApi> CreateHidApi(ITickClock& clock);

class SimulatedHid;

/// The simulated adapter the last CreateHidApi made (valid while that
/// library lives), or nullptr when it chose real adapters. For end-to-end
/// checks that act as the physical world, such as pulling the adapter out
/// in the middle of a job; not a user feature.
SimulatedHid* SimulatedAdapterOfThisRun();

}  // namespace hid
