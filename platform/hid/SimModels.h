#pragma once
// The controller models the simulated adapter can stand for: one per
// settings-image layout and mapping family the program tells apart, each
// with the identity of a device section of lang.ini, its information block,
// and settings and factory-default images that fit that description (with
// one bank per mode for the multi-mode controllers).
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

/// How a device keeps one parameter, as its description lays it out.
struct SimParameter {
  /// The value byte each choice stores: a list index (plus the item's
  /// offset), a percent number or a track-bar value. Empty for a hidden
  /// parameter or a readout, whose byte stays 0.
  std::vector<std::uint8_t> values;
  std::size_t factoryChoice = 0;  ///< the choice the factory settings hold
  std::uint8_t maximum = 0;       ///< the byte at maximum offset + i
  std::uint8_t defaultByte = 0;   ///< the byte at default offset + i
  /// Custom value of a general-family item of modes 1 and 2 (16-bit, at
  /// value offset + 16 + 2i) and its bounds (at maximum offset + 16 + 2i and + 48 + 2i).
  bool custom = false;
  std::uint16_t customLow = 0, customHigh = 0, customValue = 0;
};

struct SimModel {
  std::string name;        ///< what ESCTOOL_SIMULATED_HID names it by
  bool classic;            ///< classic framed protocol, else register protocol
  std::string controller, hardware, firmware;
  SimImageLayout layout;
  std::size_t imageBytes;  ///< what a settings read delivers
  int modes;               ///< 1: single-mode (classic models keep one bank per mode)
  std::vector<SimParameter> parameters;
};

/// Every model.
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
/// Each mode holds another choice of every parameter.
Bytes SimSettingsImage(const SimModel& model, int mode, bool factory);

}  // namespace hid
