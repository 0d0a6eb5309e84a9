#pragma once
// TJvThreadTimer: a timer component whose worker thread waits on an event
// and hands each tick to the UI thread. The worker measures how long the tick
// took and waits only for the rest of the interval, so ticks start one
// interval apart as long as the handler is shorter than the interval; it
// always waits first. With KeepAlive the worker is parked, not ended, when
// the timer is switched off. While the component is being loaded, Enabled is
// only remembered and applied by Loaded.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "components/JvTypes.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Event.h"
#include "platform/rtl/LifeToken.h"
#include "platform/rtl/TypeInfo.h"

namespace components {

class TJvThreadTimer;

namespace JvThreadTimer {

// Milliseconds between two readings of a 32-bit millisecond tick count that
// wraps around.
inline std::uint32_t TicksBetween(std::uint32_t start, std::uint32_t now) { return now - start; }

// The worker of one TJvThreadTimer; runs from Start.
class TJvTimerThread : public TJvCustomThread {
  RTL_CLASS(TJvTimerThread, TJvCustomThread)

  explicit TJvTimerThread(TJvThreadTimer* timer);
  ~TJvTimerThread() override;

  // Requests termination; that sets the event and wakes the worker wherever
  // it waits.
  void Stop() { Terminate(); }
  // Parks the worker: it ticks no more until ResumeWorker. A park during a
  // tick makes the wait after that tick a full interval.
  void SuspendWorker();
  void ResumeWorker();
  bool IsParked() const;

  std::uint32_t Interval() const { return FInterval.load(); }
  // Takes effect from the worker's next wait.
  void SetInterval(std::uint32_t interval) { FInterval = interval; }
  TJvThreadTimer* Timer() const { return FTimer; }
  // A tick is being run on the UI thread.
  bool Synchronizing() const { return FSynchronizing.load(); }

 protected:
  void Execute() override;
  void TerminatedSet() override;

 private:
  // Waits up to ms for the event; true when it was set (it resets itself).
  bool WaitForEvent(std::uint32_t ms);
  void WaitWhileParked();

  mutable std::mutex FLock;
  std::condition_variable FSignal;
  bool FEvent = false;
  bool FParked = false;
  std::atomic<bool> FHasBeenSuspended{false};
  std::atomic<std::uint32_t> FInterval;
  TJvThreadTimer* const FTimer;
  std::atomic<bool> FSynchronizing{false};
};

}  // namespace JvThreadTimer

class TJvThreadTimer : public rtl::TComponent {
  RTL_CLASS(TJvThreadTimer, rtl::TComponent)

  explicit TJvThreadTimer(rtl::TComponent* owner);
  ~TJvThreadTimer() override;
  static void Publish(rtl::TPublisher<TJvThreadTimer>& p);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t value);
  bool KeepAlive() const { return FKeepAlive; }
  void SetKeepAlive(bool value);
  const rtl::TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const rtl::TNotifyEvent& value);
  gui::TThreadPriority Priority() const { return FPriority; }
  void SetPriority(gui::TThreadPriority value);
  // The worker, or nullptr while there is none.
  JvThreadTimer::TJvTimerThread* Thread() const { return FThread; }

 protected:
  void Loaded() override;
  void BeforeDestruction() override;

 private:
  void ApplySettings();
  void ReleaseThread();
  // One tick, on the UI thread.
  void FireTimer();

  bool FEnabled = false;
  std::uint32_t FInterval = 1000;
  bool FKeepAlive = false;
  rtl::TNotifyEvent FOnTimer;
  gui::TThreadPriority FPriority = gui::tpNormal;
  bool FStreamedEnabled = false;
  JvThreadTimer::TJvTimerThread* FThread = nullptr;
  // True while this component's OnTimer runs on this (the UI) thread.
  bool FFiring = false;
  rtl::TLifeToken FLife;

  friend class JvThreadTimer::TJvTimerThread;
};

}  // namespace components
