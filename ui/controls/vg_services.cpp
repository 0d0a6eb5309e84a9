#include "ui/controls/vg_services.h"

namespace vg {

namespace {

struct Services {
  TvgPopupMenuFactory popupMenus;
  TvgOpenDialog openDialog;
  TvgFormCloser formCloser;
  TvgFormModalResult formModalResult;
};

Services& Installed() {
  static Services services;
  return services;
}

}  // namespace

void vgSetPopupMenuFactory(TvgPopupMenuFactory factory) { Installed().popupMenus = std::move(factory); }

std::unique_ptr<IvgPopupMenu> vgCreatePopupMenu() {
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

void vgSetFormModalResult(TvgFormModalResult setter) { Installed().formModalResult = std::move(setter); }

bool vgSetOwnerFormModalResult(rtl::TComponent* component, int result) {
  return Installed().formModalResult && Installed().formModalResult(component, result);
}

}  // namespace vg
