#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "components/JvThreadTimer.h"
#include "platform/gui/Application.h"
#include "platform/gui/Thread.h"
#include "platform/rtl/Exceptions.h"
#include "tests/components/timer_test_support.h"

using namespace components;
using namespace timer_tests;
using test_support::PumpFor;
using test_support::PumpUntil;

namespace {

// A thread timer whose loading state the test drives, as the form reader does.
class StreamedThreadTimer : public TJvThreadTimer {
 public:
  using TJvThreadTimer::TJvThreadTimer;
  void BeginLoading() { IncludeState(rtl::csLoading); }
  void EndLoading() { Loaded(); }
};

struct Ticks {
  std::vector<Clock::time_point> starts, ends;
  int Count() const { return static_cast<int>(starts.size()); }
};

// A running timer whose handler records its ticks and takes `work`.
TJvThreadTimer* NewRunningTimer(std::uint32_t interval, Ticks& ticks, std::chrono::milliseconds work = 0ms) {
  auto* timer = new TJvThreadTimer(nullptr);
  timer->SetInterval(interval);
  timer->SetOnTimer([&ticks, work](rtl::TObject*) {
    ticks.starts.push_back(Clock::now());
    std::this_thread::sleep_for(work);
    ticks.ends.push_back(Clock::now());
  });
  timer->SetEnabled(true);
  return timer;
}

class TJvThreadTimerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    gui::Application->OnException = nullptr;
    gui::CheckSynchronize();
    EXPECT_TRUE(PumpUntil([] { return CountThreadsNamed("TJvTimerThread:") == 0; }, 2000ms))
        << "a worker outlived its timer";
  }
};

}  // namespace

TEST_F(TJvThreadTimerTest, LoadingDefersEnabledUntilLoaded) {
  for (bool streamedEnabled : {false, true}) {
    auto* timer = new StreamedThreadTimer(nullptr);
    timer->SetName("ttMyThread");
    timer->BeginLoading();
    timer->SetInterval(2500);
    timer->SetOnTimer([](rtl::TObject*) {});
    timer->SetEnabled(streamedEnabled);
    EXPECT_EQ(timer->Thread(), nullptr);
    EXPECT_FALSE(timer->Enabled());
    timer->EndLoading();
    EXPECT_EQ(timer->Enabled(), streamedEnabled);
    ASSERT_EQ(timer->Thread() != nullptr, streamedEnabled);
    if (streamedEnabled) {
      EXPECT_EQ(timer->Thread()->ThreadName(), "TJvTimerThread: ttMyThread {TJvTimerThread}");
    }
    timer->Free();
  }
}

TEST_F(TJvThreadTimerTest, NoWorkerUntilEnabledWithIntervalAndHandler) {
  auto* timer = new TJvThreadTimer(nullptr);
  timer->SetEnabled(true);
  timer->SetInterval(0);
  timer->SetOnTimer([](rtl::TObject*) {});
  EXPECT_EQ(timer->Thread(), nullptr);
  timer->SetInterval(50);
  EXPECT_NE(timer->Thread(), nullptr);
  timer->Free();
}

// Ticks start one interval apart while the handler is shorter than the
// interval, and at once after a handler that took longer. Averages over the
// ticks keep the checks robust on a busy machine; the bounds sit halfway
// between the right timing and the wrong one (counting from the handler's end).
TEST_F(TJvThreadTimerTest, TicksStartOneIntervalApart) {
  struct Case {
    int interval, work;
  };
  for (const Case& c : {Case{300, 150}, Case{100, 250}}) {
    Ticks ticks;
    const auto enabledAt = Clock::now();
    TJvThreadTimer* timer = NewRunningTimer(c.interval, ticks, std::chrono::milliseconds(c.work));
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 5; }));
    timer->Free();
    EXPECT_GE(MsBetween(enabledAt, ticks.starts[0]), c.interval);  // it always waits first
    const int gaps = ticks.Count() - 1;
    if (c.work < c.interval) {
      const long long startToStart = MsBetween(ticks.starts[0], ticks.starts[gaps]) / gaps;
      EXPECT_GE(startToStart, c.interval - 30);
      EXPECT_LT(startToStart, c.interval + c.work / 2);
    } else {
      long long endToStart = 0;
      for (int i = 1; i <= gaps; ++i) endToStart += MsBetween(ticks.ends[i - 1], ticks.starts[i]);
      EXPECT_LT(endToStart / gaps, c.interval / 2);
    }
  }
}

TEST_F(TJvThreadTimerTest, SwitchedOffInsideTheHandlerReturnsAtOnceAndTicksNoMore) {
  int ticks = 0;
  long long offTookMs = -1;
  auto* timer = new TJvThreadTimer(nullptr);
  timer->SetInterval(20);
  timer->SetOnTimer([&](rtl::TObject* sender) {
    ++ticks;
    const auto before = Clock::now();
    static_cast<TJvThreadTimer*>(sender)->SetEnabled(false);
    offTookMs = MsBetween(before, Clock::now());
  });
  timer->SetEnabled(true);
  PumpFor(300ms);
  EXPECT_EQ(ticks, 1);
  EXPECT_LT(offTookMs, 200);  // never waits for the worker, which waits for this handler
  EXPECT_EQ(timer->Thread(), nullptr);
  timer->Free();
}

TEST_F(TJvThreadTimerTest, FreedInsideItsOwnHandlerEndsWithoutDeadlock) {
  int ticks = 0;
  auto* timer = new TJvThreadTimer(nullptr);
  timer->SetInterval(10);
  timer->SetOnTimer([&](rtl::TObject* sender) {
    ++ticks;
    sender->Free();
  });
  timer->SetEnabled(true);
  PumpFor(150ms);
  EXPECT_EQ(ticks, 1);
}

// A tick handed over but not yet served when the timer is freed is served
// while the worker ends, and must find the timer dying.
TEST_F(TJvThreadTimerTest, FreedDuringAHandOverNeverDeadlocksNorTicksAfterwards) {
  for (int round = 0; round < 100; ++round) {
    bool freed = false;
    int lateTicks = 0;
    auto* timer = new TJvThreadTimer(nullptr);
    timer->SetInterval(1);
    timer->SetOnTimer([&](rtl::TObject*) { lateTicks += freed ? 1 : 0; });
    timer->SetEnabled(true);
    std::this_thread::sleep_for(std::chrono::microseconds(1000 + round % 10 * 300));
    freed = true;
    timer->Free();
    ASSERT_EQ(lateTicks, 0) << "round " << round;
  }
}

// A tick handed over just before the timer is switched off or deleted finds
// it so and does nothing, with or without a parked worker.
TEST_F(TJvThreadTimerTest, NoTickRunsOnceSwitchedOffOrDeleted) {
  enum class Stop { SwitchOff, SwitchOffKeepAlive, Delete };
  for (const Stop stop : {Stop::SwitchOff, Stop::SwitchOffKeepAlive, Stop::Delete}) {
    int lateTicks = 0;
    for (int round = 0; round < 100; ++round) {
      bool stopped = false;
      auto* timer = new TJvThreadTimer(nullptr);
      timer->SetKeepAlive(stop == Stop::SwitchOffKeepAlive);
      timer->SetInterval(1);
      timer->SetOnTimer([&](rtl::TObject*) { lateTicks += stopped ? 1 : 0; });
      timer->SetEnabled(true);
      std::this_thread::sleep_for(std::chrono::microseconds(1000 + round % 10 * 300));
      stopped = true;
      if (stop == Stop::Delete) {
        delete timer;
      } else {
        timer->SetEnabled(false);
        PumpFor(2ms);
        timer->Free();
      }
    }
    EXPECT_EQ(lateTicks, 0) << "stop mode " << static_cast<int>(stop);
  }
}

TEST_F(TJvThreadTimerTest, KeepAliveParksTheSameWorker) {
  Ticks ticks;
  TJvThreadTimer* timer = NewRunningTimer(30, ticks);
  timer->SetKeepAlive(true);
  const auto* worker = timer->Thread();
  ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 2; }));

  timer->SetEnabled(false);  // outside the handler
  EXPECT_EQ(timer->Thread(), worker);
  const int parkedAt = ticks.Count();
  PumpFor(200ms);
  EXPECT_EQ(ticks.Count(), parkedAt);
  timer->SetEnabled(true);
  EXPECT_EQ(timer->Thread(), worker);
  ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= parkedAt + 2; }));

  // Parked from inside its own handler, then woken again.
  timer->SetOnTimer([&](rtl::TObject* sender) {
    ticks.starts.push_back(Clock::now());
    static_cast<TJvThreadTimer*>(sender)->SetEnabled(false);
  });
  const int before = ticks.Count();
  PumpFor(200ms);
  EXPECT_EQ(ticks.Count(), before + 1);
  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks.Count() == before + 2; }));
  EXPECT_EQ(CountThreadsNamed("TJvTimerThread:"), 1);
  timer->Free();
}

TEST_F(TJvThreadTimerTest, AnExceptionInTheHandlerReachesTheApplicationOnceAndTickingGoesOn) {
  std::vector<rtl::TObject*> senders;
  gui::Application->OnException = [&](rtl::TObject* sender, const std::exception&) { senders.push_back(sender); };
  int ticks = 0;
  auto* timer = new TJvThreadTimer(nullptr);
  timer->SetInterval(10);
  timer->SetOnTimer([&](rtl::TObject*) {
    if (++ticks == 1) throw rtl::Exception("tick failed");
  });
  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_EQ(senders, std::vector<rtl::TObject*>{timer});
  timer->Free();
}

TEST(TJvThreadTimerTicks, ElapsedTimeSurvivesTheTickCountWrapping) {
  EXPECT_EQ(JvThreadTimer::TicksBetween(0xFFFFFF00u, 0x100u), 0x200u);
}
