#pragma once
// The device information block (command 7, 80 bytes) and what follows from
// it: the device texts, the model-dependent device data, and where the
// settings image keeps its parts for each model family.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "device/DeviceState.h"

namespace device {

constexpr std::size_t kInfoBlockBytes = 80;
using InfoBlock = std::array<std::uint8_t, kInfoBlockBytes>;

/// Bytes 0..15 firmware, 16..31 hardware, 32..47 controller, 48..79 device data.
enum InfoBlockOffset : std::size_t { kFirmwareText = 0, kHardwareText = 16, kControllerText = 32, kDataFirst = 48,
                                     kDataSecond = 64 };

/// A 16-byte text field: up to the first NUL, stripped of leading and
/// trailing characters with codes 32 or below.
std::string InfoText(const InfoBlock& block, std::size_t offset);

/// The hardware text H holds `text` at 1-based character position `position`.
bool HardwareHas(const std::string& hardware, std::size_t position, const std::string& text);
/// H begins "VALTORINE_456", or "QV4" with "SD" at 6 or 7 or "BSD" at 6 or 7:
/// the car controllers with the large settings image.
bool IsLargeCarHardware(const std::string& hardware);

/// Copies the device-data bytes of the block into `deviceData` (only the
/// halves the model uses; the rest is left as it was) and, for the models
/// that carry one, returns the extra text in `extra` (else leaves it).
void TakeDeviceData(const std::string& controller, const std::string& hardware, const InfoBlock& block,
                    std::array<std::uint8_t, 32>& deviceData, std::string& extra);

/// The settings image layout of a model in the classic (`classic` true) or
/// the register protocol.
SettingsImageLayout LayoutFor(bool classic, const std::string& controller, const std::string& hardware);

}  // namespace device
