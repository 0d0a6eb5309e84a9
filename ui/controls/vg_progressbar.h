#pragma once
// TvgProgressBar: stretches its style's indicator part ("hindicator" or
// "vindicator") along its track part ("htrack", "vtrack", else "track") in
// proportion to Value in [Min, Max]. An indicator of 2 units or less is
// hidden. Only a change of Value, a resize or a new style re-measures.
#include "ui/core/vg_control.h"
#include "ui/render/vg_layouts.h"

namespace vg {

class TvgProgressBar : public TvgControl {
  RTL_CLASS(TvgProgressBar, TvgControl)

  explicit TvgProgressBar(rtl::TComponent* owner);
  ~TvgProgressBar() override;

  float Value() const { return FValue; }
  void SetValue(float value);
  float Min() const { return FMin; }
  void SetMin(float value) { FMin = value; }
  float Max() const { return FMax; }
  void SetMax(float value) { FMax = value; }
  TvgOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TvgOrientation value);

  rtl::Variant GetData() override;
  // A number goes to SetValue, anything else sets Min.
  void SetData(const rtl::Variant& value) override;
  void Realign() override;

 protected:
  void ApplyStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgProgressBar>& p);
  TvgVisualObject* Part(const char* name);
  void SizeIndicator();

  float FMin = 0;
  float FValue = 0;
  float FMax = 100;
  TvgOrientation FOrientation = vgHorizontal;
  bool FSizing = false;
};

}  // namespace vg
