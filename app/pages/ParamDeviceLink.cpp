#include "app/pages/ParamDeviceLink.h"

namespace app {

params::ImageLayout ParamDeviceLink::Layout() {
  const device::SettingsImageLayout& l = State().Layout;
  return {l.writeOffset, l.writeLength, l.valueOffset, l.countOffset, l.maximumOffset, l.defaultOffset};
}

std::array<std::string, 3> ParamDeviceLink::DeviceTexts() {
  const auto& texts = State().DeviceInfoStrings;
  return {texts[device::kController], texts[device::kHardware], texts[device::kFirmware]};
}

}  // namespace app
