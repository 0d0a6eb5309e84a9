#pragma once
// The two checksums of the device frames. Frames store them low byte first.
#include <cstddef>
#include <cstdint>

namespace hid {

/// CRC-16/XMODEM: polynomial 0x1021, initial 0, no reflection, no final XOR
/// (check value 0x31C3 over "123456789"). Classic frames.
std::uint16_t Crc16Xmodem(const std::uint8_t* data, std::size_t length);

/// CRC-16/MODBUS: initial 0xFFFF, reflected polynomial 0xA001, no final XOR
/// (check value 0x4B37 over "123456789"). Register frames.
std::uint16_t Crc16Modbus(const std::uint8_t* data, std::size_t length);

}  // namespace hid
