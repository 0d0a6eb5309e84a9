#pragma once
// Value tracks: TvgCustomTrack keeps a value in [Min, Max - ViewportSize]
// (snapped to Frequency when that is not 0) and places its style's "thumb"
// part (a TvgThumb) to show it; dragging the thumb, pressing the track and
// the arrow, Home and End keys move the value. TvgTrack is the track inside
// scroll-bar styles (its thumb's length shows the viewport), TvgTrackBar the
// focusable slider. With Tracking off a drag reports through OnTracking
// only, and its release reports the final value once through OnChange.
#include "ui/core/vg_control.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_scrollbar.h"

namespace vg {

class TvgCustomTrack;

class TvgThumb : public TvgControl {
  RTL_CLASS(TvgThumb, TvgControl)

  explicit TvgThumb(rtl::TComponent* owner);
  ~TvgThumb() override;

  // The track that looked this thumb up last.
  TvgCustomTrack* Track() const { return FTrack; }
  bool IsPressed() const { return FPressed; }
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;

 private:
  friend class TvgCustomTrack;
  TvgCustomTrack* FTrack = nullptr;
  TvgPoint FDownOffset{0, 0};
  bool FPressed = false;
};

class TvgCustomTrack : public TvgControl, public IvgScrollTrack {
  RTL_CLASS(TvgCustomTrack, TvgControl)

  explicit TvgCustomTrack(rtl::TComponent* owner);
  ~TvgCustomTrack() override;

  float Value() const { return FValue; }
  // Snaps to Frequency (halves to even), clamps to Max - ViewportSize and
  // then to Min, and reports a change (OnTracking while dragged, bindings
  // and OnChange as Tracking says).
  void SetValue(float value);
  float Min() const { return FMin; }
  // Stores only: Max and Value are not clamped again.
  virtual void SetMin(float value);
  float Max() const { return FMax; }
  // Below Min it becomes Min + 0.001; ViewportSize and Value are lowered
  // to fit, silently.
  virtual void SetMax(float value);
  float ViewportSize() const { return FViewportSize; }
  void SetViewportSize(float value);
  float Frequency() const { return FFrequency; }
  void SetFrequency(float value);
  TvgOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TvgOrientation value);
  bool Tracking() const { return FTracking; }
  void SetTracking(bool value) { FTracking = value; }
  // The thumb part exists and is held.
  bool GetIsTracking();
  // Where the thumb goes, in the track's local coordinates.
  TvgRect GetThumbRect();

  rtl::Variant GetData() override;
  // An event reference becomes OnChange; a number goes to SetValue;
  // anything else sets Min through SetValue.
  void SetData(const rtl::Variant& value) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void Realign() override;

  // IvgScrollTrack
  void FollowBar(TvgOrientation orientation, float min, float max, float value, float viewportSize) override;
  float TrackValue() const override { return FValue; }
  rtl::TNotifyEvent& TrackChanged() override { return OnChange; }

  rtl::TNotifyEvent OnChange, OnTracking;

 protected:
  // The properties tracks and track bars publish alike.
  template <class T>
  static void PublishCommon(rtl::TPublisher<T>& p);
  // The "thumb" part, linked to this track.
  TvgThumb* Thumb();
  // The value a point of the track (local coordinates) stands for.
  float ValueAt(TvgPoint p, float leadingOffset);

 private:
  friend class TvgThumb;
  // The thumb was released after a drag: report the final value as a
  // change made with Tracking on, whatever that value is.
  void ThumbReleased();
  // Tells the listeners of a new value and places the thumb.
  void ReportChange();

  float FValue = 0;
  float FMin = 0;
  float FMax = 100;
  float FViewportSize = 0;
  TvgOrientation FOrientation = vgHorizontal;
  bool FTracking = true;
  float FFrequency = 0;
};

class TvgTrack : public TvgCustomTrack {
  RTL_CLASS(TvgTrack, TvgCustomTrack)
  using TvgCustomTrack::TvgCustomTrack;

 private:
  static void Publish(rtl::TPublisher<TvgTrack>& p);
};

class TvgTrackBar : public TvgCustomTrack {
  RTL_CLASS(TvgTrackBar, TvgCustomTrack)

  explicit TvgTrackBar(rtl::TComponent* owner);

 private:
  static void Publish(rtl::TPublisher<TvgTrackBar>& p);
};

class TvgHudTrack : public TvgTrack {
  RTL_CLASS(TvgHudTrack, TvgTrack)
  using TvgTrack::TvgTrack;
};

class TvgHudTrackBar : public TvgTrackBar {
  RTL_CLASS(TvgHudTrackBar, TvgTrackBar)
  using TvgTrackBar::TvgTrackBar;
};

}  // namespace vg
