#pragma once
// A rig for the device jobs: the device link rig plus a description loader
// and a settings catalogue that record their calls, with the main form's
// arrival handler wired to the link as the program wires it.
#include <string>
#include <vector>

#include "device/DeviceJobs.h"
#include "platform/hid/SimModels.h"
#include "tests/support/DeviceLinkFakes.h"

namespace device::fakes {

/// A background load that ends after `pollsUntilLoaded` polls.
struct FakeDescriptionLoader : IDescriptionLoader {
  int starts = 0, polls = 0, pollsUntilLoaded = 3;
  bool loaded = true;
  void StartBackgroundLoad() override {
    ++starts;
    loaded = false;
    polls = 0;
  }
  bool DescriptionLoaded() override {
    if (!loaded && ++polls >= pollsUntilLoaded) loaded = true;
    return loaded;
  }
};

struct FakeCatalogue : ISettingsCatalogue {
  int selects = 0, fills = 0;
  void SelectSettingsDatabase() override { ++selects; }
  void FillFirmwareList() override { ++fills; }
};

struct JobsRig : LinkRig {
  JobsRig() {
    handlers.onArrival = [this] { link.HidCtlDeviceArrival(); };
  }

  /// Plugs in the simulated model as a 10C4:82CD adapter and runs the arrival.
  hid::SimModelDevice PlugModel(const hid::SimModel& model) {
    hid::SimModelDevice made = hid::MakeSimModelDevice(model);
    hid.Plug({kPath, 0x10C4, 0x82CD, u"CP2110 HID USB-to-UART", 64, 65, "1-1"}, made.Device());
    link.HidCtlDeviceArrival();
    return made;
  }
  /// Lets the message pump deliver the removal notification once the
  /// adapter has been pulled out, as the main form's message loop would.
  void DeliverRemovalNotification() {
    pump.onPump = [this] {
      bool gone = hid.Enumerate().empty();
      if (gone && !removalDelivered) {
        removalDelivered = true;
        link.HidCtlDeviceRemove();
      }
    };
  }
  /// Runs identification ticks until the device is connected (at most `ticks`).
  bool IdentifyWithin(int ticks) {
    for (int i = 0; i < ticks && !link.State().Connected; ++i) jobs.IdentifyDevice();
    return link.State().Connected;
  }
  /// The image's write window.
  hid::Bytes WriteWindow(const std::vector<std::uint8_t>& image) {
    const SettingsImageLayout& l = link.State().Layout;
    return hid::Bytes(image.begin() + l.writeOffset, image.begin() + l.writeOffset + l.writeLength);
  }
  std::vector<std::string> InfoBoxes() {
    std::vector<std::string> texts;
    for (const auto& [text, mode] : messages.shown)
      if (mode == IMessageSink::kInfoBox) texts.push_back(text);
    return texts;
  }

  bool removalDelivered = false;
  FakeDescriptionLoader description;
  FakeCatalogue catalogue;
  DeviceJobs jobs{link, description, catalogue};
};

}  // namespace device::fakes
