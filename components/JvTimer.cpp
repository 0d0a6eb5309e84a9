#include "components/JvTimer.h"

#include <chrono>

#include "platform/gui/Application.h"
#include "platform/rtl/Exceptions.h"

namespace components {
namespace JvTimer {

TJvTimerThread::TJvTimerThread(TJvTimer* owner) : FOwner(owner) {
  SetThreadName(rtl::Format("%s: %s", ClassName().c_str(), owner->Name().c_str()));
}

TJvTimerThread::~TJvTimerThread() {
  Terminate();
  WaitFor();
}

bool TJvTimerThread::Paused() const {
  std::lock_guard lock(FPauseSection);
  return FPaused;
}

void TJvTimerThread::SetPaused(bool value) {
  {
    std::lock_guard lock(FPauseSection);
    if (FPaused == value) return;
    FPaused = value;
  }
  FWake.notify_all();
  if (!value && !Terminated()) Start();
}

void TJvTimerThread::RestartWait(std::uint32_t interval) {
  {
    std::lock_guard lock(FPauseSection);
    FInterval = interval;
    ++FRestarts;
  }
  FWake.notify_all();
}

void TJvTimerThread::TerminatedSet() {
  { std::lock_guard lock(FPauseSection); }  // a waiter is either before its check or asleep
  FWake.notify_all();
}

void TJvTimerThread::Detach() {
  FOwner = nullptr;
  Terminate();
  FreeOnTerminate();
}

bool TJvTimerThread::Closing() const {
  return Terminated() || gui::Application->Terminated() || FOwner.load() == nullptr;
}

// One interval, counted again from 0 whenever RestartWait comes meanwhile.
void TJvTimerThread::Wait() {
  std::unique_lock lock(FPauseSection);
  unsigned restarts;
  do {
    restarts = FRestarts;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(FInterval);
    FWake.wait_until(lock, deadline, [&] { return Terminated() || FRestarts != restarts; });
  } while (!Terminated() && FRestarts != restarts);
}

void TJvTimerThread::WaitWhilePaused() {
  std::unique_lock lock(FPauseSection);
  FWake.wait(lock, [&] { return !FPaused || Terminated(); });
}

void TJvTimerThread::FireOnce(TJvTimer* owner) {
  if (owner->SyncEvent()) {
    Synchronize([owner] { owner->DispatchTick(); });
    return;
  }
  try {
    owner->Timer();
  } catch (const rtl::Exception&) {
    // Shown on the UI thread; the owner may be gone by then, so no sender.
    std::exception_ptr error = std::current_exception();
    Synchronize([error] { gui::Application->HandleException(nullptr, error); });
  }
}

void TJvTimerThread::Execute() {
  NameThread(ThreadName());
  while (!Terminated()) {
    TJvTimer* owner = FOwner.load();
    const TJvTimerEventTime eventTime = owner ? owner->EventTime() : tetPre;
    if (eventTime == tetPost) Wait();
    if (!Closing() && owner->Enabled()) FireOnce(owner);
    if (Terminated()) break;  // the owner may have been freed by its handler
    if (eventTime == tetPre) Wait();
    WaitWhilePaused();
  }
}

}  // namespace JvTimer

TJvTimer::TJvTimer(rtl::TComponent* owner) : rtl::TComponent(owner) {}

TJvTimer::~TJvTimer() { StopAll(); }

void TJvTimer::Publish(rtl::TPublisher<TJvTimer>& p) {
  p.Property("EventTime", &TJvTimer::EventTime, &TJvTimer::SetEventTime).Default(tetPre);
  p.Property("Enabled", &TJvTimer::Enabled, &TJvTimer::SetEnabled).Default(true);
  p.Property("Interval", &TJvTimer::Interval, &TJvTimer::SetInterval).Default(1000);
  p.Property("SyncEvent", &TJvTimer::SyncEvent, &TJvTimer::SetSyncEvent).Default(true);
  p.Property("Threaded", &TJvTimer::Threaded, &TJvTimer::SetThreaded).Default(true);
  p.Property("ThreadPriority", &TJvTimer::ThreadPriority, &TJvTimer::SetThreadPriority).Default(gui::tpNormal);
  p.Property("OnTimer", &TJvTimer::OnTimer, &TJvTimer::SetOnTimer);
}

void TJvTimer::BeforeDestruction() {
  StopAll();
  inherited::BeforeDestruction();
}

void TJvTimer::StopAll() {
  Destroying();
  FEnabled = false;
  FOnTimer = nullptr;
  if (FTimerThread && InOwnTimerEvent()) {
    // The worker waits for this very handler: it cannot be waited for.
    FTimerThread->Detach();
    FTimerThread = nullptr;
  }
  FreeWorker();
  rtl::FreeAndNil(FTimer);
}

bool TJvTimer::InOwnTimerEvent() const {
  return FInTimerEvent.load() && FEventThread.load() == std::this_thread::get_id();
}

void TJvTimer::SetEnabled(bool value) {
  if (value == FEnabled.load()) return;
  FEnabled = value;
  ApplySettings();
}

void TJvTimer::SetInterval(std::uint32_t value) {
  if (value == FInterval) return;
  FInterval = value;
  ApplySettings();
}

void TJvTimer::SetThreaded(bool value) {
  if (value == FThreaded) return;
  if (FInTimerEvent.load())
    throw rtl::Exception(rtl::Format("Cannot change %s in the timer event", "TJvTimer.Threaded"));
  FThreaded = value;
  ApplySettings();
}

void TJvTimer::SetThreadPriority(gui::TThreadPriority value) {
  if (value == FThreadPriority) return;
  FThreadPriority = value;
  if (FThreaded) ApplySettings();
}

void TJvTimer::SetOnTimer(const rtl::TNotifyEvent& value) {
  const bool hadHandler = static_cast<bool>(FOnTimer);
  FOnTimer = value;
  if (hadHandler != static_cast<bool>(FOnTimer)) ApplySettings();
}

void TJvTimer::ApplySettings() {
  if (FInterval != 0 && FEnabled.load() && FOnTimer) {
    if (FThreaded) {
      rtl::FreeAndNil(FTimer);
      if (!FTimerThread) FTimerThread = new JvTimer::TJvTimerThread(this);
      FTimerThread->SetPaused(true);
      FTimerThread->RestartWait(FInterval);
      FTimerThread->SetPriority(FThreadPriority);
      FTimerThread->SetPaused(false);
    } else {
      FreeWorker();
      if (!FTimer) FTimer = new gui::TTimer(this);
      FTimer->SetInterval(FInterval);
      FTimer->SetOnTimer([this](rtl::TObject*) { DispatchTick(); });
      FTimer->SetEnabled(true);
    }
  } else if (FInTimerEvent.load()) {
    // Switched off from inside OnTimer: the worker waits for this handler,
    // so it is only paused; it sleeps after this tick until switched on.
    if (FTimerThread) FTimerThread->SetPaused(true);
    if (FTimer) FTimer->SetEnabled(false);
  } else {
    FreeWorker();
    rtl::FreeAndNil(FTimer);
  }
}

// Waiting for the worker serves the tick it may be handing over right now;
// that tick finds the timer off and does nothing.
void TJvTimer::FreeWorker() {
  if (!FTimerThread) return;
  FTimerThread->Terminate();
  rtl::FreeAndNil(FTimerThread);
}

void TJvTimer::Synchronize(const gui::TThreadMethod& method) {
  if (FTimerThread && !FTimerThread->Suspended() && !FTimerThread->Terminated())
    gui::TThread::Synchronize(method);
  else
    method();
}

void TJvTimer::Timer() {
  if (!FEnabled.load() || ComponentState().Contains(rtl::csDestroying) || !FOnTimer) return;
  const rtl::TNotifyEvent handler = FOnTimer;  // the handler may replace it or free this timer
  const rtl::TLifeToken::TWatch life = FLife.Watch();
  const bool outerEvent = FInTimerEvent.exchange(true);
  const std::thread::id outerThread = FEventThread.exchange(std::this_thread::get_id());
  auto leaveEvent = [&] {
    if (!life.Alive()) return;
    FInTimerEvent = outerEvent;
    FEventThread = outerThread;
  };
  try {
    handler(this);
  } catch (...) {
    leaveEvent();
    throw;
  }
  leaveEvent();
}

void TJvTimer::DispatchTick() {
  const rtl::TLifeToken::TWatch life = FLife.Watch();
  try {
    Timer();
  } catch (...) {
    gui::Application->HandleException(life.Alive() ? this : nullptr);
  }
}

}  // namespace components
