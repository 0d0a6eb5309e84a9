#include "platform/gui/Thread.h"

#include <glib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <vector>

#include "platform/rtl/Exceptions.h"

namespace gui {
namespace {

// Static initialisation runs on the thread that starts the process.
const std::thread::id g_mainThreadId = std::this_thread::get_id();

struct SyncRequest {
  const TThreadMethod* method;
  std::exception_ptr error;
  bool done = false;
};

// The queue of calls handed to the UI thread and the threads waiting to be
// freed. Never destroyed: workers may still reach it while the process exits.
struct Dispatcher {
  std::mutex mutex;
  std::deque<SyncRequest*> queue;
  std::vector<TThread*> graveyard;
  std::condition_variable served;    // a queued call has run
  std::condition_variable mainWake;  // a call was queued or a thread ended
  std::atomic<int> queued{0};
  std::atomic<bool> reapPending{false};
};

Dispatcher& TheDispatcher() {
  static Dispatcher* dispatcher = new Dispatcher;
  return *dispatcher;
}

bool DispatcherHasWork() {
  Dispatcher& d = TheDispatcher();
  return d.queued.load() > 0 || d.reapPending.load();
}

// A GLib source that becomes ready when the dispatcher has work, so the UI
// thread serves queued calls from every loop and nested pump of the default
// context. It may recurse: a call that pumps messages serves the next one.
gboolean SourcePrepare(GSource*, gint* timeout) {
  *timeout = -1;
  return DispatcherHasWork();
}

gboolean SourceCheck(GSource*) { return DispatcherHasWork(); }

gboolean SourceDispatch(GSource*, GSourceFunc, gpointer) {
  CheckSynchronize();
  return G_SOURCE_CONTINUE;
}

GSourceFuncs g_sourceFuncs = {SourcePrepare, SourceCheck, SourceDispatch, nullptr, nullptr, nullptr};

// Attached while the process starts, on the UI thread, so the default
// context and its wake-up descriptor exist before any worker does.
GMainContext* AttachDispatcherSource() {
  GMainContext* context = g_main_context_default();
  GSource* source = g_source_new(&g_sourceFuncs, sizeof(GSource));
  g_source_set_priority(source, G_PRIORITY_DEFAULT);
  g_source_set_can_recurse(source, TRUE);
  g_source_set_name(source, "esctool synchronize");
  g_source_attach(source, context);
  return context;
}

GMainContext* const g_uiContext = AttachDispatcherSource();

void WakeMainThread() { g_main_context_wakeup(g_uiContext); }

std::vector<TThread*> TakeFinishedThreads(Dispatcher& d) {
  d.reapPending = false;
  std::vector<TThread*> finished;
  std::erase_if(d.graveyard, [&](TThread* thread) {
    if (!thread->Finished()) return false;
    finished.push_back(thread);
    return true;
  });
  return finished;
}

// Joins and frees, when the process exits, the threads handed over with
// FreeOnTerminate that have not been freed yet.
struct ExitReaper {
  ~ExitReaper() {
    Dispatcher& d = TheDispatcher();
    std::vector<TThread*> left;
    {
      std::lock_guard lock(d.mutex);
      left.swap(d.graveyard);
    }
    for (TThread* thread : left) {
      thread->Terminate();
      thread->Free();
    }
  }
} g_exitReaper;

int NiceValue(TThreadPriority priority) {
  switch (priority) {
    case tpIdle: return 19;
    case tpLowest: return 10;
    case tpLower: return 5;
    case tpNormal: return 0;
    case tpHigher: return -5;
    case tpHighest: return -10;
    case tpTimeCritical: return -20;
  }
  return 0;
}

}  // namespace

bool IsMainThread() { return std::this_thread::get_id() == g_mainThreadId; }

bool CheckSynchronize(int timeoutMs) {
  if (!IsMainThread()) return false;
  Dispatcher& d = TheDispatcher();
  std::unique_lock lock(d.mutex);
  if (timeoutMs > 0 && d.queue.empty())
    d.mainWake.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !d.queue.empty(); });
  bool ran = false;
  while (!d.queue.empty()) {
    SyncRequest* request = d.queue.front();
    d.queue.pop_front();
    --d.queued;
    lock.unlock();
    try {
      (*request->method)();
    } catch (...) {
      request->error = std::current_exception();
    }
    lock.lock();
    request->done = true;
    d.served.notify_all();
    ran = true;
  }
  std::vector<TThread*> finished = TakeFinishedThreads(d);
  lock.unlock();
  for (TThread* thread : finished) thread->Free();
  return ran;
}

TThread::TThread() = default;

TThread::~TThread() {
  if (!Finished()) {
    Terminate();
    WaitFor();
  }
  Join();
}

void TThread::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (!Finished()) {
    Terminate();
    WaitFor();
  }
}

void TThread::Start() {
  std::lock_guard lock(joinMutex_);
  if (started_.exchange(true)) return;
  thread_ = std::thread([this] { ThreadMain(); });
}

void TThread::ThreadMain() {
  kernelId_ = static_cast<int>(gettid());
  ApplyPriority();
  try {
    Execute();
  } catch (...) {
    std::lock_guard lock(fatalMutex_);
    fatal_ = std::current_exception();
  }
  Dispatcher& d = TheDispatcher();
  {
    std::lock_guard lock(d.mutex);
    finished_ = true;
    d.reapPending = true;
  }
  d.mainWake.notify_all();
  WakeMainThread();
}

void TThread::Terminate() {
  terminated_ = true;
  TerminatedSet();
}

bool TThread::Finished() const { return !started_.load() || finished_.load(); }

void TThread::WaitFor() {
  if (!started_.load()) return;
  {
    std::lock_guard lock(joinMutex_);
    if (thread_.get_id() == std::this_thread::get_id())
      throw rtl::EThread("Cannot call WaitFor on the thread itself");
  }
  if (IsMainThread()) {
    Dispatcher& d = TheDispatcher();
    while (!finished_.load()) {
      CheckSynchronize();
      std::unique_lock lock(d.mutex);
      d.mainWake.wait_for(lock, std::chrono::milliseconds(10),
                          [&] { return finished_.load() || !d.queue.empty(); });
    }
  }
  Join();
}

void TThread::Join() {
  std::lock_guard lock(joinMutex_);
  if (thread_.joinable()) thread_.join();
}

void TThread::FreeOnTerminate() {
  Dispatcher& d = TheDispatcher();
  {
    std::lock_guard lock(d.mutex);
    d.graveyard.push_back(this);
    d.reapPending = true;
  }
  WakeMainThread();
}

void TThread::SetPriority(TThreadPriority priority) {
  priority_ = priority;
  if (started_.load() && !finished_.load()) ApplyPriority();
}

void TThread::ApplyPriority() {
  if (int id = kernelId_.load()) setpriority(PRIO_PROCESS, static_cast<id_t>(id), NiceValue(priority_.load()));
}

std::exception_ptr TThread::FatalException() const {
  std::lock_guard lock(fatalMutex_);
  return fatal_;
}

void TThread::Synchronize(const TThreadMethod& method) {
  if (IsMainThread()) {
    method();
    return;
  }
  Dispatcher& d = TheDispatcher();
  SyncRequest request{&method, nullptr};
  {
    std::lock_guard lock(d.mutex);
    d.queue.push_back(&request);
    ++d.queued;
  }
  d.mainWake.notify_all();
  WakeMainThread();
  {
    std::unique_lock lock(d.mutex);
    d.served.wait(lock, [&] { return request.done; });
  }
  if (request.error) std::rethrow_exception(request.error);
}

void TThread::NameThreadForDebugging(const std::string& name, pthread_t threadId) {
  // Cut at 15 bytes without splitting a UTF-8 sequence.
  std::size_t cut = std::min<std::size_t>(name.size(), 15);
  if (cut < name.size())
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  pthread_setname_np(threadId == kCurrentThread ? pthread_self() : threadId, name.substr(0, cut).c_str());
}

}  // namespace gui
