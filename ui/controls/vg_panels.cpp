#include "ui/controls/vg_panels.h"

namespace vg {

// ----- TvgSelectionItem

TvgSelectionItem::TvgSelectionItem(rtl::TComponent* owner) : TvgControl(owner) { SetHitTest(false); }

void TvgSelectionItem::PaintChildren() {
  if (ComponentState().Contains(rtl::csDesigning)) return;
  inherited::PaintChildren();
}

// ----- TvgPanel

TvgPanel::TvgPanel(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(120);
  SetHeight(100);
}

// ----- TvgCalloutPanel

void TvgCalloutPanel::Publish(rtl::TPublisher<TvgCalloutPanel>& p) {
  using T = TvgCalloutPanel;
  p.Property("CalloutWidth", &T::CalloutWidth, &T::SetCalloutWidth).Default(23.0f);
  p.Property("CalloutLength", &T::CalloutLength, &T::SetCalloutLength).Default(11.0f);
  p.Property("CalloutPosition", &T::CalloutPosition, &T::SetCalloutPosition).Default(vgCalloutTop);
  p.Property("CalloutOffset", &T::CalloutOffset, &T::SetCalloutOffset);
}

TvgCalloutRectangle* TvgCalloutPanel::Outline() {
  // The part's name is spelled so by the styles that have one.
  if (auto* part = dynamic_cast<TvgCalloutRectangle*>(FindResource("Backgound"))) return part;
  return dynamic_cast<TvgCalloutRectangle*>(ResourceLink());
}

void TvgCalloutPanel::ApplyStyle() {
  inherited::ApplyStyle();
  TvgCalloutRectangle* outline = Outline();
  if (!outline) return;
  outline->SetCalloutWidth(FCalloutWidth);
  outline->SetCalloutLength(FCalloutLength);
  outline->SetCalloutPosition(FCalloutPosition);
  outline->SetCalloutOffset(FCalloutOffset);
}

// ----- TvgStatusBar

TvgStatusBar::TvgStatusBar(rtl::TComponent* owner) : TvgControl(owner) {
  SetHeight(22);
  SetAlign(vaBottom);
}

void TvgStatusBar::Publish(rtl::TPublisher<TvgStatusBar>& p) {
  using T = TvgStatusBar;
  p.Property("Align", &T::Align, &T::SetAlign).Default(vaBottom);
  p.Property("ShowSizeGrip", &T::ShowSizeGrip, &T::SetShowSizeGrip).Default(true);
}

void TvgStatusBar::SetShowSizeGrip(bool value) {
  if (value == FShowSizeGrip) return;
  FShowSizeGrip = value;
  SetResource(Resource());
}

void TvgStatusBar::ApplyStyle() {
  inherited::ApplyStyle();
  TvgObject* grip = FindResource("sizegrip");
  if (!grip || !grip->IsVisual()) return;
  TvgVisualObject* visual = grip->Visual();
  visual->SetVisible(FShowSizeGrip);
  IvgScene* scene = GetScene();
  if (scene && scene->GetDesignTime()) return;
  visual->SetLocked(false);
  visual->SetHitTest(true);
}

// ----- TvgToolBar

TvgToolBar::TvgToolBar(rtl::TComponent* owner) : TvgControl(owner) {
  SetHeight(40);
  SetAlign(vaTop);
}

void TvgToolBar::Publish(rtl::TPublisher<TvgToolBar>& p) {
  p.Property("Align", &TvgToolBar::Align, &TvgToolBar::SetAlign).Default(vaTop);
}

}  // namespace vg
