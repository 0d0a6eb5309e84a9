#pragma once
// Start-up of the GTK side of the windowing layer, and the guard every GTK
// callback runs its work in.
#include <type_traits>
#include <utility>

#include "platform/gui/Application.h"

namespace gui {

// Starts GTK once per process on the X11 backend (popups and editors are
// placed at screen coordinates), puts LC_NUMERIC back to "C" (text forms of
// numbers use "." whatever the user's locale) and lets Application show
// exceptions in a message box. False when no display can be opened; calling
// again after success does nothing and returns true. UI thread only.
bool InitGui();

// Runs `work` and hands any exception it throws to Application, so that no
// C++ exception crosses a GTK or GLib callback. Returns `fallback` then.
template <class Work, class Result = decltype(std::declval<Work&>()())>
  requires(!std::is_void_v<Result>)
Result Guarded(rtl::TObject* sender, Work&& work, std::type_identity_t<Result> fallback = Result()) noexcept {
  try {
    return work();
  } catch (...) {
    Application->HandleException(sender);
    return fallback;
  }
}
template <class Work>
  requires std::is_void_v<decltype(std::declval<Work&>()())>
void Guarded(rtl::TObject* sender, Work&& work) noexcept {
  try {
    work();
  } catch (...) {
    Application->HandleException(sender);
  }
}

}  // namespace gui
