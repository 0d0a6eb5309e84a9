#pragma once
// The device link as the parameter editor sees it: the settings image, its
// layout and the device texts of the link's state, the guard flags, and the
// calls of a mode change (command 15 and its short wait, the settings read).
#include "device/DeviceJobs.h"
#include "device/DeviceLink.h"
#include "params/ParamHost.h"

namespace app {

class ParamDeviceLink : public params::IParamDevice {
 public:
  ParamDeviceLink(device::DeviceLink& link, device::DeviceJobs& jobs) : link_(link), jobs_(jobs) {}

  std::span<std::uint8_t> SettingsImage() override { return State().SettingsImage; }
  params::ImageLayout Layout() override;
  std::array<std::string, 3> DeviceTexts() override;
  int SettingsReadAttempts() override { return State().SettingsReadAttempts; }
  bool Connected() override { return State().Connected; }
  bool Busy() override { return State().Busy; }
  void SetBusy(bool busy) override { State().Busy = busy; }
  bool RegisterProtocol() override { return State().ProtocolSelector == 0; }
  void SetRegisterWordCounter(int counter) override { State().RegisterWordCounter = counter; }
  int SendCommand(std::uint8_t command) override { return link_.SendCommand(command); }
  int WaitAckShort(std::uint8_t command) override { return link_.WaitAckShort(command); }
  std::string ReadSettings() override { return jobs_.ReadSettings(); }

 private:
  device::DeviceState& State() { return link_.State(); }

  device::DeviceLink& link_;
  device::DeviceJobs& jobs_;
};

}  // namespace app
