#include "device/DeviceFrames.h"

#include "platform/hid/Crc16.h"

namespace device {
namespace {

void AppendCrc(Frame& frame, std::uint16_t crc) {
  frame.push_back(crc & 0xFF);
  frame.push_back(crc >> 8);
}

Frame ClassicWithCrc(Frame head, std::uint8_t end) {
  AppendCrc(head, hid::Crc16Xmodem(head.data(), head.size()));
  head.push_back(end);
  return head;
}

Frame RegisterWithCrc(Frame head) {
  AppendCrc(head, hid::Crc16Modbus(head.data(), head.size()));
  return head;
}

std::uint8_t Hi(std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); }
std::uint8_t Lo(std::uint16_t v) { return static_cast<std::uint8_t>(v & 0xFF); }

}  // namespace

Frame ShortFrame(FrameMarkers markers, std::uint8_t c) {
  return {markers.start, c, static_cast<std::uint8_t>(~c), markers.end};
}

Frame ModeCommandFrame(FrameMarkers markers, std::uint8_t c, std::uint8_t mode) {
  return ClassicWithCrc({markers.start, c, 1, 0, 0, mode}, markers.end);
}

Frame CommandFrame(FrameMarkers markers, std::uint8_t c, std::uint8_t x) {
  return ClassicWithCrc({markers.start, c, 0, 0, x}, markers.end);
}

Frame LinkCommandFrame(FrameMarkers markers, std::uint8_t c, std::uint8_t sub, std::uint8_t arg) {
  return ClassicWithCrc({markers.start, c, 0, sub, arg}, markers.end);
}

Frame ClassicDataFrame(FrameMarkers markers, std::uint8_t c, std::uint16_t idx, const std::uint8_t* data,
                       std::size_t n) {
  Frame head{markers.start, c, static_cast<std::uint8_t>(n), Lo(idx), Hi(idx)};
  head.insert(head.end(), data, data + n);
  return ClassicWithCrc(std::move(head), markers.end);
}

Frame RegisterRequest(std::uint8_t function, std::uint16_t address, std::uint16_t value) {
  return RegisterWithCrc({0x01, 0xFE, 0x04, function, Hi(address), Lo(address), Hi(value), Lo(value)});
}

Frame RegisterWriteFrame(std::uint16_t address, const std::uint8_t* data, std::size_t n) {
  std::uint16_t registers = static_cast<std::uint16_t>(n / 2);
  Frame head{0x01, 0xFE, 0x04, 0x17, Hi(address), Lo(address), Hi(registers), Lo(registers),
             Hi(address), Lo(address), Hi(registers), Lo(registers), static_cast<std::uint8_t>(n)};
  head.insert(head.end(), data, data + n);
  return RegisterWithCrc(std::move(head));
}

Frame RegisterProgramStartFrame() { return RegisterWithCrc({0x01, 0xFE, 0x04, 0x06, 0x2A, 0xF8, 0x55, 0x00}); }

Frame RegisterProgramEndFrame(const std::uint8_t* last16) {
  Frame head{0x01, 0xFE, 0x04, 0x10, 0x2A, 0xF9, 0x00, 0x08, 0x10};
  head.insert(head.end(), last16, last16 + 16);
  return RegisterWithCrc(std::move(head));
}

Frame RegisterBlockControlFrame(std::uint16_t block, std::uint16_t size, bool commit) {
  return RegisterWithCrc({0x01, 0xFE, 0x04, 0x41, Hi(block), Lo(block), Hi(size), Lo(size), 0x00,
                          static_cast<std::uint8_t>(commit ? 1 : 0)});
}

Frame RegisterBlockDataFrame(std::uint16_t block, const std::uint8_t* data, std::uint16_t size) {
  Frame head{0x01, 0xFE, 0x04, 0x42, Hi(block), Lo(block), Hi(size), Lo(size)};
  head.insert(head.end(), data, data + size);
  return RegisterWithCrc(std::move(head));
}

}  // namespace device
