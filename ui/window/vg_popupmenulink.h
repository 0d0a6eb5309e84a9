#pragma once
// The class library's popup menus as nodes' menus: a node that names a
// gui::TPopupMenu opens it as its context menu or a popup button's menu.
namespace vg {

// Installs the adapter that makes an IvgPopupMenu of a gui::TPopupMenu (a
// link the menu owns, so it goes with the menu).
void vgUsePlatformPopupMenus();

}  // namespace vg
