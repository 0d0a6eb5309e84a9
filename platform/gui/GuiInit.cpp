#include "platform/gui/GuiInit.h"

#include <gtk/gtk.h>

#include <clocale>

#include "platform/gui/Dialogs.h"
#include "platform/rtl/TextConvert.h"

namespace gui {

bool InitGui() {
  static bool started = false;
  if (started) return true;
  gdk_set_allowed_backends("x11");
  if (!gtk_init_check(nullptr, nullptr)) return false;
  std::setlocale(LC_NUMERIC, "C");
  started = true;
  Application->ExceptionPresenter = [](const std::string& message) {
    Dialogs().MessageBox(nullptr, rtl::Utf8ToUtf16(message), u"Error", MB_OK | MB_ICONERROR);
  };
  return true;
}

}  // namespace gui
