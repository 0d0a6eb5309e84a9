#include "components/JvThreadTimer.h"

#include <chrono>

#include "platform/gui/Application.h"
#include "platform/rtl/Exceptions.h"

namespace components {
namespace JvThreadTimer {
namespace {

std::uint32_t TickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

TJvTimerThread::TJvTimerThread(TJvThreadTimer* timer) : FInterval(timer->Interval()), FTimer(timer) {
  SetPriority(timer->Priority());
  SetThreadName(rtl::Format("%s: %s", ClassName().c_str(), timer->Name().c_str()));
}

TJvTimerThread::~TJvTimerThread() {
  Stop();
  WaitFor();
}

void TJvTimerThread::TerminatedSet() {
  {
    std::lock_guard lock(FLock);
    FEvent = true;
    FParked = false;
  }
  FSignal.notify_all();
}

void TJvTimerThread::SuspendWorker() {
  FHasBeenSuspended = true;
  std::lock_guard lock(FLock);
  FParked = true;
}

void TJvTimerThread::ResumeWorker() {
  {
    std::lock_guard lock(FLock);
    FParked = false;
  }
  FSignal.notify_all();
}

bool TJvTimerThread::IsParked() const {
  std::lock_guard lock(FLock);
  return FParked;
}

bool TJvTimerThread::WaitForEvent(std::uint32_t ms) {
  std::unique_lock lock(FLock);
  const bool set = FSignal.wait_for(lock, std::chrono::milliseconds(ms), [&] { return FEvent; });
  FEvent = false;
  return set;
}

void TJvTimerThread::WaitWhileParked() {
  std::unique_lock lock(FLock);
  FSignal.wait(lock, [&] { return !FParked; });
}

void TJvTimerThread::Execute() {
  NameThread(ThreadName());
  if (WaitForEvent(FInterval)) return;
  WaitWhileParked();
  while (!Terminated()) {
    FHasBeenSuspended = false;
    const std::uint32_t start = TickCount();
    FSynchronizing = true;
    try {
      Synchronize([timer = FTimer] { timer->FireTimer(); });
    } catch (...) {
      FSynchronizing = false;
      throw;
    }
    FSynchronizing = false;
    // From here on the timer may be gone: only a stop request ends a detached worker.
    WaitWhileParked();
    const std::uint32_t elapsed = FHasBeenSuspended ? 0 : TicksBetween(start, TickCount());
    if (Terminated()) return;
    const std::uint32_t interval = FInterval;
    if (WaitForEvent(elapsed >= interval ? 0 : interval - elapsed)) return;
    WaitWhileParked();
  }
}

}  // namespace JvThreadTimer

TJvThreadTimer::TJvThreadTimer(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TJvThreadTimer::~TJvThreadTimer() {
  Destroying();  // a tick served while the worker ends must find the timer dying
  ReleaseThread();
}

void TJvThreadTimer::Publish(rtl::TPublisher<TJvThreadTimer>& p) {
  p.Property("Enabled", &TJvThreadTimer::Enabled, &TJvThreadTimer::SetEnabled).Default(false);
  p.Property("Interval", &TJvThreadTimer::Interval, &TJvThreadTimer::SetInterval).Default(1000);
  p.Property("KeepAlive", &TJvThreadTimer::KeepAlive, &TJvThreadTimer::SetKeepAlive).Default(false);
  p.Property("OnTimer", &TJvThreadTimer::OnTimer, &TJvThreadTimer::SetOnTimer);
  p.Property("Priority", &TJvThreadTimer::Priority, &TJvThreadTimer::SetPriority).Default(gui::tpNormal);
}

void TJvThreadTimer::BeforeDestruction() {
  Destroying();  // a tick served while the worker ends must find the timer dying
  ReleaseThread();
  inherited::BeforeDestruction();
}

void TJvThreadTimer::Loaded() {
  inherited::Loaded();
  SetEnabled(FStreamedEnabled);
}

void TJvThreadTimer::SetEnabled(bool value) {
  if (ComponentState().Contains(rtl::csLoading)) {
    FStreamedEnabled = value;
    return;
  }
  if (value == FEnabled) return;
  FEnabled = value;
  ApplySettings();
}

void TJvThreadTimer::SetInterval(std::uint32_t value) {
  if (value == FInterval) return;
  FInterval = value;
  ApplySettings();
}

void TJvThreadTimer::SetKeepAlive(bool value) {
  if (value == FKeepAlive) return;
  ReleaseThread();
  FKeepAlive = value;
  ApplySettings();
}

// Handlers made in code cannot be compared, so any new handler counts as a
// change; clearing an empty one does not.
void TJvThreadTimer::SetOnTimer(const rtl::TNotifyEvent& value) {
  if (!FOnTimer && !value) return;
  FOnTimer = value;
  ApplySettings();
}

void TJvThreadTimer::SetPriority(gui::TThreadPriority value) {
  if (value == FPriority) return;
  FPriority = value;
  if (FThread) FThread->SetPriority(value);
}

void TJvThreadTimer::ApplySettings() {
  const rtl::TComponentState state = ComponentState();
  if (state.Contains(rtl::csLoading) || state.Contains(rtl::csDesigning)) return;
  const bool run = FEnabled && FOnTimer && FInterval > 0;
  if (!FKeepAlive) ReleaseThread();  // every change restarts the worker
  if (run) {
    if (FThread) {
      FThread->SetInterval(FInterval);
      FThread->ResumeWorker();
    } else {
      FThread = new JvThreadTimer::TJvTimerThread(this);
      FThread->Start();
    }
  } else if (FThread) {
    if (!FThread->IsParked()) FThread->SuspendWorker();
    FThread->SetInterval(FInterval);
  }
}

void TJvThreadTimer::ReleaseThread() {
  if (!FThread) return;
  FThread->Stop();
  if (FFiring) {
    // Called from this timer's own tick: the worker waits for it to return,
    // so it is left to end after the tick and to be freed by the process.
    FThread->FreeOnTerminate();
    FThread = nullptr;
  } else {
    rtl::FreeAndNil(FThread);  // serves a tick being handed over meanwhile
  }
}

void TJvThreadTimer::FireTimer() {
  // A tick handed over just before the timer was switched off or freed finds it so and does nothing.
  if (ComponentState().Contains(rtl::csDestroying) || !FEnabled || !FOnTimer) return;
  const rtl::TNotifyEvent handler = FOnTimer;  // the handler may replace it or free this timer
  const std::weak_ptr<char> life = FLife;
  FFiring = true;
  try {
    handler(this);
  } catch (...) {
    gui::Application->HandleException(life.expired() ? nullptr : this);
  }
  if (!life.expired()) FFiring = false;
}

}  // namespace components
