// The block read of both protocols and the data-log decoding.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "device/DeviceLink.h"
#include "device/ProtocolCommands.h"
#include "platform/hid/Crc16.h"

namespace device {
namespace {

constexpr int kMaxErrors = 10;
constexpr std::size_t kImageBytes = 32768;
constexpr int kLogWindowBytes = 192;
constexpr int kLogWindowFrames = 12;
constexpr int kRecordBytes = 12;
constexpr std::uint32_t kFrameReceiveMs = 150;
constexpr std::uint32_t kFailedSendPauseMs = 150;
constexpr int kRegisterReplyBytes = 41;
constexpr std::uint16_t kInfoFirst = 0x2C25, kInfoSecond = 0x2C35;
constexpr std::uint16_t kSettingsFirst = 0x3138, kSettingsLast = 0x3937;

// Copies `n` bytes to destination[offset..], cut to what fits.
void BoundedCopy(std::span<std::uint8_t> destination, std::size_t offset, const std::uint8_t* data, std::size_t n) {
  if (offset >= destination.size()) return;
  std::memcpy(destination.data() + offset, data, std::min(n, destination.size() - offset));
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::string TwoDecimals(float value) {
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  return std::string(text, result.ptr);
}

}  // namespace

struct DeviceLink::ReadProgress {
  std::vector<std::uint8_t> assembly = std::vector<std::uint8_t>(kImageBytes, 0);
  int errors = 0;
  std::size_t expected = 0;  // index of the next classic data frame
  int running = 0;           // bytes stored since the command was sent (or the last log window)
  std::uint8_t lastAnswer = 3;
};

int DeviceLink::ReadBlocks(std::uint8_t c, std::span<std::uint8_t> destination, bool waitAck2) {
  if (!state_.Busy) return 0;
  std::fill(destination.begin(), destination.end(), 0);
  ReadProgress progress;
  int result = 0;
  try {
    BeginTransfer();
    for (;;) {
      services_.pump.ProcessMessages();
      if (progress.errors >= kMaxErrors || !state_.Busy) break;
      progress.expected = 0;
      if (state_.ProtocolSelector != 0) progress.running = 0;
      if (SendCommand(c) == 0) {
        // An adapter that vanished must end the read, not spin with the window disabled.
        Delay(kFailedSendPauseMs);
        ++progress.errors;
        continue;
      }
      if (waitAck2 && WaitAck(kCmdBlockAccepted) != kAckExpected) {
        ++progress.errors;
        continue;
      }
      ReadEnd end = ReadFrames(c, destination, progress);
      if (end == ReadEnd::Done) result = 1;
      if (end == ReadEnd::Done || end == ReadEnd::Failed) break;
    }
  } catch (const hid::EDeviceRemoved&) {
    result = 0;
  }
  services_.view.SetLedBlinking(Led::Activity, false);
  return result;
}

DeviceLink::ReadEnd DeviceLink::ReadFrames(std::uint8_t c, std::span<std::uint8_t> destination,
                                           ReadProgress& progress) {
  IProgressBox& box = services_.progress;
  for (;;) {
    services_.pump.ProcessMessages();
    if (box.Exists()) {
      if (progress.running <= box.Maximum()) box.SetValue(progress.running);
      box.Repaint();
    }
    if (progress.errors >= kMaxErrors || !state_.Busy) return ReadEnd::Stopped;
    InputFrame frame;
    if (!ReceiveFrame(frame, kFrameReceiveMs)) {
      ++progress.errors;
      // Every third silence: nudge the device with the last answer (classic)
      // or the current request again (register).
      std::uint8_t nudge = state_.ProtocolSelector != 0 ? progress.lastAnswer : c;
      if (progress.errors % 3 == 0 && SendCommand(nudge) == 0) return ReadEnd::Stopped;
      continue;
    }
    ReadEnd end = state_.ProtocolSelector != 0 ? TakeClassicFrame(c, frame, destination, progress)
                                               : TakeRegisterReply(c, frame, destination, progress);
    if (end != ReadEnd::Continue) return end;
  }
}

DeviceLink::ReadEnd DeviceLink::TakeClassicFrame(std::uint8_t c, const InputFrame& frame,
                                                 std::span<std::uint8_t> destination, ReadProgress& progress) {
  const auto& b = frame.bytes;
  const FrameMarkers markers = state_.Markers;
  bool deviceRestart = b[0] == markers.start && b[3] == markers.end &&
                       ((b[1] == 3 && b[2] == 0xFC) || (b[1] == 1 && b[2] == 0xFE));
  if (deviceRestart) {
    ++progress.errors;
    return ReadEnd::Restart;
  }
  int n = b[2];
  std::size_t idx = b[3] + 256u * b[4];
  bool intact = false;
  if (n <= 16 && n + 8 <= frame.length) {
    std::uint16_t crc = hid::Crc16Xmodem(b.data(), n + 5);
    intact = b[n + 5] == (crc & 0xFF) && b[n + 6] == (crc >> 8) && b[n + 7] == markers.end;
  }
  bool inSequence = intact && b[0] == markers.start && idx == progress.expected;
  std::uint8_t answer = 3;
  if (inSequence && b[1] == c) {
    std::size_t offset = c == kCmdDataLog ? 16 * (idx % kLogWindowFrames) : 16 * idx;
    if (offset + n > kImageBytes) return ReadEnd::Failed;
    progress.errors = 0;
    answer = 2;
    std::memcpy(progress.assembly.data() + offset, b.data() + 5, n);
    progress.running += n;
    ++progress.expected;
  } else if (inSequence && b[1] == static_cast<std::uint8_t>(c + 1)) {
    BoundedCopy(destination, 0, b.data(), 16);
    return ReadEnd::Done;
  } else {
    ++progress.errors;
  }
  progress.lastAnswer = answer;
  if (SendCommand(answer) == 0) return ReadEnd::Stopped;
  if (progress.errors != 0) return ReadEnd::Continue;
  if (c == kCmdDataLog && (progress.running == kLogWindowBytes || n < 16)) {
    DecodeDataLog(progress.assembly.data(), progress.running);
    progress.running = 0;
  }
  if (n < 16) {
    BoundedCopy(destination, 0, progress.assembly.data(), progress.running);
    return ReadEnd::Done;
  }
  return ReadEnd::Continue;
}

DeviceLink::ReadEnd DeviceLink::TakeRegisterReply(std::uint8_t c, const InputFrame& frame,
                                                  std::span<std::uint8_t> destination, ReadProgress& progress) {
  const auto& b = frame.bytes;
  if (b[0] != 0xFE) return ReadEnd::Continue;
  if (b[3] == 0x83) {
    ++progress.errors;
    return ReadEnd::Restart;
  }
  if (frame.length < kRegisterReplyBytes) return ReadEnd::Continue;
  progress.running += 32;
  unsigned address = b[4] * 256u + b[5];
  const std::uint8_t* data = b.data() + 7;
  if (address == kInfoFirst) {
    state_.RegisterWordCounter = 16;
    progress.errors = 0;
    BoundedCopy(destination, 0, data, 32);
    return SendCommand(c) == 0 ? ReadEnd::Stopped : ReadEnd::Continue;
  }
  if (address == kInfoSecond) {
    BoundedCopy(destination, 32, data, 32);
    return ReadEnd::Done;
  }
  if (address >= kSettingsFirst && address <= kSettingsLast) {
    state_.RegisterWordCounter += 16;
    progress.errors = 0;
    BoundedCopy(destination, 2 * (address - kSettingsFirst), data, 32);
    if (kSettingsLast - address <= 16) return ReadEnd::Done;
    return SendCommand(c) == 0 ? ReadEnd::Stopped : ReadEnd::Continue;
  }
  return ReadEnd::Continue;
}

void DeviceLink::DecodeDataLog(const std::uint8_t* window, int count) {
  IRecorderGrids& grid = services_.recorder;
  RecorderStats& s = state_.Recorder;
  int row = std::max(grid.RowCount() - 1, 0);
  // Averages back to sums.
  s.speedAverage *= row;
  s.voltageAverage *= static_cast<float>(row);
  s.currentAverage *= static_cast<float>(row);
  if (!grid.Cell(0, row).empty()) ++row;
  for (int offset = 0; offset + kRecordBytes <= count; offset += kRecordBytes) {
    auto speed = static_cast<std::int32_t>(BigEndian32(window + offset));
    auto voltage = std::bit_cast<float>(BigEndian32(window + offset + 4));
    auto current = std::bit_cast<float>(BigEndian32(window + offset + 8));
    grid.SetRowCount(row + 1);
    grid.SetCell(0, row, std::to_string(row));
    grid.SetCell(1, row, std::to_string(speed));
    grid.SetCell(2, row, TwoDecimals(voltage));
    grid.SetCell(3, row, TwoDecimals(current));
    grid.RepaintChart();
    s.speedMax = std::max(s.speedMax, speed);
    s.speedMin = std::min(s.speedMin, speed);
    s.speedAverage += speed;
    if (voltage > s.voltageMax) s.voltageMax = voltage;
    if (voltage < s.voltageMin) s.voltageMin = voltage;
    s.voltageAverage += voltage;
    if (current > s.currentMax) s.currentMax = current;
    if (current < s.currentMin) s.currentMin = current;
    s.currentAverage += current;
    ++row;
  }
  int samples = row - 1;
  if (samples <= 0) return;  // no rows yet: nothing to average
  s.speedAverage /= samples;
  s.voltageAverage /= static_cast<float>(samples);
  s.currentAverage /= static_cast<float>(samples);
  const std::string cells[3][3] = {
      {std::to_string(s.speedAverage), std::to_string(s.speedMax), std::to_string(s.speedMin)},
      {TwoDecimals(s.voltageAverage), TwoDecimals(s.voltageMax), TwoDecimals(s.voltageMin)},
      {TwoDecimals(s.currentAverage), TwoDecimals(s.currentMax), TwoDecimals(s.currentMin)}};
  for (int r = 0; r < 3; ++r)
    for (int col = 0; col < 3; ++col) services_.recorder.SetSummaryCell(col + 1, r, cells[r][col]);
}

}  // namespace device
