#include "ui/controls/vg_anglebutton.h"

#include "platform/rtl/Rounding.h"
#include <string>

#include "platform/rtl/TextConvert.h"
#include "ui/render/vg_objects.h"

namespace vg {

TvgAngleButton::TvgAngleButton(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(30);
  SetHeight(30);
  SetAutoCapture(true);
}

TvgAngleButton::~TvgAngleButton() { TearDown(); }

void TvgAngleButton::Publish(rtl::TPublisher<TvgAngleButton>& p) {
  using T = TvgAngleButton;
  p.Property("Frequency", &T::Frequency, &T::SetFrequency).Default(0.0f);
  p.Property("Tracking", &T::Tracking, &T::SetTracking).Default(true);
  p.Property("ShowValue", &T::ShowValue, &T::SetShowValue).Default(false);
  p.Property("Value", &T::Value, &T::SetValue).Default(0.0f);
  p.Property("OnChange", &T::OnChange);
}

void TvgAngleButton::SetValue(float value) {
  if (FFrequency != 0) value = float(rtl::Round(double(value) / FFrequency)) * FFrequency;
  if (value == FValue) return;
  FValue = value;
  ShowTick();
  ShowValueTexts();
  if (!FPressing || FTracking) OnChange(this);
}

void TvgAngleButton::SetShowValue(bool value) {
  if (value == FShowValue) return;
  FShowValue = value;
  ShowValueTexts();
  Repaint();
}

rtl::Variant TvgAngleButton::GetData() { return rtl::Variant(FValue); }

void TvgAngleButton::SetData(const rtl::Variant& value) {
  if (VarIsEvent(value))
    OnChange = VariantToEvent(value);
  else if (value.VarType() == rtl::varInteger || value.VarType() == rtl::varDouble)
    SetValue(float(value.AsFloat()));
  else
    SetValue(0);
}

void TvgAngleButton::ApplyStyle() {
  inherited::ApplyStyle();
  ShowTick();
  ShowValueTexts();
}

void TvgAngleButton::ShowTick() {
  TvgObject* tick = FindResource("tick");
  if (tick && tick->IsVisual())
    tick->Visual()->SetRotateAngle(-FValue);
  else
    Repaint();
}

TvgText* TvgAngleButton::TextPart(const char* name) { return dynamic_cast<TvgText*>(FindResource(name)); }

void TvgAngleButton::ShowValueTexts() {
  const rtl::WideString text = rtl::W(std::to_string(rtl::Round(FValue))) + u"\u00B0";
  if (TvgText* track = TextPart("tracktext")) {
    track->SetText(text);
    track->SetVisible(false);
    track->SetOpacity(FPressing && !FTracking ? 1 : 0);
  }
  if (TvgText* shown = TextPart("text")) {
    shown->SetText(text);
    shown->SetVisible(FShowValue);
    shown->SetOpacity(FShowValue ? 1 : 0);
  }
}

void TvgAngleButton::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  FPressing = true;
  FOldPos = {x, y};
  FSaveValue = FValue;
  ShowValueTexts();
}

void TvgAngleButton::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!(shift & vgLeftButton) || !FPressing) return;
  SetValue(vgVectorAngle({1, 0, 1}, {x - Width() / 2, y - Height() / 2, 1}));
  FOldPos = {x, y};
  ShowValueTexts();
}

void TvgAngleButton::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  if (!FPressing) return;
  FPressing = false;
  ShowValueTexts();
  if (FValue != FSaveValue) OnChange(this);
}

}  // namespace vg
