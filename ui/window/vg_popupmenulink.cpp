#include "ui/window/vg_popupmenulink.h"

#include "platform/gui/Menus.h"
#include "ui/core/vg_popupmenu.h"

namespace vg {

namespace {

// Owned by its menu: it is freed with the menu and never written with it
// (a menu writes its items only).
class TvgPopupMenuLink final : public rtl::TComponent, public IvgPopupMenu {
 public:
  explicit TvgPopupMenuLink(gui::TPopupMenu& menu) : rtl::TComponent(&menu), FMenu(menu) {}

  void SetPopupComponent(rtl::TComponent* component) override { FMenu.SetPopupComponent(component); }
  void Popup(int x, int y) override { FMenu.Popup(x, y); }

  static IvgPopupMenu* Of(rtl::TComponent* component) {
    auto* menu = dynamic_cast<gui::TPopupMenu*>(component);
    if (!menu) return nullptr;
    for (int i = 0; i < menu->ComponentCount(); ++i)
      if (auto* link = dynamic_cast<TvgPopupMenuLink*>(menu->Components(i))) return link;
    return new TvgPopupMenuLink(*menu);
  }

 private:
  gui::TPopupMenu& FMenu;
};

}  // namespace

void vgUsePlatformPopupMenus() { vgSetPopupMenuAdapter(&TvgPopupMenuLink::Of); }

}  // namespace vg
