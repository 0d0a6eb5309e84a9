#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "components/JvTimer.h"
#include "platform/gui/Application.h"
#include "platform/gui/Thread.h"
#include "platform/rtl/Exceptions.h"
#include "tests/components/timer_test_support.h"

using namespace components;
using namespace timer_tests;
using test_support::PumpFor;
using test_support::PumpUntil;

namespace {

const char kWorkerName[] = "TJvTimerThread:";

// Records every tick: when it started and ended, on which thread, and
// whether two ticks ever ran at once.
struct TickLog {
  std::vector<Clock::time_point> starts, ends;
  bool offUiThread = false;
  bool overlapped = false;
  bool inHandler = false;

  int Count() const { return static_cast<int>(starts.size()); }
  void Enter() {
    overlapped |= inHandler;
    inHandler = true;
    offUiThread |= !gui::IsMainThread();
    starts.push_back(Clock::now());
  }
  void Leave() {
    ends.push_back(Clock::now());
    inHandler = false;
  }
};

TJvTimer* NewTimer(std::uint32_t interval, rtl::TNotifyEvent handler) {
  auto* timer = new TJvTimer(nullptr);
  timer->SetName("Timer1");
  timer->SetInterval(interval);
  timer->SetOnTimer(std::move(handler));  // Enabled is true by default: this starts it
  return timer;
}

class TJvTimerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    gui::Application->OnException = nullptr;
    gui::CheckSynchronize();  // frees workers that ended on their own
    EXPECT_TRUE(PumpUntil([] { return CountThreadsNamed(kWorkerName) == 0; }, 2000ms)) << "a worker outlived its timer";
  }
};

}  // namespace

TEST_F(TJvTimerTest, FirstTickAtOnceThenOneIntervalAfterTheHandlerEnded) {
  constexpr int kInterval = 150;
  TickLog log;
  const auto enabledAt = Clock::now();
  TJvTimer* timer = NewTimer(kInterval, [&](rtl::TObject*) {
    log.Enter();
    gui::Application->ProcessMessages();  // a pump inside the handler must not start another tick
    std::this_thread::sleep_for(30ms);
    log.Leave();
  });
  ASSERT_TRUE(PumpUntil([&] { return log.Count() >= 4; }));
  timer->Free();

  EXPECT_LT(MsBetween(enabledAt, log.starts[0]), kInterval);
  for (int i = 1; i < log.Count(); ++i) EXPECT_GE(MsBetween(log.ends[i - 1], log.starts[i]), kInterval) << "tick " << i;
  EXPECT_FALSE(log.offUiThread);
  EXPECT_FALSE(log.overlapped);
}

TEST_F(TJvTimerTest, PostEventTimeWaitsOneIntervalBeforeTheFirstTick) {
  constexpr int kInterval = 150;
  TickLog log;
  auto* timer = new TJvTimer(nullptr);
  timer->SetEventTime(tetPost);
  timer->SetInterval(kInterval);
  const auto enabledAt = Clock::now();
  timer->SetOnTimer([&](rtl::TObject*) { log.Enter(), log.Leave(); });
  ASSERT_TRUE(PumpUntil([&] { return log.Count() >= 1; }));
  timer->Free();
  EXPECT_GE(MsBetween(enabledAt, log.starts[0]), kInterval);
}

TEST_F(TJvTimerTest, OffThenOnInsideTheHandlerKeepsTicking) {
  int ticks = 0;
  TJvTimer* timer = NewTimer(20, [&](rtl::TObject* sender) {
    ++ticks;
    auto* self = static_cast<TJvTimer*>(sender);
    self->SetEnabled(false);
    self->SetEnabled(true);
  });
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 4; }));
  timer->Free();
}

TEST_F(TJvTimerTest, OffInsideTheHandlerPausesAndOnAgainAfterAnIntervalTicksAtOnce) {
  constexpr int kInterval = 150;
  TickLog log;
  TJvTimer* timer = NewTimer(kInterval, [&](rtl::TObject* sender) {
    log.Enter();
    if (log.Count() == 1) static_cast<TJvTimer*>(sender)->SetEnabled(false);
    log.Leave();
  });
  PumpFor(std::chrono::milliseconds(3 * kInterval));
  EXPECT_EQ(log.Count(), 1);
  EXPECT_EQ(CountThreadsNamed(kWorkerName), 1);  // paused, not ended

  const auto enabledAt = Clock::now();
  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return log.Count() >= 3; }));
  timer->Free();
  EXPECT_LT(MsBetween(enabledAt, log.starts[1]), kInterval);
  EXPECT_GE(MsBetween(log.ends[1], log.starts[2]), kInterval);
}

// The worker hands its tick over while the UI thread is busy; the UI thread
// then switches the timer off or frees it. Waiting for the worker must serve
// the pending tick, which must find the timer off.
TEST_F(TJvTimerTest, OffOrFreedDuringAHandOverNeverDeadlocksNorTicksAfterwards) {
  for (bool freeIt : {false, true}) {
    for (int round = 0; round < 100; ++round) {
      std::atomic<bool> stopped{false};
      int lateTicks = 0;
      TJvTimer* timer = NewTimer(1, [&](rtl::TObject*) { lateTicks += stopped ? 1 : 0; });
      std::this_thread::sleep_for(std::chrono::microseconds(round % 10 * 300));  // the hand-over is queued
      stopped = true;
      if (freeIt) {
        timer->Free();
      } else {
        timer->SetEnabled(false);
        PumpFor(2ms);
        timer->Free();
      }
      ASSERT_EQ(lateTicks, 0) << (freeIt ? "freed" : "switched off") << " in round " << round;
    }
  }
}

TEST_F(TJvTimerTest, FreedInsideItsOwnHandlerEndsWithoutDeadlock) {
  int ticks = 0;
  NewTimer(10, [&](rtl::TObject* sender) {
    ++ticks;
    sender->Free();
  });
  PumpFor(150ms);
  EXPECT_EQ(ticks, 1);
}

TEST_F(TJvTimerTest, NoWorkerWithoutIntervalOrHandler) {
  int ticks = 0;
  TJvTimer* noInterval = NewTimer(0, [&](rtl::TObject*) { ++ticks; });
  auto* noHandler = new TJvTimer(nullptr);
  noHandler->SetInterval(10);
  PumpFor(100ms);
  EXPECT_EQ(CountThreadsNamed(kWorkerName), 0);
  EXPECT_EQ(ticks, 0);

  noInterval->SetInterval(10);  // now it may run
  EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }));
  noInterval->SetOnTimer(nullptr);  // outside the handler: the worker ends
  EXPECT_TRUE(PumpUntil([] { return CountThreadsNamed(kWorkerName) == 0; }));
  noInterval->Free();
  noHandler->Free();
}

TEST_F(TJvTimerTest, ThreadedCannotChangeInsideTheHandler) {
  std::string message;
  int ticks = 0;
  TJvTimer* timer = NewTimer(10, [&](rtl::TObject* sender) {
    if (++ticks > 1) return;
    try {
      static_cast<TJvTimer*>(sender)->SetThreaded(false);
    } catch (const rtl::Exception& e) {
      message = e.Message();
    }
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  EXPECT_EQ(message, "Cannot change TJvTimer.Threaded in the timer event");
  EXPECT_TRUE(timer->Threaded());
  timer->Free();
}

TEST_F(TJvTimerTest, UnthreadedUsesTheLoopTimerAndCanSwitchBack) {
  TickLog log;
  TJvTimer* timer = NewTimer(20, [&](rtl::TObject*) { log.Enter(), log.Leave(); });
  timer->SetThreaded(false);
  EXPECT_TRUE(PumpUntil([&] { return log.Count() >= 3; }));
  EXPECT_EQ(CountThreadsNamed(kWorkerName), 0);

  timer->SetThreaded(true);
  const int before = log.Count();
  EXPECT_TRUE(PumpUntil([&] { return log.Count() >= before + 2; }));
  timer->Free();
  EXPECT_FALSE(log.offUiThread);
}

// An exception that escapes OnTimer is handed to the application, once, and
// the timer goes on ticking, whether the tick runs on the UI thread or, with
// SyncEvent off, on the worker.
TEST_F(TJvTimerTest, AnExceptionInTheHandlerIsReportedAndTickingGoesOn) {
  for (bool syncEvent : {true, false}) {
    std::vector<std::string> reported;
    bool reportedOffUiThread = false;
    gui::Application->OnException = [&](rtl::TObject*, const std::exception& e) {
      reported.push_back(e.what());
      reportedOffUiThread |= !gui::IsMainThread();
    };
    std::atomic<int> ticks{0};
    auto* timer = new TJvTimer(nullptr);
    timer->SetSyncEvent(syncEvent);
    timer->SetInterval(10);
    timer->SetOnTimer([&](rtl::TObject*) {
      if (++ticks == 1) throw rtl::EConvertError("tick failed");
    });
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; })) << "syncEvent " << syncEvent;
    timer->Free();
    EXPECT_EQ(reported, std::vector<std::string>{"tick failed"});
    EXPECT_FALSE(reportedOffUiThread);
  }
}
