// Adapters and hot-plug: enumeration, the adapter list and its twelve slots,
// the chooser, reopening, and the arrival and removal handlers.
#include "device/DeviceLink.h"
#include "device/ProtocolCommands.h"
#include "platform/hid/UdevHotplug.h"

namespace device {
namespace {

constexpr int kProbes = 5;

}  // namespace

void DeviceLink::HidConnect() {
  for (const hid::DeviceInfo& record : api_.Enumerate()) {
    services_.pump.ProcessMessages();
    if (!hid::IsAdapterId(record.vendorId, record.productId)) continue;
    if (adapterLines_.size() >= kAdapterSlots) continue;  // a thirteenth adapter is not stored
    slots_[adapterLines_.size()] = record;
    adapterLines_.push_back(AdapterLabel(record));
    if (accepted_) accepted_->push_back(record);
  }

  if (!adapterLines_.empty()) {
    std::size_t choice = 0;
    if (adapterLines_.size() > 1) {
      int modalResult = services_.chooser.ShowModal(adapterLines_);
      // Closed without a choice (or an answer beyond the list): the first adapter.
      if (modalResult >= 1 && static_cast<std::size_t>(modalResult) <= adapterLines_.size())
        choice = static_cast<std::size_t>(modalResult - 1);
    }
    selected_ = slots_[choice];
    services_.timer.SetEnabled(true);
    return;
  }
  ReturnToNoAdapterIfGone();
}

void DeviceLink::ReturnToNoAdapterIfGone() {
  if (AdapterListed() || state_.Upgrading) return;
  ReturnToNoAdapter(false);
  services_.view.SetMainWindowEnabled(true);
}

bool DeviceLink::HidCtlEnumerate() {
  if (handle_) {
    bool failed = true;
    for (int probe = 0; probe < kProbes; ++probe) failed = SendCommand(kCmdHandshake) == 0 || WaitAckShort(kCmdHandshakeAnswer) != kAckExpected;
    if (!failed) return true;
    ResetLibrary();
  }
  HidConnect();
  return true;
}

void DeviceLink::ReopenDevice() {
  if (services_.progress.Exists() && state_.PendingUpgradeStep == 0) services_.progress.Free();
  if (handle_) api_.Close(handle_);
  handle_ = nullptr;
  if (!accepted_ || accepted_->empty()) return;
  ResetDeviceState();
  OpenSelectedAdapter();
  state_.SettingsReadAttempts = 0;
  services_.timer.SetEnabled(true);
}

void DeviceLink::HidCtlDeviceArrival() {
  services_.view.DebugOutput("USB设备插入");
  accepted_.emplace();
  deniedShown_ = false;
  ResetDeviceState();
  adapterLines_.clear();
  HidCtlEnumerate();
  ReopenDevice();
  if (services_.view.CheckedLinkMode() != 0)
    state_.Markers = kLinkMarkers;
  else if (services_.view.ProgramCardChecked())
    state_.Markers = kCardMarkers;
  else
    state_.Markers = kEscMarkers;
}

void DeviceLink::HidCtlDeviceRemove() {
  services_.view.DebugOutput("USB设备移除");
  if (!accepted_) return;
  adapterLines_.clear();
  HidCtlEnumerate();
  // The enumeration closed the handle; an adapter still plugged in is opened
  // again, or the link would stay dead until the next arrival.
  if (AdapterListed() && !handle_) ReopenDevice();
}

}  // namespace device
