#include "components/JvExControls.h"

namespace components {

gui::TColor TJvExGraphicControl::HintColorFor(gui::TColor applicationHintColor,
                                              gui::TColor parentHintColor) const {
  if (FHintColor == gui::clNone) return applicationHintColor;
  if (FHintColor == gui::clDefault) return parentHintColor;
  return FHintColor;
}

void TJvExGraphicControl::MouseEnter() {
  FMouseOver = true;
  OnMouseEnter(this);
  inherited::MouseEnter();
}

void TJvExGraphicControl::MouseLeave() {
  FMouseOver = false;
  inherited::MouseLeave();
  OnMouseLeave(this);
}

void TJvExGraphicControl::ParentColorChanged() {
  inherited::ParentColorChanged();
  OnParentColorChanged(this);
}

}  // namespace components
