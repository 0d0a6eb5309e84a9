#include "ui/render/vg_scrollbar.h"

#include <utility>

namespace vg {

TvgScrollBar::TvgScrollBar(rtl::TComponent* owner) : TvgControl(owner) { SetBounds(0, 0, 150, 18); }

void TvgScrollBar::Publish(rtl::TPublisher<TvgScrollBar>& p) {
  using T = TvgScrollBar;
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
  FValue = value;
  if (FValue > FMax - FViewportSize) FValue = FMax - FViewportSize;
  if (FValue < FMin) FValue = FMin;
  ToBindingObjects();
  OnChange(this);
  Realign();
}

void TvgScrollBar::SetMax(float value) {
  if (value == FMax) return;
  FMax = value < FMin ? FMin + 0.001f : value;
  if (FMax - FViewportSize < FValue) SetValue(FMax - FViewportSize);
  if (FViewportSize > FMax - FMin) FViewportSize = FMax - FMin;
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
  FViewportSize = value > FMax - FMin ? FMax - FMin : value;
  if (FMax - FViewportSize < FValue) SetValue(FMax - FViewportSize);
  Realign();
}

void TvgScrollBar::SetOrientation(TvgOrientation value) {
  if (value == FOrientation) return;
  FOrientation = value;
  IvgScene* scene = GetScene();
  if (scene && scene->GetDesignTime() && !IsLoading()) SetBounds(Position()->X(), Position()->Y(), Height(), Width());
  Realign();
}

rtl::Variant TvgScrollBar::GetData() { return rtl::Variant(FValue); }

void TvgScrollBar::SetData(const rtl::Variant& value) {
  const rtl::TVarType type = value.VarType();
  if (type == rtl::varEvent)
    OnChange = value.AsEvent();
  else if (type == rtl::varInteger || type == rtl::varDouble)
    SetValue(float(value.AsFloat()));
  else
    SetValue(FMin);
}

TvgSmallScrollBar::TvgSmallScrollBar(rtl::TComponent* owner) : TvgScrollBar(owner) { SetHeight(8); }

void RegisterScrollBarClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterVGObjects("Scroll", {TvgScrollBar::StaticClass(), TvgSmallScrollBar::StaticClass()});
}

}  // namespace vg
