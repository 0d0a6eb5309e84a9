#include "ui/controls/vg_popupmenu.h"

namespace vg {

namespace {

TvgPopupMenuFactory& Factory() {
  static TvgPopupMenuFactory factory;
  return factory;
}

}  // namespace

void vgSetPopupMenuFactory(TvgPopupMenuFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<IvgPopupMenu> vgCreatePopupMenu() { return Factory() ? Factory()() : nullptr; }

}  // namespace vg
