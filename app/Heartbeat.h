#pragma once
// What one tick of the 100 ms poll timer does, decided from the guard flags
// in a fixed order: a running channel scan only polls the channels; a demo
// model, no listed adapter, or a running job, identification or upgrade
// makes the tick do nothing; after a device-kind change the device is
// identified afresh.
namespace app {

struct HeartbeatInputs {
  bool scanMode = false;
  bool demoChecked = false;
  bool adapterListed = false;
  bool busy = false;
  bool identifying = false;
  bool upgrading = false;
  bool deviceKindChanged = false;
};

enum class HeartbeatAction {
  ScanChannels,           ///< command 17 and the channel boxes from the answer
  Idle,                   ///< nothing changes, DeviceKindChanged included
  Identify,               ///< one identification step
  IdentifyAfresh,         ///< Connected and DeviceKindChanged cleared, then Identify
};

HeartbeatAction DecideHeartbeat(const HeartbeatInputs& in);

}  // namespace app
