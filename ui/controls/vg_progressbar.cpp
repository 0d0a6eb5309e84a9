#include "ui/controls/vg_progressbar.h"

#include <algorithm>

namespace vg {

TvgProgressBar::TvgProgressBar(rtl::TComponent* owner) : TvgControl(owner) {
  FCanFocused = false;
  SetWidth(100);
  SetHeight(20);
}

TvgProgressBar::~TvgProgressBar() { TearDown(); }

void TvgProgressBar::Publish(rtl::TPublisher<TvgProgressBar>& p) {
  using T = TvgProgressBar;
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("Min", &T::Min, &T::SetMin).Default(0.0f);
  p.Property("Max", &T::Max, &T::SetMax).Default(100.0f);
  p.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(vgHorizontal);
  p.Property("Value", &T::Value, &T::SetValue).Default(0.0f);
}

void TvgProgressBar::SetValue(float value) {
  if (value == FValue) return;
  FValue = value;
  Realign();
}

void TvgProgressBar::SetOrientation(TvgOrientation value) {
  if (value == FOrientation) return;
  FOrientation = value;
  Realign();
}

rtl::Variant TvgProgressBar::GetData() { return rtl::Variant(FValue); }

void TvgProgressBar::SetData(const rtl::Variant& value) {
  if (value.VarType() == rtl::varInteger || value.VarType() == rtl::varDouble)
    SetValue(float(value.AsFloat()));
  else
    SetValue(FMin);
}

void TvgProgressBar::ApplyStyle() {
  inherited::ApplyStyle();
  if (TvgVisualObject* indicator = Part(FOrientation == vgVertical ? "vindicator" : "hindicator")) {
    indicator->StartTriggerAnimation(indicator, "IsVisible");
    indicator->ApplyTriggerEffect(indicator, "IsVisible");
  }
  Realign();
}

TvgVisualObject* TvgProgressBar::Part(const char* name) {
  TvgObject* part = FindResource(name);
  return part && part->IsVisual() ? part->Visual() : nullptr;
}

void TvgProgressBar::SizeIndicator() {
  const bool vertical = FOrientation == vgVertical;
  if (TvgVisualObject* other = Part(vertical ? "htrack" : "vtrack")) other->SetVisible(false);
  TvgVisualObject* track = Part(vertical ? "vtrack" : "htrack");
  if (!track) track = Part("track");
  if (!track || FMax <= FMin) return;
  TvgVisualObject* horizontal = Part("hindicator");
  TvgVisualObject* verticalPart = Part("vindicator");
  // The stored value may lie outside the range; the indicator stays in the track.
  const float f = std::clamp((FValue - FMin) / (FMax - FMin), 0.0f, 1.0f);
  TvgVisualObject* shown = vertical ? verticalPart : horizontal;
  TvgVisualObject* hidden = vertical ? horizontal : verticalPart;
  if (shown) {
    const TvgBounds& margins = *track->Margins();
    const TvgBounds& padding = *shown->Padding();
    if (vertical) {
      shown->SetHeight(f * (track->Height() - margins.Top() - margins.Bottom() - padding.Top() - padding.Bottom()));
      shown->SetVisible(shown->Height() > 2);
    } else {
      shown->SetWidth(f * (track->Width() - margins.Left() - margins.Right() - padding.Left() - padding.Right()));
      shown->SetVisible(shown->Width() > 2);
    }
  }
  if (hidden) hidden->SetVisible(false);
}

void TvgProgressBar::Realign() {
  if (!FSizing) {
    FSizing = true;
    SizeIndicator();
    FSizing = false;
  }
  inherited::Realign();
}

}  // namespace vg
