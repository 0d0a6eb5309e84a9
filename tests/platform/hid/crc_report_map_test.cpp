#include <gtest/gtest.h>

#include <string_view>

#include "platform/hid/Crc16.h"
#include "platform/hid/HidReportMap.h"
#include "platform/hid/UdevHotplug.h"

namespace {

TEST(Crc16, CheckValues) {
  std::string_view check = "123456789";
  auto bytes = reinterpret_cast<const std::uint8_t*>(check.data());
  EXPECT_EQ(hid::Crc16Xmodem(bytes, check.size()), 0x31C3);
  EXPECT_EQ(hid::Crc16Modbus(bytes, check.size()), 0x4B37);
  EXPECT_EQ(hid::Crc16Xmodem(bytes, 0), 0x0000);
  EXPECT_EQ(hid::Crc16Modbus(bytes, 0), 0xFFFF);
}

TEST(HidReportMap, OutputIdsByFrameLength) {
  const std::pair<int, int> table[] = {{4, 1},   {8, 2},   {9, 3},   {10, 10}, {12, 11}, {24, 4},  {26, 24},
                                       {27, 12}, {31, 14}, {32, 23}, {47, 13}, {62, 254}, {15, 4}, {1, 4}};
  for (auto [length, id] : table) EXPECT_EQ(hid::OutputReportId(length), id) << "length " << length;
}

TEST(HidReportMap, FrameLengthsByInputId) {
  const std::pair<int, int> table[] = {{1, 4},   {5, 4},   {2, 8},   {6, 8},   {3, 9},   {7, 9},   {4, 24},
                                       {8, 24},  {15, 10}, {16, 11}, {17, 12}, {18, 32}, {19, 41}, {20, 42},
                                       {21, 26}, {22, 58}, {255, 62}, {10, 48}, {0, 48}, {254, 48}};
  for (auto [id, length] : table) EXPECT_EQ(hid::InputFrameLength(id), length) << "id " << id;
  // Every length a device can send exactly maps back to an ID carrying it.
  for (int length : {4, 8, 9, 24, 10, 11, 12, 32, 41, 42, 26, 58, 62, 48})
    EXPECT_EQ(hid::InputFrameLength(hid::InputReportIdFor(length)), length);
  EXPECT_EQ(hid::InputReportIdFor(13), 0);
}

TEST(UdevHotplug, AdapterIdsFromDevpath) {
  auto id = hid::UsbIdFromDevpath("/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/0003:10C4:82CD.0004/hidraw/hidraw3");
  ASSERT_TRUE(id);
  EXPECT_EQ(*id, (hid::UsbId{0x10C4, 0x82CD}));
  EXPECT_TRUE(hid::IsAdapterId(id->vendorId, id->productId));
  auto link = hid::UsbIdFromDevpath("/devices/x/0003:0483:5720.000A/hidraw/hidraw1");
  ASSERT_TRUE(link);
  EXPECT_TRUE(hid::IsAdapterId(link->vendorId, link->productId));
  auto mouse = hid::UsbIdFromDevpath("/devices/x/0003:046D:C077.0001/hidraw/hidraw0");
  ASSERT_TRUE(mouse);
  EXPECT_FALSE(hid::IsAdapterId(mouse->vendorId, mouse->productId));
  EXPECT_FALSE(hid::UsbIdFromDevpath("/devices/virtual/misc/uhid"));
}

}  // namespace

namespace {

struct CountingHandler : hid::IHotplugHandler {
  int arrivals = 0, removals = 0;
  void AdapterArrived() override { ++arrivals; }
  void AdapterRemoved() override { ++removals; }
  void HandleException(std::exception_ptr) override {}
};

TEST(UdevHotplug, MonitorStartsAndStopsWithOrWithoutUdev) {
  CountingHandler handler;
  {
    hid::UdevHotplugMonitor monitor(handler);
    (void)monitor.Active();  // false where netlink is unavailable (containers)
  }
  EXPECT_EQ(handler.arrivals + handler.removals, 0);
}

}  // namespace
