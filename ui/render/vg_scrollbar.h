#pragma once
// The scroll bar as the scroll boxes drive it: a styled control holding a
// value in [Min, Max - ViewportSize], with the page it shows (ViewportSize)
// and the step of its arrows (SmallChange). Every change of Value raises
// OnChange.
#include "ui/core/vg_control.h"
#include "ui/render/vg_layouts.h"

namespace vg {

class TvgScrollBar : public TvgControl {
  RTL_CLASS(TvgScrollBar, TvgControl)

  // 150 x 18, range 0..100, no viewport, SmallChange 1.
  explicit TvgScrollBar(rtl::TComponent* owner);

  float Value() const { return FValue; }
  // Lowered to Max - ViewportSize, then raised to Min; nothing when equal.
  void SetValue(float value);
  float Min() const { return FMin; }
  // Values above Value pull Value up.
  void SetMin(float value);
  float Max() const { return FMax; }
  // Below Min it becomes Min + 0.001; Value and ViewportSize follow.
  void SetMax(float value);
  float ViewportSize() const { return FViewportSize; }
  // At most Max - Min; Value follows.
  void SetViewportSize(float value);
  float SmallChange() const { return FSmallChange; }
  void SetSmallChange(float value) { FSmallChange = value; }
  TvgOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TvgOrientation value);

  rtl::Variant GetData() override;
  // An event reference becomes OnChange; a number the Value; anything
  // else sets Value to Min.
  void SetData(const rtl::Variant& value) override;

  rtl::TNotifyEvent OnChange;

 private:
  static void Publish(rtl::TPublisher<TvgScrollBar>& p);

  float FValue = 0;
  float FMin = 0;
  float FMax = 100;
  float FViewportSize = 0;
  TvgOrientation FOrientation = vgHorizontal;
  float FSmallChange = 1;
};

// A thin scroll bar (8 high), for boxes with UseSmallScrollBars.
class TvgSmallScrollBar : public TvgScrollBar {
  RTL_CLASS(TvgSmallScrollBar, TvgScrollBar)

  explicit TvgSmallScrollBar(rtl::TComponent* owner);
};

void RegisterScrollBarClasses();

}  // namespace vg
