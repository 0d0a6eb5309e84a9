#pragma once
// The open dialog that controls show (the image control's picture
// chooser): a replaceable function, so controls stay free of the windowing
// layer. The window layer installs the platform's dialog; tests script it.
#include <functional>
#include <string>

namespace vg {

// Shows an open dialog with `filter` (the class library's "Name|patterns"
// form); on OK stores the chosen file (UTF-8 path) in fileName and returns
// true. A cancelled dialog returns false.
using TvgOpenDialog = std::function<bool(const std::string& filter, std::string& fileName)>;
// Installs the dialog; an empty function removes it.
void vgSetOpenDialog(TvgOpenDialog dialog);
// Runs the installed dialog; false without one.
bool vgExecuteOpenDialog(const std::string& filter, std::string& fileName);

}  // namespace vg
