#pragma once
// TJvTimer: a timer component whose ticks come from a worker thread of its
// own. The worker hands each tick to the UI thread and waits there until
// OnTimer has returned, so ticks never pile up or overlap
// and the next interval is counted from the end of the handler. With
// Threaded false it falls back to the class library's TTimer.
//
// OnTimer may switch the timer off and on, change its interval, or free it;
// only Threaded cannot change inside the handler. An exception that escapes
// OnTimer goes to the application's exception handling and the timer keeps
// ticking.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "components/JvTypes.h"
#include "platform/gui/Timer.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/LifeToken.h"
#include "platform/rtl/TypeInfo.h"

namespace components {

// tetPre: fire, then wait; tetPost: wait, then fire.
RTL_ENUM(TJvTimerEventTime, tetPre, tetPost)

class TJvTimer;

namespace JvTimer {

// The worker of one TJvTimer. Created idle; runs from the first time Paused
// is cleared. It sleeps through each interval in one wait that a stop, a new
// interval or a restart cuts short, so an idle timer costs one wake-up per
// tick.
class TJvTimerThread : public TJvCustomThread {
  RTL_CLASS(TJvTimerThread, TJvCustomThread)

  explicit TJvTimerThread(TJvTimer* owner);
  ~TJvTimerThread() override;

  bool Paused() const;
  // Clearing it starts the thread if it has not run yet.
  void SetPaused(bool value);
  // Sets the interval and restarts the count of a wait in progress from 0.
  void RestartWait(std::uint32_t interval);
  // The owner is being freed inside its own tick: forget it, stop, and let
  // the process free this thread once it has ended.
  void Detach();

 protected:
  void Execute() override;
  void TerminatedSet() override;

 private:
  bool Closing() const;
  void Wait();
  void WaitWhilePaused();
  void FireOnce(TJvTimer* owner);

  std::atomic<TJvTimer*> FOwner;
  mutable std::mutex FPauseSection;  // guards FPaused, FInterval and FRestarts
  std::condition_variable FWake;     // paused cleared, wait restarted, or stop requested
  bool FPaused = false;
  std::uint32_t FInterval = 1000;
  unsigned FRestarts = 0;
};

}  // namespace JvTimer

class TJvTimer : public rtl::TComponent {
  RTL_CLASS(TJvTimer, rtl::TComponent)

  explicit TJvTimer(rtl::TComponent* owner);
  ~TJvTimer() override;
  static void Publish(rtl::TPublisher<TJvTimer>& p);

  TJvTimerEventTime EventTime() const { return FEventTime.load(); }
  void SetEventTime(TJvTimerEventTime value) { FEventTime = value; }
  bool Enabled() const { return FEnabled.load(); }
  void SetEnabled(bool value);
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t value);
  bool SyncEvent() const { return FSyncEvent.load(); }
  void SetSyncEvent(bool value) { FSyncEvent = value; }
  bool Threaded() const { return FThreaded; }
  // Raises rtl::Exception "Cannot change TJvTimer.Threaded in the timer
  // event" when called from inside OnTimer.
  void SetThreaded(bool value);
  gui::TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(gui::TThreadPriority value);
  const rtl::TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const rtl::TNotifyEvent& value);

  // Runs method on the UI thread through the worker, or at once in the
  // calling thread when there is no running worker.
  void Synchronize(const gui::TThreadMethod& method);

  // One tick: OnTimer, while Enabled and not being destroyed.
  virtual void Timer();

 protected:
  void BeforeDestruction() override;

 private:
  void ApplySettings();
  void StopAll();
  bool InOwnTimerEvent() const;
  void FreeWorker();
  // A tick on the UI thread (handed over by the worker, or from the fallback
  // timer); exceptions go to the application.
  void DispatchTick();

  std::atomic<bool> FEnabled{true};
  std::uint32_t FInterval = 1000;
  rtl::TNotifyEvent FOnTimer;
  std::atomic<bool> FSyncEvent{true};
  bool FThreaded = true;
  JvTimer::TJvTimerThread* FTimerThread = nullptr;
  gui::TTimer* FTimer = nullptr;
  std::atomic<TJvTimerEventTime> FEventTime{tetPre};
  gui::TThreadPriority FThreadPriority = gui::tpNormal;
  std::atomic<bool> FInTimerEvent{false};
  // The thread running OnTimer while FInTimerEvent is set.
  std::atomic<std::thread::id> FEventThread;
  // Expires when the component is deleted; callbacks that may free it check
  // it before touching the component again.
  rtl::TLifeToken FLife;

  friend class JvTimer::TJvTimerThread;
};

}  // namespace components
