#pragma once
// TvgAngleButton: a round knob whose value is the angle in degrees of the
// pointer about its centre, snapped to Frequency when that is not 0. The
// style's "tick" part turns to show the value; "tracktext" and "text" show
// it as whole degrees. With Tracking off a drag reports once, on release.
#include "ui/core/vg_control.h"

namespace vg {

class TvgText;

class TvgAngleButton : public TvgControl {
  RTL_CLASS(TvgAngleButton, TvgControl)

  // 30 x 30.
  explicit TvgAngleButton(rtl::TComponent* owner);
  ~TvgAngleButton() override;

  float Value() const { return FValue; }
  void SetValue(float value);
  float Frequency() const { return FFrequency; }
  void SetFrequency(float value) { FFrequency = value; }
  bool Tracking() const { return FTracking; }
  void SetTracking(bool value) { FTracking = value; }
  bool ShowValue() const { return FShowValue; }
  void SetShowValue(bool value);

  rtl::Variant GetData() override;
  // An event reference becomes OnChange, a number the Value; anything
  // else sets Value 0.
  void SetData(const rtl::Variant& value) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

  rtl::TNotifyEvent OnChange;

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgAngleButton>& p);
  TvgText* TextPart(const char* name);
  void ShowTick();
  void ShowValueTexts();

  bool FPressing = false;
  TvgPoint FOldPos{0, 0};
  float FSaveValue = 0;
  float FValue = 0;
  float FFrequency = 0;
  bool FTracking = true;
  bool FShowValue = false;
};

class TvgHudAngleButton : public TvgAngleButton {
  RTL_CLASS(TvgHudAngleButton, TvgAngleButton)
  using TvgAngleButton::TvgAngleButton;
};

}  // namespace vg
