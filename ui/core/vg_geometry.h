#pragma once
// Persistent geometry values that notify their owner of every change and
// stream as one compact text property: TvgBounds (a rectangle, "Rect"),
// TvgPosition (a point, "Point") and TvgTransform (position, scale, skew,
// rotation and rotation centre, with the derived matrix).
#include <string>

#include "platform/rtl/Persistent.h"
#include "ui/core/vg_persistent.h"
#include "ui/core/vg_types.h"

namespace vg {

class TvgBounds : public rtl::TPersistent {
  RTL_CLASS(TvgBounds, rtl::TPersistent)

  explicit TvgBounds(const TvgRect& defaultValue = {});

  float Left() const { return FLeft; }
  float Top() const { return FTop; }
  float Right() const { return FRight; }
  float Bottom() const { return FBottom; }
  // Each stores a different value and fires OnChange.
  void SetLeft(float value);
  void SetTop(float value);
  void SetRight(float value);
  void SetBottom(float value);
  void SetRect(const TvgRect& r);  // one OnChange when any value differs
  TvgRect GetRect() const { return {FLeft, FTop, FRight, FBottom}; }
  const TvgRect& DefaultValue() const { return FDefaultValue; }

  TvgRect MarginRect(const TvgRect& r) const;  // r shrunk by the four values
  TvgRect PaddinRect(const TvgRect& r) const;  // r grown by the four values
  float Width() const { return FRight - FLeft; }
  float Height() const { return FBottom - FTop; }
  bool MarginEmpty() const;
  bool Empty() const { return vgIsRectEmpty(GetRect()); }

  void Assign(const rtl::TPersistent* source) override;

  // The "Rect" property: written only when a value differs from the default.
  bool RectStored() const { return GetRect() != FDefaultValue; }
  std::string RectText() const;
  void SetRectText(const std::string& text);  // malformed text gives (0,0,0,0)

  TNotifyEvent OnChange;

 protected:
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  // The four values stream together as "Rect", never one by one.
  static void Publish(rtl::TPublisher<TvgBounds>& p) {
    p.Property("Left", &TvgBounds::Left, &TvgBounds::SetLeft).Stored(false);
    p.Property("Top", &TvgBounds::Top, &TvgBounds::SetTop).Stored(false);
    p.Property("Right", &TvgBounds::Right, &TvgBounds::SetRight).Stored(false);
    p.Property("Bottom", &TvgBounds::Bottom, &TvgBounds::SetBottom).Stored(false);
  }
  void Changed() { Fire(OnChange, this); }

  float FRight = 0, FBottom = 0, FTop = 0, FLeft = 0;
  TvgRect FDefaultValue;
};

class TvgPosition : public rtl::TPersistent {
  RTL_CLASS(TvgPosition, rtl::TPersistent)

  explicit TvgPosition(TvgPoint defaultValue = {});

  float X() const { return FX; }
  float Y() const { return FY; }
  void SetX(float value);  // fires OnChange when different
  void SetY(float value);
  void SetPoint(TvgPoint p);  // always fires OnChange
  TvgPoint GetPoint() const { return {FX, FY}; }
  TvgVector GetVector() const { return {FX, FY, 1}; }
  void SetVector(const TvgVector& v) { SetPoint({v.X, v.Y}); }
  void Reflect(const TvgVector& normal);
  bool Empty() const { return FX == 0 && FY == 0; }
  TvgPoint DefaultValue() const { return FDefaultValue; }

  void Assign(const rtl::TPersistent* source) override;

  // The "Point" property: written only when X or Y differs from the default.
  bool PointStored() const { return GetPoint() != FDefaultValue; }
  std::string PointText() const;
  void SetPointText(const std::string& text);  // malformed text gives (0,0)

  TNotifyEvent OnChange;

 protected:
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  // X and Y stream together as "Point", never one by one.
  static void Publish(rtl::TPublisher<TvgPosition>& p) {
    p.Property("X", &TvgPosition::X, &TvgPosition::SetX).Stored(false);
    p.Property("Y", &TvgPosition::Y, &TvgPosition::SetY).Stored(false);
  }
  friend class TvgTransform;
  float FY = 0, FX = 0;
  TvgPoint FDefaultValue;
};

class TvgTransform : public rtl::TPersistent {
  RTL_CLASS(TvgTransform, rtl::TPersistent)

  TvgTransform();

  TvgPosition* Position() const { return FPosition.get(); }
  TvgPosition* Scale() const { return FScale.get(); }
  TvgPosition* Skew() const { return FSkew.get(); }
  TvgPosition* RotateCenter() const { return FRotateCenter.get(); }
  float RotateAngle() const { return FRotateAngle; }
  void SetRotateAngle(float degrees);
  const TvgMatrix& Matrix() const { return FMatrix; }
  // Rebuilds the matrix: rotation first, then scale (with skew in the third
  // column, which never moves points), then translation; fires OnChanged.
  void MatrixChanged();

  void Assign(const rtl::TPersistent* source) override;

  TNotifyEvent OnChanged;

 private:
  static void Publish(rtl::TPublisher<TvgTransform>& p) {
    p.Property("Position", &TvgTransform::Position);
    p.Property("Scale", &TvgTransform::Scale);
    p.Property("RotateAngle", &TvgTransform::RotateAngle, &TvgTransform::SetRotateAngle);
    p.Property("RotateCenter", &TvgTransform::RotateCenter);
  }

  TvgMatrix FMatrix = IdentityMatrix;
  float FRotateAngle = 0;
  TvgOwned<TvgPosition> FPosition;
  TvgOwned<TvgPosition> FScale;
  TvgOwned<TvgPosition> FSkew;
  TvgOwned<TvgPosition> FRotateCenter;
};

}  // namespace vg
