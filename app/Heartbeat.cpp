#include "app/Heartbeat.h"

namespace app {

HeartbeatAction DecideHeartbeat(const HeartbeatInputs& in) {
  if (in.scanMode) return HeartbeatAction::ScanChannels;
  if (in.demoChecked || !in.adapterListed || in.busy || in.identifying || in.upgrading) return HeartbeatAction::Idle;
  return in.deviceKindChanged ? HeartbeatAction::IdentifyAfresh : HeartbeatAction::Identify;
}

}  // namespace app
