#include <gtest/gtest.h>

#include <glib.h>

#include <cstdlib>
#include <string>

#include "platform/hid/HidBackendChoice.h"
#include "platform/hid/SimulatedHid.h"
#include "platform/hid/SimulatedHotplug.h"

namespace {

// Echoes every frame back after a configurable delay.
struct EchoDevice : hid::ISimDevice {
  std::uint32_t delay = 0;
  void OnOutputReport(const hid::Bytes& report, hid::ISimReplies& replies) override {
    replies.Reply(hid::Bytes(report.begin() + 1, report.begin() + 5), delay);
  }
};

struct SimFixture : ::testing::Test {
  hid::VirtualClock clock{0xFFFFFF00u};  // near the wrap
  hid::SimulatedHid sim{clock};
  std::shared_ptr<EchoDevice> echo = std::make_shared<EchoDevice>();
  hid::Device* handle = nullptr;
  std::uint8_t buffer[65] = {};
  const std::uint8_t report[65] = {1, 0xA5, 0x00, 0xFF, 0x5A};

  void SetUp() override {
    sim.Plug({"/sim/0", 0x10C4, 0x82CD, u"adapter", 64, 65, "1-1"}, echo);
    handle = sim.OpenPath("/sim/0");
    ASSERT_NE(handle, nullptr);
  }
  void TearDown() override { sim.Close(handle); }
};

TEST_F(SimFixture, ReadWaitsOnTheVirtualClockAndDeliversPaddedReports) {
  std::uint32_t start = clock.GetTickCount();
  EXPECT_EQ(sim.ReadTimeout(handle, buffer, 64, 150), 0);
  EXPECT_EQ(clock.GetTickCount() - start, 150u);

  echo->delay = 40;
  ASSERT_EQ(sim.WriteTo(handle, report, 65, 300), 65);
  start = clock.GetTickCount();
  EXPECT_EQ(sim.ReadTimeout(handle, buffer, 64, 150), 64);
  EXPECT_EQ(clock.GetTickCount() - start, 40u);
  EXPECT_EQ(buffer[0], 1);  // a 4-byte frame travels as report ID 1
  EXPECT_EQ(buffer[1], 0xA5);
  EXPECT_EQ(buffer[63], 0);
}

TEST_F(SimFixture, FaultsDropCorruptFailAndUnplug) {
  sim.Faults("/sim/0").dropReplies = 1;
  sim.Faults("/sim/0").corruptReplies = 1;
  sim.WriteTo(handle, report, 65, 300);
  EXPECT_EQ(sim.ReadTimeout(handle, buffer, 64, 15), 0);
  sim.WriteTo(handle, report, 65, 300);
  ASSERT_EQ(sim.ReadTimeout(handle, buffer, 64, 15), 64);
  EXPECT_EQ(buffer[3], 0xFF ^ 0xFF);  // next-to-last frame byte flipped

  sim.Faults("/sim/0").failWrites = 1;
  EXPECT_LT(sim.WriteTo(handle, report, 65, 300), 0);
  EXPECT_EQ(sim.Written("/sim/0").size(), 2u);

  sim.Faults("/sim/0").unplugAfterWrites = 1;
  EXPECT_GT(sim.WriteTo(handle, report, 65, 300), 0);
  EXPECT_LT(sim.WriteTo(handle, report, 65, 300), 0);
  EXPECT_THROW(sim.ReadTimeout(handle, buffer, 64, 15), hid::EDeviceRemoved);
  EXPECT_TRUE(sim.Enumerate().empty());
  EXPECT_EQ(sim.OpenPath("/sim/0"), nullptr);
}

struct RecordingHotplug : hid::IHotplugHandler {
  std::string seen;
  void AdapterArrived() override { seen += "+"; }
  void AdapterRemoved() override { seen += "-"; }
  void HandleException(std::exception_ptr) override { seen += "!"; }
};

// What the monitor has told once the main loop ran past its next check.
std::string AfterNextCheck(RecordingHotplug& handler) {
  const std::size_t before = handler.seen.size();
  const gint64 give_up = g_get_monotonic_time() + 2 * G_USEC_PER_SEC;
  while (handler.seen.size() == before && g_get_monotonic_time() < give_up) g_main_context_iteration(nullptr, TRUE);
  return handler.seen;
}

TEST_F(SimFixture, PullingOutAndPluggingBackAreToldFromTheMainLoop) {
  RecordingHotplug handler;
  hid::SimulatedHotplugMonitor monitor(sim, handler);
  sim.Faults("/sim/0").unplugAfterWrites = 0;
  EXPECT_LT(sim.WriteTo(handle, report, 65, 300), 0);
  EXPECT_EQ(handler.seen, "");  // never from inside the library call
  EXPECT_EQ(AfterNextCheck(handler), "-");

  sim.Replug("/sim/0");
  EXPECT_EQ(AfterNextCheck(handler), "-+");
  hid::Device* again = sim.OpenPath("/sim/0");
  ASSERT_NE(again, nullptr);
  EXPECT_GT(sim.WriteTo(again, report, 65, 300), 0);  // the unplug fault is spent
  sim.Close(again);
}

TEST_F(SimFixture, TheMonitorLeavesAnIdleLoopAsleep) {
  RecordingHotplug handler;
  hid::SimulatedHotplugMonitor monitor(sim, handler);
  bool guardFired = false;
  g_timeout_add(
      300,
      [](gpointer fired) {
        *static_cast<bool*>(fired) = true;
        return G_SOURCE_REMOVE;
      },
      &guardFired);
  g_main_context_iteration(nullptr, TRUE);
  EXPECT_TRUE(guardFired);  // nothing woke the loop before the guard's 300 ms
  EXPECT_EQ(handler.seen, "");
}

}  // namespace

namespace {

TEST(HidBackendChoice, EnvironmentSelectsTheSimulatedAdapter) {
  hid::VirtualClock clock;
  setenv("ESCTOOL_SIMULATED_HID", "register", 1);
  auto simulated = hid::CreateHidApi(clock);
  ASSERT_NE(dynamic_cast<hid::SimulatedHid*>(simulated.get()), nullptr);
  EXPECT_EQ(hid::SimulatedAdapterOfThisRun(), simulated.get());
  auto devices = simulated->Enumerate();
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].vendorId, 0x10C4);
  unsetenv("ESCTOOL_SIMULATED_HID");
  EXPECT_EQ(dynamic_cast<hid::SimulatedHid*>(hid::CreateHidApi(clock).get()), nullptr);
  EXPECT_EQ(hid::SimulatedAdapterOfThisRun(), nullptr);
}

}  // namespace
