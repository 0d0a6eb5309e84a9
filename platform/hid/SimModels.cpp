#include "platform/hid/SimModels.h"

#include <algorithm>
#include <string_view>

namespace hid {
namespace {

constexpr std::size_t kInfoBytes = 80;
constexpr std::size_t kRegisterInfoBytes = 64;
constexpr std::size_t kRegisterImageBytes = 4096;
constexpr std::size_t kModeNameBytes = 15;

constexpr std::size_t kDataFirst = 48, kDataSecond = 64, kDataBytes = 16;
// The readouts a controller keeps in its device data after a status byte:
// highest ESC and motor temperature (°C) and lowest battery voltage (tenths
// of a volt) as three-digit texts, top speed (rpm) as a six-digit text.
constexpr std::string_view kReadouts{"\0" "045038126012345", kDataBytes};
// The highest electrical rpm in thousands, high byte first at bytes 3 and 4
// of its half of the device data: 25,000 rpm of an eight-pole motor.
constexpr std::uint16_t kMaxERpmThousands = 100;
constexpr std::size_t kMaxERpmAt = 3;

void PutText(Bytes& bytes, std::size_t offset, const std::string& text, std::size_t room) {
  std::copy_n(text.begin(), std::min(text.size(), room), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

// The aircraft models keep only their values in the image; their ranges are
// fixed tables of the program.
bool FixedAirplaneLayout(const SimModel& model) { return model.layout.maximumOffset == 0; }

// An option list of `entries` whose factory choice is `choice`; the device
// stores the index plus `offset` (an item's min), and its default byte
// carries the offset too when `offsetDefault` (the car family's plain lists).
SimParameter List(int entries, int choice, int offset = 0, bool offsetDefault = false) {
  SimParameter p;
  for (int i = 0; i < entries; ++i) p.values.push_back(static_cast<std::uint8_t>(i + offset));
  p.factoryChoice = static_cast<std::size_t>(choice);
  p.maximum = static_cast<std::uint8_t>(entries - 1);
  p.defaultByte = static_cast<std::uint8_t>(choice + (offsetDefault ? offset : 0));
  return p;
}

// A percent list: the device stores the percent numbers themselves.
SimParameter Percent(std::vector<std::uint8_t> percents, std::uint8_t factory) {
  SimParameter p;
  p.factoryChoice = static_cast<std::size_t>(std::find(percents.begin(), percents.end(), factory) - percents.begin());
  p.maximum = percents.back();
  p.defaultByte = factory;
  p.values = std::move(percents);
  return p;
}

SimParameter Track(int low, int high, int step) {
  SimParameter p;
  for (int v = low; v <= high; v += step) p.values.push_back(static_cast<std::uint8_t>(v));
  p.maximum = static_cast<std::uint8_t>(high);
  p.defaultByte = static_cast<std::uint8_t>(low);
  return p;
}

SimParameter Unlisted() { return {}; }

SimParameter Custom(SimParameter list, std::uint16_t low, std::uint16_t high, std::uint16_t value) {
  list.custom = true;
  list.customLow = low;
  list.customHigh = high;
  list.customValue = value;
  return list;
}

void PutWord(Bytes& image, int offset, std::uint16_t value) {
  image[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value >> 8);
  image[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// The series controllers report the highest electrical rpm in the first
// half of their device data; the others report their readouts there and
// (with room for it) the rpm in the second half.
bool RpmInFirstHalf(const SimModel& model) { return model.controller.rfind("Corvanel_", 0) == 0; }

void PutDeviceData(Bytes& block, const SimModel& model) {
  const std::size_t rpmHalf = RpmInFirstHalf(model) ? kDataFirst : kDataSecond;
  if (!RpmInFirstHalf(model)) PutText(block, kDataFirst, std::string(kReadouts), kDataBytes);
  if (rpmHalf + kDataBytes <= block.size()) PutWord(block, static_cast<int>(rpmHalf + kMaxERpmAt), kMaxERpmThousands);
}

std::uint8_t ValueOf(const SimParameter& p, int mode, bool factory) {
  if (p.values.empty()) return 0;
  std::size_t choice = factory ? p.factoryChoice : p.factoryChoice + 1 + static_cast<std::size_t>(mode);
  return p.values[choice % p.values.size()];
}

}  // namespace

const std::vector<SimModel>& SimModels() {
  // Identities and parameters of the device sections of lang.ini.
  static const std::vector<SimModel> models = {
      {"AIRPLANE", true, "AIRPLANE", "A1", "1.0", {0, 16, 7, 0, 0, 0}, 16, 1,
       {List(3, 0), List(3, 0), List(3, 0), List(4, 2), List(3, 0), List(4, 1), List(3, 0)}},
      {"AIRPLANE_V2", true, "AIRPLANE_V2", "A2.3", "2.0", {0, 16, 7, 0, 0, 0}, 16, 1,
       {List(4, 1), List(3, 0), List(4, 0), List(4, 0), List(3, 0), List(4, 1), List(4, 1), List(3, 1)}},
      {"AIRPLANE_ESC", true, "AIRPLANE_ESC", "HW1", "FW1.0", {176, 64, 192, 0, 96, 32}, 240, 3,
       {List(3, 0), Custom(List(4, 0), 1, 100, 40), Custom(List(4, 1), 5, 100, 13),
        Percent({0, 5, 10, 15, 20, 25, 30}, 5), List(8, 0), List(5, 3), List(3, 1)}},
      {"Corvanel_V4", true, "Corvanel_V4", "CV4", "1.2", {48, 96, 64, 96, 144, 16}, 240, 3,
       {List(4, 0, 1), List(5, 2, 5), Track(0, 100, 5), Percent({0, 10, 20, 30, 40, 50}, 20), Track(1, 20, 1)}},
      {"CAR_ESC", true, "CAR_ESC", "VALTORINE_456_A", "V1.0", {48, 688, 64, 1376, 1424, 16}, 4832, 3,
       {List(3, 0), List(6, 0, 1, true), List(5, 0), List(9, 0), Track(10, 50, 10), Track(0, 100, 1),
        Percent({0, 5, 10, 15, 20, 25, 30}, 10), Unlisted(), Unlisted(), Unlisted(), Unlisted(), Unlisted(),
        List(3, 1), List(2, 0), List(2, 0), List(3, 1), List(3, 1), List(64, 40), List(2, 0), Unlisted()}},
      {"CAR_ESC_BSD", true, "CAR_ESC", "QV4-1BSD", "V3.15", {48, 688, 64, 1376, 1424, 16}, 4832, 1,
       {List(2, 0), List(2, 0), List(3, 1, 1, true)}},
      {"CAR_ESC_QV4", false, "CAR_ESC", "QV4-ASD-2", "2.01", {2048, 688, 2064, 48, 96, 16}, kRegisterImageBytes, 1,
       {List(3, 0), List(3, 1), List(3, 1), List(2, 0), List(2, 0)}},
      {"CAR_ESC_KZ", false, "CAR_ESC", "QV4-AKZ-1", "1.00", {2048, 48, 2064, 48, 96, 16}, kRegisterImageBytes, 1,
       {List(2, 0), List(3, 1), Percent({0, 10, 20, 30}, 10)}},
      // Reports one parameter more than its description accepts.
      {"BOAT_ESC", true, "BOAT_ESC", "B1", "1.0", {176, 64, 192, 0, 96, 32}, 240, 1,
       {List(2, 0), List(4, 2), List(3, 1), List(2, 0)}},
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
  PutDeviceData(block, model);
  return block;
}

Bytes SimSettingsImage(const SimModel& model, int mode, bool factory) {
  const SimImageLayout& l = model.layout;
  Bytes image(model.imageBytes, 0);
  for (std::size_t i = 0; i < model.parameters.size(); ++i) {
    const SimParameter& p = model.parameters[i];
    const int at = static_cast<int>(i);
    image[static_cast<std::size_t>(l.valueOffset + at)] = ValueOf(p, mode, factory);
    if (FixedAirplaneLayout(model)) continue;  // fixed tables: only the values live in the image
    image[static_cast<std::size_t>(l.maximumOffset + at)] = p.maximum;
    image[static_cast<std::size_t>(l.defaultOffset + at)] = p.defaultByte;
    if (!p.custom) continue;
    PutWord(image, l.maximumOffset + 16 + 2 * at, p.customLow);
    PutWord(image, l.maximumOffset + 48 + 2 * at, p.customHigh);
    PutWord(image, l.valueOffset + 16 + 2 * at, p.customValue);
  }
  if (!FixedAirplaneLayout(model)) {
    image[static_cast<std::size_t>(l.countOffset)] = static_cast<std::uint8_t>(model.modes - 1);
    image[static_cast<std::size_t>(l.countOffset) + 1] = static_cast<std::uint8_t>(model.parameters.size());
    image[static_cast<std::size_t>(l.writeOffset)] = static_cast<std::uint8_t>(mode);
    PutText(image, static_cast<std::size_t>(l.writeOffset) + 1, "MODE " + std::to_string(mode + 1), kModeNameBytes);
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
