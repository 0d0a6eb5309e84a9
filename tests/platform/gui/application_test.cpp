#include <gtest/gtest.h>

#include <glib.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/gui/Application.h"
#include "platform/gui/Thread.h"
#include "platform/rtl/Exceptions.h"

using namespace gui;

TEST(TApplication, RunDispatchesUntilTerminateFromAnyThread) {
  TApplication app;
  std::atomic<int> dispatched{0};
  g_idle_add_full(
      G_PRIORITY_DEFAULT_IDLE,
      [](gpointer count) { return ++*static_cast<std::atomic<int>*>(count) < 3 ? TRUE : FALSE; }, &dispatched,
      nullptr);
  bool served = false;
  std::thread worker([&] {
    TThread::Synchronize([&] { served = true; });  // served by Run
    while (dispatched < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    app.Terminate();
  });
  app.Run();
  worker.join();
  EXPECT_TRUE(app.Terminated());
  EXPECT_TRUE(served);
  EXPECT_EQ(dispatched, 3);
  app.Run();  // already terminated: returns at once
}

TEST(TApplication, ProcessMessagesDispatchesWhatIsReadyAndReturns) {
  int dispatched = 0;
  g_idle_add([](gpointer count) { return ++*static_cast<int*>(count) < 2 ? TRUE : FALSE; }, &dispatched);
  g_timeout_add_seconds(
      3600, [](gpointer) { return FALSE; }, nullptr);  // not ready: must not block
  Application->ProcessMessages();
  EXPECT_EQ(dispatched, 2);
}

TEST(TApplication, HandleExceptionGoesToTheHookOrThePresenterAndDropsAbort) {
  TApplication app;
  std::vector<std::string> shown;
  app.ExceptionPresenter = [&](const std::string& message) { shown.push_back("shown: " + message); };
  auto raise = [&](auto error) {
    try {
      throw error;
    } catch (...) {
      app.HandleException(nullptr);
    }
  };
  raise(rtl::EConvertError("'x' is not a valid integer value"));
  raise(rtl::EAbort("silent"));
  raise(42);
  app.OnException = [&](rtl::TObject*, const std::exception& e) { shown.push_back(std::string("hook: ") + e.what()); };
  raise(rtl::EListError("List index out of bounds (5)"));
  EXPECT_EQ(shown, (std::vector<std::string>{"shown: 'x' is not a valid integer value", "shown: Unknown exception",
                                             "hook: List index out of bounds (5)"}));
}
