// Senders and acknowledgement waits of both protocols.
#include <algorithm>

#include "device/DeviceLink.h"
#include "device/ProtocolCommands.h"

namespace device {
namespace {

constexpr int kSendAttempts = 10;
constexpr std::uint32_t kSendWindowMs = 1500;
constexpr std::uint32_t kRetryPauseMs = 150;
constexpr int kWaitAttempts = 10;
constexpr std::uint32_t kAckReceiveMs = 150;
constexpr std::uint32_t kShortReceiveMs = 15;
constexpr std::uint8_t kRegisterReply = 0xFE;

}  // namespace

int DeviceLink::SendWithRetries(const Frame& frame) {
  if (!state_.Connected) return SendFrame(frame) ? 1 : 0;
  std::uint32_t first = Tick();
  for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
    services_.pump.ProcessMessages();
    if (Tick() - first > kSendWindowMs) return 0;
    if (SendFrame(frame)) return 1;
    PauseUntil(first, kRetryPauseMs);
  }
  return 0;
}

std::uint8_t DeviceLink::ModeByte() {
  if (state_.LoadingSettings || state_.ScanMode) return 0xFF;
  // Pages without a mode selector: mode 0 keeps the frame well formed.
  return static_cast<std::uint8_t>(services_.editor.ModeIndex().value_or(0));
}

bool DeviceLink::IsAirplaneModel() const {
  const std::string& controller = state_.DeviceInfoStrings[kController];
  return controller == "AIRPLANE" || controller == "AIRPLANE_PID";
}

int DeviceLink::SendCommand(std::uint8_t c) {
  if (!AdapterListed()) return 0;
  return state_.ProtocolSelector != 0 ? SendClassicCommand(c) : SendRegisterCommand(c);
}

int DeviceLink::SendClassicCommand(std::uint8_t c) {
  FrameMarkers markers = state_.Markers;
  if (c <= kCmdRepeatBlock || c == kCmdNoHandshakeStart) return SendWithRetries(ShortFrame(markers, c));
  if ((c == kCmdReadSettings || c == kCmdRestoreDefaults) && !IsAirplaneModel()) return SendWithRetries(ModeCommandFrame(markers, c, ModeByte()));
  std::uint8_t x = state_.ScanMode && services_.view.CheckedLinkMode() == 4 ? 1 : 0;
  return SendWithRetries(CommandFrame(markers, c, x));
}

int DeviceLink::SendLinkCommand(std::uint8_t c, std::uint8_t arg) {
  if (!AdapterListed()) return 0;
  if (c != 21) return SendWithRetries(LinkCommandFrame(state_.Markers, c, 0, arg));
  int linkMode = services_.view.CheckedLinkMode();
  std::uint8_t sub = arg == 2 && linkMode == 3 ? 1 : arg == 2 && linkMode == 4 ? 2 : 0;
  return SendWithRetries(LinkCommandFrame(kLinkMarkers, c, sub, arg));
}

int DeviceLink::SendRegisterCommand(std::uint8_t c) {
  auto offset = [this](std::uint16_t base) {
    return static_cast<std::uint16_t>(base + state_.RegisterWordCounter);
  };
  Frame frame;
  switch (c) {
    case 0: state_.TransferPhase = kPhaseHandshake; frame = RegisterRequest(0x03, 0x2C24, 0x0001); break;
    case 10: state_.TransferPhase = kPhaseDefaults; frame = RegisterRequest(0x06, 0x2B01, 0x5500); break;
    case 5: state_.TransferPhase = kPhaseNoHandshake; frame = RegisterRequest(0x06, 0x2B02, 0x5500); break;
    case 15: {
      state_.TransferPhase = kPhaseModeSelect;
      auto mode = static_cast<std::uint8_t>(services_.editor.ModeIndex().value_or(0));
      frame = RegisterRequest(0x06, 0x2B03, static_cast<std::uint16_t>(mode << 8));
      break;
    }
    case 7: state_.TransferPhase = kPhaseInfoRead; frame = RegisterRequest(0x03, offset(0x2C25), 0x0010); break;
    case 9: state_.TransferPhase = kPhaseSettingsRead; frame = RegisterRequest(0x03, offset(0x3138), 0x0010); break;
    default: frame.assign(10, 0); break;
  }
  return SendWithRetries(frame);
}

bool DeviceLink::IsAck(const InputFrame& frame, std::uint8_t c) const {
  const auto& b = frame.bytes;
  return b[0] == state_.Markers.start && b[1] == c && b[2] == static_cast<std::uint8_t>(~c) &&
         b[3] == state_.Markers.end;
}

bool DeviceLink::TakeStatusFrame(const InputFrame& frame, std::uint8_t c) {
  const auto& b = frame.bytes;
  if (b[0] != state_.Markers.start || b[1] != c || b[23] != state_.Markers.end) return false;
  for (std::size_t n = 0; n < state_.ChannelFlags.size(); ++n) state_.ChannelFlags[n] = b[5 + n] != 0 ? 1 : 0;
  return true;
}

int DeviceLink::JudgeHandshakeReply(const InputFrame& reply) {
  state_.ProtocolSelector = 0;
  const auto& b = reply.bytes;
  return b[3] == 0x03 && b[4] == 0x2C && b[5] == 0x24 ? kAckExpected : kAckOther;
}

int DeviceLink::JudgeRegisterAck(std::uint8_t c, const InputFrame& reply, std::uint32_t attemptStart) {
  if (c == kCmdHandshakeAnswer) return JudgeHandshakeReply(reply);
  if (c != kCmdBlockAccepted) return kAckNone;
  std::uint8_t function = reply.bytes[3];
  switch (state_.TransferPhase) {
    case kPhaseDefaults:
    case kPhaseFirmwareStart: return function == 0x06 ? kAckExpected : kAckOther;
    case kPhaseBlockAnnounce: return function == 0x41 ? kAckExpected : kAckOther;
    case kPhaseFirmwareEnd: return function == 0x10 ? kAckExpected : kAckOther;
    default: PauseUntil(attemptStart, kRetryPauseMs); return kAckNone;
  }
}

int DeviceLink::JudgeRegisterBlockAck(const InputFrame& reply) const {
  std::uint8_t function = reply.bytes[3], status = reply.bytes[9];
  if (state_.TransferPhase == kPhaseSettingsWrite && function == 0x17) return kAckExpected;
  if (state_.TransferPhase == kPhaseBlockCommit && function == 0x41) {
    if (status == 10) return kAckExpected;
    if (status == 11 || status == 14) return kAckRestart;
  }
  return kAckOther;
}

// Up to `attempts` receives; an empty one pauses until 150 ms after it began.
// `judge` decides on a received frame and always ends the wait.
template <typename Judge>
int DeviceLink::WaitAttempts(int attempts, std::uint32_t timeoutMs, Judge judge) {
  if (!AdapterListed()) return kAckNone;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    std::uint32_t attemptStart = Tick();
    InputFrame frame;
    if (ReceiveFrame(frame, timeoutMs)) return judge(frame, attemptStart);
    PauseUntil(attemptStart, kRetryPauseMs);
  }
  return kAckNone;
}

int DeviceLink::WaitAck(std::uint8_t c) {
  return WaitAttempts(kWaitAttempts, kAckReceiveMs, [&](const InputFrame& frame, std::uint32_t attemptStart) {
    if (IsAck(frame, c)) return kAckExpected;
    return frame.bytes[0] == kRegisterReply ? JudgeRegisterAck(c, frame, attemptStart) : kAckOther;
  });
}

int DeviceLink::WaitBlockAck(std::uint8_t c, std::uint32_t timeoutMs) {
  return WaitAttempts(kWaitAttempts, timeoutMs, [&](const InputFrame& frame, std::uint32_t) {
    if (IsAck(frame, c)) return kAckExpected;
    return frame.bytes[0] == kRegisterReply ? JudgeRegisterBlockAck(frame) : kAckOther;
  });
}

int DeviceLink::WaitAckShort(std::uint8_t c) {
  if (!AdapterListed()) return kAckNone;
  std::uint32_t start = Tick();
  InputFrame frame;
  if (!ReceiveFrame(frame, kShortReceiveMs)) return kAckNone;
  if (IsAck(frame, c) || TakeStatusFrame(frame, c)) return kAckExpected;
  if (frame.bytes[0] != kRegisterReply) return kAckOther;
  if (services_.view.ProgramCardChecked()) return kAckOther;
  if (c == kCmdHandshakeAnswer) return JudgeHandshakeReply(frame);
  if (c == kCmdBlockAccepted || c == kCmdChannelStatus || c == kCmdSetLinkMode) PauseUntil(start, kRetryPauseMs);
  return kAckNone;
}

int DeviceLink::WaitAckTimeout(std::uint8_t c, std::uint32_t timeoutMs) {
  if (!AdapterListed()) return kAckNone;
  InputFrame frame;
  if (!ReceiveFrame(frame, timeoutMs)) return kAckNone;
  return IsAck(frame, c) || TakeStatusFrame(frame, c) ? kAckExpected : kAckOther;
}

int DeviceLink::WaitWriteAck(std::uint8_t function, std::uint8_t addressHigh, std::uint8_t addressLow) {
  return WaitAttempts(kWaitAttempts, kAckReceiveMs, [&](const InputFrame& frame, std::uint32_t) {
    if (frame.bytes[0] != kRegisterReply) return kAckOther;
    if (function != 0x17) return kAckOther;
    state_.ProtocolSelector = 0;
    return frame.bytes[4] == addressHigh && frame.bytes[5] == addressLow ? kAckExpected : kAckOther;
  });
}

}  // namespace device
