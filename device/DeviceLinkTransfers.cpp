// Block writes of both protocols.
#include <algorithm>

#include "device/DeviceLink.h"
#include "device/ProtocolCommands.h"

namespace device {
namespace {

constexpr int kChunkAttempts = 20;
constexpr std::uint32_t kRetryPauseMs = 150;
constexpr std::uint32_t kFirstFirmwareAckMs = 300;
constexpr std::uint32_t kSettleMs = 50;
constexpr std::uint16_t kRegisterWriteBase = 0x3538;

}  // namespace

void DeviceLink::AddProgress(int step) {
  IProgressBox& progress = services_.progress;
  if (progress.Exists() && progress.Value() + step <= progress.Maximum()) {
    progress.SetValue(progress.Value() + step);
    progress.Repaint();
  }
}

void DeviceLink::BeginTransfer() {
  state_.RegisterWordCounter = 0;
  services_.view.SetLedBlinking(Led::Activity, true);
  Delay(kSettleMs);
  WaitAck(kCmdHandshakeAnswer);  // drains a stale reply
}

// Pumps, then tells whether another attempt may start: gives up (clearing
// Connected) after 20 attempts or when Connected or Busy was cleared; every
// retry starts 150 ms after the previous attempt began.
bool DeviceLink::NextAttemptAllowed(int attempts, std::uint32_t& attemptStart) {
  services_.pump.ProcessMessages();
  if (attempts >= kChunkAttempts || !state_.Connected || !state_.Busy) {
    state_.Connected = false;
    return false;
  }
  if (attempts > 0) PauseUntil(attemptStart, kRetryPauseMs);
  attemptStart = Tick();
  return true;
}

int DeviceLink::RunChunks(int chunkSize, int total, std::uint32_t tailMs, const ChunkStep& step) {
  int chunk = 0, attempt = 0;
  std::uint32_t attemptStart = Tick();
  for (;;) {
    if (!NextAttemptAllowed(attempt, attemptStart)) return 0;
    int n = std::clamp(total - chunkSize * chunk, 0, chunkSize);
    if (n < chunkSize && services_.view.ProgramCardChecked()) services_.progress.Show();
    AddProgress(n);
    ChunkResult result = step(chunk, n, attempt);
    if (result == ChunkResult::Finished) return 1;
    if (result == ChunkResult::Acknowledged) {
      state_.RegisterWordCounter += n / 2;
      if (n == chunkSize) {
        ++chunk;
        attempt = 0;
        continue;
      }
      if (tailMs > 0) Delay(tailMs);
      return 1;
    }
    if (result == ChunkResult::NotAcknowledged) services_.view.DebugOutput("Recv Error");
    ++attempt;
  }
}

int DeviceLink::GuardedTransfer(const std::function<int()>& transfer) {
  int result = 0;
  try {
    BeginTransfer();
    result = transfer();
  } catch (const hid::EDeviceRemoved&) {
    result = 0;
  }
  services_.view.SetLedBlinking(Led::Activity, false);
  return result;
}

int DeviceLink::WriteClassicBlocks(std::uint8_t c, const std::uint8_t* data, std::uint32_t tailMs, int total) {
  return GuardedTransfer([&] {
    return RunChunks(16, total, tailMs, [&](int chunk, int n, int attempt) {
      auto idx = static_cast<std::uint16_t>(chunk);
      if (!SendFrame(ClassicDataFrame(state_.Markers, c, idx, data + 16 * chunk, n))) return ChunkResult::NotSent;
      if (n < 16 && services_.view.ProgramCardChecked()) {
        if (tailMs > 0) Delay(tailMs);
        return ChunkResult::Finished;
      }
      bool firstFirmwareFrame = c == kCmdFirmwarePartA && chunk == 0 && attempt == 0;
      int ack = WaitBlockAck(kCmdBlockAccepted, firstFirmwareFrame ? kFirstFirmwareAckMs : kBlockAckMs);
      return ack == kAckExpected ? ChunkResult::Acknowledged : ChunkResult::NotAcknowledged;
    });
  });
}

int DeviceLink::WriteRegisterBlocks(const std::uint8_t* data, std::uint32_t tailMs, int total) {
  return GuardedTransfer([&] {
    return RunChunks(32, total, tailMs, [&](int chunk, int n, int) {
      state_.TransferPhase = kPhaseSettingsWrite;
      auto address = static_cast<std::uint16_t>(kRegisterWriteBase + state_.RegisterWordCounter);
      if (!SendFrame(RegisterWriteFrame(address, data + 32 * chunk, n))) return ChunkResult::NotSent;
      int ack = WaitWriteAck(0x17, address >> 8, address & 0xFF);
      return ack == 0 ? ChunkResult::Acknowledged : ChunkResult::NotAcknowledged;
    });
  });
}

}  // namespace device
