#include "device/JobScope.h"

namespace device {

JobScope::~JobScope() {
  if (window_) {
    state_.LoadingSettings = false;
    view_.SetMainWindowEnabled(true);
  }
  if (busy_) state_.Busy = false;
  if (identifying_) state_.Identifying = false;
}

void JobScope::TakeBusy() {
  state_.Busy = true;
  busy_ = true;
}

void JobScope::TakeIdentifying() {
  state_.Identifying = true;
  identifying_ = busy_ = true;
}

void JobScope::DisableWindow() {
  view_.SetMainWindowEnabled(false);
  window_ = true;
}

}  // namespace device
