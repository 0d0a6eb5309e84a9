#pragma once
// The application object: the UI thread's message loop over the GLib default
// main context, and the place where exceptions that escape event handlers end.
#include <atomic>
#include <exception>
#include <functional>
#include <string>

namespace rtl {
class TObject;
}

namespace gui {

// Called with the sender and the exception instead of showing it.
using TExceptionEvent = std::function<void(rtl::TObject* sender, const std::exception& error)>;

class TApplication {
 public:
  TApplication() = default;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Dispatches the default main context on the UI thread until Terminate.
  // Returns at once when Terminate was already called, or off the UI thread.
  void Run();
  // Asks Run (and every loop that watches Terminated) to end. Any thread.
  void Terminate();
  // Whether Terminate was called. Any thread.
  bool Terminated() const { return terminated_.load(); }
  // Dispatches everything that is ready on the default main context (events,
  // timers, Synchronize calls) and returns without waiting. Does nothing off
  // the UI thread.
  void ProcessMessages();

  // Handles the exception being caught (call it inside a catch block): an
  // EAbort is dropped; any other goes to OnException when set, else to
  // ShowException.
  void HandleException(rtl::TObject* sender);
  void HandleException(rtl::TObject* sender, std::exception_ptr error);
  // Shows the exception's message through the presenter (standard error
  // until a windowing layer installs a message box).
  void ShowException(const std::exception& error);

  TExceptionEvent OnException;
  // Shows one message to the user; set by the windowing layer.
  std::function<void(const std::string& message)> ExceptionPresenter;

 private:
  std::atomic<bool> terminated_{false};
};

// The process's application object, created before main runs.
extern TApplication* const Application;

}  // namespace gui
