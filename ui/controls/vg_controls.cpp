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
  RegisterVGObjects("Windows", {TvgBackground::StaticClass()});
  RegisterVGObjects("Boxes", {TvgCheckBox::StaticClass(), TvgPathCheckBox::StaticClass(),
                              TvgRadioButton::StaticClass(), TvgGroupBox::StaticClass(), TvgPopupBox::StaticClass()});
  RegisterVGObjects("Controls", {TvgPanel::StaticClass(), TvgCalloutPanel::StaticClass(), TvgLabel::StaticClass(),
                                 TvgValueLabel::StaticClass(), TvgExpander::StaticClass()});
  RegisterVGObjects("Tool and Status", {TvgStatusBar::StaticClass(), TvgToolBar::StaticClass()});
  RegisterVGObjects("HUD", {TvgHudPanel::StaticClass(), TvgHudPopupBox::StaticClass(), TvgHudLabel::StaticClass(),
                            TvgHudCheckBox::StaticClass(), TvgHudRadioButton::StaticClass(),
                            TvgHudGroupBox::StaticClass(), TvgHudStatusBar::StaticClass()});
  RegisterResources_vg_styles();
}

}  // namespace vg
