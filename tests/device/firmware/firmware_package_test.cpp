#include <gtest/gtest.h>

#include "device/FirmwareCrypto.h"
#include "device/FirmwarePackage.h"
#include "platform/rtl/Exceptions.h"
#include "tools/mkfwdb/SettingsDatabaseMaker.h"

namespace device {
namespace {

Bytes Decrypt(const Bytes& blob, const std::string& version) {
  Bytes plain(blob.size());
  DecryptPackage(std::to_string(blob.size()) + version, blob.data(), blob.size(), plain.data());
  return plain;
}

std::string Unpack(const Bytes& plain, FirmwareImage& image) { return UnpackFirmware(plain, nullptr, image); }

TEST(FirmwarePackage, MadePackagesDecryptAndDecodeToTheirParts) {
  struct Case {
    std::size_t sizeA, sizeB;
    std::string version;
  };
  for (const Case& c : {Case{1, 1, "V1.0"}, Case{16, 40, "V1.2A"}, Case{30000, 2048, "V1.3BETA"},
                        Case{100, 7, "a version text far longer than thirty-two bytes"}}) {
    SCOPED_TRACE(c.version);
    Bytes a = fwdb::SampleFirmware(c.sizeA, "a"), b = fwdb::SampleFirmware(c.sizeB, "b");
    Bytes blob = fwdb::MakePackage(a, b, c.version);
    ASSERT_NE(blob, fwdb::PackFirmware(fwdb::FirmwareHexText(a), fwdb::FirmwareHexText(b)))
        << "the stored blob is enciphered";
    FirmwareImage image;
    int pumps = 0;
    ASSERT_EQ(UnpackFirmware(Decrypt(blob, c.version), [&] { ++pumps; }, image), "");
    EXPECT_EQ(image.partA, a);
    EXPECT_EQ(image.partB, b);
    EXPECT_GE(pumps, 2);
  }
}

TEST(FirmwarePackage, AnotherVersionTextOrLengthGivesAnotherKey) {
  Bytes blob = fwdb::MakePackage(fwdb::SampleFirmware(64, "a"), fwdb::SampleFirmware(64, "b"), "V1.2A");
  FirmwareImage image;
  EXPECT_NE(Unpack(Decrypt(blob, "V1.2"), image), "");
  // Only the first 32 bytes of the key text count.
  std::string longText(40, 'x');
  EXPECT_EQ(FirmwareKey(longText), FirmwareKey(longText.substr(0, 32)));
  EXPECT_NE(FirmwareKey("1"), FirmwareKey("2"));
}

// Every check of a decrypted package, in its order.
TEST(FirmwarePackage, BrokenPackagesGiveTheirMessage) {
  const std::string a = "0011223344556677\r\n8899AABBCCDDEEFF", b = "0102030405";
  auto withLengths = [](Bytes plain, std::int32_t lengthA, std::int32_t lengthB) {
    for (int i = 0; i < 4; ++i) {
      plain[i] = static_cast<std::uint8_t>(lengthA >> (8 * i));
      plain[4 + i] = static_cast<std::uint8_t>(lengthB >> (8 * i));
    }
    return plain;
  };
  Bytes good = fwdb::PackFirmware(a, b);
  Bytes changedA = good;
  changedA[8 + 3] = '9';  // part A text changed by one character, digest kept
  Bytes changedB = good;
  changedB[40 + a.size() + 1] = '9';
  Bytes truncated(good.begin(), good.end() - 1);
  struct Case {
    const char* name;
    Bytes plain;
    const char* message;
  } cases[] = {
      {"header only half there", Bytes(good.begin(), good.begin() + 7), "File Error."},
      {"one byte short", truncated, "File Error."},
      {"lengths beyond the package", withLengths(good, 0x7FFFFFF0, 0x7FFFFFF0), "File Error."},
      {"negative length", withLengths(good, 31, static_cast<std::int32_t>(b.size() + 32)), "File Error."},
      {"minimum lengths wrap in 32 bits", withLengths(good, INT32_MIN, INT32_MIN), "File Error."},
      {"part A changed", changedA, "Hash1 Error."},
      {"part B changed", changedB, "Hash2 Error."},
      {"odd hex count in part B", fwdb::PackFirmware(a, "01020"), "HtoD Error."},
      {"not hex", fwdb::PackFirmware(a, "01X2"), "HtoD Error."},
      {"empty part", fwdb::PackFirmware("", b), "HtoD Error."},
      {"intact", good, ""},
  };
  for (const Case& c : cases) {
    FirmwareImage image;
    EXPECT_EQ(Unpack(c.plain, image), c.message) << c.name;
    if (*c.message) {
      EXPECT_TRUE(image.partA.empty() && image.partB.empty()) << c.name;
    }
  }
}

TEST(FirmwarePackage, UnknownCipherOrHashRaises) {
  Bytes data(16);
  try {
    DecryptEax("des", FirmwareKey("k"), FirmwareNonce(), data.data(), data.data(), data.size());
    FAIL();
  } catch (const rtl::Exception& error) {
    EXPECT_EQ(error.Message(), "wrong cipher");
  }
  try {
    HashToHex("sha999", data);
    FAIL();
  } catch (const rtl::Exception& error) {
    EXPECT_EQ(error.Message(), "wrong hash");
  }
  EXPECT_EQ(Md5Hex(Bytes{'a', 'b', 'c'}), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(FirmwarePackage, XorModels) {
  struct Case {
    const char* controller;
    const char* hardware;
    bool bound;
  } cases[] = {
      {"Corvanel_V3", "", true},          {"Corvanel_HV_V3", "X", true},    {"Corvanel_V4", "X", false},
      {"CAR_ESC", "QV4-ASL-2", true},     {"CAR_ESC", "QV4-1SD", true},     {"CAR_ESC", "QV4-1BSD", true},
      {"CAR_ESC", "QV4-12SD", true},      {"CAR_ESC", "QV4-123SD", false},  {"CAR_ESC", "QV5-ASD", false},
      {"CAR_ESC", "QV4", false},          {"BOAT_ESC", "QV80-_YT", true},   {"BOAT_ESC", "QV80--_YT", false},
      {"BOAT_ESC", "QV8", false},         {"AIRPLANE", "QV4-ASD", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsXorModel(c.controller, c.hardware), c.bound) << c.controller << " " << c.hardware;
}

TEST(FirmwarePackage, MaskCoversFullBlocksOnly) {
  std::array<std::uint8_t, 32> data{};
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(0xA0 + i);
  XorMask mask = MakeXorMask(data);
  EXPECT_EQ(mask, (XorMask{0, 0, 0xBC, 0xBD, 0xBE, 0xBF, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xB2, 0xB3, 0xB4, 0xB5}));
  Bytes part(40, 0x11);
  ApplyXorMask(part, mask);
  for (std::size_t i = 0; i < part.size(); ++i)
    EXPECT_EQ(part[i], i < 32 ? static_cast<std::uint8_t>(0x11 ^ mask[i % 16]) : 0x11) << i;
}

}  // namespace
}  // namespace device
