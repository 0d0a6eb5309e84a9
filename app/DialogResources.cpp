#include "app/DialogResources.h"

#include "EmbeddedResources_app_dialogs.h"
#include "platform/gui/Forms.h"
#include "ui/controls/vg_controls.h"
#include "ui/core/vg_scene.h"

namespace app {

void RegisterDialogResources() {
  static const bool registered = [] {
    gui::RegisterGuiClasses();
    vg::vgStartCore();
    vg::RegisterControlClasses();
    RegisterResources_app_dialogs();
    return true;
  }();
  (void)registered;
}

}  // namespace app
