#include "platform/hid/SimModels.h"

#include <algorithm>

namespace hid {
namespace {

constexpr std::size_t kInfoBytes = 80;
constexpr std::size_t kRegisterInfoBytes = 64;
constexpr std::size_t kRegisterImageBytes = 4096;
constexpr std::size_t kModeNameBytes = 15;

// Readouts of the device data: temperatures, lowest voltage and top speed as
// digit texts, then the highest electrical rpm in thousands (big-endian).
const char kDeviceData[] = "045038126012345";

void PutText(Bytes& bytes, std::size_t offset, const std::string& text, std::size_t room) {
  std::copy_n(text.begin(), std::min(text.size(), room), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

// The aircraft models keep only their values in the image; their ranges are
// fixed tables of the program.
bool FixedAirplaneLayout(const SimModel& model) { return model.layout.maximumOffset == 0; }

}  // namespace

const std::vector<SimModel>& SimModels() {
  // Identities and parameter counts of the device sections of lang.ini.
  static const std::vector<SimModel> models = {
      {"AIRPLANE", true, "AIRPLANE", "A1", "1.0", {0, 16, 7, 0, 0, 0}, 16, 1, 7},
      {"AIRPLANE_ESC", true, "AIRPLANE_ESC", "HW1", "FW1.0", {176, 64, 192, 0, 96, 32}, 240, 3, 7},
      {"Corvanel_V4", true, "Corvanel_V4", "CV4", "1.2", {48, 96, 64, 96, 144, 16}, 240, 3, 5},
      {"CAR_ESC", true, "CAR_ESC", "VALTORINE_456_A", "V1.0", {48, 688, 64, 1376, 1424, 16}, 4832, 3, 20},
      {"CAR_ESC_QV4", false, "CAR_ESC", "QV4-ASD-2", "2.01", {2048, 688, 2064, 48, 96, 16}, kRegisterImageBytes, 1,
       5},
      {"CAR_ESC_KZ", false, "CAR_ESC", "QV4-AKZ-1", "1.00", {2048, 48, 2064, 48, 96, 16}, kRegisterImageBytes, 1, 5},
  };
  return models;
}

const SimModel* FindSimModel(const std::string& name) {
  for (const SimModel& model : SimModels())
    if (model.name == name) return &model;
  return nullptr;
}

Bytes SimInfoBlock(const SimModel& model) {
  Bytes block(model.classic ? kInfoBytes : kRegisterInfoBytes, 0);
  PutText(block, 0, model.firmware, 16);
  PutText(block, 16, model.hardware, 16);
  PutText(block, 32, model.controller, 16);
  PutText(block, 48, kDeviceData, 16);
  if (model.classic) {
    PutText(block, 64, kDeviceData, 16);
    block[67] = 0x00;  // rpm bytes 19 and 20 of the device data: 0x0123
    block[68] = 0x23;
  }
  return block;
}

// Parameter i allows list indices 0..max(i), defaults to default(i) and, in
// the stored settings, holds a value that differs by mode.
Bytes SimSettingsImage(const SimModel& model, int mode, bool factory) {
  const SimImageLayout& l = model.layout;
  Bytes image(model.imageBytes, 0);
  auto maximum = [](int i) { return 2 + i % 5; };
  auto defaultIndex = [&](int i) { return i % (maximum(i) + 1); };
  for (int i = 0; i < model.parameters; ++i) {
    int value = factory ? defaultIndex(i) : (defaultIndex(i) + 1 + mode) % (maximum(i) + 1);
    image[l.valueOffset + i] = static_cast<std::uint8_t>(value);
    if (FixedAirplaneLayout(model)) continue;  // fixed tables: only the values live in the image
    image[l.maximumOffset + i] = static_cast<std::uint8_t>(maximum(i));
    image[l.defaultOffset + i] = static_cast<std::uint8_t>(defaultIndex(i));
  }
  if (!FixedAirplaneLayout(model)) {
    image[l.countOffset] = static_cast<std::uint8_t>(model.modes - 1);
    image[l.countOffset + 1] = static_cast<std::uint8_t>(model.parameters);
    image[l.writeOffset] = static_cast<std::uint8_t>(mode);
    PutText(image, l.writeOffset + 1, "MODE " + std::to_string(mode + 1), kModeNameBytes);
  }
  return image;
}

SimModelDevice MakeSimModelDevice(const SimModel& model) {
  SimModelDevice made;
  SimModeBanks banks;
  for (int mode = 0; model.classic && model.modes > 1 && mode < model.modes; ++mode) {
    banks.settings.push_back(SimSettingsImage(model, mode, false));
    banks.defaults.push_back(SimSettingsImage(model, mode, true));
  }
  if (model.classic) {
    made.classic = std::make_shared<SimClassicDevice>();
    made.classic->infoBlock = SimInfoBlock(model);
    made.classic->writeOffset = static_cast<std::size_t>(model.layout.writeOffset);
    made.classic->banks = std::move(banks);
  } else {
    made.registers = std::make_shared<SimRegisterDevice>();
    made.registers->info = SimInfoBlock(model);
  }
  made.Settings() = SimSettingsImage(model, 0, false);
  made.Defaults() = SimSettingsImage(model, 0, true);
  return made;
}

std::shared_ptr<ISimDevice> SimModelDevice::Device() const {
  if (classic) return classic;
  return registers;
}

Bytes& SimModelDevice::Settings() { return classic ? classic->settings : registers->settings; }
Bytes& SimModelDevice::Defaults() { return classic ? classic->defaults : registers->defaults; }

}  // namespace hid
