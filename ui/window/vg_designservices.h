#pragma once
// The design services on screen: the design menu as the platform's popup
// menu, the tab-order editor on a borderless modal form, an open dialog
// for scene files, and the value editors of the inspector (brushes and
// gradients in the brush designer, fonts in the font dialog, bitmaps in the
// bitmap editor, path data in the path designer). A design
// environment calls vgUseDesignServices once; the program never does.
#include "platform/gui/Menus.h"
#include "ui/core/vg_designmenu.h"

namespace vg {

void vgUseDesignServices();
// The design menu as a popup menu (owned by the caller); tests look at it.
gui::TPopupMenu* vgBuildDesignPopup(const TvgDesignMenu& menu, rtl::TComponent* owner);
// Runs the tab-order editor modally on node's siblings.
void vgEditTabOrder(TvgVisualObject* node);
// Opens the editor of a brush, gradient, font, bitmap or path data value;
// true when changed.
bool vgEditDesignValue(rtl::TObject* value, rtl::TComponent* component);

}  // namespace vg
