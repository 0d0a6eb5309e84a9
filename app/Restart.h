#pragma once
// The restart after a settings-database install: the install sets
// RestartFlag and closes the main window; when the message loop has ended
// the entry point calls FinishRun.
#include <functional>

#include "platform/gui/Shell.h"

namespace app {

// Set only after a successful settings-database install; false at start.
extern bool RestartFlag;

// Ends a run: `writeBack` stores the settings (lang.ini) first, then, when
// RestartFlag is set, the program's own executable starts again, so the
// new process never reads a half-written lang.ini. An exception from
// `writeBack` leaves the restart out and passes on. Returns whether a new
// process was started.
bool FinishRun(const std::function<void()>& writeBack, gui::IShell& shell = gui::Shell());

}  // namespace app
