#pragma once
// A popup menu as a node sees it, so a node can name one in a form (its
// PopupMenu property) while the toolkit core never sees a window. A
// component is a node's menu when it implements IvgPopupMenu itself or when
// the installed adapter makes one of it: the windowing layer adapts the
// class library's popup menus that way.
#include <functional>

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

// Makes a menu of a component that is not an IvgPopupMenu itself, or gives
// nullptr; what it gives lives as long as the component.
using TvgPopupMenuAdapter = std::function<IvgPopupMenu*(rtl::TComponent* component)>;
void vgSetPopupMenuAdapter(TvgPopupMenuAdapter adapter);

// The menu `component` stands for, or nullptr when it is none.
IvgPopupMenu* vgPopupMenuOf(rtl::TComponent* component);

}  // namespace vg
