#pragma once
// The command numbers of the device protocol as the jobs name them (classic
// frames carry them as they stand; the register protocol maps them onto
// register requests), and what an acknowledgement wait returns.
#include <cstdint>

namespace device {

constexpr std::uint8_t kCmdHandshake = 0;
constexpr std::uint8_t kCmdHandshakeAnswer = 1;  ///< the device's answer to the handshake
constexpr std::uint8_t kCmdBlockAccepted = 2;    ///< block and link-command acknowledgement
constexpr std::uint8_t kCmdRepeatBlock = 3;
constexpr std::uint8_t kCmdFirmwarePartB = 4;
constexpr std::uint8_t kCmdNoHandshakeStart = 5;  ///< sent when automatic connection is off
constexpr std::uint8_t kCmdReadInfo = 7;
constexpr std::uint8_t kCmdWriteSettings = 8;
constexpr std::uint8_t kCmdReadSettings = 9;
constexpr std::uint8_t kCmdRestoreDefaults = 10;
constexpr std::uint8_t kCmdFirmwarePartA = 12;
constexpr std::uint8_t kCmdDataLog = 14;
constexpr std::uint8_t kCmdSelectMode = 15;
constexpr std::uint8_t kCmdChannelStatus = 17;
constexpr std::uint8_t kCmdSelectChannel = 18;  ///< link command, argument the channel 1..8
constexpr std::uint8_t kCmdSetLinkMode = 21;    ///< link command, argument 1, 2 or 3

/// Results of WaitAck and its kin.
constexpr int kAckExpected = 0;  ///< the expected reply arrived
constexpr int kAckOther = 1;     ///< another reply arrived
constexpr int kAckNone = 2;      ///< no reply, or no adapter listed
constexpr int kAckRestart = 3;   ///< the device restarts (register protocol only)

}  // namespace device
