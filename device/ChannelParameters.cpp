#include "device/ChannelParameters.h"

#include <algorithm>

#include "device/ProtocolCommands.h"
#include "platform/hid/Crc16.h"

namespace device {
namespace {

constexpr int kChannels = 8;
constexpr int kSelectAttempts = 50;  // sent or not; see SendChannelFrame
constexpr int kSelectFailures = 6;
constexpr std::uint32_t kReplyTimeoutMs = 150;
constexpr std::uint8_t kReportId = 10;
constexpr std::size_t kReportBytes = 49;
constexpr std::size_t kLengthByte = 48;
constexpr std::uint8_t kSlave = 0x01;
constexpr std::uint8_t kReadHoldingRegisters = 0x03;
constexpr std::uint8_t kWriteRegisters = 0x10;

constexpr std::uint8_t kRed = 0x20, kGreen = 0x40, kBlue = 0x80;
constexpr std::uint8_t kColourWriteBase = 0x04;

void AppendCrc(std::vector<std::uint8_t>& frame) {
  std::uint16_t crc = hid::Crc16Modbus(frame.data(), frame.size());
  frame.push_back(crc & 0xFF);
  frame.push_back(crc >> 8);
}

// 01 03 00 00 00 04 crc: registers 0..3.
std::vector<std::uint8_t> ReadRequest() {
  std::vector<std::uint8_t> frame{kSlave, kReadHoldingRegisters, 0x00, 0x00, 0x00, 0x04};
  AppendCrc(frame);
  return frame;
}

// 01 10 00 00 00 04 08 d0..d7 crc: registers 0..3.
std::vector<std::uint8_t> WriteRequest(const std::array<std::uint8_t, 8>& data) {
  std::vector<std::uint8_t> frame{kSlave, kWriteRegisters, 0x00, 0x00, 0x00, 0x04, 0x08};
  frame.insert(frame.end(), data.begin(), data.end());
  AppendCrc(frame);
  return frame;
}

// The length of a reply frame by its function: a register read carries its
// byte count, a write echoes address and count, an exception one code byte.
// 0 when the reply cannot be one of ours or does not fit.
std::size_t ReplyLength(const ChannelParameters::Reply& reply) {
  std::uint8_t function = reply[1];
  std::size_t length = function & 0x80                      ? 5
                       : function == kReadHoldingRegisters ? 5 + std::size_t{reply[2]}
                       : function == kWriteRegisters       ? 8
                                                           : 0;
  return length <= reply.size() ? length : 0;
}

bool CrcIsGood(const ChannelParameters::Reply& reply) {
  std::size_t length = ReplyLength(reply);
  if (length == 0) return false;
  std::uint16_t crc = hid::Crc16Modbus(reply.data(), length - 2);
  return reply[length - 2] == (crc & 0xFF) && reply[length - 1] == (crc >> 8);
}

}  // namespace

int ChannelParameters::SelectedChannel() {
  for (int n = 1; n <= kChannels; ++n)
    if (components_.Checked(ChannelComponent("rbChannel", n))) return n;
  return 1;
}

bool ChannelParameters::SendChannelFrame(const std::vector<std::uint8_t>& frame) {
  auto n = static_cast<std::uint8_t>(SelectedChannel());
  int failures = 0;
  // A link command that cannot be sent at all ends after the attempts too.
  for (int attempt = 0; attempt < kSelectAttempts && link_.AdapterListed(); ++attempt) {
    link_.Services().pump.ProcessMessages();
    if (link_.SendLinkCommand(kCmdSelectChannel, n) == 0) continue;
    if (link_.WaitAckShort(kCmdBlockAccepted) == kAckExpected) return WriteChannelReport(frame);
    if (++failures >= kSelectFailures) return false;
  }
  return false;
}

bool ChannelParameters::WriteChannelReport(const std::vector<std::uint8_t>& frame) {
  if (!link_.AdapterOpen() || frame.size() >= kLengthByte) return false;
  DeviceLink::Report report{};
  report[0] = kReportId;
  std::copy(frame.begin(), frame.end(), report.begin() + 1);
  report[kLengthByte] = static_cast<std::uint8_t>(frame.size());
  return link_.WriteReport(report);
}

// A reply whose CRC does not match is no reply: its register bytes would
// otherwise be written back to the controller by the next write.
bool ChannelParameters::ReadChannelReply(Reply& destination, std::uint32_t timeoutMs) {
  DeviceLink::Report report;
  int read = 0;
  try {
    read = link_.ReadReport(report, static_cast<int>(timeoutMs));
  } catch (const hid::EDeviceRemoved&) {
    return false;
  }
  if (read != static_cast<int>(kReportBytes) || report[1] != kSlave) return false;
  Reply reply;
  std::copy_n(report.begin() + 1, kReplyBytes, reply.begin());
  if (!CrcIsGood(reply)) return false;
  destination = reply;
  return true;
}

void ChannelParameters::LogChannelMessage(const std::string& text) {
  std::string caption;
  for (int n = 1; n <= kChannels && caption.empty(); ++n) {
    std::string button = ChannelComponent("rbChannel", n);
    if (components_.Checked(button)) caption = components_.Text(button);
  }
  components_.InsertFirstLine("sMessage", caption + ": " + text);
}

void ChannelParameters::btnReadClick() {
  ITexts& texts = link_.Services().texts;
  std::string message = texts.LangText("parameter_error", "Error to Read Parameter.");
  Reply reply{};
  bool answered = SendChannelFrame(ReadRequest()) && ReadChannelReply(reply, kReplyTimeoutMs);
  if (answered && reply[1] == kReadHoldingRegisters && reply[2] == 8) {
    const std::uint8_t* d = reply.data() + 3;
    std::copy_n(d + 2, registerBytes_.size(), registerBytes_.begin());
    components_.SetChecked("cbRed", d[1] & kRed);
    components_.SetChecked("cbGreen", d[1] & kGreen);
    components_.SetChecked("cbBlue", d[1] & kBlue);
    components_.SetChecked("rbCW", d[7] == 0);
    components_.SetChecked("rbCCW", d[7] == 1);
    components_.SetEnabled("btnWrite", true);
    message = texts.LangText("ReadSuccess", "Read the success.");
  }
  LogChannelMessage(message);
}

void ChannelParameters::btnWriteClick() {
  std::array<std::uint8_t, 8> data{};
  data[1] = kColourWriteBase;
  if (components_.Checked("cbRed")) data[1] |= kRed;
  if (components_.Checked("cbGreen")) data[1] |= kGreen;
  if (components_.Checked("cbBlue")) data[1] |= kBlue;
  std::copy(registerBytes_.begin(), registerBytes_.end(), data.begin() + 2);
  data[7] = components_.Checked("rbCW") ? 0 : 1;

  Reply reply{};
  bool saved = SendChannelFrame(WriteRequest(data)) && ReadChannelReply(reply, kReplyTimeoutMs) &&
               reply[1] == kWriteRegisters;
  ITexts& texts = link_.Services().texts;
  LogChannelMessage(saved ? texts.LangText("setting_succ", "Save success") : texts.LangText("setting_fail", "Save fail"));
}

void ChannelParameters::rbChannelChange() {
  link_.Services().view.DebugOutput("rb change");
  for (const char* colour : {"cbRed", "cbBlue", "cbGreen"}) components_.SetChecked(colour, false);
  components_.SetChecked("rbCW", true);
  components_.SetEnabled("btnWrite", false);
}

}  // namespace device
