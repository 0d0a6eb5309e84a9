#include "platform/hid/HidBackendChoice.h"

#include <cstdlib>
#include <string>

#include "platform/hid/HidapiBackend.h"
#include "platform/hid/SimDevices.h"

namespace hid {

std::unique_ptr<IHidApi> CreateHidApi(ITickClock& clock) {
  const char* choice = std::getenv("ESCTOOL_SIMULATED_HID");
  if (!choice || !*choice) return std::make_unique<HidapiBackend>();
  auto simulated = std::make_unique<SimulatedHid>(clock);
  std::shared_ptr<ISimDevice> device;
  if (std::string(choice) == "register")
    device = std::make_shared<SimRegisterDevice>();
  else
    device = std::make_shared<SimClassicDevice>();
  simulated->Plug({"/sim/hidraw0", 0x10C4, 0x82CD, u"CP2110 HID USB-to-UART Bridge", 64, 64}, device);
  return simulated;
}

}  // namespace hid
