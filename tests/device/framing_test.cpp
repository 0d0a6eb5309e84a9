// Report framing: receive rules, the unplug path, and the no-adapter results.
#include <gtest/gtest.h>

#include "tests/support/DeviceLinkFakes.h"

namespace device {
namespace {

using hid::Bytes;

// A device that never answers; tests queue raw input reports themselves.
struct SilentDevice : hid::ISimDevice {
  void OnOutputReport(const Bytes&, hid::ISimReplies&) override {}
};

Bytes Report(std::uint8_t id, Bytes frame) {
  frame.insert(frame.begin(), id);
  frame.resize(65, 0);
  return frame;
}

Bytes RegisterReply(Bytes head, std::size_t length, bool goodCrc) {
  head.resize(length - 2, 0);
  std::uint16_t crc = hid::Crc16Modbus(head.data(), head.size()) ^ (goodCrc ? 0 : 1);
  head.push_back(crc & 0xFF);
  head.push_back(crc >> 8);
  return head;
}

struct ReceiveFixture : ::testing::Test {
  fakes::LinkRig rig;
  void SetUp() override { rig.Attach(std::make_shared<SilentDevice>()); }
  void Queue(std::uint8_t id, Bytes frame) { rig.hid.QueueInputReport(fakes::LinkRig::kPath, Report(id, std::move(frame))); }
};

TEST_F(ReceiveFixture, FrameLengthFollowsTheReportId) {
  Queue(5, {0xA5, 0x01, 0xFE, 0x5A});
  InputFrame frame;
  ASSERT_TRUE(rig.link.ReceiveFrame(frame, 150));
  EXPECT_EQ(frame.length, 4);
  EXPECT_EQ(frame.bytes[1], 0x01);

  Bytes long48(48, 0x11);
  long48[0] = 0xA5;
  long48[47] = 0x5A;
  Queue(10, long48);
  ASSERT_TRUE(rig.link.ReceiveFrame(frame, 150));
  EXPECT_EQ(frame.length, 48);
}

TEST_F(ReceiveFixture, ForeignOrBrokenFramesEndTheReceiveAtOnce) {
  Queue(2, {0xA5, 0x09, 0, 0, 0, 0, 0, 0x00});  // byte 8 is not the end marker
  Queue(1, {0xA5, 0x01, 0xFE, 0x5A});
  std::uint32_t start = rig.clock.GetTickCount();
  InputFrame frame;
  EXPECT_FALSE(rig.link.ReceiveFrame(frame, 150));
  EXPECT_EQ(rig.clock.GetTickCount(), start);
  EXPECT_TRUE(rig.link.ReceiveFrame(frame, 150));  // the next report is still there

  Queue(1, {0xA6, 0x01, 0xFE, 0x6A});  // another device kind's markers
  EXPECT_FALSE(rig.link.ReceiveFrame(frame, 150));
  EXPECT_FALSE(rig.link.ReceiveFrame(frame, 150));  // time-out
  EXPECT_EQ(rig.clock.GetTickCount() - start, 150u);
}

TEST_F(ReceiveFixture, RegisterReplyWithBadCrcIsSkippedForTheNextOne) {
  Bytes head{0xFE, 0x01, 0x04, 0x03, 0x2C, 0x24, 0x02};
  Queue(16, RegisterReply(head, 11, false));
  Queue(16, RegisterReply(head, 11, true));
  InputFrame frame;
  ASSERT_TRUE(rig.link.ReceiveFrame(frame, 150));
  EXPECT_EQ(frame.length, 11);
  Queue(16, RegisterReply(head, 11, false));
  EXPECT_FALSE(rig.link.ReceiveFrame(frame, 150));  // never delivered; times out
}

TEST_F(ReceiveFixture, UnplugResetsTheLinkAndAsksForArrival) {
  DeviceState& state = rig.link.State();
  state.Connected = state.Busy = state.ScanMode = true;
  state.Markers = kScanMarkers;
  state.DeviceInfoStrings = {"CAR_ESC", "QV4", "1.0", "x"};
  rig.view.linkMode = 3;
  rig.timer.enabled = true;
  rig.hid.Unplug(fakes::LinkRig::kPath);

  InputFrame frame;
  EXPECT_FALSE(rig.link.ReceiveFrame(frame, 150));
  EXPECT_FALSE(rig.link.AdapterOpen());
  EXPECT_FALSE(state.Connected);
  EXPECT_FALSE(state.Busy);
  EXPECT_EQ(state.DeviceInfoStrings, (std::array<std::string, 4>{}));
  EXPECT_EQ(state.Markers, kLinkMarkers);
  EXPECT_FALSE(rig.timer.enabled);
  EXPECT_EQ(rig.view.fill[Led::Link], kLedOff);
  EXPECT_EQ(rig.view.fill[Led::Activity], kLedOff);
  EXPECT_FALSE(rig.view.jobButtonsEnabled);
  EXPECT_EQ(rig.pages.shown, std::vector<int>{IPageSwitch::kHome});
  EXPECT_EQ(rig.editor.loads, std::vector<std::string>{""});
  EXPECT_EQ(rig.editor.builds, 1);
  EXPECT_EQ(rig.handlers.scanStops, 1);
  EXPECT_EQ(rig.view.scanButtonHides, 1);
  EXPECT_EQ(rig.view.channelUnchecks, 1);
  EXPECT_EQ(rig.handlers.arrivals, 1);
  EXPECT_FALSE(rig.link.SendFrame(ShortFrame(kEscMarkers, 0)));
}

TEST(NoAdapter, EverySendIsZeroAndEveryWaitTwoWithoutTouchingTheLibrary) {
  for (std::uint8_t protocol : {0, 1}) {
    fakes::LinkRig rig;
    rig.link.State().ProtocolSelector = protocol;
    rig.link.State().Connected = true;
    for (std::uint8_t c : {0, 2, 5, 7, 9, 10, 14, 15, 17}) EXPECT_EQ(rig.link.SendCommand(c), 0);
    EXPECT_EQ(rig.link.SendLinkCommand(21, 2), 0);
    EXPECT_EQ(rig.link.WaitAck(1), 2);
    EXPECT_EQ(rig.link.WaitBlockAck(2, 150), 2);
    EXPECT_EQ(rig.link.WaitAckShort(17), 2);
    EXPECT_EQ(rig.link.WaitAckTimeout(2, 500), 2);
    EXPECT_EQ(rig.link.WaitWriteAck(0x17, 0x35, 0x38), 2);
    EXPECT_EQ(rig.hid.CallCount(), 0);
    EXPECT_EQ(rig.clock.GetTickCount(), 1000u);
  }
}

}  // namespace
}  // namespace device
