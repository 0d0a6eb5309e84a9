#pragma once
// Which HID library the program runs on: real adapters through hidapi, or,
// for end-to-end checks without hardware, the simulated adapter. The
// environment variable ESCTOOL_SIMULATED_HID selects the simulator:
// "classic" (the default for any other value) plugs in a classic-protocol
// speed controller, "register" a register-protocol one. Not a user feature.
#include <memory>

#include "platform/hid/HidApi.h"
#include "platform/hid/TickClock.h"

namespace hid {

/// The HID library for this run; the simulator's waits use `clock`, which
/// must outlive it.
std::unique_ptr<IHidApi> CreateHidApi(ITickClock& clock);

}  // namespace hid
