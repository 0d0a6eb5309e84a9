#include "ui/controls/vg_track.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_keys.h"

namespace vg {

namespace {

// Below this share of the track's length a key's screen direction counts as
// crossing the track rather than running along it.
constexpr float kAcrossTrack = 0.01f;

float Snap(float value, float frequency) {
  return frequency == 0 ? value : float(rtl::Round(double(value) / frequency)) * frequency;
}

// Keeps [start, start + length) inside [0, limit], a short span widened to
// 2 x Trunc(thickness / 2) about its start first.
void FitSpan(float& start, float& end, float thickness, float limit) {
  if (end - start < thickness) {
    const float half = float(rtl::Trunc(thickness / 2));
    end = start + half;
    start -= half;
  }
  if (end > limit) {
    start -= end - limit;
    end = limit;
  }
  if (start < 0) {
    end -= start;
    start = 0;
  }
}

// +1 when an arrow key raises the track's value, -1 when it lowers it: each
// key moves the thumb the way it points on screen, however the track and its
// parents are turned; Up and Right move it up or right.
float ArrowStepSign(TvgCustomTrack& track, std::uint16_t key) {
  const bool horizontal = track.Orientation() == vgHorizontal;
  const TvgVector axis = track.LocalToAbsoluteVector(horizontal ? TvgVector{1, 0, 0} : TvgVector{0, 1, 0});
  float along = key == kKeyRight ? axis.X : key == kKeyLeft ? -axis.X : key == kKeyDown ? axis.Y : -axis.Y;
  if (std::abs(along) < kAcrossTrack * std::hypot(axis.X, axis.Y)) {
    // A key across the track: Up goes the way Right does, Down the way Left does.
    const float upOrRight = axis.X - axis.Y;
    along = key == kKeyUp || key == kKeyRight ? upOrRight : -upOrRight;
  }
  return along < 0 ? -1.0f : 1.0f;
}

}  // namespace

// ----- TvgThumb

TvgThumb::TvgThumb(rtl::TComponent* owner) : TvgControl(owner) {
  FCanFocused = false;
  SetAutoCapture(true);
}

TvgThumb::~TvgThumb() { TearDown(); }

void TvgThumb::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft || !Enabled()) return;
  FPressed = true;
  FDownOffset = {x, y};
  if (FTrack) FTrack->SetFocus();
}

void TvgThumb::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!FPressed || !FTrack || !Enabled() || !Parent() || !Parent()->IsVisual()) return;
  const bool horizontal = FTrack->Orientation() == vgHorizontal;
  const TvgPoint onTrack = FTrack->AbsoluteToLocal(LocalToAbsolute(horizontal ? TvgPoint{x, 0} : TvgPoint{0, y}));
  const float leading = FTrack->ViewportSize() != 0 ? (horizontal ? FDownOffset.X : FDownOffset.Y) : 0;
  FTrack->SetValue(FTrack->ValueAt(onTrack, leading));
}

void TvgThumb::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  if (!FPressed) return;
  if (FTrack) FTrack->ThumbReleased();
  FPressed = false;
}

// ----- TvgCustomTrack

TvgCustomTrack::TvgCustomTrack(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(100);
  SetHeight(15);
}

TvgCustomTrack::~TvgCustomTrack() { TearDown(); }

template <class T>
void TvgCustomTrack::PublishCommon(rtl::TPublisher<T>& p) {
  p.Property("BindingSource", &T::BindingSource, &T::SetBindingSource);
  p.Property("Min", &T::Min, &T::SetMin).Default(0.0f);
  p.Property("Max", &T::Max, &T::SetMax).Default(100.0f);
  p.Property("Frequency", &T::Frequency, &T::SetFrequency).Default(0.0f);
  p.Property("Orientation", &T::Orientation, &T::SetOrientation).Default(vgHorizontal);
  p.Property("Value", &T::Value, &T::SetValue).Default(0.0f);
  p.Property("Tracking", &T::Tracking, &T::SetTracking).Default(true);
  p.Property("OnChange", &T::OnChange);
}

void TvgCustomTrack::SetValue(float value) {
  value = Snap(value, FFrequency);
  if (value == FValue) return;
  FValue = std::max(std::min(value, FMax - FViewportSize), FMin);
  ReportChange();
}

void TvgCustomTrack::ReportChange() {
  const bool dragged = GetIsTracking();
  if (dragged) OnTracking(this);
  if (FTracking) ToBindingObjects();
  if (!dragged || FTracking) OnChange(this);
  Realign();
}

void TvgCustomTrack::SetMax(float value) {
  if (value == FMax) return;
  FMax = value < FMin ? FMin + 0.001f : value;
  FViewportSize = std::min(FViewportSize, FMax - FMin);
  FValue = std::min(FValue, FMax - FViewportSize);
  Realign();
}

void TvgCustomTrack::SetMin(float value) {
  if (value == FMin) return;
  FMin = value;
  Realign();
}

void TvgCustomTrack::SetViewportSize(float value) {
  if (value == FViewportSize) return;
  FViewportSize = std::min(value, FMax - FMin);
  if (FMax - FViewportSize < FValue) SetValue(FMax - FViewportSize);
  Realign();
}

void TvgCustomTrack::SetFrequency(float value) {
  if (value == FFrequency) return;
  FFrequency = value;
  if (FFrequency != 0) SetValue(Snap(FValue, FFrequency));
}

void TvgCustomTrack::SetOrientation(TvgOrientation value) {
  if (value == FOrientation) return;
  FOrientation = value;
  Realign();
}

void TvgCustomTrack::FollowBar(TvgOrientation orientation, float min, float max, float value, float viewportSize) {
  FOrientation = orientation;
  FMax = max;
  FMin = min;
  FValue = value;
  SetViewportSize(viewportSize);
}

TvgThumb* TvgCustomTrack::Thumb() {
  auto* thumb = dynamic_cast<TvgThumb*>(FindResource("thumb"));
  if (thumb) thumb->FTrack = this;
  return thumb;
}

bool TvgCustomTrack::GetIsTracking() {
  TvgThumb* thumb = Thumb();
  return thumb && thumb->FPressed;
}

TvgRect TvgCustomTrack::GetThumbRect() {
  const float range = FMax - FMin;
  const float width = Width(), height = Height();
  if (range <= 0) return GetLocalRect();
  TvgRect r;
  if (FOrientation == vgHorizontal) {
    r.Left = float(rtl::Round(double(FValue - FMin) / range * width));
    r.Right = r.Left + FViewportSize / range * width;
    r.Top = 0;
    r.Bottom = height;
    FitSpan(r.Left, r.Right, height, width);
  } else {
    r.Top = float(rtl::Round(double(FValue - FMin) / range * height));
    r.Bottom = r.Top + FViewportSize / range * height;
    r.Left = 0;
    r.Right = width;
    FitSpan(r.Top, r.Bottom, width, height);
  }
  TvgThumb* thumb = Thumb();
  if (!thumb || !thumb->Parent() || !thumb->Parent()->IsVisual()) return r;
  const TvgBounds& margins = *thumb->Parent()->Visual()->Margins();
  const TvgBounds& padding = *thumb->Padding();
  if (r.Right - r.Left > padding.Left() + margins.Left() + margins.Right() - padding.Right()) {
    r.Left += margins.Left() + padding.Left();
    r.Right -= margins.Right() + padding.Right();
  }
  r.Top += margins.Top() + padding.Top();
  r.Bottom -= margins.Bottom() + padding.Bottom();
  return r;
}

float TvgCustomTrack::ValueAt(TvgPoint p, float leadingOffset) {
  const bool horizontal = FOrientation == vgHorizontal;
  const float along = (horizontal ? p.X : p.Y) - leadingOffset;
  const float length = horizontal ? Width() : Height();
  return FMin + along / length * (FMax - FMin);
}

void TvgCustomTrack::ThumbReleased() {
  if (FTracking || !OnChange) return;
  FTracking = true;
  ReportChange();
  FTracking = false;
}

rtl::Variant TvgCustomTrack::GetData() { return rtl::Variant(FValue); }

void TvgCustomTrack::SetData(const rtl::Variant& value) {
  if (VarIsEvent(value))
    OnChange = VariantToEvent(value);
  else if (value.VarType() == rtl::varInteger || value.VarType() == rtl::varDouble)
    SetValue(float(value.AsFloat()));
  else
    SetValue(FMin);
}

void TvgCustomTrack::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  const float target = ValueAt({x, y}, 0);
  if (FViewportSize == 0)
    SetValue(target);
  else
    SetValue(target > FValue ? FValue + FViewportSize : FValue - FViewportSize);
}

void TvgCustomTrack::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  const float step = FFrequency != 0 ? FFrequency : 1;
  switch (key) {
    case kKeyEnd: SetValue(FMax); break;
    case kKeyHome: SetValue(FMin); break;
    case kKeyLeft:
    case kKeyUp:
    case kKeyRight:
    case kKeyDown: SetValue(FValue + step * ArrowStepSign(*this, key)); break;
    default: return;
  }
  if (!FTracking && OnChange) OnChange(this);
  key = 0;
}

void TvgCustomTrack::Realign() {
  inherited::Realign();
  TvgThumb* thumb = Thumb();
  if (!thumb) return;
  const TvgRect r = GetThumbRect();
  thumb->Position()->SetPoint({r.Left, r.Top});
  if (rtl::Round(r.Right - r.Left) > 0) thumb->SetWidth(float(rtl::Round(r.Right - r.Left)));
  if (rtl::Round(r.Bottom - r.Top) > 0) thumb->SetHeight(float(rtl::Round(r.Bottom - r.Top)));
}

// ----- TvgTrack, TvgTrackBar

void TvgTrack::Publish(rtl::TPublisher<TvgTrack>& p) {
  PublishCommon(p);
  p.Property("ViewportSize", &TvgTrack::ViewportSize, &TvgTrack::SetViewportSize).Default(0.0f);
}

TvgTrackBar::TvgTrackBar(rtl::TComponent* owner) : TvgCustomTrack(owner) {
  SetViewportSize(0);
  FCanFocused = true;
}

void TvgTrackBar::Publish(rtl::TPublisher<TvgTrackBar>& p) {
  using T = TvgTrackBar;
  PublishCommon(p);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
}

}  // namespace vg
