#include "device/DeviceInfoBlock.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace device {
namespace {

constexpr std::size_t kTextBytes = 16;
constexpr std::size_t kHalfBytes = 16;

bool OneOf(const std::string& text, std::initializer_list<const char*> candidates) {
  return std::any_of(candidates.begin(), candidates.end(), [&](const char* c) { return text == c; });
}

bool IsQv4With(const std::string& h, const std::string& text, std::initializer_list<std::size_t> positions) {
  if (!HardwareHas(h, 1, "QV4")) return false;
  return std::any_of(positions.begin(), positions.end(), [&](std::size_t p) { return HardwareHas(h, p, text); });
}

void CopyHalf(const InfoBlock& block, std::size_t from, std::array<std::uint8_t, 32>& data, std::size_t to) {
  std::memcpy(data.data() + to, block.data() + from, kHalfBytes);
}

}  // namespace

std::string InfoText(const InfoBlock& block, std::size_t offset) {
  const char* field = reinterpret_cast<const char*>(block.data() + offset);
  std::string text(field, strnlen(field, kTextBytes));
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  auto first = std::find_if_not(text.begin(), text.end(), blank);
  auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

bool HardwareHas(const std::string& hardware, std::size_t position, const std::string& text) {
  std::size_t at = position - 1;
  return hardware.size() >= at + text.size() && hardware.compare(at, text.size(), text) == 0;
}

bool IsLargeCarHardware(const std::string& h) {
  return HardwareHas(h, 1, "VALTORINE_456") || IsQv4With(h, "SD", {6, 7}) || IsQv4With(h, "BSD", {6, 7});
}

void TakeDeviceData(const std::string& c, const std::string& h, const InfoBlock& block,
                    std::array<std::uint8_t, 32>& deviceData, std::string& extra) {
  if (c == "CAR_ESC" && HardwareHas(h, 1, "VALTORINE_456")) {
    CopyHalf(block, kDataFirst, deviceData, 0);
  } else if (OneOf(c, {"Corvanel_V3", "Corvanel_HV_V3"}) || (c == "CAR_ESC" && IsQv4With(h, "SL", {6, 7})) ||
             (c == "BOAT_ESC" && HardwareHas(h, 1, "QV80") && HardwareHas(h, 6, "_YT"))) {
    CopyHalf(block, kDataFirst, deviceData, 16);
  } else if (c == "CAR_ESC" && (IsQv4With(h, "SD", {6, 7}) || IsQv4With(h, "BSD", {6, 7}))) {
    CopyHalf(block, kDataFirst, deviceData, 0);
    CopyHalf(block, kDataSecond, deviceData, 16);
  } else if (OneOf(c, {"Corvanel_HV_V4", "Corvanel_V4", "Corvanel_HV_V4.1", "Corvanel_V4_FL", "TESSIM_V5"})) {
    CopyHalf(block, kDataFirst, deviceData, 16);
  } else if (c == "QZ_FOC_ESC_V5" || c.find("QV_PORTAVEX") != std::string::npos) {
    extra = InfoText(block, kDataFirst);
  }
}

SettingsImageLayout LayoutFor(bool classic, const std::string& c, const std::string& h) {
  if (!classic) {
    bool narrow = IsQv4With(h, "KZ", {6, 8});
    return {2048, narrow ? 48 : 688, 2064, 48, 96, 16};
  }
  if (OneOf(c, {"AIRPLANE", "AIRPLANE_PID", "AIRPLANE_V2", "AIRPLANE_PID_V2"})) return {0, 16, 7, 0, 0, 0};
  if (c == "CAR_ESC" && IsLargeCarHardware(h)) return {48, 688, 64, 1376, 1424, 16};
  if (OneOf(c, {"Corvanel_HV_V4.1", "Corvanel_HV_V4", "Corvanel_V4", "Corvanel_V4_FL"})) return {48, 96, 64, 96, 144, 16};
  return {176, 64, 192, 0, 96, 32};
}

}  // namespace device
