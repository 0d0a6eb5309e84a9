#include "platform/hid/TickClock.h"

#include <chrono>
#include <thread>

namespace hid {

std::uint32_t SteadyTickClock::GetTickCount() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SteadyTickClock::SleepFor(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace hid
