#pragma once
// The class library's thread class and the UI-thread dispatcher.
//
// The UI thread (the "main thread") is the thread that starts the process; it
// runs the GLib default main context. Worker threads never touch the user
// interface: they hand calls to the UI thread with Synchronize, which queues
// the call and blocks until the UI thread has run it. The UI thread serves the
// queue whenever it dispatches the default main context (Run, ProcessMessages
// and every nested pump), when it calls CheckSynchronize, and while it waits
// for a thread in TThread::WaitFor, so a worker that hands over a call at the
// moment the UI thread stops it can never deadlock.
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include <pthread.h>

#include "platform/rtl/Object.h"
#include "platform/rtl/TypeInfo.h"

namespace gui {

using TThreadMethod = std::function<void()>;

RTL_ENUM(TThreadPriority, tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical)

// True on the thread that started the process.
bool IsMainThread();

// Runs, on the UI thread, the calls that workers have queued, one after the
// other, until the queue is empty; with timeoutMs > 0 and nothing queued it
// first waits up to that long for a call to arrive. Returns whether it ran
// any. Also frees finished threads whose FreeOnTerminate was set. Does
// nothing and returns false on any other thread.
bool CheckSynchronize(int timeoutMs = 0);

// A thread running Execute. Linux cannot suspend a thread, so a TThread is
// created idle and runs from Start on. Execute watches Terminated and returns
// when asked to stop; a thread that blocks wakes itself in TerminatedSet.
//
// Free() stops the thread (Terminate, WaitFor) before any destructor runs. A
// derived class that may be deleted directly and whose Execute uses the
// derived object's own members does the same in its own destructor.
class TThread : public rtl::TObject {
  RTL_CLASS(TThread, rtl::TObject)

  TThread();
  ~TThread() override;

  // Runs Execute on a new thread; a second call does nothing.
  void Start();
  // Asks Execute to stop, then calls TerminatedSet. Does not wait.
  void Terminate();
  bool Terminated() const { return terminated_.load(); }
  // Not started yet.
  bool Suspended() const { return !started_.load(); }
  // Execute has returned (or the thread was never started).
  bool Finished() const;
  // Waits until Execute has returned. On the UI thread it keeps serving
  // Synchronize calls while it waits. Returns at once for a thread that was
  // never started. Raises EThread when called by the thread itself.
  void WaitFor();

  // Hands this object over to the process: it is freed (Free) on the UI
  // thread once its thread has ended, and at the latest when the process
  // exits, after the thread has been joined. The caller forgets the pointer.
  void FreeOnTerminate();

  TThreadPriority Priority() const { return priority_.load(); }
  // Best effort: lowering works for any user, raising needs CAP_SYS_NICE.
  void SetPriority(TThreadPriority priority);

  // The exception that escaped Execute, if any.
  std::exception_ptr FatalException() const;

  // Runs method on the UI thread and waits until it has run; on the UI thread
  // itself it runs method at once. An exception that escapes method is raised
  // again in the calling thread.
  static void Synchronize(const TThreadMethod& method);

  // Names a thread for debuggers and tools such as top (Linux keeps the first
  // 15 bytes). A thread id with all bits set stands for the calling thread.
  static constexpr pthread_t kCurrentThread = static_cast<pthread_t>(-1);
  static void NameThreadForDebugging(const std::string& name, pthread_t threadId = kCurrentThread);

 protected:
  virtual void Execute() = 0;
  // Called by Terminate, on the terminating thread, after Terminated is set.
  virtual void TerminatedSet() {}
  void BeforeDestruction() override;
  // The native handle of the running thread (valid after Start).
  pthread_t Handle() { return thread_.native_handle(); }

 private:
  void ThreadMain();
  void ApplyPriority();
  void Join();

  std::thread thread_;
  std::mutex joinMutex_;
  std::atomic<bool> started_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<TThreadPriority> priority_{tpNormal};
  std::atomic<int> kernelId_{0};
  mutable std::mutex fatalMutex_;
  std::exception_ptr fatal_;
};

}  // namespace gui
