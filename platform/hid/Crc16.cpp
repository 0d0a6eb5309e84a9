#include "platform/hid/Crc16.h"

#include <array>

namespace hid {
namespace {

constexpr std::array<std::uint16_t, 256> MakeXmodemTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    std::uint16_t crc = static_cast<std::uint16_t>(i << 8);
    for (int bit = 0; bit < 8; ++bit)
      crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    table[i] = crc;
  }
  return table;
}

constexpr auto kXmodemTable = MakeXmodemTable();

}  // namespace

std::uint16_t Crc16Xmodem(const std::uint8_t* data, std::size_t length) {
  std::uint16_t crc = 0;
  for (std::size_t i = 0; i < length; ++i)
    crc = static_cast<std::uint16_t>((crc << 8) ^ kXmodemTable[((crc >> 8) ^ data[i]) & 0xFF]);
  return crc;
}

std::uint16_t Crc16Modbus(const std::uint8_t* data, std::size_t length) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = static_cast<std::uint16_t>((crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1);
  }
  return crc;
}

}  // namespace hid
