#pragma once
// Which HID library the program runs on: real adapters through hidapi, or,
// for end-to-end checks without hardware, the simulated adapter. The
// environment variable ESCTOOL_SIMULATED_HID selects the simulator: its value
// names one of the simulated models (SimModels: "AIRPLANE", "AIRPLANE_V2",
// "AIRPLANE_ESC", "Corvanel_V4", "CAR_ESC", "CAR_ESC_BSD", "CAR_ESC_QV4",
// "CAR_ESC_KZ", "BOAT_ESC") or "PORTAVEX", the link adapter with controllers
// on its channels; "register" stands for "CAR_ESC_QV4", any other value for
// the classic "CAR_ESC". A classic controller takes firmware uploads and
// afterwards reports the version its new image names. Not a user feature.
#include <memory>

#include "platform/hid/HidApi.h"
#include "platform/hid/SimulatedHid.h"
#include "platform/hid/TickClock.h"

namespace hid {

/// The HID library for this run; the simulator's waits use `clock`, which
/// must outlive it.
std::unique_ptr<IHidApi> CreateHidApi(ITickClock& clock);

/// For end-to-end checks only (not a user feature): the simulated adapter
/// the last CreateHidApi made, so a test can act as the physical world
/// (pull the adapter out, look at what reached the device). Null when that
/// call chose real adapters; valid only while the HID library it returned
/// lives.
SimulatedHid* SimulatedAdapterOfThisRun();

}  // namespace hid
