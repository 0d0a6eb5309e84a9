#pragma once
// The guard of one device job: what the job takes of the main form's guard
// flags and window it gives back on every way out, exceptions from the
// neighbouring services included, so no failure leaves the link refusing
// every later tick and click.
#include "device/DeviceState.h"
#include "device/LinkServices.h"

namespace device {

class JobScope {
 public:
  JobScope(DeviceState& state, IDeviceView& view) : state_(state), view_(view) {}
  /// At the end: LoadingSettings cleared and the main window enabled (when
  /// taken), then Busy and Identifying cleared (when taken).
  ~JobScope();
  JobScope(const JobScope&) = delete;
  JobScope& operator=(const JobScope&) = delete;

  /// Busy := 1 now, 0 at the end.
  void TakeBusy();
  /// Identifying := 1 now; Identifying and Busy := 0 at the end.
  void TakeIdentifying();
  /// Disables the main window now; at the end LoadingSettings := 0 and the
  /// window is enabled again.
  void DisableWindow();

 private:
  DeviceState& state_;
  IDeviceView& view_;
  bool busy_ = false, identifying_ = false, window_ = false;
};

}  // namespace device
