#include "ui/controls/vg_controls.h"

#include <utility>

#include "EmbeddedResources_vg_styles.h"
#include "platform/rtl/ClassRegistry.h"
#include "ui/render/vg_layouts.h"

namespace vg {

void RegisterControlClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterShapeClasses();
  RegisterLayoutClasses();
  rtl::RegisterClasses<TvgSelectionItem, TvgExpanderButton>();
  RegisterMemoClasses();
  RegisterTextBoxClasses();
  RegisterNumberBoxClasses();
  RegisterVGObjects("Windows",
                    {TvgBackground::StaticClass(), TvgSizeGrip::StaticClass(), TvgCloseButton::StaticClass()});
  RegisterVGObjects("Boxes", {TvgCheckBox::StaticClass(), TvgPathCheckBox::StaticClass(),
                              TvgRadioButton::StaticClass(), TvgGroupBox::StaticClass(), TvgPopupBox::StaticClass()});
  RegisterVGObjects("Controls", {TvgPanel::StaticClass(), TvgCalloutPanel::StaticClass(), TvgLabel::StaticClass(),
                                 TvgValueLabel::StaticClass(), TvgImageControl::StaticClass(),
                                 TvgExpander::StaticClass()});
  RegisterVGObjects("Text Edits", {TvgTextBox::StaticClass(), TvgRoundTextBox::StaticClass(), TvgNumberBox::StaticClass(),
                                   TvgSpinBox::StaticClass(), TvgTextBoxClearBtn::StaticClass(), TvgMemo::StaticClass()});
  RegisterVGObjects("Tool and Status", {TvgStatusBar::StaticClass(), TvgToolBar::StaticClass()});
  RegisterVGObjects("HUD", {TvgHudPanel::StaticClass(), TvgHudWindow::StaticClass(), TvgHudPopupBox::StaticClass(),
                            TvgHudLabel::StaticClass(), TvgHudCheckBox::StaticClass(),
                            TvgHudRadioButton::StaticClass(), TvgHudGroupBox::StaticClass(),
                            TvgHudCloseButton::StaticClass(), TvgHudStatusBar::StaticClass(),
                            TvgHudSizeGrip::StaticClass(), TvgHudMemo::StaticClass(), TvgHudTextBox::StaticClass(), TvgHudNumberBox::StaticClass(),
                            TvgHudSpinBox::StaticClass(),                             TvgHudRoundTextBox::StaticClass()});
  RegisterResources_vg_styles();
}

}  // namespace vg
