#include "platform/gui/Application.h"

#include <glib.h>

#include "platform/gui/Thread.h"
#include "platform/rtl/Exceptions.h"

namespace gui {
namespace {
TApplication g_application;
}

TApplication* const Application = &g_application;

void TApplication::Run() {
  if (!IsMainThread()) return;
  GMainContext* context = g_main_context_default();
  while (!Terminated()) g_main_context_iteration(context, TRUE);
}

void TApplication::Terminate() {
  terminated_ = true;
  g_main_context_wakeup(g_main_context_default());
}

void TApplication::ProcessMessages() {
  if (!IsMainThread()) return;  // the loop's sources belong to the UI thread
  GMainContext* context = g_main_context_default();
  while (g_main_context_pending(context)) g_main_context_iteration(context, FALSE);
}

void TApplication::HandleException(rtl::TObject* sender) { HandleException(sender, std::current_exception()); }

void TApplication::HandleException(rtl::TObject* sender, std::exception_ptr error) {
  if (!error) return;
  const auto report = [&](const std::exception& e) {
    if (OnException)
      OnException(sender, e);
    else
      ShowException(e);
  };
  try {
    std::rethrow_exception(error);
  } catch (const rtl::EAbort&) {
  } catch (const std::exception& e) {
    report(e);
  } catch (...) {
    report(rtl::Exception("Unknown exception"));
  }
}

void TApplication::ShowException(const std::exception& error) {
  if (ExceptionPresenter)
    ExceptionPresenter(error.what());
  else
    g_printerr("%s\n", error.what());
}

}  // namespace gui
