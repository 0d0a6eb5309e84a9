// Firmware transfer of register-protocol devices.
#include <algorithm>
#include <exception>

#include "device/DeviceLink.h"
#include "device/ProtocolCommands.h"

namespace device {
namespace {

constexpr int kMaxAttempts = 20;
constexpr std::size_t kBlockBytes = 1024;
constexpr std::size_t kPieceBytes = 32;
constexpr std::size_t kEndFrameImageBytes = 16;
constexpr std::uint32_t kBeforeDataMs = 10, kBetweenPiecesMs = 20, kBeforeCommitMs = 10;

enum Outcome { kFailed = 0, kRestartRequested = 1, kProgrammed = 2, kBlocksDone = -1 };

}  // namespace

std::string DeviceLink::RegisterImageError(std::size_t length) {
  // Blocks are counted in 16-bit registers: an odd image never reaches the end test.
  return length % 2 != 0 || length < kEndFrameImageBytes ? "Program Error." : "";
}

bool DeviceLink::SendBlockPieces(const Frame& data, int& attempts) {
  for (std::size_t offset = 0; offset < data.size();) {
    if (attempts >= kMaxAttempts || !state_.Connected || !state_.Busy) return false;
    std::size_t piece = std::min(kPieceBytes, data.size() - offset);
    if (!SendFrame(data.data() + offset, static_cast<int>(piece))) {
      ++attempts;
      continue;
    }
    offset += piece;
    if (offset < data.size()) Delay(kBetweenPiecesMs);
  }
  return true;
}

int DeviceLink::ProgramBlocks(const std::uint8_t* image, std::size_t length, int& attempts) {
  std::uint32_t attemptStart = Tick();
  for (std::size_t block = 0;;) {
    if (!NextAttemptAllowed(attempts, attemptStart)) return kFailed;
    std::size_t size = std::min(kBlockBytes, length - kBlockBytes * block);
    AddProgress(static_cast<int>(size));
    auto r = static_cast<std::uint16_t>(block);
    auto s = static_cast<std::uint16_t>(size);
    state_.TransferPhase = kPhaseBlockAnnounce;
    SendFrame(RegisterBlockControlFrame(r, s, false));
    if (WaitAck(kCmdBlockAccepted) != kAckExpected) {
      services_.view.DebugOutput("Recv Error");
      ++attempts;
      continue;
    }
    Delay(kBeforeDataMs);
    state_.TransferPhase = kPhaseFirmwareData;
    if (!SendBlockPieces(RegisterBlockDataFrame(r, image + kBlockBytes * block, s), attempts)) continue;
    Delay(kBeforeCommitMs);
    state_.TransferPhase = kPhaseBlockCommit;
    SendFrame(RegisterBlockControlFrame(r, s, true));
    int commit = WaitBlockAck(kCmdBlockAccepted, kBlockAckMs);
    if (commit != kAckExpected) services_.view.DebugOutput("Recv Error");
    if (commit == kAckRestart) {
      state_.Connected = false;
      return kRestartRequested;
    }
    if (commit != kAckExpected) {
      ++attempts;
      continue;
    }
    state_.RegisterWordCounter += static_cast<std::int32_t>(size / 2);
    if (2 * static_cast<std::size_t>(state_.RegisterWordCounter) >= length) return kBlocksDone;
    ++block;
    attempts = 0;
  }
}

int DeviceLink::ProgramRegisterDevice(const std::uint8_t* image, std::uint32_t tailMs, std::size_t length) {
  if (!RegisterImageError(length).empty()) return kFailed;
  return GuardedTransfer([&] {
    int attempts = 0;
    std::uint32_t attemptStart = Tick();
    for (;;) {
      if (!NextAttemptAllowed(attempts, attemptStart)) return static_cast<int>(kFailed);
      state_.TransferPhase = kPhaseFirmwareStart;
      SendFrame(RegisterProgramStartFrame());
      if (WaitAck(kCmdBlockAccepted) == kAckExpected) break;
      services_.view.DebugOutput("Recv Error");
      ++attempts;
    }
    int outcome = ProgramBlocks(image, length, attempts);
    if (outcome != kBlocksDone) return outcome;
    if (tailMs > 0) Delay(tailMs);
    Frame end = RegisterProgramEndFrame(image + length - kEndFrameImageBytes);
    for (;;) {
      if (!NextAttemptAllowed(attempts, attemptStart)) return static_cast<int>(kFailed);
      state_.TransferPhase = kPhaseFirmwareEnd;
      SendFrame(end);
      if (WaitAck(kCmdBlockAccepted) == kAckExpected) return static_cast<int>(kProgrammed);
      services_.view.DebugOutput("Recv Error");
      ++attempts;
    }
  });
}

}  // namespace device
