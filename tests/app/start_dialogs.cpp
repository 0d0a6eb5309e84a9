#include "app/DialogResources.h"
#include "ui/render/vg_canvas_gdip.h"

namespace app_test {

void StartDialogs() {
  app::RegisterDialogResources();
  vg::StartGdiPlusBackEnd();
}

}  // namespace app_test
