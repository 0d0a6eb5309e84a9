#include "ui/controls/vg_services.h"

namespace vg {

namespace {

struct Services {
  TvgListMenuFactory popupMenus;
  TvgOpenDialog openDialog;
  TvgFormCloser formCloser;
};

Services& Installed() {
  static Services services;
  return services;
}

}  // namespace

void vgSetListMenuFactory(TvgListMenuFactory factory) { Installed().popupMenus = std::move(factory); }

std::unique_ptr<IvgListMenu> vgCreateListMenu() {
  return Installed().popupMenus ? Installed().popupMenus() : nullptr;
}

void vgSetOpenDialog(TvgOpenDialog dialog) { Installed().openDialog = std::move(dialog); }

bool vgExecuteOpenDialog(const std::string& filter, std::string& fileName) {
  return Installed().openDialog && Installed().openDialog(filter, fileName);
}

void vgSetFormCloser(TvgFormCloser closer) { Installed().formCloser = std::move(closer); }

bool vgCloseOwnerForm(rtl::TComponent* component) {
  return Installed().formCloser && Installed().formCloser(component);
}

}  // namespace vg
