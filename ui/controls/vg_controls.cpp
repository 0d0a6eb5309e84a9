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
  rtl::RegisterClasses<TvgSelectionItem, TvgExpanderButton, TvgCustomButton, TvgThumb, TvgCustomTrack>();
  RegisterVGObjects("Buttons", {TvgButton::StaticClass(), TvgRoundButton::StaticClass(),
                                TvgCircleButton::StaticClass(), TvgPopupButton::StaticClass(),
                                TvgSpeedButton::StaticClass(), TvgCornerButton::StaticClass(),
                                TvgBitmapButton::StaticClass(), TvgToolButton::StaticClass(),
                                TvgPathButton::StaticClass(), TvgToolPathButton::StaticClass(),
                                TvgColorButton::StaticClass(), TvgBitmapStateButton::StaticClass(),
                                TvgAngleButton::StaticClass()});
  RegisterScrollBarClasses();
  RegisterVGObjects("Controls", {TvgTrack::StaticClass(), TvgTrackBar::StaticClass(), TvgProgressBar::StaticClass(),
                                 TvgSplitter::StaticClass(), TvgAniIndicator::StaticClass()});
  RegisterMemoClasses();
  RegisterTextBoxClasses();
  RegisterNumberBoxClasses();
  RegisterTabControlClasses();
  RegisterVGObjects("Ext. Controls",
                    {TvgIPhoneButton::StaticClass(), TvgDropTarget::StaticClass(), TvgImageViewer::StaticClass()});
  RegisterVGObjects("Math", {TvgPlotGrid::StaticClass()});
  RegisterVGObjects("Compound", {TvgCompoundTrackBar::StaticClass(), TvgCompoundAngleBar::StaticClass(),
                                 TvgCompoundTextBox::StaticClass(), TvgCompoundMemo::StaticClass(),
                                 TvgCompoundNumberBox::StaticClass(), TvgCompoundPopupBox::StaticClass(),
                                 TvgCompoundColorButton::StaticClass(), TvgCompoundImage::StaticClass()});
  RegisterGridClasses();
  RegisterVGObjects("Windows",
                    {TvgBackground::StaticClass(), TvgSizeGrip::StaticClass(), TvgCloseButton::StaticClass()});
  RegisterVGObjects("Boxes", {TvgCheckBox::StaticClass(), TvgPathCheckBox::StaticClass(),
                              TvgRadioButton::StaticClass(), TvgGroupBox::StaticClass(), TvgPopupBox::StaticClass()});
  RegisterVGObjects("Controls", {TvgPanel::StaticClass(), TvgCalloutPanel::StaticClass(), TvgLabel::StaticClass(),
                                 TvgValueLabel::StaticClass(), TvgImageControl::StaticClass(),
                                 TvgExpander::StaticClass()});
  RegisterVGObjects("Text Edits", {TvgTextBox::StaticClass(), TvgRoundTextBox::StaticClass(), TvgNumberBox::StaticClass(),
                                   TvgSpinBox::StaticClass(), TvgTextBoxClearBtn::StaticClass(), TvgMemo::StaticClass(),
                                   TvgComboTextBox::StaticClass(), TvgComboTrackBar::StaticClass()});
  RegisterVGObjects("Lists", {TvgListBox::StaticClass(), TvgComboBox::StaticClass(),
                             TvgStringListBox::StaticClass(), TvgStringComboBox::StaticClass(),
                             TvgHorzListBox::StaticClass(), TvgImageListBox::StaticClass(),
                             TvgHorzImageListBox::StaticClass()});
  RegisterVGObjects("Items", {TvgListBoxItem::StaticClass(), TvgImageListBoxItem::StaticClass()});
  rtl::RegisterClasses<TvgComboListBox>();
  RegisterVGObjects("Tool and Status", {TvgStatusBar::StaticClass(), TvgToolBar::StaticClass()});
  RegisterVGObjects("HUD", {TvgHudPanel::StaticClass(), TvgHudWindow::StaticClass(), TvgHudPopupBox::StaticClass(),
                            TvgHudLabel::StaticClass(), TvgHudCheckBox::StaticClass(),
                            TvgHudRadioButton::StaticClass(), TvgHudGroupBox::StaticClass(),
                            TvgHudCloseButton::StaticClass(), TvgHudStatusBar::StaticClass(),
                            TvgHudSizeGrip::StaticClass(), TvgHudButton::StaticClass(),
                            TvgHudRoundButton::StaticClass(), TvgHudCircleButton::StaticClass(),
                            TvgHudCornerButton::StaticClass(), TvgHudSpeedButton::StaticClass(),
                            TvgHudTrack::StaticClass(), TvgHudTrackBar::StaticClass(),
                            TvgHudAngleButton::StaticClass(), TvgHudMemo::StaticClass(),
                            TvgHudTextBox::StaticClass(), TvgHudRoundTextBox::StaticClass(),
                            TvgHudNumberBox::StaticClass(), TvgHudSpinBox::StaticClass(),
                            TvgHudListBox::StaticClass(), TvgHudHorzListBox::StaticClass(),
                            TvgHudComboBox::StaticClass(), TvgHudStringListBox::StaticClass(),
                            TvgHudStringComboBox::StaticClass(), TvgHudImageListBox::StaticClass(),
                            TvgHudHorzImageListBox::StaticClass(), TvgHudComboTextBox::StaticClass(),
                            TvgHudComboTrackBar::StaticClass()});
  RegisterTreeViewClasses();
  RegisterColorControlClasses();
  RegisterCalendarClasses();
  RegisterDesignClasses();
  RegisterResources_vg_styles();
}

}  // namespace vg
