// Sender retries and acknowledgement waits, timed on the virtual clock.
#include <gtest/gtest.h>

#include "tests/support/DeviceLinkFakes.h"

namespace device {
namespace {

using hid::Bytes;

Bytes WithModbus(Bytes frame) {
  hid::AppendCrcModbus(frame);
  return frame;
}

struct WaitFixture : ::testing::Test {
  fakes::LinkRig rig;
  std::shared_ptr<fakes::ScriptedDevice> device = std::make_shared<fakes::ScriptedDevice>();
  void SetUp() override { rig.Attach(device); }
  std::uint32_t Elapsed(std::uint32_t since) { return rig.clock.GetTickCount() - since; }
  void AnswerEveryWrite(Bytes reply, std::uint32_t delayMs = 0) {
    device->answer = [reply, delayMs](const Bytes&, hid::ISimReplies& r) { r.Reply(reply, delayMs); };
  }
};

TEST_F(WaitFixture, ConnectedSenderRetriesOnlyTheFirstRetryDelayed) {
  rig.link.State().Connected = true;
  rig.hid.Faults(fakes::LinkRig::kPath).failWrites = 1;
  std::uint32_t start = rig.clock.GetTickCount();
  EXPECT_EQ(rig.link.SendCommand(0), 1);
  EXPECT_EQ(Elapsed(start), 150u);

  rig.hid.Faults(fakes::LinkRig::kPath).failWrites = 100;
  start = rig.clock.GetTickCount();
  EXPECT_EQ(rig.link.SendCommand(0), 0);
  EXPECT_EQ(Elapsed(start), 150u);
  EXPECT_EQ(rig.hid.Faults(fakes::LinkRig::kPath).failWrites, 90);  // ten attempts

  rig.link.State().Connected = false;
  start = rig.clock.GetTickCount();
  EXPECT_EQ(rig.link.SendCommand(0), 0);
  EXPECT_EQ(Elapsed(start), 0u);
  EXPECT_EQ(rig.hid.Faults(fakes::LinkRig::kPath).failWrites, 89);  // one attempt
}

TEST_F(WaitFixture, SilentWaitsTakeTheirMandatedTime) {
  const std::pair<std::function<int(DeviceLink&)>, std::uint32_t> table[] = {
      {[](DeviceLink& l) { return l.WaitAck(1); }, 1500},
      {[](DeviceLink& l) { return l.WaitBlockAck(2, 50); }, 1500},
      {[](DeviceLink& l) { return l.WaitBlockAck(2, 300); }, 3000},
      {[](DeviceLink& l) { return l.WaitAckShort(1); }, 15},
      {[](DeviceLink& l) { return l.WaitAckTimeout(1, 700); }, 700},
      {[](DeviceLink& l) { return l.WaitWriteAck(0x17, 0x35, 0x38); }, 1500},
  };
  for (const auto& [wait, expectedMs] : table) {
    std::uint32_t start = rig.clock.GetTickCount();
    EXPECT_EQ(wait(rig.link), 2);
    EXPECT_EQ(Elapsed(start), expectedMs);
  }
}

TEST_F(WaitFixture, LateAcknowledgementIsTakenOnALaterAttempt) {
  AnswerEveryWrite({0xA5, 0x01, 0xFE, 0x5A}, 400);
  rig.link.SendCommand(0);
  std::uint32_t start = rig.clock.GetTickCount();
  EXPECT_EQ(rig.link.WaitAck(1), 0);
  EXPECT_EQ(Elapsed(start), 400u);
}

// One received frame against each wait: its result and side effects.
struct WaitCase {
  const char* name;
  Bytes reply;
  std::function<int(DeviceLink&)> wait;
  int expected;
  int transferPhase = 0;
  int protocolAfter = 1;
};

class WaitRules : public WaitFixture, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(WaitRules, JudgeTheReply) {
  rig.link.State().TransferPhase = GetParam().transferPhase;
  rig.hid.QueueInputReport(fakes::LinkRig::kPath, [&] {
    Bytes report = GetParam().reply;
    report.insert(report.begin(), hid::InputReportIdFor(static_cast<int>(GetParam().reply.size())));
    return report;
  }());
  EXPECT_EQ(GetParam().wait(rig.link), GetParam().expected);
  EXPECT_EQ(rig.link.State().ProtocolSelector, GetParam().protocolAfter);
}

const Bytes kHandshakeReply = WithModbus({0xFE, 0x01, 0x04, 0x03, 0x2C, 0x24, 0x02, 0x00, 0x01});
const Bytes kWriteReply = WithModbus({0xFE, 0x01, 0x04, 0x17, 0x35, 0x38, 0x00, 0x10});
const Bytes kDefaultsReply = WithModbus({0xFE, 0x01, 0x04, 0x06, 0x2B, 0x01, 0x55, 0x00});
Bytes CommitReply(std::uint8_t status) {
  return WithModbus({0xFE, 0x01, 0x04, 0x41, 0x00, 0x00, 0x04, 0x00, 0x00, status});
}

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, WaitRules,
    ::testing::Values(
        WaitCase{"HandshakeAck", {0xA5, 0x01, 0xFE, 0x5A}, [](DeviceLink& l) { return l.WaitAck(1); }, 0},
        WaitCase{"WrongAck", {0xA5, 0x03, 0xFC, 0x5A}, [](DeviceLink& l) { return l.WaitAck(1); }, 1},
        WaitCase{"RegisterHandshakeSwitchesProtocol", kHandshakeReply, [](DeviceLink& l) { return l.WaitAck(1); }, 0, 0, 0},
        WaitCase{"OtherRegisterReplyToHandshake", kWriteReply, [](DeviceLink& l) { return l.WaitAck(1); }, 1, 0, 0},
        WaitCase{"RegisterDefaultsAck", kDefaultsReply, [](DeviceLink& l) { return l.WaitAck(2); }, 0, 1},
        WaitCase{"RegisterReplyInOtherPhase", kDefaultsReply, [](DeviceLink& l) { return l.WaitAck(2); }, 2, 5},
        WaitCase{"RegisterReplyToOtherCommand", kDefaultsReply, [](DeviceLink& l) { return l.WaitAck(15); }, 2, 1},
        WaitCase{"BlockWriteAck", kWriteReply, [](DeviceLink& l) { return l.WaitBlockAck(2, 150); }, 0, 6},
        WaitCase{"CommitAccepted", CommitReply(10), [](DeviceLink& l) { return l.WaitBlockAck(2, 150); }, 0, 10},
        WaitCase{"CommitAsksRestart", CommitReply(14), [](DeviceLink& l) { return l.WaitBlockAck(2, 150); }, 3, 10},
        WaitCase{"CommitRestart11", CommitReply(11), [](DeviceLink& l) { return l.WaitBlockAck(2, 150); }, 3, 10},
        WaitCase{"CommitRefused", CommitReply(12), [](DeviceLink& l) { return l.WaitBlockAck(2, 150); }, 1, 10},
        WaitCase{"ShortRegisterHandshake", kHandshakeReply, [](DeviceLink& l) { return l.WaitAckShort(1); }, 0, 0, 0},
        WaitCase{"ShortRegisterPoll", kHandshakeReply, [](DeviceLink& l) { return l.WaitAckShort(17); }, 2},
        WaitCase{"TimeoutWaitRejectsRegister", kHandshakeReply, [](DeviceLink& l) { return l.WaitAckTimeout(1, 50); }, 1},
        WaitCase{"WriteAckAtAddress", kWriteReply, [](DeviceLink& l) { return l.WaitWriteAck(0x17, 0x35, 0x38); }, 0, 0, 0},
        WaitCase{"WriteAckOtherAddress", kWriteReply, [](DeviceLink& l) { return l.WaitWriteAck(0x17, 0x35, 0x48); }, 1, 0, 0},
        WaitCase{"WriteAckClassicFrame", {0xA5, 0x02, 0xFD, 0x5A}, [](DeviceLink& l) { return l.WaitWriteAck(0x17, 0x35, 0x38); }, 1}),
    [](const auto& test) { return test.param.name; });

TEST_F(WaitFixture, StatusFrameFillsChannelFlags) {
  Bytes status(24, 0);
  status[0] = 0xA5;
  status[1] = 17;
  status[5] = 0x01;
  status[12] = 0x02;
  status[23] = 0x5A;
  for (auto wait : {+[](DeviceLink& l) { return l.WaitAckShort(17); },
                    +[](DeviceLink& l) { return l.WaitAckTimeout(17, 100); }}) {
    rig.link.State().ChannelFlags.fill(7);
    status.insert(status.begin(), 4);
    rig.hid.QueueInputReport(fakes::LinkRig::kPath, status);
    status.erase(status.begin());
    EXPECT_EQ(wait(rig.link), 0);
    EXPECT_EQ(rig.link.State().ChannelFlags, (std::array<std::uint8_t, 8>{1, 0, 0, 0, 0, 0, 0, 1}));
  }
}

TEST_F(WaitFixture, ProgramCardTreatsRegisterRepliesAsWrong) {
  rig.view.programCard = true;
  Bytes report = kHandshakeReply;
  report.insert(report.begin(), 16);
  rig.hid.QueueInputReport(fakes::LinkRig::kPath, report);
  EXPECT_EQ(rig.link.WaitAckShort(1), 1);
  EXPECT_EQ(rig.link.State().ProtocolSelector, 1);
}

TEST_F(WaitFixture, RegisterAckInOtherPhaseWaitsOutItsAttempt) {
  rig.link.State().TransferPhase = 5;
  AnswerEveryWrite(kDefaultsReply, 20);
  rig.link.SendFrame(ShortFrame(kEscMarkers, 0));
  std::uint32_t start = rig.clock.GetTickCount();
  EXPECT_EQ(rig.link.WaitAck(2), 2);
  EXPECT_EQ(Elapsed(start), 150u);
}

}  // namespace
}  // namespace device
