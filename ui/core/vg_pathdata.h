#pragma once
// TvgPathData: the toolkit's vector outline. A list of points tagged move,
// line, cubic curve (three points: two controls and the end) or close (at the
// figure's start), built with drawing verbs, parsed from and printed to an
// SVG-like path text, transformed, measured, flattened, and streamed as the
// binary property "Path". It may instead link a named path resource.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Persistent.h"
#include "platform/rtl/Streams.h"
#include "ui/core/vg_persistent.h"
#include "ui/core/vg_resourcelink.h"
#include "ui/core/vg_types.h"

namespace vg {

enum TvgPathPointKind : std::uint8_t {
  vgPathPointMoveTo = 0,
  vgPathPointLineTo = 1,
  vgPathPointCurveTo = 2,
  vgPathPointClose = 3,
};

struct TvgPathPoint {
  TvgPathPointKind Kind = vgPathPointMoveTo;
  TvgPoint Point;
  friend bool operator==(const TvgPathPoint&, const TvgPathPoint&) = default;
};

class TvgPathData : public rtl::TPersistent {
  RTL_CLASS(TvgPathData, rtl::TPersistent)

  TvgPathData() = default;

  std::vector<TvgPathPoint> PathData;
  TNotifyEvent OnChanged;

  // Builders; none of them fires OnChanged.
  void MoveTo(TvgPoint p);
  void MoveToRel(TvgPoint p);
  void LineTo(TvgPoint p);
  void LineToRel(TvgPoint p);
  void HLineTo(float x);
  void HLineToRel(float dx);
  void VLineTo(float y);
  void VLineToRel(float dy);
  void CurveTo(TvgPoint c1, TvgPoint c2, TvgPoint end);
  void CurveToRel(TvgPoint c1, TvgPoint c2, TvgPoint end);
  void SmoothCurveTo(TvgPoint c2, TvgPoint end);
  void SmoothCurveToRel(TvgPoint c2, TvgPoint end);
  void ClosePath();
  void AddEllipse(const TvgRect& r);
  void AddRectangle(const TvgRect& r, float xRadius, float yRadius, TvgCorners corners,
                    TvgCornerType cornerType);
  // Angles in degrees; positive sweeps turn clockwise on the y-down screen.
  void AddArc(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle);
  void AddArcSvgPart(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle);
  // An SVG elliptical arc from p1 (the current point) to p2; appends curve
  // points only. A zero radius raises rtl::EConvertError.
  void AddArcSvg(TvgPoint p1, TvgPoint radius, float xAxisRotation, bool largeFlag, bool sweepFlag,
                 TvgPoint p2);

  // Whole-path operations.
  void Clear();  // fires OnChanged
  bool IsEmpty() const { return PathData.empty(); }
  TvgPoint LastPoint() const;
  TvgRect GetBounds() const;
  void Scale(float sx, float sy);
  void Offset(float dx, float dy);
  void ApplyMatrix(const TvgMatrix& m);
  void Flatten(float flatness = 0.25f);  // fires OnChanged
  // Writes the figures as a polygon (closed ones end with ClosePolygon) and
  // returns the absolute width and height of the bounds.
  TvgPoint FlattenToPolygon(TvgPolygon& polygon, float flatness = 0.25f) const;

  std::string GetPathString() const;
  void SetPathString(const std::string& text);  // never raises; fires OnChanged

  // The linked named path resource.
  IvgResourceNode* GetResource() const { return resource_.Node(); }
  void SetResource(IvgResourceNode* node);
  const std::string& GetResourceName() const { return resource_.Name(); }
  void SetResourceName(const std::string& name);
  // The linked resource's path (resolved by name on first use), or nullptr:
  // drawing code then uses this object's own points.
  TvgPathData* GetPath() const;

  void Assign(const rtl::TPersistent* source) override;

  // The binary "Path" property: count, then 12-byte records. The reader also
  // takes packed 9-byte records; a size that fits neither raises EReadError.
  void WritePath(rtl::TStream& stream) const;
  void ReadPath(rtl::TStream& stream);

 protected:
  // The binary property "Path", written when there is at least one point.
  void DefineProperties(rtl::TFiler& filer) override;

 private:
  // The text form is for code and the inspector; streams hold "Path".
  static void Publish(rtl::TPublisher<TvgPathData>& p) {
    p.Property("Data", &TvgPathData::GetPathString, &TvgPathData::SetPathString).Stored(false);
    p.Property("ResourceName", &TvgPathData::GetResourceName, &TvgPathData::SetResourceName);
  }
  void Add(TvgPathPointKind kind, TvgPoint p) { PathData.push_back({kind, p}); }
  void AddArcPieces(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle,
                    bool connect);
  void Changed() { Fire(OnChanged, this); }

  TvgPoint startPoint_;
  mutable TvgResourceLink resource_;  // resolved lazily by GetPath
};

}  // namespace vg
