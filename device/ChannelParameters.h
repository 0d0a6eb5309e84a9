#pragma once
// The channel-parameter page of link mode 5: the link adapter forwards Modbus
// RTU frames (slave 1, registers 0..3) to the speed controller on the channel
// chosen with rbChannel1..rbChannel8. Two settings are read and written: the
// light colour (d1 bits 5, 6, 7 for cbRed, cbGreen, cbBlue) and the rotation
// (d7: 0 rbCW, 1 rbCCW). Results appear as first lines of sMessage.
//
// On the USB side a frame travels in a 49-byte report: report ID 10, the
// frame from byte 1, its length at byte 48. A reply counts only as a 49-byte
// input report whose byte 1 is the slave address 1 and whose frame carries a
// good CRC-16/MODBUS.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/FormComponents.h"

namespace device {

class ChannelParameters {
 public:
  static constexpr std::size_t kReplyBytes = 48;
  using Reply = std::array<std::uint8_t, kReplyBytes>;

  ChannelParameters(DeviceLink& link, IFormComponents& components) : link_(link), components_(components) {}

  /// Selects the channel of the first checked channel button (channel 1 when
  /// none is) and writes `frame` to it. False when six selections went
  /// unacknowledged, the attempts ran out or the write failed.
  bool SendChannelFrame(const std::vector<std::uint8_t>& frame);
  /// One read of at most `timeoutMs` for a reply (see above); its 48 frame
  /// bytes go to `destination`. A pulled-out adapter counts as no reply.
  bool ReadChannelReply(Reply& destination, std::uint32_t timeoutMs);
  /// Writes `frame` (at most 47 bytes) as one channel report; false at once
  /// when no adapter is open.
  bool WriteChannelReport(const std::vector<std::uint8_t>& frame);
  /// Inserts "<checked channel caption>: <text>" as the first line of sMessage.
  void LogChannelMessage(const std::string& text);

  /// Reads colour and rotation into the controls and enables btnWrite.
  void btnReadClick();
  /// Writes the controls' colour and rotation, keeping d2..d5 of the last read.
  void btnWriteClick();
  /// A new channel: colours cleared, clockwise, btnWrite disabled until it is read.
  void rbChannelChange();

  /// d2..d5 of the last successful read (zero until then), written back unchanged.
  const std::array<std::uint8_t, 4>& ChannelRegisterBytes() const { return registerBytes_; }

 private:
  int SelectedChannel();

  DeviceLink& link_;
  IFormComponents& components_;
  std::array<std::uint8_t, 4> registerBytes_{};
};

}  // namespace device
