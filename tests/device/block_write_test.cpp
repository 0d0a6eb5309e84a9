// Block writes end to end against the emulated devices.
#include <gtest/gtest.h>

#include <numeric>

#include "tests/support/DeviceLinkFakes.h"

namespace device {
namespace {

using hid::Bytes;

Bytes Sequence(std::size_t n, std::uint8_t first = 1) {
  Bytes bytes(n);
  std::iota(bytes.begin(), bytes.end(), first);
  return bytes;
}

// Frames the host wrote after the drain, cut to their own length.
std::vector<Bytes> DataFramesWritten(fakes::LinkRig& rig, std::size_t headerBytes, std::size_t lengthByte,
                                     std::size_t overhead) {
  std::vector<Bytes> frames;
  for (std::size_t i = 0; i < rig.Written().size(); ++i) {
    const Bytes& report = rig.Written()[i];
    if (report.size() < 1 + headerBytes) continue;
    std::size_t length = report[1 + lengthByte] + overhead;
    frames.push_back(rig.WrittenFrame(i, length));
  }
  return frames;
}

struct ClassicWrite : ::testing::Test {
  fakes::LinkRig rig;
  std::shared_ptr<hid::SimClassicDevice> device = rig.AttachClassic();
  void SetUp() override { rig.link.State().Connected = rig.link.State().Busy = true; }
};

TEST_F(ClassicWrite, ThirtyTwoBytesGoAsFramesOf16And16And0) {
  Bytes data = Sequence(32);
  rig.progress.exists = true;
  rig.progress.maximum = 32;
  EXPECT_EQ(rig.link.WriteClassicBlocks(8, data.data(), 0, 32), 1);
  auto frames = DataFramesWritten(rig, 5, 2, 8);
  ASSERT_EQ(frames.size(), 3u);
  for (int j = 0; j < 3; ++j) {
    EXPECT_EQ(frames[j][1], 8);
    EXPECT_EQ(frames[j][2], j < 2 ? 16 : 0);
    EXPECT_EQ(frames[j][3], j);
    EXPECT_EQ(rig.Written()[j][0], j < 2 ? 4 : 2);  // report IDs of 24- and 8-byte frames
  }
  EXPECT_EQ(frames[1], ClassicDataFrame(kEscMarkers, 8, 1, data.data() + 16, 16));
  EXPECT_EQ(Bytes(device->settings.begin(), device->settings.begin() + 32), data);
  EXPECT_EQ(rig.link.State().RegisterWordCounter, 16);
  EXPECT_EQ(rig.progress.value, 32);
  EXPECT_FALSE(rig.view.blinking[Led::Activity]);
}

TEST_F(ClassicWrite, LostAcknowledgementsAreRetriedAfter150Ms) {
  Bytes data = Sequence(40);
  rig.link.WaitAck(1);  // let the drain's time pass first so timing below is the write's own
  rig.hid.Faults(fakes::LinkRig::kPath).dropReplies = 2;
  EXPECT_EQ(rig.link.WriteClassicBlocks(8, data.data(), 500, 40), 1);
  EXPECT_EQ(Bytes(device->settings.begin(), device->settings.begin() + 40), data);
  EXPECT_EQ(rig.Written().size(), 3u + 2u);
  EXPECT_EQ(std::count(rig.view.debug.begin(), rig.view.debug.end(), "Recv Error"), 2);
}

TEST_F(ClassicWrite, GivesUpAfter20AttemptsAndClearsConnected) {
  Bytes data = Sequence(16);
  rig.hid.Faults(fakes::LinkRig::kPath).dropReplies = 1000;
  std::uint32_t start = rig.clock.GetTickCount();
  EXPECT_EQ(rig.link.WriteClassicBlocks(8, data.data(), 0, 16), 0);
  EXPECT_FALSE(rig.link.State().Connected);
  EXPECT_EQ(rig.Written().size(), 20u);
  // 50 ms settle + 1500 ms drain + 20 attempts of 10 x 150 ms block waits.
  EXPECT_EQ(rig.clock.GetTickCount() - start, 50u + 1500u + 20u * 1500u);
}

TEST_F(ClassicWrite, StopsWhenBusyIsClearedUnderIt) {
  Bytes data = Sequence(64);
  int pumps = 0;
  rig.pump.onPump = [&] {
    if (++pumps == 200) rig.link.State().Busy = false;
  };
  rig.hid.Faults(fakes::LinkRig::kPath).dropReplies = 1000;
  EXPECT_EQ(rig.link.WriteClassicBlocks(8, data.data(), 0, 64), 0);
  EXPECT_LT(rig.Written().size(), 20u);
  EXPECT_FALSE(rig.link.State().Connected);
}

TEST_F(ClassicWrite, ProgramCardLastFrameIsNotAcknowledged) {
  rig.view.programCard = true;
  rig.link.State().Markers = kCardMarkers;
  device->start = 0xC3;
  device->end = 0x3C;
  device->writeOffset = 0;
  rig.progress.exists = true;
  rig.progress.maximum = 100;
  rig.hid.Faults(fakes::LinkRig::kPath).dropReplies = 1000;  // would fail any wait
  Bytes data = Sequence(10);
  EXPECT_EQ(rig.link.WriteClassicBlocks(8, data.data(), 0, 10), 1);
  EXPECT_EQ(rig.progress.shows, 1);
  EXPECT_EQ(rig.progress.value, 10);
}

TEST(RegisterWrite, FortyEightBytesGoToTheWriteWindowInChunksOf32And16) {
  fakes::LinkRig rig;
  auto device = rig.AttachRegister();
  rig.link.State().Connected = rig.link.State().Busy = true;
  Bytes data = Sequence(48, 0x40);
  EXPECT_EQ(rig.link.WriteRegisterBlocks(data.data(), 0, 48), 1);
  std::vector<Bytes> frames;
  for (std::size_t i = 0; i < rig.Written().size(); ++i)
    if (rig.Written()[i][4] == 0x17) frames.push_back(rig.WrittenFrame(i, rig.Written()[i][13] + 15));
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], RegisterWriteFrame(0x3538, data.data(), 32));
  EXPECT_EQ(frames[1], RegisterWriteFrame(0x3548, data.data() + 32, 16));
  EXPECT_EQ(rig.Written()[0][0], 13);  // report IDs of 47- and 31-byte frames
  EXPECT_EQ(rig.Written()[1][0], 14);
  EXPECT_EQ(Bytes(device->settings.begin() + 2048, device->settings.begin() + 2096), data);
  EXPECT_EQ(rig.link.State().RegisterWordCounter, 24);
  EXPECT_EQ(rig.link.State().TransferPhase, 6);
  EXPECT_EQ(rig.link.State().ProtocolSelector, 0);
}

}  // namespace
}  // namespace device

namespace device {
namespace {

// A register loader: acknowledges start, announce, commit (with `commitStatus`)
// and end, and reassembles the data pieces of each block.
struct LoaderScript {
  std::uint8_t commitStatus = 10;
  hid::Bytes received;
  int pieces = 0;

  void Answer(const hid::Bytes& frame, std::size_t length, hid::ISimReplies& replies) {
    auto reply = [&](std::uint8_t function, std::uint8_t status) {
      hid::Bytes r{0xFE, 0x01, 0x04, function, frame[4], frame[5], frame[6], frame[7], 0x00, status};
      hid::AppendCrcModbus(r);
      replies.Reply(r);
    };
    bool request = frame[0] == 0x01 && frame[1] == 0xFE && frame[2] == 0x04;
    if (request && frame[3] == 0x06) return reply(0x06, 0);
    if (request && frame[3] == 0x41) return reply(0x41, frame[9] == 1 ? commitStatus : 0);
    if (request && frame[3] == 0x10) return reply(0x10, 0);
    ++pieces;
    received.insert(received.end(), frame.begin(), frame.begin() + length);
  }
};

struct RegisterProgram : ::testing::Test {
  fakes::LinkRig rig;
  LoaderScript loader;
  void SetUp() override {
    auto device = rig.Attach(std::make_shared<fakes::ScriptedDevice>());
    rig.link.State().ProtocolSelector = 0;
    rig.link.State().Connected = rig.link.State().Busy = true;
    device->answer = [this](const hid::Bytes& frame, hid::ISimReplies& replies) {
      // A piece's report gives no length: the host sends 32 pieces of 32
      // bytes and a tail of 10 per 1034-byte block frame.
      std::size_t length = loader.pieces % 33 == 32 ? 10 : 32;
      loader.Answer(frame, length, replies);
    };
  }
};

TEST_F(RegisterProgram, TwoBlocksGoAsPiecesOf32AndATailOf10) {
  Bytes image = Sequence(2048, 3);
  EXPECT_EQ(rig.link.ProgramRegisterDevice(image.data(), 0, image.size()), 2);
  EXPECT_EQ(loader.pieces, 66);
  ASSERT_EQ(loader.received.size(), 2u * 1034);
  EXPECT_EQ(Bytes(loader.received.begin(), loader.received.begin() + 1034),
            RegisterBlockDataFrame(0, image.data(), 1024));
  EXPECT_EQ(Bytes(loader.received.begin() + 1034, loader.received.end()),
            RegisterBlockDataFrame(1, image.data() + 1024, 1024));
  // The end frame carries the image's last 16 bytes.
  EXPECT_EQ(rig.WrittenFrame(rig.Written().size() - 1, 27), RegisterProgramEndFrame(image.data() + 2032));
  EXPECT_EQ(rig.link.State().RegisterWordCounter, 1024);
}

TEST_F(RegisterProgram, CommitAnsweredWith14AsksForARestart) {
  loader.commitStatus = 14;
  Bytes image = Sequence(2048);
  EXPECT_EQ(rig.link.ProgramRegisterDevice(image.data(), 0, image.size()), 1);
  EXPECT_FALSE(rig.link.State().Connected);
  EXPECT_EQ(loader.pieces, 33);
}

TEST_F(RegisterProgram, OddImageIsRefusedBeforeAnyUpload) {
  Bytes image = Sequence(2047);
  EXPECT_EQ(DeviceLink::RegisterImageError(image.size()), "Program Error.");
  EXPECT_EQ(DeviceLink::RegisterImageError(2048), "");
  EXPECT_EQ(rig.link.ProgramRegisterDevice(image.data(), 0, image.size()), 0);
  EXPECT_TRUE(rig.Written().empty());
  EXPECT_TRUE(rig.link.State().Connected);
}

}  // namespace
}  // namespace device
