#include "ui/core/vg_popupmenu.h"

#include <utility>

namespace vg {

namespace {

TvgPopupMenuAdapter& Adapter() {
  static TvgPopupMenuAdapter adapter;
  return adapter;
}

}  // namespace

void vgSetPopupMenuAdapter(TvgPopupMenuAdapter adapter) { Adapter() = std::move(adapter); }

IvgPopupMenu* vgPopupMenuOf(rtl::TComponent* component) {
  if (!component) return nullptr;
  if (auto* menu = dynamic_cast<IvgPopupMenu*>(component)) return menu;
  return Adapter() ? Adapter()(component) : nullptr;
}

}  // namespace vg
