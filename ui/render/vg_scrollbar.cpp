#include "ui/render/vg_scrollbar.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace vg {

TvgScrollBar::TvgScrollBar(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(150);
  SetHeight(18);
}

TvgScrollBar::~TvgScrollBar() { TearDown(); }

void TvgScrollBar::Publish(rtl::TPublisher<TvgScrollBar>& p) {
  using T = TvgScrollBar;
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("Min", &T::Min, &T::SetMin).Default(0.0f);
  p.Property("Max", &T::Max, &T::SetMax).Default(100.0f);
  p.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(vgHorizontal);
  p.Property("Value", &T::Value, &T::SetValue).Default(0.0f);
  p.Property("ViewportSize", &T::ViewportSize, &T::SetViewportSize).Default(0.0f);
  p.Property("SmallChange", &T::SmallChange, &T::SetSmallChange).Default(1.0f);
  p.Property("OnChange", &T::OnChange);
}

void TvgScrollBar::SetValue(float value) {
  if (value == FValue) return;
  FValue = std::max(std::min(value, FMax - FViewportSize), FMin);
  ToBindingObjects();
  OnChange(this);
  Realign();
}

void TvgScrollBar::SetMax(float value) {
  if (value == FMax) return;
  FMax = value < FMin ? FMin + 0.001f : value;
  if (FMax - FViewportSize < FValue) SetValue(FMax - FViewportSize);
  FViewportSize = std::min(FViewportSize, FMax - FMin);
  Realign();
}

void TvgScrollBar::SetMin(float value) {
  if (value == FMin) return;
  FMin = value;
  if (FMin > FValue) SetValue(FMin);
  Realign();
}

void TvgScrollBar::SetViewportSize(float value) {
  if (value == FViewportSize) return;
  FViewportSize = std::min(value, FMax - FMin);
  if (FMax - FViewportSize < FValue) SetValue(FMax - FViewportSize);
  Realign();
}

void TvgScrollBar::SetOrientation(TvgOrientation value) {
  if (value == FOrientation) return;
  FOrientation = value;
  Realign();
}

rtl::Variant TvgScrollBar::GetData() { return rtl::Variant(FValue); }

void TvgScrollBar::SetData(const rtl::Variant& value) {
  if (VarIsEvent(value))
    OnChange = VariantToEvent(value);
  else if (value.VarType() == rtl::varInteger || value.VarType() == rtl::varDouble)
    SetValue(float(value.AsFloat()));
  else
    SetValue(FMin);
}

void TvgScrollBar::BindTrack(const char* name, TvgOrientation orientation) {
  TvgObject* part = FindResource(name);
  auto* track = dynamic_cast<IvgScrollTrack*>(part);
  if (!track) return;
  TvgVisualObject& node = *part->Visual();
  track->FollowBar(orientation, FMin, FMax, FValue, FViewportSize);
  node.SetVisible(FOrientation == orientation);
  if (!FInPartEvent)
    track->TrackChanged() = [this, track](rtl::TObject*) { FromPart([&] { SetValue(track->TrackValue()); }); };
  node.SetCanFocused(false);
  if (node.Visible()) node.Realign();
}

void TvgScrollBar::BindArrow(const char* name, bool visible, float step) {
  TvgObject* part = FindResource(name);
  if (!dynamic_cast<IvgStepButton*>(part)) return;
  TvgVisualObject& button = *part->Visual();
  if (!FInPartEvent)
    button.OnClick = [this, step](rtl::TObject*) { FromPart([&] { SetValue(FValue + step * FSmallChange); }); };
  button.SetVisible(visible);
  button.SetCanFocused(false);
}

void TvgScrollBar::FromPart(const std::function<void()>& change) {
  // The parts' events stay as they are meanwhile: the running one must not
  // be replaced under its own call.
  const bool outer = !FInPartEvent;
  FInPartEvent = true;
  change();
  if (outer) FInPartEvent = false;
}

void TvgScrollBar::Realign() {
  if (!FBinding) {
    FBinding = true;
    BindTrack("htrack", vgHorizontal);
    BindTrack("vtrack", vgVertical);
    const bool horizontal = FOrientation == vgHorizontal;
    BindArrow("leftbutton", horizontal, -1);
    BindArrow("rightbutton", horizontal, 1);
    BindArrow("topbutton", !horizontal, -1);
    BindArrow("bottombutton", !horizontal, 1);
    FBinding = false;
  }
  inherited::Realign();
}

TvgSmallScrollBar::TvgSmallScrollBar(rtl::TComponent* owner) : TvgScrollBar(owner) { SetHeight(8); }

void RegisterScrollBarClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterVGObjects("Scroll", {TvgScrollBar::StaticClass(), TvgSmallScrollBar::StaticClass()});
  RegisterVGObjects("HUD", {TvgHudScrollBar::StaticClass()});
}

}  // namespace vg
