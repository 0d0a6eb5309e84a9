#pragma once
// The controls' platform services: popup menus as the class library's
// popup menus (GTK), the open dialog as the platform's file chooser, and
// closing the owner form through the class library's forms.
#include <memory>

#include "platform/gui/Menus.h"
#include "ui/controls/vg_services.h"
#include "ui/core/vg_persistent.h"

namespace vg {

class TvgPlatformListMenu final : public IvgListMenu {
 public:
  TvgPlatformListMenu();
  ~TvgPlatformListMenu() override;

  void Clear() override;
  void Add(const rtl::WideString& caption, bool checked, bool enabled, std::function<void()> click) override;
  void Popup(int x, int y) override;

  // The menu shown; platform code and tests.
  gui::TPopupMenu& Menu() { return *menu_; }

 private:
  TvgOwned<gui::TPopupMenu> menu_;
};

// Installs the platform's popup menus, open dialog, form closing, modal
// results, colour dialog and the UI-thread dispatcher.
void vgUsePlatformControlServices();

}  // namespace vg
