#pragma once
// The popup menu that controls show (the popup box's list): a small
// interface over the platform's menus, so controls stay free of the
// windowing layer. The window layer installs the real factory; tests
// install one that records the items and lets them be chosen.
#include <functional>
#include <memory>

#include "platform/rtl/Types.h"

namespace vg {

class IvgPopupMenu {
 public:
  virtual ~IvgPopupMenu() = default;
  virtual void Clear() = 0;
  // Appends an item; `click` runs when the user chooses it.
  virtual void Add(const rtl::WideString& caption, bool checked, bool enabled, std::function<void()> click) = 0;
  // Opens the menu with its top-left corner at the screen point and
  // returns; the chosen item's click runs later (or never).
  virtual void Popup(int x, int y) = 0;
};

using TvgPopupMenuFactory = std::function<std::unique_ptr<IvgPopupMenu>()>;
// Installs the factory popup menus come from; an empty one removes it.
void vgSetPopupMenuFactory(TvgPopupMenuFactory factory);
// A new menu from the installed factory, or nullptr without one (the
// control then shows no menu).
std::unique_ptr<IvgPopupMenu> vgCreatePopupMenu();

}  // namespace vg
