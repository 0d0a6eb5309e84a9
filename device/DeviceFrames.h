#pragma once
// The device frames of both protocols, built byte for byte. Every CRC is
// stored low byte first.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/DeviceState.h"

namespace device {

using Frame = std::vector<std::uint8_t>;

// Classic framed protocol (CRC-16/XMODEM).

/// S, c, ~c, E: short command and acknowledgement ack(c).
Frame ShortFrame(FrameMarkers markers, std::uint8_t c);
/// S, c, 1, 0, 0, mode, crc, E (CRC over 6 bytes): commands 9 and 10.
Frame ModeCommandFrame(FrameMarkers markers, std::uint8_t c, std::uint8_t mode);
/// S, c, 0, 0, x, crc, E (CRC over 5 bytes).
Frame CommandFrame(FrameMarkers markers, std::uint8_t c, std::uint8_t x);
/// S, c, 0, sub, arg, crc, E (CRC over 5 bytes).
Frame LinkCommandFrame(FrameMarkers markers, std::uint8_t c, std::uint8_t sub, std::uint8_t arg);
/// S, c, n, idx lo, idx hi, n data bytes, crc, E (CRC over n + 5 bytes); n <= 16.
Frame ClassicDataFrame(FrameMarkers markers, std::uint8_t c, std::uint16_t idx,
                       const std::uint8_t* data, std::size_t n);

// Register protocol (CRC-16/MODBUS).

/// 01 FE 04 function, address, value, crc (10 bytes).
Frame RegisterRequest(std::uint8_t function, std::uint16_t address, std::uint16_t value);
/// 01 FE 04 17 a q a q n data crc: write and read back n / 2 registers at `address`.
Frame RegisterWriteFrame(std::uint16_t address, const std::uint8_t* data, std::size_t n);
/// 01 FE 04 06 2A F8 55 00 crc: start of a firmware transfer.
Frame RegisterProgramStartFrame();
/// 01 FE 04 10 2A F9 00 08 10, the image's last 16 bytes, crc (27 bytes).
Frame RegisterProgramEndFrame(const std::uint8_t* last16);
/// 01 FE 04 41 r s 00 commit, crc (12 bytes): announce (commit 0) or commit (1) block r of s bytes.
Frame RegisterBlockControlFrame(std::uint16_t block, std::uint16_t size, bool commit);
/// 01 FE 04 42 r s, the block's bytes, crc (s + 10 bytes).
Frame RegisterBlockDataFrame(std::uint16_t block, const std::uint8_t* data, std::uint16_t size);

}  // namespace device
