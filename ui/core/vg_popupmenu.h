#pragma once
// A class-library popup menu as a node sees it. The windowing layer's popup
// menu implements it, so a node can name one in a form (its PopupMenu
// property) while the toolkit core never sees a window.
#include "platform/rtl/Component.h"

namespace vg {

class IvgPopupMenu {
 public:
  // The control the menu is opened for; menu handlers read it back.
  virtual void SetPopupComponent(rtl::TComponent* component) = 0;
  // Opens the menu with its top-left corner at the screen point (x, y);
  // the chosen item runs later.
  virtual void Popup(int x, int y) = 0;

 protected:
  ~IvgPopupMenu() = default;
};

}  // namespace vg
