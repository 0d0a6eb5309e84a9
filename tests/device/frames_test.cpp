// Golden frames of both protocols, as they leave the adapter.
#include <gtest/gtest.h>

#include "tests/support/DeviceLinkFakes.h"

namespace device {
namespace {

using hid::Bytes;

TEST(DeviceFrames, ClassicGoldenFrames) {
  EXPECT_EQ(ShortFrame(kEscMarkers, 0), (Bytes{0xA5, 0x00, 0xFF, 0x5A}));
  EXPECT_EQ(ModeCommandFrame(kEscMarkers, 9, 0xFF), (Bytes{0xA5, 0x09, 0x01, 0x00, 0x00, 0xFF, 0x11, 0x62, 0x5A}));
  EXPECT_EQ(CommandFrame(kEscMarkers, 9, 0), (Bytes{0xA5, 0x09, 0x00, 0x00, 0x00, 0x44, 0xFA, 0x5A}));
  EXPECT_EQ(CommandFrame(kEscMarkers, 7, 0), (Bytes{0xA5, 0x07, 0x00, 0x00, 0x00, 0x1E, 0x58, 0x5A}));
  EXPECT_EQ(LinkCommandFrame(kLinkMarkers, 21, 1, 2), (Bytes{0xA8, 0x15, 0x00, 0x01, 0x02, 0xD8, 0x9C, 0x8A}));
  const std::uint8_t data[3] = {1, 2, 3};
  Bytes frame = ClassicDataFrame(kCardMarkers, 8, 0x0102, data, 3);
  ASSERT_EQ(frame.size(), 11u);
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 8), (Bytes{0xC3, 8, 3, 0x02, 0x01, 1, 2, 3}));
  std::uint16_t crc = hid::Crc16Xmodem(frame.data(), 8);
  EXPECT_EQ(frame[8], crc & 0xFF);
  EXPECT_EQ(frame[9], crc >> 8);
  EXPECT_EQ(frame[10], 0x3C);
}

TEST(DeviceFrames, RegisterGoldenFrames) {
  EXPECT_EQ(RegisterRequest(0x03, 0x2C24, 0x0001), (Bytes{0x01, 0xFE, 0x04, 0x03, 0x2C, 0x24, 0x00, 0x01, 0x52, 0xD7}));
  EXPECT_EQ(RegisterProgramStartFrame(), (Bytes{0x01, 0xFE, 0x04, 0x06, 0x2A, 0xF8, 0x55, 0x00, 0xA1, 0x35}));
  EXPECT_EQ(RegisterRequest(0x03, 0x3158, 0x0010), (Bytes{0x01, 0xFE, 0x04, 0x03, 0x31, 0x58, 0x00, 0x10, 0x55, 0x6F}));
  Bytes last16(16, 0xAB);
  Bytes end = RegisterProgramEndFrame(last16.data());
  ASSERT_EQ(end.size(), 27u);
  EXPECT_EQ(Bytes(end.begin(), end.begin() + 9), (Bytes{0x01, 0xFE, 0x04, 0x10, 0x2A, 0xF9, 0x00, 0x08, 0x10}));
  Bytes commit = RegisterBlockControlFrame(1, 1024, true);
  EXPECT_EQ(Bytes(commit.begin(), commit.begin() + 10), (Bytes{0x01, 0xFE, 0x04, 0x41, 0x00, 0x01, 0x04, 0x00, 0x00, 0x01}));
  Bytes write = RegisterWriteFrame(0x3538, last16.data(), 16);
  ASSERT_EQ(write.size(), 31u);
  EXPECT_EQ(Bytes(write.begin(), write.begin() + 13),
            (Bytes{0x01, 0xFE, 0x04, 0x17, 0x35, 0x38, 0x00, 0x08, 0x35, 0x38, 0x00, 0x08, 0x10}));
  for (const Bytes& frame : {end, commit, write, RegisterBlockDataFrame(0, last16.data(), 16)}) {
    std::uint16_t crc = hid::Crc16Modbus(frame.data(), frame.size() - 2);
    EXPECT_EQ(frame[frame.size() - 2], crc & 0xFF);
    EXPECT_EQ(frame.back(), crc >> 8);
  }
}

// What the senders put on the wire, by device state.
struct SenderCase {
  const char* name;
  std::function<void(fakes::LinkRig&)> setup;
  std::function<int(DeviceLink&)> send;
  Bytes expected;
  std::uint8_t reportId;
};

class Senders : public ::testing::TestWithParam<SenderCase> {};

TEST_P(Senders, WriteTheGoldenFrame) {
  fakes::LinkRig rig;
  rig.AttachClassic();
  GetParam().setup(rig);
  ASSERT_EQ(GetParam().send(rig.link), 1);
  ASSERT_EQ(rig.Written().size(), 1u);
  const Bytes& report = rig.Written()[0];
  EXPECT_EQ(report.size(), 65u);  // the adapter's output report length
  EXPECT_EQ(report[0], GetParam().reportId);
  EXPECT_EQ(rig.WrittenFrame(0, GetParam().expected.size()), GetParam().expected);
  EXPECT_EQ(report[1 + GetParam().expected.size()], 0);  // zero fill
}

const auto kNoSetup = [](fakes::LinkRig&) {};

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, Senders,
    ::testing::Values(
        SenderCase{"Handshake", kNoSetup, [](DeviceLink& l) { return l.SendCommand(0); },
                   {0xA5, 0x00, 0xFF, 0x5A}, 1},
        SenderCase{"SettingsReadWhileLoading", [](fakes::LinkRig& r) { r.link.State().LoadingSettings = true; },
                   [](DeviceLink& l) { return l.SendCommand(9); },
                   {0xA5, 0x09, 0x01, 0x00, 0x00, 0xFF, 0x11, 0x62, 0x5A}, 3},
        SenderCase{"ModeByteFromSelector", [](fakes::LinkRig& r) { r.editor.modeIndex = 2; },
                   [](DeviceLink& l) { return l.SendCommand(10); },
                   ModeCommandFrame(kEscMarkers, 10, 2), 3},
        SenderCase{"NoModeSelectorUsesModeZero", kNoSetup, [](DeviceLink& l) { return l.SendCommand(9); },
                   ModeCommandFrame(kEscMarkers, 9, 0), 3},
        SenderCase{"AirplaneReadsWithPlainCommand",
                   [](fakes::LinkRig& r) { r.link.State().DeviceInfoStrings[kController] = "AIRPLANE_PID"; },
                   [](DeviceLink& l) { return l.SendCommand(9); },
                   {0xA5, 0x09, 0x00, 0x00, 0x00, 0x44, 0xFA, 0x5A}, 2},
        SenderCase{"ScanInLinkMode4SetsX",
                   [](fakes::LinkRig& r) {
                     r.link.State().ScanMode = true;
                     r.link.State().Markers = kScanMarkers;
                     r.view.linkMode = 4;
                   },
                   [](DeviceLink& l) { return l.SendCommand(17); }, CommandFrame(kScanMarkers, 17, 1), 2},
        SenderCase{"LinkModeCommandAlwaysA8", [](fakes::LinkRig& r) { r.view.linkMode = 3; },
                   [](DeviceLink& l) { return l.SendLinkCommand(21, 2); },
                   {0xA8, 0x15, 0x00, 0x01, 0x02, 0xD8, 0x9C, 0x8A}, 2},
        SenderCase{"LinkChannelSelectUsesCurrentMarkers", kNoSetup,
                   [](DeviceLink& l) { return l.SendLinkCommand(18, 5); }, LinkCommandFrame(kEscMarkers, 18, 0, 5), 2},
        SenderCase{"RegisterHandshake", [](fakes::LinkRig& r) { r.link.State().ProtocolSelector = 0; },
                   [](DeviceLink& l) { return l.SendCommand(0); },
                   {0x01, 0xFE, 0x04, 0x03, 0x2C, 0x24, 0x00, 0x01, 0x52, 0xD7}, 10},
        SenderCase{"RegisterSettingsAtWordCounter",
                   [](fakes::LinkRig& r) {
                     r.link.State().ProtocolSelector = 0;
                     r.link.State().RegisterWordCounter = 0x20;
                   },
                   [](DeviceLink& l) { return l.SendCommand(9); }, RegisterRequest(0x03, 0x3158, 0x0010), 10},
        SenderCase{"RegisterModeSelect",
                   [](fakes::LinkRig& r) {
                     r.link.State().ProtocolSelector = 0;
                     r.editor.modeIndex = 3;
                   },
                   [](DeviceLink& l) { return l.SendCommand(15); }, RegisterRequest(0x06, 0x2B03, 0x0300), 10},
        SenderCase{"RegisterUnknownCommandSendsZeros", [](fakes::LinkRig& r) { r.link.State().ProtocolSelector = 0; },
                   [](DeviceLink& l) { return l.SendCommand(2); }, Bytes(10, 0), 10}),
    [](const auto& test) { return test.param.name; });

TEST(Senders, RegisterCommandsSetTheTransferPhase) {
  fakes::LinkRig rig;
  rig.AttachRegister();
  const std::pair<int, int> phases[] = {{0, 0}, {10, 1}, {5, 2}, {15, 3}, {7, 4}, {9, 5}};
  for (auto [command, phase] : phases) {
    rig.link.State().TransferPhase = -1;
    rig.link.SendCommand(static_cast<std::uint8_t>(command));
    EXPECT_EQ(rig.link.State().TransferPhase, phase) << "command " << command;
  }
  rig.link.SendCommand(2);
  EXPECT_EQ(rig.link.State().TransferPhase, 5);  // unchanged
}

}  // namespace
}  // namespace device
