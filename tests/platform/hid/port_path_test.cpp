// The USB port path of a hidraw node, which labels the adapter on Linux.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/hid/HidapiBackend.h"

namespace {

TEST(UsbPortPath, InterfaceComponentBeforeTheHidDevice) {
  EXPECT_EQ(hid::UsbPortFromSysfsPath("/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1.2/1-1.2:1.0/"
                                      "0003:10C4:82CD.0001"),
            "1-1.2");
  EXPECT_EQ(hid::UsbPortFromSysfsPath("/sys/devices/pci0000:00/0000:00:14.0/usb3/3-4/3-4:1.2/0003:0483:5720.0009"),
            "3-4");
  EXPECT_EQ(hid::UsbPortFromSysfsPath("/sys/devices/virtual/misc/uhid/0003:10C4:82CD.0002"), "");
}

TEST(UsbPortPath, ReadThroughTheHidrawClassLink) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / "esctool_port_path_test";
  fs::path device = root / "devices/pci0000:00/usb2/2-3/2-3.1/2-3.1:1.0/0003:10C4:82CD.0004";
  fs::create_directories(device);
  fs::create_directories(root / "class/hidraw/hidraw5");
  fs::create_directory_symlink(device, root / "class/hidraw/hidraw5/device");
  EXPECT_EQ(hid::ReadHidrawPortPath("/dev/hidraw5", root.string()), "2-3.1");
  EXPECT_EQ(hid::ReadHidrawPortPath("/dev/hidraw6", root.string()), "");
  fs::remove_all(root);
}

}  // namespace
