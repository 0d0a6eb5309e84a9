#pragma once
// TJvExGraphicControl: the graphic control base of the component family.
// It adds mouse-enter and mouse-leave events (and MouseOver between them),
// a parent-colour-changed event, and a hint colour of its own.
#include "platform/gui/Controls.h"

namespace components {

class TJvExGraphicControl : public gui::TGraphicControl {
  RTL_CLASS(TJvExGraphicControl, gui::TGraphicControl)

  using gui::TGraphicControl::TGraphicControl;

  bool MouseOver() const { return FMouseOver; }
  gui::TColor HintColor() const { return FHintColor; }
  void SetHintColor(gui::TColor value) { FHintColor = value; }
  // The colour a hint shows in: the application's for clNone, the
  // parent's answer for clDefault, else HintColor.
  gui::TColor HintColorFor(gui::TColor applicationHintColor, gui::TColor parentHintColor) const;

  void MouseEnter() override;
  void MouseLeave() override;
  void ParentColorChanged() override;

  rtl::TNotifyEvent OnMouseEnter, OnMouseLeave, OnParentColorChanged;

 private:
  gui::TColor FHintColor = gui::clDefault;
  bool FMouseOver = false;
};

}  // namespace components
