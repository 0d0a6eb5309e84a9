#pragma once
// The program's entry: class and resource registration, the main window,
// the message loop, the exception box, and the restart of the program when
// a settings-database update asked for it.
#include "platform/gui/ProcessLauncher.h"

namespace app {

/// Registers every class the program's forms and style books stream, and
/// the embedded forms (once per process).
void RegisterProgramClasses();

/// Runs the program: creates the main window on the HID library the
/// environment selects, runs the message loop until it closes, and writes
/// lang.ini back. When RestartFlag is set the program's own executable is
/// then started through `launcher` (after the write-back, so the new
/// process reads a complete lang.ini); an exception while the window is
/// freed is shown and leaves the restart out. Returns the exit status.
int RunProgram(gui::IProcessLauncher& launcher);

}  // namespace app
