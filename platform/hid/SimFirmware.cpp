#include "platform/hid/SimFirmware.h"

#include <algorithm>

#include "platform/hid/Crc16.h"

namespace hid {
namespace {

constexpr std::size_t kPieceBytes = 32;
constexpr std::size_t kBlockBytes = 1024;
constexpr std::size_t kVersionBytes = 16;  // also the firmware text of the information block

bool CrcAt(std::uint16_t crc, const std::uint8_t* at) { return at[0] == (crc & 0xFF) && at[1] == (crc >> 8); }

Bytes RegisterReply(const std::uint8_t* frame, std::uint8_t function, std::uint8_t status) {
  Bytes reply{0xFE, 0x01, 0x04, function, frame[4], frame[5], frame[6], frame[7], 0x00, status};
  AppendCrcModbus(reply);
  return reply;
}

}  // namespace

void NameSimFirmwareVersion(Bytes& image, const std::string& version) {
  if (image.size() < kVersionBytes) image.resize(kVersionBytes);
  std::fill_n(image.begin(), kVersionBytes, 0);
  std::copy_n(version.begin(), std::min(version.size(), kVersionBytes - 1), image.begin());
}

std::string SimFirmwareVersion(const Bytes& image) {
  if (image.size() < kVersionBytes) return {};
  const auto end = std::find(image.begin(), image.begin() + kVersionBytes, 0);
  const bool padded = end != image.begin() + kVersionBytes && std::all_of(end, image.begin() + kVersionBytes,
                                                                            [](std::uint8_t b) { return b == 0; });
  const bool printable = std::all_of(image.begin(), end, [](std::uint8_t b) { return b > 32 && b < 127; });
  return padded && printable ? std::string(image.begin(), end) : std::string();
}

void SimClassicFirmware::OnOutputReport(const Bytes& report, ISimReplies& replies) {
  if (restarting_ && static_cast<std::int32_t>(clock_.GetTickCount() - restartEnds_) < 0) return;
  restarting_ = false;
  const std::uint8_t* frame = report.data() + 1;
  std::size_t room = report.size() - 1;
  bool firmwareFrame = room >= 8 && frame[0] == device.start && (frame[1] == 12 || frame[1] == 4) &&
                       frame[2] != static_cast<std::uint8_t>(~frame[1]);
  if (!firmwareFrame) return device.OnOutputReport(report, replies);
  std::size_t n = frame[2];
  if (n > 16 || n + 8 > room || !CrcAt(Crc16Xmodem(frame, n + 5), frame + n + 5) || frame[n + 7] != device.end)
    return;
  Bytes& part = frame[1] == 12 ? partA : partB;
  std::size_t at = 16 * static_cast<std::size_t>(frame[3] | frame[4] << 8);
  if (part.size() < at + n) part.resize(at + n);
  std::copy_n(frame + 5, n, part.begin() + static_cast<std::ptrdiff_t>(at));
  replies.Reply({device.start, 2, static_cast<std::uint8_t>(~2), device.end});
  if (n == 16) return;
  if (frame[1] == 4) {
    partBComplete = true;
    if (std::string version = SimFirmwareVersion(partA); partAComplete && !version.empty())
      NameSimFirmwareVersion(device.infoBlock, version);
    return;
  }
  partAComplete = true;
  ++restarts;
  restarting_ = true;
  restartEnds_ = clock_.GetTickCount() + restartMs;
}

void SimRegisterFirmware::TakePiece(const Bytes& report, ISimReplies&) {
  std::size_t n = std::min({kPieceBytes, expected_ - block_.size(), report.size() - 1});
  block_.insert(block_.end(), report.begin() + 1, report.begin() + 1 + static_cast<std::ptrdiff_t>(n));
}

void SimRegisterFirmware::OnOutputReport(const Bytes& report, ISimReplies& replies) {
  if (block_.size() < expected_) return TakePiece(report, replies);
  const std::uint8_t* frame = report.data() + 1;
  std::size_t room = report.size() - 1;
  bool request = room >= 12 && frame[0] == 0x01 && frame[1] == 0xFE && frame[2] == 0x04;
  std::uint8_t function = request ? frame[3] : 0;
  if (function == 0x06 && frame[4] == 0x2A && frame[5] == 0xF8 && CrcAt(Crc16Modbus(frame, 8), frame + 8)) {
    started = true;
    image.clear();
    return replies.Reply(RegisterReply(frame, 0x06, 0));
  }
  if (function == 0x41 && CrcAt(Crc16Modbus(frame, 10), frame + 10)) {
    std::size_t blockIndex = static_cast<std::size_t>(frame[4] << 8 | frame[5]);
    std::size_t size = static_cast<std::size_t>(frame[6] << 8 | frame[7]);
    if (frame[9] == 0) {  // announce: the data frame follows in pieces
      block_.clear();
      expected_ = size + 10;
      return replies.Reply(RegisterReply(frame, 0x41, 0));
    }
    bool intact = block_.size() == size + 10 && CrcAt(Crc16Modbus(block_.data(), size + 8), block_.data() + size + 8);
    if (intact && commitStatus == 10) {
      std::size_t at = kBlockBytes * blockIndex;
      if (image.size() < at + size) image.resize(at + size);
      std::copy_n(block_.begin() + 8, size, image.begin() + static_cast<std::ptrdiff_t>(at));
    }
    block_.clear();
    expected_ = 0;
    return replies.Reply(RegisterReply(frame, 0x41, intact ? commitStatus : 0));
  }
  if (function == 0x10 && frame[4] == 0x2A && frame[5] == 0xF9 && room >= 27 &&
      CrcAt(Crc16Modbus(frame, 25), frame + 25)) {
    ended = true;
    return replies.Reply(RegisterReply(frame, 0x10, 0));
  }
  device.OnOutputReport(report, replies);
}

}  // namespace hid
