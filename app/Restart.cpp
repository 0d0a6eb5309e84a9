#include "app/Restart.h"

namespace app {

bool RestartFlag = false;

bool FinishRun(const std::function<void()>& writeBack, gui::IShell& shell) {
  if (writeBack) writeBack();
  return RestartFlag && shell.RestartSelf();
}

}  // namespace app
