#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/hid/HidapiBackend.h"
#include "platform/hid/ReportDescriptor.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A vendor-defined USB-to-UART bridge: numbered 64-byte reports both ways
// (IDs 1..2 of different sizes), the way the 10C4:82CD adapter declares them.
const Bytes kNumberedReports = {
    0x06, 0x00, 0xFF,  // Usage Page (vendor)
    0x09, 0x01,        // Usage
    0xA1, 0x01,        // Collection (application)
    0x15, 0x00, 0x26, 0xFF, 0x00,  // Logical 0..255
    0x75, 0x08,        // Report Size 8
    0x85, 0x01,        // Report ID 1
    0x95, 0x03,        // Report Count 3
    0x09, 0x01, 0x81, 0x02,  // Input
    0x09, 0x01, 0x91, 0x02,  // Output
    0x85, 0x04,        // Report ID 4
    0x96, 0x3F, 0x00,  // Report Count 63 (two-byte item)
    0x09, 0x01, 0x81, 0x02,  // Input
    0x09, 0x01, 0x91, 0x02,  // Output
    0x85, 0x41,        // Report ID 0x41
    0x95, 0x08, 0x09, 0x01, 0xB1, 0x02,  // Feature (not counted)
    0xC0};

// A 48-byte in/out device without report IDs, declared with Push/Pop and bit fields.
const Bytes kUnnumbered = {
    0x06, 0xA0, 0xFF, 0x09, 0x01, 0xA1, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  // 8 one-bit inputs = 1 byte
    0xA4,                                // Push
    0x75, 0x08, 0x95, 0x2F, 0x81, 0x02,  // 47 bytes
    0xB4,                                // Pop: size 1, count 8 again
    0x91, 0x02,                          // 8 bits output
    0x75, 0x08, 0x95, 0x2F, 0x91, 0x02,  // 47 bytes output
    0xC0};

TEST(ReportDescriptor, NumberedReportsGiveLengthsPerIdAndOverall) {
  auto lengths = hid::ParseReportDescriptor(kNumberedReports.data(), kNumberedReports.size());
  EXPECT_TRUE(lengths.usesReportIds);
  EXPECT_EQ(lengths.inputBytes.at(1), 3);
  EXPECT_EQ(lengths.inputBytes.at(4), 63);
  EXPECT_EQ(lengths.InputReportLength(), 64);
  EXPECT_EQ(lengths.OutputReportLength(), 64);
  EXPECT_EQ(lengths.OutputLengthOf(1), 4);
  EXPECT_EQ(lengths.OutputLengthOf(4), 64);
  EXPECT_EQ(lengths.OutputLengthOf(0x41), 0);  // feature only
}

TEST(ReportDescriptor, UnnumberedReportsWithPushPopAndBitFields) {
  auto lengths = hid::ParseReportDescriptor(kUnnumbered.data(), kUnnumbered.size());
  EXPECT_FALSE(lengths.usesReportIds);
  EXPECT_EQ(lengths.InputReportLength(), 49);
  EXPECT_EQ(lengths.OutputReportLength(), 49);
  EXPECT_EQ(lengths.OutputLengthOf(0), 49);
}

TEST(ReportDescriptor, TruncatedAndLongItemsNeverOverrun) {
  Bytes longItem = {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x75, 0x08, 0x95, 0x04, 0x81, 0x02};
  auto lengths = hid::ParseReportDescriptor(longItem.data(), longItem.size());
  EXPECT_EQ(lengths.InputReportLength(), 5);
  for (std::size_t cut = 0; cut < kNumberedReports.size(); ++cut) {
    Bytes truncated(kNumberedReports.begin(), kNumberedReports.begin() + cut);
    hid::ParseReportDescriptor(truncated.data(), truncated.size());  // ASan guards the bounds
  }
  EXPECT_EQ(hid::ParseReportDescriptor(nullptr, 0).InputReportLength(), 0);
}

TEST(ReportDescriptor, ReadFromSysfsNodeOfHidrawPath) {
  auto root = std::filesystem::temp_directory_path() / "esctool_sysfs_test";
  auto node = root / "class/hidraw/hidraw7/device";
  std::filesystem::create_directories(node);
  std::ofstream(node / "report_descriptor", std::ios::binary)
      .write(reinterpret_cast<const char*>(kNumberedReports.data()), kNumberedReports.size());
  auto lengths = hid::ReadHidrawReportLengths("/dev/hidraw7", root.string());
  EXPECT_EQ(lengths.InputReportLength(), 64);
  EXPECT_EQ(hid::ReadHidrawReportLengths("/dev/hidraw8", root.string()).InputReportLength(), 0);
  std::filesystem::remove_all(root);
}

}  // namespace

namespace {

TEST(HidapiBackend, MissingNodeDoesNotOpenAndNullCloseIsHarmless) {
  hid::HidapiBackend backend;
  EXPECT_EQ(backend.OpenPath("/dev/hidraw-esctool-missing"), nullptr);
  backend.Close(nullptr);
  std::uint8_t buffer[65];
  EXPECT_LT(backend.ReadTimeout(nullptr, buffer, sizeof buffer, 1), 0);
  EXPECT_LT(backend.WriteTo(nullptr, buffer, sizeof buffer, 1), 0);
}

}  // namespace
