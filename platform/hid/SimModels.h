#pragma once
// The controller models the simulated adapter can stand for: one per
// settings-image layout the device link tells apart, each with the identity
// of a device section of lang.ini, its information block, and settings and
// factory-default images laid out the way the parameter editor reads them
// (with one bank per mode for the multi-mode controllers).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/SimDevices.h"

namespace hid {

/// Offsets of the settings image: write window, values, mode and parameter
/// counts, maxima and defaults.
struct SimImageLayout {
  int writeOffset, writeLength, valueOffset, countOffset, maximumOffset, defaultOffset;
};

struct SimModel {
  std::string name;        ///< what ESCTOOL_SIMULATED_HID names it by
  bool classic;            ///< classic framed protocol, else register protocol
  std::string controller, hardware, firmware;
  SimImageLayout layout;
  std::size_t imageBytes;  ///< what a settings read delivers
  int modes;               ///< 1: single-mode (classic models keep one bank per mode)
  int parameters;
};

/// Every model, one per layout family.
const std::vector<SimModel>& SimModels();
/// The model named `name`; null when there is none.
const SimModel* FindSimModel(const std::string& name);

/// A model's emulated device; exactly one of `classic` and `registers` is set.
struct SimModelDevice {
  std::shared_ptr<SimClassicDevice> classic;
  std::shared_ptr<SimRegisterDevice> registers;
  std::shared_ptr<ISimDevice> Device() const;
  /// The current mode's settings and factory defaults.
  Bytes& Settings();
  Bytes& Defaults();
};
SimModelDevice MakeSimModelDevice(const SimModel& model);

/// The information block of a model (80 bytes; the register protocol serves
/// the first 64): firmware, hardware and controller texts, then device data.
Bytes SimInfoBlock(const SimModel& model);
/// The settings image of mode `mode`; `factory` gives the default values.
Bytes SimSettingsImage(const SimModel& model, int mode, bool factory);

}  // namespace hid
