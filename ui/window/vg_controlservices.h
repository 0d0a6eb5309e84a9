#pragma once
// What the controls show of the platform: their popup menus
// (IvgPopupMenu) as the class library's popup menus, their open dialog as
// the platform's file chooser.
#include <memory>

#include "platform/gui/Menus.h"
#include "ui/controls/vg_opendialog.h"
#include "ui/controls/vg_popupmenu.h"
#include "ui/core/vg_persistent.h"

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
  TvgOwned<gui::TPopupMenu> menu_;
};

// Makes the controls' popup menus and open dialog the platform's.
void vgUsePlatformControlServices();

}  // namespace vg
