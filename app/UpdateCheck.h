#pragma once
// The update check behind the Help menu's program and database update
// commands: fetch the web server's version description, compare what it
// offers with what is installed, and show the update dialog with the offer
// or the note that nothing newer exists; then act on what the dialog did
// (close the main window after a program install; reload, report and
// restart after a database install).
#include <string>

#include "app/MainWindowServices.h"
#include "app/VersionControl.h"

namespace app {

// Path of the description on the web server.
inline constexpr const char* kVersionFilePath = "/Upload/software/version_control.xml";

// The web server's address: ESCTOOL_WEB_HOST when set, else lang.ini's
// [common] "update_host" when not empty, else the built-in address.
std::string UpdateHost(IMainWindowServices& services);

// The check for `target`. A description that cannot be fetched, read or
// understood (or is longer than any description is) ends the check with
// the "network_connect_fail" text in a box and a status-log line: no
// dialog and no claim that the installed version is the latest. The fetched description stays in "_control.tmp" of the
// program folder until the next check.
void RunUpdateCheck(UpdateState& state, UpdateTarget target, IMainWindowServices& services);

}  // namespace app
