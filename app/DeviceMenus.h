#pragma once
// The main window's choices that reset the device link: the device kind
// (ESC, motor checker, LCD program card), the language and the demo model
// of the supported-version menu, and the connect toggle. Each choice clears
// the connection state so that the next poll starts afresh, and rebuilds the
// parameter pages.
#include "device/DeviceState.h"

namespace rtl {
class TObject;
}

namespace app {

class TfrmInterface;

/// What telling the window the kind of device on the adapter sets.
struct DeviceKind {
  const char* menuItem;
  device::FrameMarkers markers;
  bool settingsGroup;         ///< GroupBox2 with the write and defaults buttons
  bool registerProtocol;      ///< switches to the register protocol
  bool connectButton;         ///< btnConnect
  bool fileCommands;          ///< Export1, Import1, Print1 enabled
};

inline constexpr DeviceKind kEscKind{"ESCSpeedController1", device::kEscMarkers, true, false, true, true};
inline constexpr DeviceKind kMotorCheckerKind{"MotorChecker1", device::kScanMarkers, false, false, false, false};
inline constexpr DeviceKind kProgramCardKind{"LCDProgramCard1", device::kCardMarkers, false, true, false, false};

/// Checks the kind's item; unless the kind is active already, switches the
/// frame markers, resets the connection, reloads the description without a
/// model, rebuilds the pages and shows page 0.
void ChooseDeviceKind(TfrmInterface& form, const DeviceKind& kind);

/// A language item (Tag 1 Chinese, 2 English) or a model item (Tag 3 on) of
/// the supported-version menu was clicked: applies the language and shows
/// the chosen model's pages (a checked model is a demonstration without a
/// device), or the connected device's. Shown settings keep the values the
/// user changed but has not written, and the page the user was on stays
/// open while the page list still holds it.
void ChooseLanguageOrModel(TfrmInterface& form, rtl::TObject* sender);

/// Switches connecting by itself on or off.
void ToggleAutoConnect(TfrmInterface& form);

}  // namespace app
