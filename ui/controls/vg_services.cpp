#include "ui/controls/vg_services.h"

namespace vg {

namespace {

struct Services {
  TvgListMenuFactory popupMenus;
  TvgOpenDialog openDialog;
  TvgFormCloser formCloser;
  IvgClipboard* clipboard = nullptr;
  TvgFormModalResult formModalResult;
  TvgColorDialog colorDialog;
  IvgDispatcher* dispatcher = nullptr;
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

void vgSetClipboard(IvgClipboard* clipboard) { Installed().clipboard = clipboard; }
IvgClipboard* vgClipboard() { return Installed().clipboard; }
void vgSetFormModalResult(TvgFormModalResult setter) { Installed().formModalResult = std::move(setter); }

bool vgSetOwnerFormModalResult(rtl::TComponent* component, int result) {
  return Installed().formModalResult && Installed().formModalResult(component, result);
}

void vgSetColorDialog(TvgColorDialog dialog) { Installed().colorDialog = std::move(dialog); }

bool vgExecuteColorDialog(std::uint32_t& argb) { return Installed().colorDialog && Installed().colorDialog(argb); }

void vgSetDispatcher(IvgDispatcher* dispatcher) { Installed().dispatcher = dispatcher; }

IvgDispatcher* vgDispatcher() { return Installed().dispatcher; }

}  // namespace vg
