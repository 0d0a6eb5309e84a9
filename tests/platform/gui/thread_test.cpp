#include <gtest/gtest.h>

#include <glib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>

#include "platform/gui/Application.h"
#include "platform/gui/Thread.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/gui_pump.h"

using namespace gui;
using namespace std::chrono_literals;

namespace {

using test_support::PumpUntil;

class FunctionThread : public TThread {
 public:
  explicit FunctionThread(std::function<void(FunctionThread&)> body) : body_(std::move(body)) {}
  ~FunctionThread() override {
    Terminate();
    WaitFor();
  }
  using TThread::Terminated;

  // Sleeps until Terminate.
  void SleepUntilTerminated() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [&] { return Terminated(); });
  }

 protected:
  void Execute() override { body_(*this); }
  void TerminatedSet() override {
    std::lock_guard lock(mutex_);
    wake_.notify_all();
  }

 private:
  std::function<void(FunctionThread&)> body_;
  std::mutex mutex_;
  std::condition_variable wake_;
};

}  // namespace

TEST(Synchronize, RunsOnTheUiThreadOnlyWhenItServesTheQueue) {
  std::atomic<bool> ran{false};
  std::thread::id ranOn;
  std::thread worker([&] {
    TThread::Synchronize([&] {
      ranOn = std::this_thread::get_id();
      ran = true;
    });
  });
  // Before any loop runs the call waits; it never runs on the worker.
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(ran.load());
  ASSERT_TRUE(PumpUntil([&] { return ran.load(); }));
  worker.join();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  EXPECT_FALSE(CheckSynchronize());  // nothing left
}

TEST(Synchronize, ServesCallsInsideNestedPumps) {
  std::atomic<bool> innerRan{false};
  bool innerSeenInsideOuter = false;
  std::thread inner;
  std::thread outer([&] {
    TThread::Synchronize([&] {
      inner = std::thread([&] { TThread::Synchronize([&] { innerRan = true; }); });
      Application->ProcessMessages();
      innerSeenInsideOuter = PumpUntil([&] { return innerRan.load(); });
    });
  });
  ASSERT_TRUE(PumpUntil([&] { return innerSeenInsideOuter; }));
  outer.join();
  inner.join();
}

TEST(Synchronize, RaisesTheCallsExceptionInTheCaller) {
  std::string caught;
  std::thread worker([&] {
    try {
      TThread::Synchronize([] { throw rtl::EConvertError("bad value"); });
    } catch (const rtl::EConvertError& e) {
      caught = e.Message();
    }
  });
  ASSERT_TRUE(CheckSynchronize(5000));
  worker.join();
  EXPECT_EQ(caught, "bad value");
  // On the UI thread the call runs directly, and so does its exception.
  EXPECT_THROW(TThread::Synchronize([] { throw rtl::EAbort("x"); }), rtl::EAbort);
}

TEST(TThread, WaitForOnTheUiThreadServesQueuedCalls) {
  int calls = 0;
  FunctionThread thread([&](FunctionThread&) {
    for (int i = 0; i < 5; ++i) TThread::Synchronize([&] { ++calls; });
  });
  EXPECT_TRUE(thread.Suspended());
  thread.Start();
  thread.WaitFor();  // no loop runs here: WaitFor alone must serve the calls
  EXPECT_EQ(calls, 5);
  EXPECT_TRUE(thread.Finished());
}

TEST(TThread, TerminateWakesTheThreadAndExceptionsAreKept) {
  FunctionThread sleeper([](FunctionThread& self) {
    self.SleepUntilTerminated();
    throw rtl::EThread("ended");
  });
  sleeper.Start();
  sleeper.Terminate();
  sleeper.WaitFor();
  ASSERT_TRUE(sleeper.FatalException());
  EXPECT_THROW(std::rethrow_exception(sleeper.FatalException()), rtl::EThread);

  FunctionThread never([](FunctionThread&) {});
  never.WaitFor();  // never started: returns at once
  EXPECT_TRUE(never.Finished());
}

TEST(TThread, FreeOnTerminateFreesTheThreadOnTheUiThreadWhenItEnds) {
  static std::atomic<bool> destroyed;
  static std::thread::id destroyedOn;
  struct Detached : FunctionThread {
    using FunctionThread::FunctionThread;
    ~Detached() override {
      destroyedOn = std::this_thread::get_id();
      destroyed = true;
    }
  };
  destroyed = false;
  std::atomic<bool> release{false};
  auto* thread = new Detached([&](FunctionThread&) {
    while (!release) std::this_thread::sleep_for(1ms);
  });
  thread->Start();
  thread->FreeOnTerminate();
  CheckSynchronize();
  EXPECT_FALSE(destroyed.load());  // still running
  release = true;
  ASSERT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(destroyedOn, std::this_thread::get_id());
}

// A thread handed over with FreeOnTerminate is joined before the process
// ends, even when it is still running as main returns.
TEST(TThreadDeathTest, HandedOverThreadsAreJoinedWhenTheProcessExits) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string marker = ::testing::TempDir() + "esctool_thread_joined_at_exit";
  std::remove(marker.c_str());
  EXPECT_EXIT(
      {
        auto* thread = new FunctionThread([marker](FunctionThread&) {
          std::this_thread::sleep_for(200ms);
          std::ofstream(marker) << "joined";
        });
        thread->Start();
        thread->FreeOnTerminate();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(std::ifstream(marker).good());
  std::remove(marker.c_str());
}

TEST(TThread, NamesThreadsWithinTheSystemLimit) {
  struct Case {
    std::string name, expected;
  };
  for (const Case& c : {Case{"TJvTimerThread: Timer1 {TJvTimerThread}", "TJvTimerThread:"},
                        Case{"short", "short"},
                        Case{"abcdefghijklm\xC3\xA9xyz", "abcdefghijklm\xC3\xA9"},
                        Case{"abcdefghijklmn\xC3\xA9", "abcdefghijklmn"}}) {
    std::string seen;
    std::thread([&] {
      TThread::NameThreadForDebugging(c.name);
      char buffer[32] = {};
      pthread_getname_np(pthread_self(), buffer, sizeof buffer);
      seen = buffer;
    }).join();
    EXPECT_EQ(seen, c.expected) << c.name;
  }
}
