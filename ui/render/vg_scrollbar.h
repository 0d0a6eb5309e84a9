#pragma once
// The scroll bar: a styled control holding a value in
// [Min, Max - ViewportSize], the page it shows (ViewportSize) and the step
// of its arrows (SmallChange). Every change of Value raises OnChange. Its
// style holds a track per orientation ("htrack", "vtrack") and two arrow
// buttons per orientation ("leftbutton", "rightbutton", "topbutton",
// "bottombutton"); every realignment binds them afresh, so the bar owns no
// part and a new style works at once. The parts are controls of the
// toolkit's control layer and are reached through the two small interfaces
// below.
#include <functional>

#include "platform/rtl/Event.h"
#include "ui/core/vg_control.h"
#include "ui/render/vg_layouts.h"

namespace vg {

// A track part as the scroll bar drives it (the control layer's value track).
class IvgScrollTrack {
 public:
  // Takes the orientation, range and value as they stand, without events;
  // the viewport through its own setter.
  virtual void FollowBar(TvgOrientation orientation, float min, float max, float value, float viewportSize) = 0;
  virtual float TrackValue() const = 0;
  // Raised when the user moves the track.
  virtual rtl::TNotifyEvent& TrackChanged() = 0;

 protected:
  ~IvgScrollTrack() = default;
};

// Marks the push buttons that may serve as arrow parts.
class IvgStepButton {
 protected:
  ~IvgStepButton() = default;
};

class TvgScrollBar : public TvgControl {
  RTL_CLASS(TvgScrollBar, TvgControl)

  // 150 x 18, range 0..100, no viewport, SmallChange 1.
  explicit TvgScrollBar(rtl::TComponent* owner);
  ~TvgScrollBar() override;

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
  // Binds the style's tracks and arrows to the bar, then aligns.
  void Realign() override;

  rtl::TNotifyEvent OnChange;

 private:
  static void Publish(rtl::TPublisher<TvgScrollBar>& p);
  void BindTrack(const char* name, TvgOrientation orientation);
  void BindArrow(const char* name, bool visible, float step);
  // Runs a change that a part's event asked for.
  void FromPart(const std::function<void()>& change);

  float FValue = 0;
  float FMin = 0;
  float FMax = 100;
  float FViewportSize = 0;
  TvgOrientation FOrientation = vgHorizontal;
  float FSmallChange = 1;
  bool FBinding = false;
  bool FInPartEvent = false;
};

// A thin scroll bar (8 high), for boxes with UseSmallScrollBars.
class TvgSmallScrollBar : public TvgScrollBar {
  RTL_CLASS(TvgSmallScrollBar, TvgScrollBar)

  explicit TvgSmallScrollBar(rtl::TComponent* owner);
};

class TvgHudScrollBar : public TvgScrollBar {
  RTL_CLASS(TvgHudScrollBar, TvgScrollBar)
  using TvgScrollBar::TvgScrollBar;
};

void RegisterScrollBarClasses();

}  // namespace vg
