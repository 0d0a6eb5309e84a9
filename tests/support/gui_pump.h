#pragma once
// Helpers for tests that run the UI thread's GLib default main context.
#include <glib.h>

#include <chrono>
#include <thread>

namespace test_support {

using Clock = std::chrono::steady_clock;

// Dispatches the default main context until done() holds or `limit` passes;
// returns done().
template <typename Predicate>
bool PumpUntil(Predicate done, std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
  const auto deadline = Clock::now() + limit;
  while (!done() && Clock::now() < deadline) {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

// Dispatches the default main context for `span`.
inline void PumpFor(std::chrono::milliseconds span) {
  PumpUntil([] { return false; }, span);
}

}  // namespace test_support
