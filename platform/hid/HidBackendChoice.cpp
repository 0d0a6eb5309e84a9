#include "platform/hid/HidBackendChoice.h"

#include <cstdlib>
#include <string>

#include "platform/hid/HidapiBackend.h"
#include "platform/hid/SimFirmware.h"
#include "platform/hid/SimLinkAdapter.h"
#include "platform/hid/SimModels.h"

namespace hid {
namespace {

SimulatedHid* g_simulatedAdapter = nullptr;

// A classic model behind its firmware loader; a register model as it is.
std::shared_ptr<ISimDevice> ModelWithLoader(const SimModel& model, ITickClock& clock) {
  SimModelDevice made = MakeSimModelDevice(model);
  if (!made.classic) return made.Device();
  auto loader = std::make_shared<SimClassicFirmware>(clock);
  loader->device = std::move(*made.classic);
  return loader;
}

}  // namespace

SimulatedHid* SimulatedAdapterOfThisRun() { return g_simulatedAdapter; }

std::unique_ptr<IHidApi> CreateHidApi(ITickClock& clock) {
  g_simulatedAdapter = nullptr;
  const char* choice = std::getenv("ESCTOOL_SIMULATED_HID");
  if (!choice || !*choice) return std::make_unique<HidapiBackend>();
  auto simulated = std::make_unique<SimulatedHid>(clock);
  g_simulatedAdapter = simulated.get();
  std::string name = choice;
  if (name == "PORTAVEX") {
    simulated->Plug({"/sim/hidraw0", 0x0483, 0x5720, u"FS PORTAVEX", 49, 49, "1-1"}, MakeSimLinkAdapter(clock));
    return simulated;
  }
  if (name == "register") name = "CAR_ESC_QV4";
  const SimModel* model = FindSimModel(name);
  if (!model) model = FindSimModel("CAR_ESC");
  simulated->Plug({"/sim/hidraw0", 0x10C4, 0x82CD, u"CP2110 HID USB-to-UART Bridge", 64, 64, "1-1"},
                  ModelWithLoader(*model, clock));
  return simulated;
}

}  // namespace hid
