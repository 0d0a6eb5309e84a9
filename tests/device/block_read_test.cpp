// The block read of both protocols and the data log, end to end against the
// emulated devices.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <random>
#include <stdexcept>

#include "tests/support/DeviceLinkFakes.h"

namespace device {
namespace {

using hid::Bytes;

Bytes RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(n);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

Bytes ClassicData(std::uint8_t c, std::uint16_t idx, const Bytes& data) {
  return ClassicDataFrame(kEscMarkers, c, idx, data.data(), data.size());
}

// Short answers (S, c, ~c, E) the host wrote, in order.
std::vector<int> Answers(fakes::LinkRig& rig) {
  std::vector<int> answers;
  for (const Bytes& r : rig.Written())
    if (r[1] == 0xA5 && r[3] == static_cast<std::uint8_t>(~r[2]) && r[4] == 0x5A) answers.push_back(r[2]);
  return answers;
}

struct ClassicRead : ::testing::Test {
  fakes::LinkRig rig;
  std::vector<std::uint8_t> destination = std::vector<std::uint8_t>(32768, 0xEE);
  void SetUp() override { rig.link.State().Busy = true; }
};

TEST_F(ClassicRead, SettingsImageStreamsUntilTheZeroByteFrame) {
  auto device = rig.AttachClassic();
  device->settings = RandomBytes(4832, 1);
  rig.link.State().LoadingSettings = true;
  rig.progress.exists = true;
  rig.progress.maximum = 4832;
  EXPECT_EQ(rig.link.ReadBlocks(9, destination, false), 1);
  EXPECT_TRUE(std::equal(device->settings.begin(), device->settings.end(), destination.begin()));
  EXPECT_TRUE(std::all_of(destination.begin() + 4832, destination.end(), [](auto b) { return b == 0; }));
  EXPECT_EQ(device->lastModeByte, 0xFF);
  EXPECT_EQ(Answers(rig), std::vector<int>(303, 2));  // 302 full frames and the empty one
  EXPECT_EQ(rig.progress.value, 4832);
}

TEST_F(ClassicRead, RepeatedIndexIsAnsweredWith3AndTheEmptyFrameEndsTheRead) {
  Bytes first = RandomBytes(16, 2);
  auto device = rig.Attach(std::make_shared<fakes::ScriptedDevice>());
  int sent = 0;
  device->answer = [&](const Bytes& frame, hid::ISimReplies& replies) {
    if (frame[1] == 7 || frame[1] == 2 || frame[1] == 3) {
      const Bytes script[] = {ClassicData(7, 0, first), ClassicData(7, 0, first), ClassicData(7, 1, {})};
      if (sent < 3) replies.Reply(script[sent++]);
    }
  };
  EXPECT_EQ(rig.link.ReadBlocks(7, destination, false), 1);
  EXPECT_EQ(Answers(rig), (std::vector<int>{2, 3, 2}));
  EXPECT_TRUE(std::equal(first.begin(), first.end(), destination.begin()));
  EXPECT_EQ(destination[16], 0);
}

TEST_F(ClassicRead, ThreeSilencesAfterAnAnswerRepeatThatAnswer) {
  auto device = std::make_shared<hid::SimClassicDevice>();
  device->infoBlock = RandomBytes(96, 3);
  auto relay = rig.Attach(std::make_shared<fakes::ScriptedDevice>());
  int twos = 0;
  relay->answer = [&](const Bytes& frame, hid::ISimReplies& replies) {
    if (frame[1] == 2 && ++twos == 6) return;  // the answer to frame 5 gets lost
    Bytes report(frame);
    report.insert(report.begin(), 0);
    device->OnOutputReport(report, replies);
  };
  EXPECT_EQ(rig.link.ReadBlocks(7, destination, false), 1);
  EXPECT_EQ(Answers(rig), std::vector<int>(8, 2));
  EXPECT_TRUE(std::equal(device->infoBlock.begin(), device->infoBlock.end(), destination.begin()));
}

TEST_F(ClassicRead, DeviceRestartAndBadCrcRecover) {
  auto device = rig.AttachClassic();
  device->settings = RandomBytes(240, 4);
  rig.hid.Faults(fakes::LinkRig::kPath).corruptReplies = 1;
  EXPECT_EQ(rig.link.ReadBlocks(9, destination, false), 1);
  EXPECT_TRUE(std::equal(device->settings.begin(), device->settings.end(), destination.begin()));

  // The device's ack(3) in the middle restarts the read from index 0.
  auto scripted = std::make_shared<fakes::ScriptedDevice>();
  fakes::LinkRig rig2;
  rig2.link.State().Busy = true;
  rig2.Attach(scripted);
  Bytes block = RandomBytes(16, 5);
  int commands = 0;
  scripted->answer = [&](const Bytes& frame, hid::ISimReplies& replies) {
    if (frame[1] == 9 && frame.size() > 8 && frame[8] == 0x5A) {
      replies.Reply(ClassicData(9, 0, block));
      if (++commands == 1) replies.Reply({0xA5, 0x03, 0xFC, 0x5A});
      else replies.Reply(ClassicData(9, 1, {}));
    }
  };
  EXPECT_EQ(rig2.link.ReadBlocks(9, destination, false), 1);
  EXPECT_EQ(commands, 2);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), destination.begin()));
}

TEST_F(ClassicRead, UntrustedLengthsAreRefused) {
  auto device = rig.Attach(std::make_shared<fakes::ScriptedDevice>());
  // A frame claiming 200 data bytes inside a 24-byte report, then one claiming
  // 16 bytes inside an 8-byte report: both answered with 3.
  Bytes oversize = ClassicData(9, 0, RandomBytes(16, 6));
  oversize[2] = 200;
  Bytes overreach = ClassicData(9, 0, {});
  overreach[2] = 16;
  int step = 0;
  device->answer = [&](const Bytes& frame, hid::ISimReplies& replies) {
    if (step == 0 && frame[1] == 9) replies.Reply(oversize);
    if (step == 1) replies.Reply(overreach);
    if (step == 2) replies.Reply(ClassicData(9, 0, {}));
    ++step;
  };
  EXPECT_EQ(rig.link.ReadBlocks(9, destination, false), 1);
  EXPECT_EQ(Answers(rig), (std::vector<int>{3, 3, 2}));
}

TEST_F(ClassicRead, AnImageBeyond32KiBFailsTheRead) {
  auto device = rig.Attach(std::make_shared<fakes::ScriptedDevice>());
  std::uint16_t idx = 0;
  Bytes block(16, 0x5C);
  device->answer = [&](const Bytes& frame, hid::ISimReplies& replies) {
    if (frame[1] == 9 || frame[1] == 2) replies.Reply(ClassicData(9, idx++, block));
  };
  EXPECT_EQ(rig.link.ReadBlocks(9, destination, false), 0);
  EXPECT_EQ(idx, 2049);  // frame 2048 would land past the image
  EXPECT_EQ(destination[0], 0);  // nothing copied on failure
}

TEST_F(ClassicRead, AVanishedAdapterEndsTheReadInsteadOfSpinning) {
  rig.AttachClassic();
  rig.link.State().Upgrading = true;  // keeps Busy through the reset
  rig.link.State().Connected = true;
  rig.hid.Unplug(fakes::LinkRig::kPath);
  EXPECT_EQ(rig.link.ReadBlocks(9, destination, false), 0);
  EXPECT_TRUE(rig.link.State().Busy);
  EXPECT_EQ(rig.handlers.arrivals, 1);
}

// Only a pulled-out adapter counts as a failed read; any other exception is a
// fault the application's handler must see.
TEST_F(ClassicRead, AnExceptionOtherThanRemovalLeavesTheRead) {
  struct Faulty : hid::ISimDevice {
    void OnOutputReport(const Bytes&, hid::ISimReplies&) override { throw std::logic_error("device model fault"); }
  };
  rig.Attach(std::make_shared<Faulty>());
  EXPECT_THROW(rig.link.ReadBlocks(9, destination, false), std::logic_error);
  EXPECT_EQ(rig.handlers.arrivals, 0);
}

TEST_F(ClassicRead, NothingHappensWhileNotBusy) {
  rig.AttachClassic();
  rig.link.State().Busy = false;
  int calls = rig.hid.CallCount();
  EXPECT_EQ(rig.link.ReadBlocks(9, destination, false), 0);
  EXPECT_EQ(rig.hid.CallCount(), calls);
}

struct RegisterRead : ::testing::Test {
  fakes::LinkRig rig;
  std::shared_ptr<hid::SimRegisterDevice> device = rig.AttachRegister();
  void SetUp() override { rig.link.State().Busy = true; }
  std::vector<unsigned> RequestedAddresses() {
    std::vector<unsigned> addresses;
    for (const Bytes& r : rig.Written())
      if (r[4] == 0x03) addresses.push_back(r[5] << 8 | r[6]);
    return addresses;
  }
};

TEST_F(RegisterRead, SettingsTake128RequestsAndFill4096Bytes) {
  device->settings = RandomBytes(4096, 7);
  device->errorReplies = 1;  // one 0x83 reply restarts at the same address
  std::vector<std::uint8_t> destination(4096, 0xEE);
  EXPECT_EQ(rig.link.ReadBlocks(9, destination, false), 1);
  EXPECT_EQ(destination, device->settings);
  auto addresses = RequestedAddresses();
  ASSERT_EQ(addresses.size(), 129u);
  EXPECT_EQ(addresses[0], 0x3138u);
  EXPECT_EQ(addresses[1], 0x3138u);
  EXPECT_EQ(addresses.back(), 0x3928u);
}

TEST_F(RegisterRead, InformationTakesTwoRequests) {
  device->info = RandomBytes(64, 8);
  std::vector<std::uint8_t> destination(64);
  EXPECT_EQ(rig.link.ReadBlocks(7, destination, false), 1);
  EXPECT_EQ(destination, device->info);
  EXPECT_EQ(RequestedAddresses(), (std::vector<unsigned>{0x2C25, 0x2C35}));
}

TEST_F(RegisterRead, RepliesShorterThan41BytesAreIgnored) {
  auto scripted = std::make_shared<fakes::ScriptedDevice>();
  fakes::LinkRig rig2;
  rig2.link.State().ProtocolSelector = 0;
  rig2.link.State().Busy = true;
  rig2.Attach(scripted);
  scripted->answer = [](const Bytes&, hid::ISimReplies& replies) {
    Bytes shortReply{0xFE, 0x01, 0x04, 0x03, 0x31, 0x38, 0x20};
    shortReply.resize(30, 0xAB);
    hid::AppendCrcModbus(shortReply);  // 32 bytes: report ID 18
    replies.Reply(shortReply);
  };
  std::vector<std::uint8_t> destination(4096, 0);
  EXPECT_EQ(rig2.link.ReadBlocks(9, destination, false), 0);
  EXPECT_TRUE(std::all_of(destination.begin(), destination.end(), [](auto b) { return b == 0; }));
}

Bytes LogRecord(std::int32_t speed, float voltage, float current) {
  Bytes record(12);
  auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) record[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
  };
  put(0, static_cast<std::uint32_t>(speed));
  put(4, std::bit_cast<std::uint32_t>(voltage));
  put(8, std::bit_cast<std::uint32_t>(current));
  return record;
}

TEST_F(ClassicRead, DataLogFillsTheGridsWithRunningStatistics) {
  auto device = rig.AttachClassic();
  for (int i = 1; i <= 16; ++i) {
    Bytes record = LogRecord(1000 * i, 10.0f + i * 0.25f, 2.0f * i);
    device->dataLog.insert(device->dataLog.end(), record.begin(), record.end());
  }
  rig.recorder.rows = 2;  // as the recorder's start leaves it: row 1 empty
  std::vector<std::uint8_t> buffer(32768);
  EXPECT_EQ(rig.link.ReadBlocks(14, buffer, true), 1);
  EXPECT_EQ(rig.recorder.rows, 17);
  EXPECT_EQ(rig.recorder.Cell(0, 1), "1");
  EXPECT_EQ(rig.recorder.Cell(1, 1), "1000");
  EXPECT_EQ(rig.recorder.Cell(2, 1), "10.25");
  EXPECT_EQ(rig.recorder.Cell(3, 16), "32.00");
  EXPECT_EQ(rig.recorder.chartRepaints, 16);
  const RecorderStats& stats = rig.link.State().Recorder;
  EXPECT_EQ(stats.speedAverage, 8500);  // (1000 + ... + 16000) / 16
  EXPECT_EQ(stats.speedMax, 16000);
  EXPECT_EQ(stats.speedMin, 1000);
  EXPECT_FLOAT_EQ(stats.voltageAverage, 10.0f + 8.5f * 0.25f);
  using Cell = std::pair<int, int>;
  EXPECT_EQ(rig.recorder.summary[Cell(1, 0)], "8500");
  EXPECT_EQ(rig.recorder.summary[Cell(2, 0)], "16000");
  EXPECT_EQ(rig.recorder.summary[Cell(3, 0)], "1000");
  EXPECT_EQ(rig.recorder.summary[Cell(1, 2)], "17.00");
  EXPECT_EQ(rig.recorder.summary[Cell(3, 1)], "10.25");
}

TEST_F(ClassicRead, EmptyDataLogLeavesTheAveragesAlone) {
  rig.AttachClassic();  // streams only the empty end frame
  rig.recorder.rows = 2;
  std::vector<std::uint8_t> buffer(32768);
  EXPECT_EQ(rig.link.ReadBlocks(14, buffer, true), 1);
  EXPECT_TRUE(rig.recorder.summary.empty());
  EXPECT_EQ(rig.recorder.rows, 2);
}

}  // namespace
}  // namespace device
