// Adapter labels, the chooser's logic, and the decoding of the device
// information block into texts, device data and settings image layout.
#include <gtest/gtest.h>

#include <cstring>

#include "device/AdapterChooser.h"
#include "device/DeviceInfoBlock.h"

namespace device {
namespace {

TEST(AdapterLabel, PortPathOrWindowsPathThenProduct) {
  struct Case {
    std::string path, port, expected;
  };
  const std::string amp = "\\\\?\\hid#vid_10c4&pid_82cd#7&1a2b3c4d&0&0000#{4d1e55b2}";
  const std::string plain = "\\\\?\\hid#vid_0483&pid_5720#6&3f2e1d0c70000#{4d1e55b2}";
  ASSERT_EQ(amp[36], '&');
  ASSERT_NE(plain[36], '&');
  const Case cases[] = {
      {"/dev/hidraw3", "1-1.2", "1-1.2         Bridge"},         // padded to ten, four blanks
      {"/dev/hidraw3", "3-10.4.1.2.3", "3-10.4.1.2    Bridge"},  // cut to ten
      {amp, "", amp.substr(28, 10) + "    Bridge"},
      {plain, "", " " + plain.substr(28, 9) + "    Bridge"},
      {"short", "", "     Bridge"},
  };
  for (const Case& c : cases) {
    hid::DeviceInfo info{c.path, 0x10C4, 0x82CD, u"Bridge", 64, 64, c.port};
    EXPECT_EQ(AdapterLabel(info), c.expected) << c.path << " " << c.port;
  }
}

TEST(AdapterChooser, SuffixesAndDoubleClickGivesIndexPlusOne) {
  TfrmHid form({"1-1           CP2110", "1-2           FS link"});
  EXPECT_EQ(form.HidList(), (std::vector<std::string>{"1-1           CP2110    DUR Udazedi Ved",
                                                      "1-2           FS link    PORTAVEX"}));
  form.HidListDblClick(-1);  // nothing selected: the chooser stays open
  EXPECT_EQ(form.ModalResult(), 0);
  form.HidListDblClick(1);
  EXPECT_EQ(form.ModalResult(), 2);
}

InfoBlock Block(const char* firmware, const char* hardware, const char* controller) {
  InfoBlock block{};
  std::strncpy(reinterpret_cast<char*>(block.data()), firmware, 16);
  std::strncpy(reinterpret_cast<char*>(block.data() + 16), hardware, 16);
  std::strncpy(reinterpret_cast<char*>(block.data() + 32), controller, 16);
  for (std::size_t i = 48; i < 64; ++i) block[i] = static_cast<std::uint8_t>(0x40 + i - 48);
  for (std::size_t i = 64; i < 80; ++i) block[i] = static_cast<std::uint8_t>(0x80 + i - 64);
  return block;
}

TEST(InfoBlock, TextsStopAtNulAndLoseControlCharactersAndBlanks) {
  InfoBlock block = Block(" \t V1.0\x01 ", "ABCDEFGHIJKLMNOPQRS", "");
  EXPECT_EQ(InfoText(block, kFirmwareText), "V1.0");
  EXPECT_EQ(InfoText(block, kHardwareText), "ABCDEFGHIJKLMNOP");  // a full field has no NUL
  EXPECT_EQ(InfoText(block, kControllerText), "");
}

TEST(InfoBlock, DeviceDataRulesFirstMatchWins) {
  enum Halves { None, FirstToLow, FirstToHigh, Both, Extra };
  struct Case {
    const char* controller;
    const char* hardware;
    Halves expected;
  };
  const Case cases[] = {
      {"CAR_ESC", "VALTORINE_456_A", FirstToLow},
      {"Corvanel_V3", "X", FirstToHigh},
      {"Corvanel_HV_V3", "X", FirstToHigh},
      {"CAR_ESC", "QV4-ASL", FirstToHigh},   // SL at 6..7
      {"CAR_ESC", "QV4-1BSL", FirstToHigh},  // SL at 7..8
      {"BOAT_ESC", "QV80-_YT", FirstToHigh},
      {"BOAT_ESC", "QV80_YT", None},         // _YT not at 6..8
      {"CAR_ESC", "QV4-ASD-2", Both},
      {"CAR_ESC", "QV4-1BSD", Both},         // BSD at 6..8
      {"CAR_ESC", "QV4-12BSD", Both},        // BSD at 7..9
      {"CAR_ESC", "QV4-123SD", None},
      {"TESSIM_V5", "T5", FirstToHigh},
      {"Corvanel_HV_V4.1", "CV4", FirstToHigh},
      {"QZ_FOC_ESC_V5", "Q", Extra},
      {"X_QV_PORTAVEX_Y", "Q", Extra},
      {"AIRPLANE", "A1", None},
  };
  for (const Case& c : cases) {
    InfoBlock block = Block("F", c.hardware, c.controller);
    std::array<std::uint8_t, 32> data;
    data.fill(0xEE);
    std::string extra = "kept";
    TakeDeviceData(c.controller, c.hardware, block, data, extra);
    std::array<std::uint8_t, 32> expected;
    expected.fill(0xEE);
    if (c.expected == FirstToLow || c.expected == Both) std::memcpy(expected.data(), block.data() + 48, 16);
    if (c.expected == FirstToHigh) std::memcpy(expected.data() + 16, block.data() + 48, 16);
    if (c.expected == Both) std::memcpy(expected.data() + 16, block.data() + 64, 16);
    EXPECT_EQ(data, expected) << c.controller << " " << c.hardware;
    EXPECT_EQ(extra, c.expected == Extra ? "@ABCDEFGHIJKLMNO" : "kept") << c.controller;
  }
}

TEST(InfoBlock, SettingsImageLayoutPerProtocolAndModel) {
  struct Case {
    bool classic;
    const char* controller;
    const char* hardware;
    SettingsImageLayout expected;
  };
  const SettingsImageLayout airplane{0, 16, 7, 0, 0, 0}, car{48, 688, 64, 1376, 1424, 16},
      series{48, 96, 64, 96, 144, 16}, other{176, 64, 192, 0, 96, 32}, regNarrow{2048, 48, 2064, 48, 96, 16},
      regWide{2048, 688, 2064, 48, 96, 16};
  const Case cases[] = {
      {true, "AIRPLANE", "A1", airplane},          {true, "AIRPLANE_PID_V2", "A", airplane},
      {true, "CAR_ESC", "VALTORINE_456_A", car},   {true, "CAR_ESC", "QV4-1BSD", car},
      {true, "CAR_ESC", "QV4-ASL", other},         {true, "BOAT_ESC", "VALTORINE_456", other},
      {true, "Corvanel_HV_V4.1", "CV4", series},   {true, "Corvanel_V4_FL", "CV4", series},
      {true, "TESSIM_V5", "T5", other},            {true, "AIRPLANE_ESC", "HW1", other},
      {false, "CAR_ESC", "QV4-AKZ-1", regNarrow},  {false, "CAR_ESC", "QV4-123KZ", regNarrow},
      {false, "CAR_ESC", "QV4-12KZ", regWide},     {false, "AIRPLANE", "A1", regWide},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LayoutFor(c.classic, c.controller, c.hardware), c.expected) << c.controller << " " << c.hardware;
}

}  // namespace
}  // namespace device
