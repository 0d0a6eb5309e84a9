#pragma once
// The device link's state on the main form: guard flags, protocol choice,
// frame markers, counters and what identification learns of the device.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace device {

/// Start and end byte of classic frames for the current device kind.
struct FrameMarkers {
  std::uint8_t start = 0xA5;
  std::uint8_t end = 0x5A;
  bool operator==(const FrameMarkers&) const = default;
};
constexpr FrameMarkers kEscMarkers{0xA5, 0x5A};
constexpr FrameMarkers kScanMarkers{0xA6, 0x6A};   ///< motor checker and channel scan
constexpr FrameMarkers kLinkMarkers{0xA8, 0x8A};   ///< link adapter
constexpr FrameMarkers kCardMarkers{0xC3, 0x3C};   ///< program card

/// The data recorder's running statistics: sums while samples are added,
/// averages in between; initialised to the values the recorder start sets.
/// The speed sum is 64-bit so that long records cannot overflow it.
struct RecorderStats {
  std::int64_t speedAverage = 0;
  std::int32_t speedMax = 0;
  std::int32_t speedMin = 200000;
  float voltageAverage = 0;
  float voltageMax = 0;
  float voltageMin = 30.0f;
  float currentAverage = 0;
  float currentMax = 0;
  float currentMin = 100.0f;
};

/// Steps of a register-protocol transfer (`TransferPhase`), set by the
/// senders and read by the acknowledgement waits.
enum TransferPhaseStep : std::int32_t {
  kPhaseHandshake = 0,
  kPhaseDefaults = 1,
  kPhaseNoHandshake = 2,
  kPhaseModeSelect = 3,
  kPhaseInfoRead = 4,
  kPhaseSettingsRead = 5,
  kPhaseSettingsWrite = 6,
  kPhaseFirmwareData = 7,
  kPhaseFirmwareStart = 8,
  kPhaseBlockAnnounce = 9,
  kPhaseBlockCommit = 10,
  kPhaseFirmwareEnd = 11,
};

enum DeviceInfoIndex { kController = 0, kHardware = 1, kFirmware = 2, kExtraText = 3 };

/// Where the parts of the settings image lie, as offsets into SettingsImage:
/// the write window (offset and length) and the value, count (modes - 1,
/// then the parameter count), maximum and default areas.
struct SettingsImageLayout {
  std::int32_t writeOffset = 0;
  std::int32_t writeLength = 0;
  std::int32_t valueOffset = 0;
  std::int32_t countOffset = 0;
  std::int32_t maximumOffset = 0;
  std::int32_t defaultOffset = 0;
  bool operator==(const SettingsImageLayout&) const = default;
};

constexpr std::size_t kSettingsImageBytes = 32768;

struct DeviceState {
  bool Connected = false;
  bool Identifying = false;
  bool Busy = false;
  bool Upgrading = false;
  bool ScanMode = false;
  bool DeviceKindChanged = false;
  bool LoadingSettings = false;       ///< a settings read forces mode byte 0xFF
  bool SettingsValid = false;         ///< the connected device's settings image was read successfully
  std::uint8_t ProtocolSelector = 1;  ///< 1 classic, 0 register
  std::uint8_t AutoConnect = 1;
  FrameMarkers Markers = kEscMarkers;
  std::array<std::uint8_t, 8> ChannelFlags{};
  std::int32_t RegisterWordCounter = 0;
  std::int32_t TransferPhase = 0;
  std::int32_t SettingsReadAttempts = 0;
  std::int32_t HandshakeFreeCount = 0;
  std::int32_t PendingUpgradeStep = 0;
  std::array<std::string, 4> DeviceInfoStrings;  ///< controller, hardware, firmware, extra text
  std::array<std::uint8_t, 32> DeviceData{};     ///< model-dependent bytes of the information block
  std::vector<std::uint8_t> SettingsImage = std::vector<std::uint8_t>(kSettingsImageBytes, 0);
  SettingsImageLayout Layout;
  RecorderStats Recorder;

  /// Forgets the device: its texts, and that its settings were read (so no
  /// image of an earlier device can be written to the next one).
  void ForgetDevice() {
    DeviceInfoStrings = {};
    SettingsValid = false;
  }
};

}  // namespace device
