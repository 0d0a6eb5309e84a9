#include "platform/hid/SimDevices.h"

#include <algorithm>

#include "platform/hid/Crc16.h"
#include "platform/hid/HidReportMap.h"

namespace hid {

void AppendCrcXmodem(Bytes& frame) {
  std::uint16_t crc = Crc16Xmodem(frame.data(), frame.size());
  frame.push_back(crc & 0xFF);
  frame.push_back(crc >> 8);
}

void AppendCrcModbus(Bytes& frame) {
  std::uint16_t crc = Crc16Modbus(frame.data(), frame.size());
  frame.push_back(crc & 0xFF);
  frame.push_back(crc >> 8);
}

namespace {

// The frame inside an output report: its length follows from the report ID
// only on the way in, so take everything after byte 0 and let the parsers
// find their own end.
const std::uint8_t* FrameOf(const Bytes& report) { return report.data() + 1; }

bool CrcLowFirstMatches(std::uint16_t crc, const std::uint8_t* at) {
  return at[0] == (crc & 0xFF) && at[1] == (crc >> 8);
}

}  // namespace

void SimModeBanks::Select(std::size_t m, Bytes& current, Bytes& currentDefaults) {
  if (m >= settings.size() || m == mode) return;
  settings[mode] = std::move(current);
  defaults[mode] = std::move(currentDefaults);
  current = settings[m];
  currentDefaults = defaults[m];
  mode = m;
}

Bytes SimClassicDevice::Ack(std::uint8_t c) const {
  return {start, c, static_cast<std::uint8_t>(~c), end};
}

Bytes SimClassicDevice::DataFrame(std::uint8_t c, std::size_t idx) const {
  std::size_t offset = std::min(16 * idx, stream_.size());
  std::size_t n = std::min<std::size_t>(16, stream_.size() - offset);
  Bytes frame(5 + n);
  frame[0] = start;
  frame[1] = c;
  frame[2] = static_cast<std::uint8_t>(n);
  frame[3] = static_cast<std::uint8_t>(idx & 0xFF);
  frame[4] = static_cast<std::uint8_t>(idx >> 8);
  std::copy_n(stream_.begin() + offset, n, frame.begin() + 5);
  AppendCrcXmodem(frame);
  frame.push_back(end);
  return frame;
}

void SimClassicDevice::StartStream(std::uint8_t c, const Bytes& data, ISimReplies& replies) {
  streamCommand_ = c;
  stream_ = data;
  streamIdx_ = 0;
  streaming_ = true;
  replies.Reply(DataFrame(c, 0));
}

void SimClassicDevice::OnOutputReport(const Bytes& report, ISimReplies& replies) {
  if (report.size() < 5) return;
  const std::uint8_t* frame = FrameOf(report);
  std::size_t room = report.size() - 1;
  if (frame[0] != start) return;
  std::uint8_t c = frame[1];
  if (frame[3] == end && frame[2] == static_cast<std::uint8_t>(~c)) {  // short frame
    if (c == 0) replies.Reply(Ack(1));
    if (!streaming_) return;
    if (c == 2 && 16 * streamIdx_ + 16 <= stream_.size()) replies.Reply(DataFrame(streamCommand_, ++streamIdx_));
    else if (c == 2) streaming_ = false;
    if (c == 3) replies.Reply(DataFrame(streamCommand_, streamIdx_));
    return;
  }
  if (c == 8 || c == 4 || c == 12) return OnDataFrame(frame, room, replies);
  if (room < 9) return;
  bool modeFrame = room >= 9 && frame[2] == 1 && frame[8] == end &&
                   CrcLowFirstMatches(Crc16Xmodem(frame, 6), frame + 6);
  bool commandFrame = frame[7] == end && CrcLowFirstMatches(Crc16Xmodem(frame, 5), frame + 5);
  if (!modeFrame && !commandFrame) return;
  if (modeFrame) {
    lastModeByte = frame[5];
    banks.Select(frame[5], settings, defaults);
  }
  switch (c) {
    case 7: StartStream(7, infoBlock, replies); break;
    case 9: StartStream(9, settings, replies); break;
    case 10:
      settings = defaults;
      replies.Reply(Ack(2));
      break;
    case 14:
      replies.Reply(Ack(2));
      StartStream(14, dataLog, replies);
      break;
    case 15: replies.Reply(Ack(15)); break;
    case 17: {
      Bytes status(24, 0);
      status[0] = start;
      status[1] = 17;
      std::copy(channels.begin(), channels.end(), status.begin() + 5);
      status[23] = end;
      replies.Reply(status);
      break;
    }
    default: break;
  }
}

void SimClassicDevice::OnDataFrame(const std::uint8_t* frame, std::size_t room, ISimReplies& replies) {
  std::size_t n = frame[2];
  if (n > 16 || n + 8 > room) return;
  if (!CrcLowFirstMatches(Crc16Xmodem(frame, n + 5), frame + n + 5) || frame[n + 7] != end) return;
  std::size_t at = writeOffset + 16 * (frame[3] + 256 * frame[4]);
  if (frame[1] == 8 && at + n <= 32768) {
    if (settings.size() < at + n) settings.resize(at + n, 0);
    std::copy(frame + 5, frame + 5 + n, settings.begin() + at);
  }
  replies.Reply(Ack(2));
}

void SimRegisterDevice::OnOutputReport(const Bytes& report, ISimReplies& replies) {
  const std::uint8_t* frame = FrameOf(report);
  std::size_t room = report.size() - 1;
  if (room < 10 || frame[0] != 0x01 || frame[1] != 0xFE || frame[2] != 0x04) return;
  std::uint8_t function = frame[3];
  std::uint16_t address = static_cast<std::uint16_t>(frame[4] << 8 | frame[5]);
  if (function == 0x17) return OnWrite(frame, room, replies);
  if (!CrcLowFirstMatches(Crc16Modbus(frame, 8), frame + 8)) return;
  if (function == 0x03) return OnRead(address, replies);
  if (function == 0x06) {
    if (address == 0x2B01) settings = defaults;
    if (address == 0x2B03) lastModeValue = frame[6] << 8 | frame[7];
    Bytes reply{0xFE, 0x01, 0x04, 0x06, frame[4], frame[5], frame[6], frame[7]};
    AppendCrcModbus(reply);
    replies.Reply(reply);
  }
}

void SimRegisterDevice::OnRead(std::uint16_t address, ISimReplies& replies) {
  Bytes reply{0xFE, 0x01, 0x04, 0x03, static_cast<std::uint8_t>(address >> 8),
              static_cast<std::uint8_t>(address & 0xFF)};
  if (address == 0x2C24) {
    reply.insert(reply.end(), {0x02, 0x00, 0x01});
  } else if (errorReplies > 0) {
    --errorReplies;
    reply[3] = 0x83;
    reply.insert(reply.end(), {0x02, 0x00, 0x00});
  } else {
    const Bytes* area = nullptr;
    std::size_t offset = 0;
    if (address >= 0x2C25 && address < 0x2C25 + 32) area = &info, offset = 2 * (address - 0x2C25);
    if (address >= 0x3138 && address <= 0x3937) area = &settings, offset = 2 * (address - 0x3138);
    if (!area) return;
    reply.push_back(0x20);
    for (std::size_t i = 0; i < 32; ++i)
      reply.push_back(offset + i < area->size() ? (*area)[offset + i] : 0);
  }
  AppendCrcModbus(reply);
  replies.Reply(reply);
}

void SimRegisterDevice::OnWrite(const std::uint8_t* frame, std::size_t room, ISimReplies& replies) {
  std::size_t n = frame[12];
  if (room < 13 || n + 15 > room || !CrcLowFirstMatches(Crc16Modbus(frame, n + 13), frame + n + 13)) return;
  std::uint16_t address = static_cast<std::uint16_t>(frame[4] << 8 | frame[5]);
  if (address < 0x3138) return;
  std::size_t offset = 2 * (address - 0x3138);
  if (offset + n > settings.size()) settings.resize(offset + n, 0);
  std::copy(frame + 13, frame + 13 + n, settings.begin() + offset);
  Bytes reply{0xFE, 0x01, 0x04, 0x17, frame[4], frame[5], frame[6], frame[7]};
  AppendCrcModbus(reply);
  replies.Reply(reply);
}

}  // namespace hid
