#pragma once
// What the update, help, history and about commands need of the main
// window. The main window implements it; tests fake it.
#include <string>
#include <string_view>

#include "app/LangKey.h"

namespace gui {
class TForm;
}
namespace net {
class IMessagePump;
}
namespace vg {
class TvgResources;
}

namespace app {

class IMainWindowServices {
 public:
  virtual ~IMainWindowServices() = default;

  // The folder of the executable, ending in "/".
  virtual std::string ProgramFolder() = 0;
  // The language the Chinese menu item selects.
  virtual Language CurrentLanguage() = 0;
  // lang.ini [common] under LangKey(CurrentLanguage(), key); `fallback`
  // when the key is missing.
  virtual std::string Text(std::string_view key, std::string_view fallback) = 0;
  // lang.ini [common] under `key` itself (a setting); empty when missing.
  virtual std::string Setting(std::string_view key) = 0;
  // The message sink: 0 a status-log line, 1 the information box, 2 both.
  virtual void ShowInfo(const std::string& text, int mode) = 0;
  // Lets the windows repaint and timers run while a request waits.
  virtual net::IMessagePump* Pump() = 0;
  // Owner of the dialogs (may be null) and the style book their scenes
  // take (null: the built-in one).
  virtual gui::TForm* DialogOwner() = 0;
  virtual vg::TvgResources* StyleBook() = 0;
  // After new settings databases arrived: apply the language (which selects
  // the database again), reload the device description, rebuild the
  // parameter pages and connect.
  virtual void ReloadAfterDatabaseInstall() = 0;
  // Closes the main window, which ends the message loop.
  virtual void CloseMainWindow() = 0;
};

}  // namespace app
