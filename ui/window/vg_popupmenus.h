#pragma once
// Popup menus of the controls (IvgPopupMenu) shown as the class library's
// popup menus, in GTK.
#include <memory>

#include "platform/gui/Menus.h"
#include "ui/controls/vg_popupmenu.h"

namespace vg {

class TvgPlatformPopupMenu final : public IvgPopupMenu {
 public:
  TvgPlatformPopupMenu();
  ~TvgPlatformPopupMenu() override;

  void Clear() override;
  void Add(const rtl::WideString& caption, bool checked, bool enabled, std::function<void()> click) override;
  void Popup(int x, int y) override;

  // The menu shown; platform code and tests.
  gui::TPopupMenu& Menu() { return *menu_; }

 private:
  std::unique_ptr<gui::TPopupMenu, void (*)(gui::TPopupMenu*)> menu_;
};

// Makes the controls' popup menus platform popup menus.
void vgUsePlatformPopupMenus();

}  // namespace vg
