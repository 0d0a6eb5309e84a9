#pragma once
// Emulated devices for the simulated adapter: a speed controller speaking the
// classic framed protocol and one speaking the register protocol. Each holds
// its information block, settings image, factory defaults and data log; tests
// and end-to-end runs read back what the host wrote.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/hid/SimulatedHid.h"

namespace hid {

/// The stored settings of a multi-mode controller, one bank per mode. The
/// device's `settings` and `defaults` are those of the current mode; Select
/// stores them into their bank and takes out the banks of another mode.
struct SimModeBanks {
  std::vector<Bytes> settings, defaults;  ///< empty: a single-mode device
  std::size_t mode = 0;
  /// Switches to mode `m` when it has a bank; any other value keeps the mode.
  void Select(std::size_t m, Bytes& current, Bytes& currentDefaults);
};

/// A device of the classic framed protocol (frames S ... E with CRC-16/XMODEM).
/// Answers: 0 -> ack(1); 7/9 -> the information block / settings image as a
/// stream of data frames (host answer 2: next frame, 3: the same again); 8 ->
/// data frames stored at `writeOffset` + 16 idx, each acknowledged with
/// ack(2); 10 -> ack(2) and defaults restored; 14 -> ack(2) and the data log
/// streamed; 15 -> ack(15); 17 -> a status frame with `channels`.
class SimClassicDevice final : public ISimDevice {
 public:
  std::uint8_t start = 0xA5;
  std::uint8_t end = 0x5A;
  Bytes infoBlock = Bytes(80, 0);
  Bytes settings;                 ///< what command 9 streams
  Bytes defaults;                 ///< what command 10 restores into `settings`
  Bytes dataLog;                  ///< what command 14 streams
  std::size_t writeOffset = 0;    ///< where command 8 data lands in `settings`
  std::array<std::uint8_t, 8> channels{};
  int lastModeByte = -1;          ///< mode byte of the last command 9 or 10
  SimModeBanks banks;             ///< commands 9 and 10 select the bank of their mode byte

  void OnOutputReport(const Bytes& report, ISimReplies& replies) override;

 private:
  Bytes Ack(std::uint8_t c) const;
  Bytes DataFrame(std::uint8_t c, std::size_t idx) const;
  void StartStream(std::uint8_t c, const Bytes& data, ISimReplies& replies);
  void OnDataFrame(const std::uint8_t* frame, std::size_t length, ISimReplies& replies);

  std::uint8_t streamCommand_ = 0;
  Bytes stream_;
  std::size_t streamIdx_ = 0;
  bool streaming_ = false;
};

/// A device of the register protocol (requests 01 FE 04 ..., replies FE ...,
/// CRC-16/MODBUS). Registers 0x2C25.. hold `info` (64 bytes), 0x3138.. hold
/// `settings` (4096 bytes, 0x3538 is its byte 2048, the write window).
class SimRegisterDevice final : public ISimDevice {
 public:
  Bytes info = Bytes(64, 0);
  Bytes settings = Bytes(4096, 0);
  Bytes defaults = Bytes(4096, 0);
  int errorReplies = 0;           ///< the next k read requests get a 0x83 error reply
  int lastModeValue = -1;         ///< value written to 0x2B03

  void OnOutputReport(const Bytes& report, ISimReplies& replies) override;

 private:
  void OnRead(std::uint16_t address, ISimReplies& replies);
  void OnWrite(const std::uint8_t* frame, std::size_t length, ISimReplies& replies);
};

/// Appends the CRC (low byte first) of the frame so far.
void AppendCrcXmodem(Bytes& frame);
void AppendCrcModbus(Bytes& frame);

}  // namespace hid
