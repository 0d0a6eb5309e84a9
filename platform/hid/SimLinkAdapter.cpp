#include "platform/hid/SimLinkAdapter.h"

#include <algorithm>

#include "platform/hid/Crc16.h"
#include "platform/hid/SimFirmware.h"
#include "platform/hid/SimModels.h"

namespace hid {
namespace {

constexpr std::uint8_t kLinkStart = 0xA8;
constexpr std::uint8_t kScanStart = 0xA6;
constexpr std::uint8_t kChannelReportId = 10;
constexpr std::size_t kChannelReportBytes = 49;
constexpr std::size_t kChannelFrameRoom = 47;  // bytes 1..47; byte 48 holds the length
constexpr std::size_t kStatusBytes = 24;

std::uint8_t EndOf(std::uint8_t start) {
  switch (start) {
    case 0xA5: return 0x5A;
    case 0xA6: return 0x6A;
    case 0xA8: return 0x8A;
    default: return 0;
  }
}

// S, c, 0, sub, arg, crc, E with c one of the adapter's own commands.
bool IsLinkCommand(const std::uint8_t* frame, std::size_t room, std::uint8_t end) {
  if (room < 8 || frame[7] != end) return false;
  std::uint8_t c = frame[1];
  if (c != 17 && c != 18 && c != 21) return false;
  std::uint16_t crc = Crc16Xmodem(frame, 5);
  return frame[5] == (crc & 0xFF) && frame[6] == (crc >> 8);
}

int ModeOf(std::uint8_t sub, std::uint8_t arg) {
  if (arg == 1) return 1;
  if (arg == 2) return 2 + std::min<int>(sub, 2);
  return arg == 3 ? 5 : 0;
}

// A Modbus reply as the adapter sends it: the frame, zero fill, and its
// length in the last byte of the 48 that follow the report ID.
Bytes ChannelReplyFrame(Bytes modbus) {
  Bytes frame(kChannelReportBytes - 1, 0);
  std::copy(modbus.begin(), modbus.end(), frame.begin());
  frame.back() = static_cast<std::uint8_t>(modbus.size());
  return frame;
}

// A classic controller on a channel behind its firmware loader, speaking
// the channel markers of the adapter's current mode.
class ChannelController final : public ISimDevice {
 public:
  ChannelController(const SimLinkAdapter& adapter, SimClassicDevice device, ITickClock& clock)
      : adapter_(adapter), loader_(clock) {
    loader_.device = std::move(device);
  }
  void OnOutputReport(const Bytes& report, ISimReplies& replies) override {
    loader_.device.start = adapter_.Mode() == 3 ? 0xA6 : 0xA5;
    loader_.device.end = EndOf(loader_.device.start);
    loader_.OnOutputReport(report, replies);
  }

 private:
  const SimLinkAdapter& adapter_;
  SimClassicFirmware loader_;
};

}  // namespace

std::shared_ptr<SimLinkAdapter> MakeSimLinkAdapter(ITickClock& clock) {
  static const SimModel kAdapter{"PORTAVEX", true, "QV_PORTAVEX", "PORTAVEX_V1", "V1.0", {176, 64, 192, 0, 96, 32},
                                 240, 1, {}};
  auto adapter = std::make_shared<SimLinkAdapter>();
  adapter->own.infoBlock = SimInfoBlock(kAdapter);
  const SimModel& controller = *FindSimModel("CAR_ESC");
  for (std::size_t n : {0u, 2u}) {
    adapter->channels[n].present = true;
    adapter->channels[n].esc =
        std::make_shared<ChannelController>(*adapter, *MakeSimModelDevice(controller).classic, clock);
  }
  adapter->channels[1].present = adapter->channels[1].refuses = true;
  adapter->channels[0].registers = {0x00, 0xA4, 0x11, 0x22, 0x33, 0x44, 0x00, 0x01};
  adapter->channels[2].registers = {0x00, 0x40, 0x55, 0x66, 0x77, 0x88, 0x00, 0x00};
  return adapter;
}

SimLinkAdapter::SimLinkAdapter() {
  own.start = kLinkStart;
  own.end = EndOf(kLinkStart);
}

// The scan markers reach the adapter itself only in its CAN modes, before a
// channel is chosen; in any other mode they are a motor checker's, and no
// motor checker is there.
bool SimLinkAdapter::OwnFrame(std::uint8_t start) const {
  const bool canMode = mode_ == 3 || mode_ == 4;
  return start == kLinkStart || (start == kScanStart && selected_ == 0 && canMode);
}

void SimLinkAdapter::OnOutputReport(const Bytes& report, ISimReplies& replies) {
  if (report.size() >= kChannelReportBytes && report[0] == kChannelReportId && report[2] != 0xFE)
    return OnChannelModbus(report, replies);
  if (report.size() < 5) return;
  const std::uint8_t* frame = report.data() + 1;
  std::size_t room = report.size() - 1;
  std::uint8_t start = frame[0], end = EndOf(start);
  if (end == 0) return;
  if (IsLinkCommand(frame, room, end)) return OnLinkCommand(start, end, frame, replies);
  if (selected_ != 0 && start == ChannelStart()) {
    if (auto& esc = channels[static_cast<std::size_t>(selected_ - 1)].esc) esc->OnOutputReport(report, replies);
    return;
  }
  if (!OwnFrame(start)) return;
  own.start = start;  // the adapter answers in the markers it is spoken to
  own.end = end;
  own.OnOutputReport(report, replies);
}

void SimLinkAdapter::OnLinkCommand(std::uint8_t start, std::uint8_t end, const std::uint8_t* frame,
                                   ISimReplies& replies) {
  std::uint8_t c = frame[1], sub = frame[3], arg = frame[4];
  auto ack = [&](std::uint8_t a) { replies.Reply({start, a, static_cast<std::uint8_t>(~a), end}); };
  switch (c) {
    case 17: {
      Bytes status(kStatusBytes, 0);
      status[0] = start;
      status[1] = 17;
      for (std::size_t n = 0; n < channels.size(); ++n) status[5 + n] = channels[n].present ? 1 : 0;
      status[kStatusBytes - 1] = end;
      replies.Reply(status);
      break;
    }
    case 18: {
      requests_.push_back(arg);
      selected_ = 0;
      if (arg < 1 || arg > channels.size()) return;
      const SimLinkChannel& channel = channels[arg - 1u];
      if (!channel.present || channel.refuses) return;
      selected_ = arg;
      ack(2);
      break;
    }
    default: {  // 21; identification repeats it for the mode in use, which keeps the channel
      int mode = ModeOf(sub, arg);
      if (mode != mode_) selected_ = 0;
      mode_ = mode;
      ack(21);
      break;
    }
  }
}

void SimLinkAdapter::OnChannelModbus(const Bytes& report, ISimReplies& replies) {
  std::size_t n = report[kChannelReportBytes - 1];
  if (mode_ != 5 || selected_ == 0 || n < 4 || n > kChannelFrameRoom) return;
  const std::uint8_t* frame = report.data() + 1;
  std::uint16_t crc = Crc16Modbus(frame, n - 2);
  if (frame[0] != 0x01 || frame[n - 2] != (crc & 0xFF) || frame[n - 1] != (crc >> 8)) return;
  SimLinkChannel& channel = channels[static_cast<std::size_t>(selected_ - 1)];
  std::uint8_t function = frame[1];
  Bytes reply;
  bool registers0to3 = n >= 8 && frame[2] == 0 && frame[3] == 0 && frame[4] == 0 && frame[5] == 4;
  if (function == 0x03 && registers0to3 && channel.errorReplies == 0) {
    reply.assign(3 + channel.registers.size(), 0);
    reply[0] = 0x01, reply[1] = function, reply[2] = 8;
    std::copy(channel.registers.begin(), channel.registers.end(), reply.begin() + 3);
  } else if (function == 0x10 && registers0to3 && n == 17 && frame[6] == 8) {
    std::copy_n(frame + 7, 8, channel.registers.begin());
    reply = {0x01, function, 0x00, 0x00, 0x00, 0x04};
  } else {
    if (function == 0x03 && channel.errorReplies > 0) --channel.errorReplies;
    reply = {0x01, static_cast<std::uint8_t>(function | 0x80), 0x02};
  }
  AppendCrcModbus(reply);
  if (channel.corruptReplies > 0) {
    --channel.corruptReplies;
    reply.back() ^= 0xFF;
  }
  replies.Reply(ChannelReplyFrame(reply));
}

}  // namespace hid
