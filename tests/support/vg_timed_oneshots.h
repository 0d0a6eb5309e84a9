#pragma once
// One-shot timers on a clock that moves only when told to, for tests of
// timing: each timer fires once its interval has passed on that clock, in
// the order they fall due, never at the moment it is started (not even a
// 0 ms one). Timers started while firing fire in the same Advance when
// they fall due within it. Installs itself as the one-shot factory for its
// lifetime, then puts the one installed before back.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "ui/core/vg_object.h"

namespace vgtest {

class TimedOneShots {
 public:
  TimedOneShots() {
    previous_ = vg::vgSetOneShotFactory([this](std::uint32_t ms, std::function<void()> fire) {
      auto handle = std::make_unique<Handle>(this);
      pending_[handle.get()] = {now_ + ms, order_++, std::move(fire)};
      return handle;
    });
  }
  ~TimedOneShots() { vg::vgSetOneShotFactory(std::move(previous_)); }
  TimedOneShots(const TimedOneShots&) = delete;
  TimedOneShots& operator=(const TimedOneShots&) = delete;

  double Now() const { return now_; }
  // Moves the clock forward by ms, firing every timer that falls due.
  void Advance(double ms) {
    const double end = now_ + ms;
    while (Handle* next = NextDue(end)) {
      Entry entry = std::move(pending_[next]);
      pending_.erase(next);
      now_ = entry.due;
      entry.fire();
    }
    now_ = end;
  }

 private:
  struct Entry {
    double due = 0;
    std::uint64_t order = 0;
    std::function<void()> fire;
  };
  struct Handle : vg::IvgOneShot {
    explicit Handle(TimedOneShots* owner) : owner_(owner) {}
    ~Handle() override { owner_->pending_.erase(this); }
    TimedOneShots* owner_;
  };

  Handle* NextDue(double end) {
    Handle* best = nullptr;
    for (auto& [handle, entry] : pending_)
      if (entry.due <= end && (!best || entry.due < pending_[best].due ||
                               (entry.due == pending_[best].due && entry.order < pending_[best].order)))
        best = handle;
    return best;
  }

  vg::TvgOneShotFactory previous_;
  std::map<Handle*, Entry> pending_;
  double now_ = 0;
  std::uint64_t order_ = 0;
};

}  // namespace vgtest
