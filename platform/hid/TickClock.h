#pragma once
// The millisecond tick count every device wait is measured with, and a way to
// let time pass. Ticks are 32-bit and wrap; compare them by unsigned
// difference only.
#include <cstdint>

namespace hid {

class ITickClock {
 public:
  virtual ~ITickClock() = default;
  /// Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual std::uint32_t GetTickCount() = 0;
  /// Lets `ms` milliseconds pass (sleeps, or advances a virtual clock).
  virtual void SleepFor(std::uint32_t ms) = 0;
};

/// The monotonic system clock.
class SteadyTickClock final : public ITickClock {
 public:
  std::uint32_t GetTickCount() override;
  void SleepFor(std::uint32_t ms) override;
};

/// A clock that moves only when told to, so protocol waits cost no real time.
class VirtualClock final : public ITickClock {
 public:
  explicit VirtualClock(std::uint32_t start = 0) : now_(start) {}
  std::uint32_t GetTickCount() override { return now_; }
  void SleepFor(std::uint32_t ms) override { now_ += ms; }
  void Advance(std::uint32_t ms) { now_ += ms; }

 private:
  std::uint32_t now_;
};

}  // namespace hid
