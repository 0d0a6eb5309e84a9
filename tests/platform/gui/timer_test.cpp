#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/Application.h"
#include "platform/gui/Timer.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/gui_pump.h"

using namespace gui;
using namespace std::chrono_literals;
using test_support::PumpFor;
using test_support::PumpUntil;

TEST(TTimer, TicksOnlyWhileEnabledWithIntervalAndHandler) {
  int ticks = 0;
  auto* timer = new TTimer(nullptr);
  timer->SetInterval(0);
  timer->SetOnTimer([&](rtl::TObject*) { ++ticks; });
  PumpFor(50ms);
  EXPECT_EQ(ticks, 0);

  timer->SetInterval(10);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer->SetEnabled(false);
  const int stoppedAt = ticks;
  PumpFor(50ms);
  EXPECT_EQ(ticks, stoppedAt);
  timer->Free();
}

TEST(TTimer, HandlerExceptionsGoToTheApplicationAndTheHandlerMayFreeTheTimer) {
  std::vector<std::string> reported;
  Application->OnException = [&](rtl::TObject*, const std::exception& e) { reported.push_back(e.what()); };
  int ticks = 0;
  auto* timer = new TTimer(nullptr);
  timer->SetInterval(5);
  timer->SetOnTimer([&](rtl::TObject* sender) {
    if (++ticks == 1) throw rtl::EConvertError("first tick failed");
    sender->Free();
  });
  PumpFor(100ms);
  Application->OnException = nullptr;
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(reported, std::vector<std::string>{"first tick failed"});
}
