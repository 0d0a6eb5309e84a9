#pragma once
// The desktop shell: opening a document or web address with the user's
// default program, and starting this program's own executable again.
// Both start a process and return at once; nothing waits for it.
#include <string>

namespace gui {

class IShell {
 public:
  virtual ~IShell() = default;
  // Opens `uri` (an address such as "http://..." or "file:///...") with
  // the program the desktop associates with it. False when nothing could
  // be started; the reason goes to the debug output.
  virtual bool Open(const std::string& uri) = 0;
  // Starts /proc/self/exe with no arguments, in this process's
  // environment and folder. False when it could not be started.
  virtual bool RestartSelf() = 0;
};

// The shell in use; SetShell(nullptr) restores the real one. An installed
// shell must outlive its installation.
IShell& Shell();
void SetShell(IShell* shell);

// "file://" address of an absolute file name, escaped as addresses need
// ("/opt/a b.htm" gives "file:///opt/a%20b.htm"); empty for a relative one.
std::string FileUri(const std::string& fileName);

}  // namespace gui
