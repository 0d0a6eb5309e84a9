#pragma once
// The class library's timer component over the GLib default main context:
// while Enabled, Interval is not 0 and OnTimer is set, OnTimer runs on the UI
// thread about every Interval milliseconds, whenever the loop or a nested pump
// dispatches. An exception that escapes OnTimer goes to
// Application->HandleException. OnTimer may switch the timer off or free it.
#include <cstdint>

#include "platform/rtl/Component.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/LifeToken.h"

namespace gui {

class TTimer : public rtl::TComponent {
  RTL_CLASS(TTimer, rtl::TComponent)

  explicit TTimer(rtl::TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t value);
  const rtl::TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(const rtl::TNotifyEvent& value);

 protected:
  // One tick: calls OnTimer.
  virtual void Timer();

 private:
  void UpdateTimer();
  void KillTimer();
  static int Tick(void* timer);

  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  rtl::TNotifyEvent onTimer_;
  unsigned sourceId_ = 0;
  // Expires when the timer is deleted, so a tick whose handler freed the
  // timer does not touch it again.
  rtl::TLifeToken life_;
};

}  // namespace gui
