#pragma once
// The main window's own state beside the device link's (device::DeviceState):
// the feature switches and the flags of its life cycle, with their start
// values.
#include <string>

#include "app/FeatureFlags.h"

namespace app {

struct MainFormState {
  FeatureFlags Features = kDefaultFeatureFlags;
  bool FirstActivation = true;         ///< until config.dat was handled
  bool NotificationRegistered = false; ///< set before the hot-plug registration
  bool AdapterListCreated = false;     ///< false until the first activation
  bool LanguageSwitching = false;
  bool ReportCapture = false;
  std::string SoftwareVersion;  ///< from lang.ini, shown in the title
};

}  // namespace app
