#include "ui/window/vg_guitimers.h"

#include <glib.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gui/Timer.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_object.h"
#include "ui/core/vg_persistent.h"

namespace vg {

namespace {

TvgOwned<gui::TTimer> NewTimer(std::uint32_t intervalMs) {
  TvgOwned<gui::TTimer> timer(new gui::TTimer(nullptr));
  timer->SetInterval(intervalMs);
  return timer;
}

class TGuiTimer final : public IvgTimer {
 public:
  TGuiTimer(std::uint32_t intervalMs, std::function<void()> tick) : FTimer(NewTimer(intervalMs)) {
    FTimer->SetOnTimer([tick = std::move(tick)](rtl::TObject*) { tick(); });
  }

 private:
  TvgOwned<gui::TTimer> FTimer;
};

class TGuiOneShot final : public IvgOneShot {
 public:
  TGuiOneShot(std::uint32_t milliseconds, std::function<void()> fire) : FTimer(NewTimer(milliseconds)) {
    FTimer->SetOnTimer([timer = FTimer.get(), fire = std::move(fire)](rtl::TObject*) {
      timer->SetEnabled(false);
      fire();  // may destroy this handle and the timer; touch nothing after
    });
  }

 private:
  TvgOwned<gui::TTimer> FTimer;
};

class TGLibAniClock final : public IvgAniClock {
 public:
  double MonotonicMs() override { return double(g_get_monotonic_time()) / 1000.0; }
  std::unique_ptr<IvgTimer> StartTimer(std::uint32_t intervalMs, std::function<void()> tick) override {
    return std::make_unique<TGuiTimer>(intervalMs, std::move(tick));
  }
  void WaitForEvent() override { g_main_context_iteration(nullptr, TRUE); }
};

}  // namespace

void vgUseGuiTimers() {
  static TGLibAniClock clock;
  vgSetAniClock(&clock);
  vgSetOneShotFactory([](std::uint32_t milliseconds, std::function<void()> fire) -> std::unique_ptr<IvgOneShot> {
    return std::make_unique<TGuiOneShot>(milliseconds, std::move(fire));
  });
}

}  // namespace vg
