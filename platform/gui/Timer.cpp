#include "platform/gui/Timer.h"

#include <glib.h>

#include "platform/gui/Application.h"

namespace gui {

TTimer::TTimer(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TTimer::~TTimer() { KillTimer(); }

void TTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(const rtl::TNotifyEvent& value) {
  onTimer_ = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer();
  if (interval_ != 0 && enabled_ && onTimer_)
    sourceId_ = g_timeout_add_full(G_PRIORITY_DEFAULT, interval_, &TTimer::Tick, this,
                                   nullptr);
}

void TTimer::KillTimer() {
  if (sourceId_ == 0) return;
  g_source_remove(sourceId_);
  sourceId_ = 0;
}

int TTimer::Tick(void* data) {
  auto* timer = static_cast<TTimer*>(data);
  const rtl::TLifeToken::TWatch life = timer->life_.Watch();
  try {
    timer->Timer();
  } catch (...) {
    Application->HandleException(life.Alive() ? timer : nullptr);
  }
  return G_SOURCE_CONTINUE;  // ignored when the handler removed the source
}

void TTimer::Timer() {
  const rtl::TNotifyEvent handler = onTimer_;  // the handler may replace it or free this timer
  handler(this);
}

}  // namespace gui
