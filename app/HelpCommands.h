#pragma once
// The Help menu's way out of the device work: the help page in the
// browser, the revision history (online when the web server answers, else
// the local copy) and the about box.
#include "app/MainWindowServices.h"

namespace app {

// Path of the revision history article on the web server.
inline constexpr const char* kHistoryProbePath = "/article.php?id=162";

// Opens help/help_gb.htm (Chinese) or help/help.htm (English) of the
// program folder in the browser; nothing when the page is missing.
void OpenHelpPage(IMainWindowServices& services);

// Asks the web server (HEAD, 3000 ms to connect) whether it is reachable:
// then opens the "History" address of the current language (nothing when
// it is empty), else the local history/index_cn.html or index_en.html.
void OpenHistory(IMainWindowServices& services);

// Shows the about box modally with its texts from lang.ini.
void ShowAboutBox(IMainWindowServices& services);

// Each of the above says in a box, with the address, when no browser could
// be started for a page or link.

}  // namespace app
