// Shapes: the shape base, lines, rectangles, blur shapes, the callout
// rectangle, ellipses, circles, pies and arcs; class registration.
#include "ui/render/vg_objects.h"

#include <utility>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_effectpixels.h"
#include "ui/render/vg_selection.h"

namespace vg {

namespace {

constexpr TvgColor kShapeFill = 0xFFE0E0E0;
constexpr TvgColor kShapeStroke = 0xFF000000;

TvgPoint Center(const TvgVisualObject& node) { return {node.Width() / 2, node.Height() / 2}; }

// Pie and arc radii: half the size less the stroke, whatever its style.
TvgPoint ArcRadii(const TvgShape& shape) {
  return {(shape.Width() - shape.StrokeThickness()) / 2,
          (shape.Height() - shape.StrokeThickness()) / 2};
}

// The ellipse of the whole local rectangle, boundary included.
bool InLocalEllipse(TvgVisualObject& node, float x, float y) {
  const TvgPoint p = node.AbsoluteToLocal({x, y});
  const double w = node.Width(), h = node.Height();
  if (w * h == 0) return false;
  const double dx = (2 * p.X - w) / w, dy = (2 * p.Y - h) / h;
  return dx * dx + dy * dy <= 1;
}

}  // namespace

// ----- TvgShape

TvgShape::TvgShape(rtl::TComponent* owner)
    : TvgShape(owner, vgBrushSolid, kShapeFill, vgBrushSolid) {}

TvgShape::TvgShape(rtl::TComponent* owner, TvgBrushStyle fillStyle, TvgColor fillColor,
                   TvgBrushStyle strokeStyle)
    : TvgVisualObject(owner),
      FFill(new TvgBrush(fillStyle, fillColor)),
      FStroke(new TvgBrush(strokeStyle, kShapeStroke)) {
  FFill->OnChanged = [this](rtl::TObject* sender) { FillChanged(sender); };
  FStroke->OnChanged = [this](rtl::TObject* sender) { StrokeChanged(sender); };
}

TvgShape::~TvgShape() {
  FStroke.reset();
  FFill.reset();
}

void TvgShape::Publish(rtl::TPublisher<TvgShape>& p) {
  using T = TvgShape;
  p.Property("Fill", &T::Fill, &T::SetFill);
  p.Property("Stroke", &T::Stroke, &T::SetStroke);
  p.Property("StrokeCap", &T::StrokeCap, &T::SetStrokeCap).Default(vgCapFlat);
  p.Property("StrokeDash", &T::StrokeDash, &T::SetStrokeDash).Default(vgDashSolid);
  p.Property("StrokeJoin", &T::StrokeJoin, &T::SetStrokeJoin).Default(vgJoinMiter);
  p.Property("StrokeThickness", &T::StrokeThickness, &T::SetStrokeThickness).Default(1.0f);
}

void TvgShape::SetStrokeThickness(float value) { UpdateDrawn(FStrokeThickness, value); }
void TvgShape::SetStrokeCap(TvgStrokeCap value) { UpdateDrawn(FStrokeCap, value); }
void TvgShape::SetStrokeJoin(TvgStrokeJoin value) { UpdateDrawn(FStrokeJoin, value); }
void TvgShape::SetStrokeDash(TvgStrokeDash value) { UpdateDrawn(FStrokeDash, value); }

TvgRect TvgShape::GetShapeRect() {
  TvgRect r = GetLocalRect();
  if (FStroke->Style() != vgBrushNone)
    vgInflateRect(r, -FStrokeThickness / 2, -FStrokeThickness / 2);
  return r;
}

void TvgShape::FillChanged(rtl::TObject*) {
  if (Updating() == 0) Repaint();
  UpdateEffects();
}

void TvgShape::StrokeChanged(rtl::TObject*) {
  if (Updating() == 0) Repaint();
  UpdateEffects();
}

void TvgShape::BeforePaint() {
  inherited::BeforePaint();
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  canvas->Fill()->Assign(FFill.get());
  canvas->Stroke()->Assign(FStroke.get());
  canvas->SetStrokeThickness(FStrokeThickness);
  canvas->SetStrokeCap(FStrokeCap);
  canvas->SetStrokeJoin(FStrokeJoin);
  canvas->SetStrokeDash(FStrokeDash);
}

void TvgShape::AfterPaint() {
  inherited::AfterPaint();
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  canvas->SetStrokeDash(vgDashSolid);
  canvas->SetStrokeThickness(1);
}

// ----- TvgLine

void TvgLine::Publish(rtl::TPublisher<TvgLine>& p) {
  // A line has no interior: its fill is never written.
  p.Property("Fill", &TvgLine::Fill).Stored(false);
  p.Property("LineType", &TvgLine::LineType, &TvgLine::SetLineType).Default(vgLineNormal);
}

void TvgLine::SetLineType(TvgLineType value) { UpdatePainted(FLineType, value); }

void TvgLine::Paint() {
  TvgCanvas* canvas = GetCanvas();
  const TvgRect s = GetShapeRect();
  TvgPoint end = s.BottomRight();
  if (FLineType == vgLineHorizontal) end = {s.Right, s.Top};
  if (FLineType == vgLineVertical) end = {s.Left, s.Bottom};
  canvas->DrawLine(s.TopLeft(), end, GetAbsoluteOpacity());
}

// ----- TvgRectangle

void TvgRectangle::Publish(rtl::TPublisher<TvgRectangle>& p) {
  using T = TvgRectangle;
  p.Property("xRadius", &T::xRadius, &T::SetxRadius);
  p.Property("yRadius", &T::yRadius, &T::SetyRadius);
  p.Property("Corners", &T::Corners, &T::SetCorners).Default(AllCorners);
  p.Property("CornerType", &T::CornerType, &T::SetCornerType).Default(vgCornerRound);
  p.Property("Sides", &T::Sides, &T::SetSides).Default(AllSides);
}

void TvgRectangle::SetxRadius(float value) { UpdateDrawn(FxRadius, value); }
void TvgRectangle::SetyRadius(float value) { UpdateDrawn(FyRadius, value); }
void TvgRectangle::SetCornerType(TvgCornerType value) { UpdateDrawn(FCornerType, value); }
void TvgRectangle::SetSides(TvgSides value) { UpdateDrawn(FSides, value); }

void TvgRectangle::SetCorners(TvgCorners value) { UpdatePainted(FCorners, value); }

void TvgRectangle::Paint() {
  TvgCanvas* canvas = GetCanvas();
  const float opacity = GetAbsoluteOpacity();
  const TvgRect s = GetShapeRect();
  if (FSides == AllSides) {
    canvas->FillRect(s, FxRadius, FyRadius, FCorners, opacity, FCornerType);
    canvas->DrawRect(s, FxRadius, FyRadius, FCorners, opacity, FCornerType);
    return;
  }
  const float d = s.Left;
  TvgRect fill = s;
  if (!FSides.Contains(vgSideTop)) fill.Top -= d;
  if (!FSides.Contains(vgSideLeft)) fill.Left -= d;
  if (!FSides.Contains(vgSideBottom)) fill.Bottom += d;
  if (!FSides.Contains(vgSideRight)) fill.Right += d;
  canvas->FillRect(fill, FxRadius, FyRadius, FCorners, opacity, FCornerType);
  canvas->DrawRectSides(s, FxRadius, FyRadius, FCorners, opacity, FSides, FCornerType);
}

// ----- blur shapes

bool TvgBlurBuffer::SetSoftness(float value) {
  if (value == FSoftness) return false;
  FSoftness = value;
  Invalidate();
  return true;
}

void TvgBlurBuffer::Paint(TvgShape& shape,
                          const std::function<void(TvgCanvas&, const TvgRect&, float)>& draw) {
  TvgCanvas* canvas = shape.GetCanvas();
  const int radius = int(rtl::Trunc(FSoftness * 15));
  const int width = int(rtl::Round(shape.Width())), height = int(rtl::Round(shape.Height()));
  const float opacity = shape.GetAbsoluteOpacity();
  if (!FBuffer) {
    FBuffer.reset(new TvgBitmap(width, height));
    FRecreate = true;
  } else if (FBuffer->Width() != width || FBuffer->Height() != height) {
    FBuffer->SetSize(width, height);
    FRecreate = true;
  }
  if (opacity != FOpacity) FRecreate = true;
  if (FRecreate && !FBuffer->IsEmpty()) {
    FBuffer->Clear(0);
    TvgCanvas* image = FBuffer->GetCanvas();
    if (image->BeginScene()) {
      image->SetMatrix(IdentityMatrix);
      image->Fill()->Assign(shape.Fill());
      image->Stroke()->Assign(shape.Stroke());
      draw(*image, {float(radius), float(radius), shape.Width() - radius, shape.Height() - radius},
           opacity);
      image->EndScene();
    }
    vg::Blur(image, *FBuffer, radius, true);
  }
  FRecreate = false;
  FOpacity = opacity;
  if (canvas && !FBuffer->IsEmpty())
    canvas->DrawBitmap(*FBuffer, shape.GetLocalRect(), shape.GetLocalRect(), 1, true);
}

TvgBlurRectangle::TvgBlurRectangle(rtl::TComponent* owner) : TvgRectangle(owner) {
  Stroke()->SetStyle(vgBrushNone);
}

void TvgBlurRectangle::Publish(rtl::TPublisher<TvgBlurRectangle>& p) {
  p.Property("Softness", &TvgBlurRectangle::Softness, &TvgBlurRectangle::SetSoftness).Default(0.3f);
}

void TvgBlurRectangle::SetSoftness(float value) {
  if (FBlur.SetSoftness(value)) Repaint();
}

void TvgBlurRectangle::SetxRadius(float value) {
  inherited::SetxRadius(value);
  FBlur.Invalidate();
}
void TvgBlurRectangle::SetyRadius(float value) {
  inherited::SetyRadius(value);
  FBlur.Invalidate();
}
void TvgBlurRectangle::SetCorners(TvgCorners value) {
  inherited::SetCorners(value);
  FBlur.Invalidate();
}
void TvgBlurRectangle::SetCornerType(TvgCornerType value) {
  inherited::SetCornerType(value);
  FBlur.Invalidate();
}
void TvgBlurRectangle::FillChanged(rtl::TObject* sender) {
  inherited::FillChanged(sender);
  FBlur.Invalidate();
}

void TvgBlurRectangle::Paint() {
  FBlur.Paint(*this, [this](TvgCanvas& canvas, const TvgRect& r, float opacity) {
    canvas.FillRect(r, xRadius(), yRadius(), Corners(), opacity, CornerType());
    canvas.DrawRect(r, xRadius(), yRadius(), Corners(), opacity, CornerType());
  });
}

void TvgRoundRect::Publish(rtl::TPublisher<TvgRoundRect>& p) {
  p.Property("Corners", &TvgRoundRect::Corners, &TvgRoundRect::SetCorners).Default(AllCorners);
}

void TvgRoundRect::SetCorners(TvgCorners value) { UpdatePainted(FCorners, value); }

void TvgRoundRect::Paint() {
  TvgCanvas* canvas = GetCanvas();
  const TvgRect s = GetShapeRect();
  const float radius = Height() >= Width() ? vgRectWidth(s) / 2 : vgRectHeight(s) / 2;
  const float opacity = GetAbsoluteOpacity();
  canvas->FillRect(s, radius, radius, FCorners, opacity, vgCornerRound);
  canvas->DrawRect(s, radius, radius, FCorners, opacity, vgCornerRound);
}

TvgBlurRoundRect::TvgBlurRoundRect(rtl::TComponent* owner) : TvgRoundRect(owner) {
  Stroke()->SetStyle(vgBrushNone);
}

void TvgBlurRoundRect::Publish(rtl::TPublisher<TvgBlurRoundRect>& p) {
  p.Property("Softness", &TvgBlurRoundRect::Softness, &TvgBlurRoundRect::SetSoftness).Default(0.3f);
}

void TvgBlurRoundRect::SetSoftness(float value) {
  if (FBlur.SetSoftness(value)) Repaint();
}

void TvgBlurRoundRect::SetCorners(TvgCorners value) {
  inherited::SetCorners(value);
  FBlur.Invalidate();
}

void TvgBlurRoundRect::FillChanged(rtl::TObject* sender) {
  inherited::FillChanged(sender);
  FBlur.Invalidate();
}

void TvgBlurRoundRect::Paint() {
  FBlur.Paint(*this, [this](TvgCanvas& canvas, const TvgRect& r, float opacity) {
    const float radius = vgRectHeight(r) / 2;
    canvas.FillRect(r, radius, radius, Corners(), opacity, vgCornerRound);
    canvas.DrawRect(r, radius, radius, Corners(), opacity, vgCornerRound);
  });
}

// ----- TvgCalloutRectangle

TvgCalloutRectangle::TvgCalloutRectangle(rtl::TComponent* owner)
    : TvgRectangle(owner), FPath(new TvgPathData) {}

void TvgCalloutRectangle::Publish(rtl::TPublisher<TvgCalloutRectangle>& p) {
  using T = TvgCalloutRectangle;
  p.Property("CalloutWidth", &T::CalloutWidth, &T::SetCalloutWidth).Default(23.0f);
  p.Property("CalloutLength", &T::CalloutLength, &T::SetCalloutLength).Default(11.0f);
  p.Property("CalloutPosition", &T::CalloutPosition, &T::SetCalloutPosition).Default(vgCalloutTop);
  p.Property("CalloutOffset", &T::CalloutOffset, &T::SetCalloutOffset);
}

template <class T>
void TvgCalloutRectangle::UpdateOutline(T& field, T value) {
  if (field == value) return;
  field = value;
  CreatePath();
  Repaint();
  UpdateEffects();  // a shadow of the old outline would stay behind
}

void TvgCalloutRectangle::SetCalloutWidth(float value) { UpdateOutline(FCalloutWidth, value); }
void TvgCalloutRectangle::SetCalloutLength(float value) { UpdateOutline(FCalloutLength, value); }
void TvgCalloutRectangle::SetCalloutPosition(TvgCalloutPosition value) {
  UpdateOutline(FCalloutPosition, value);
}
void TvgCalloutRectangle::SetCalloutOffset(float value) { UpdateOutline(FCalloutOffset, value); }

namespace {

// One corner of the outline: where the rectangle's corner is, where the
// corner's drawing ends, and the three points of its round and inner forms.
struct CalloutCorner {
  TvgPoint corner, end;
  TvgPoint round[3];
  TvgPoint inner[3];
};

void AddCorner(TvgPathData& path, const CalloutCorner& c, bool present, TvgCornerType type,
               bool sideBefore, bool sideAfter) {
  if (!present) {
    if (sideBefore)
      path.LineTo(c.corner);
    else
      path.MoveTo(c.corner);
    if (sideAfter)
      path.LineTo(c.end);
    else
      path.MoveTo(c.end);
    return;
  }
  switch (type) {
    case vgCornerRound:
      path.CurveTo(c.round[0], c.round[1], c.round[2]);
      break;
    case vgCornerInnerRound:
      path.CurveTo(c.inner[0], c.inner[1], c.inner[2]);
      break;
    case vgCornerInnerLine:
      for (const TvgPoint& p : c.inner) path.LineTo(p);
      break;
    case vgCornerBevel:
      path.LineTo(c.end);
      break;
  }
}

// The three tab points on one side, in the direction of travel; `along`
// maps a distance along the side (from its left or top end) and a distance
// outward to a point. `centre` places a tab of no offset.
template <class Along>
void AddTab(TvgPathData& path, float sideLength, float centre, float width, float length,
            float offset, bool reversed, const Along& along) {
  float first, middle, last;
  if (offset == 0) {
    first = centre - width / 2, middle = centre, last = centre + width / 2;
  } else if (offset > 0) {
    first = offset, middle = offset + width / 2, last = offset + width;
  } else {
    first = sideLength - -offset - width, middle = sideLength - -offset - width / 2,
    last = sideLength - -offset;
  }
  if (reversed) std::swap(first, last);
  path.LineTo(along(first, 0));
  path.LineTo(along(middle, length));
  path.LineTo(along(last, 0));
}

}  // namespace

void TvgCalloutRectangle::CreatePath() {
  TvgRect r = GetShapeRect();
  const float lc = FCalloutLength, wc = FCalloutWidth, off = FCalloutOffset;
  switch (FCalloutPosition) {
    case vgCalloutTop:
      r.Top += lc;
      break;
    case vgCalloutLeft:
      r.Left += lc;
      break;
    case vgCalloutBottom:
      r.Bottom -= lc;
      break;
    case vgCalloutRight:
      r.Right -= lc;
      break;
  }
  const TvgSides sides = Sides();
  if (sides != AllSides) {
    const float d = r.Left;
    if (!sides.Contains(vgSideTop)) r.Top -= d;
    if (!sides.Contains(vgSideLeft)) r.Left -= d;
    if (!sides.Contains(vgSideBottom)) r.Bottom += d;
    if (!sides.Contains(vgSideRight)) r.Right += d;
  }
  const float L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
  const float rx = vgRectWidth(r) < 2 * xRadius() ? vgRectWidth(r) / 2 : xRadius();
  const float ry = vgRectHeight(r) < 2 * yRadius() ? vgRectHeight(r) / 2 : yRadius();
  const float hx = rx / 2, hy = ry / 2;
  const CalloutCorner topLeft{{L, T},
                              {L + rx, T},
                              {{L, T + hy}, {L + hx, T}, {L + rx, T}},
                              {{L + hx, T + ry}, {L + rx, T + hy}, {L + rx, T}}};
  const CalloutCorner topRight{{R, T},
                               {R, T + ry},
                               {{R - hx, T}, {R, T + hy}, {R, T + ry}},
                               {{R - rx, T + hy}, {R - hx, T + ry}, {R, T + ry}}};
  const CalloutCorner bottomRight{{R, B},
                                  {R - rx, B},
                                  {{R, B - hy}, {R - hx, B}, {R - rx, B}},
                                  {{R - hx, B - ry}, {R - rx, B - hy}, {R - rx, B}}};
  const CalloutCorner bottomLeft{{L, B},
                                 {L, B - ry},
                                 {{L + hx, B}, {L, B - hy}, {L, B - ry}},
                                 {{L + rx, B - hy}, {L + hx, B - ry}, {L, B - ry}}};
  const bool top = sides.Contains(vgSideTop), left = sides.Contains(vgSideLeft),
             bottom = sides.Contains(vgSideBottom), right = sides.Contains(vgSideRight);
  const TvgCorners corners = Corners();
  const TvgCornerType type = CornerType();
  const float width = R - L, height = B - T;
  // A centred tab sits at half the side's length counted from 0, not at the
  // side's midpoint (they differ once the side does not start at 0); styles
  // are drawn to this. As distances along the sides:
  const float centreX = (R - L) / 2 - L, centreY = (B - T) / 2 - T;
  auto side = [&](bool drawn, TvgCalloutPosition position, TvgPoint to, const auto& tab) {
    if (!drawn) {
      FPath->MoveTo(to);
      return;
    }
    if (FCalloutPosition == position) tab();
    FPath->LineTo(to);
  };

  FPath->Clear();
  FPath->MoveTo({L, T + ry});
  AddCorner(*FPath, topLeft, corners.Contains(vgCornerTopLeft), type, left, top);
  side(top, vgCalloutTop, {R - rx, T}, [&] {
    AddTab(*FPath, width, centreX, wc, lc, off, false, [&](float at, float out) {
      return TvgPoint{L + at, T - out};
    });
  });
  AddCorner(*FPath, topRight, corners.Contains(vgCornerTopRight), type, top, right);
  side(right, vgCalloutRight, {R, B - ry}, [&] {
    AddTab(*FPath, height, centreY, wc, lc, off, false, [&](float at, float out) {
      return TvgPoint{R + out, T + at};
    });
  });
  AddCorner(*FPath, bottomRight, corners.Contains(vgCornerBottomRight), type, right, bottom);
  side(bottom, vgCalloutBottom, {L + rx, B}, [&] {
    AddTab(*FPath, width, centreX, wc, lc, off, true, [&](float at, float out) {
      return TvgPoint{L + at, B + out};
    });
  });
  AddCorner(*FPath, bottomLeft, corners.Contains(vgCornerBottomLeft), type, bottom, left);
  if (left) {
    if (FCalloutPosition == vgCalloutLeft)
      AddTab(*FPath, height, centreY, wc, lc, off, true, [&](float at, float out) {
        return TvgPoint{L - out, T + at};
      });
    FPath->LineTo({L, T + ry});
  }
}

void TvgCalloutRectangle::Paint() {
  CreatePath();
  TvgCanvas* canvas = GetCanvas();
  const TvgRect bounds = FPath->GetBounds();
  const float opacity = GetAbsoluteOpacity();
  canvas->FillPath(*FPath, bounds, opacity);
  canvas->DrawPath(*FPath, bounds, opacity);
}

// ----- ellipses

void TvgEllipse::Paint() {
  TvgCanvas* canvas = GetCanvas();
  const TvgRect s = GetShapeRect();
  canvas->FillEllipse(s, GetAbsoluteOpacity());
  canvas->DrawEllipse(s, GetAbsoluteOpacity());
}

bool TvgEllipse::PointInObject(float x, float y) { return InLocalEllipse(*this, x, y); }

void TvgCircle::Paint() {
  TvgCanvas* canvas = GetCanvas();
  const float side = vgMaxFloat(Width(), Height());
  TvgRect square{0, 0, side, side};
  vgFitRect(square, GetShapeRect());
  canvas->FillEllipse(square, GetAbsoluteOpacity());
  canvas->DrawEllipse(square, GetAbsoluteOpacity());
}

void TvgPie::Publish(rtl::TPublisher<TvgPie>& p) {
  p.Property("StartAngle", &TvgPie::StartAngle, &TvgPie::SetStartAngle);
  p.Property("EndAngle", &TvgPie::EndAngle, &TvgPie::SetEndAngle).Default(-90.0f);
}

void TvgPie::SetStartAngle(float value) { UpdatePainted(FStartAngle, value); }
void TvgPie::SetEndAngle(float value) { UpdatePainted(FEndAngle, value); }

void TvgPie::BuildPath(TvgPathData& path) {
  const TvgPoint c = Center(*this);
  path.MoveTo(c);
  path.AddArc(c, ArcRadii(*this), FStartAngle, FEndAngle - FStartAngle);
  path.LineTo(c);
  path.ClosePath();
}

void TvgPie::Paint() {
  TvgCanvas* canvas = GetCanvas();
  TvgPathData path;
  BuildPath(path);
  const TvgRect bounds = path.GetBounds();
  canvas->FillPath(path, bounds, GetAbsoluteOpacity());
  canvas->DrawPath(path, bounds, GetAbsoluteOpacity());
}

bool TvgPie::PointInObject(float x, float y) {
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return inherited::PointInObject(x, y);
  TvgPathData path;
  BuildPath(path);
  return canvas->PtInPath(AbsoluteToLocal({x, y}), path.GetBounds(), path);
}

TvgArc::TvgArc(rtl::TComponent* owner) : TvgEllipse(owner, vgBrushNone, kShapeFill, vgBrushSolid) {}

void TvgArc::Publish(rtl::TPublisher<TvgArc>& p) {
  p.Property("StartAngle", &TvgArc::StartAngle, &TvgArc::SetStartAngle);
  p.Property("EndAngle", &TvgArc::EndAngle, &TvgArc::SetEndAngle).Default(-90.0f);
}

void TvgArc::SetStartAngle(float value) { UpdatePainted(FStartAngle, value); }
void TvgArc::SetEndAngle(float value) { UpdatePainted(FEndAngle, value); }

void TvgArc::Paint() {
  TvgCanvas* canvas = GetCanvas();
  const TvgPoint c = Center(*this), radii = ArcRadii(*this);
  canvas->FillArc(c, radii, FStartAngle, FEndAngle, GetAbsoluteOpacity());
  canvas->DrawArc(c, radii, FStartAngle, FEndAngle, GetAbsoluteOpacity());
}

// ----- registration

void RegisterShapeClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  RegisterVGObjects(
      "Shapes",
      {TvgLine::StaticClass(), TvgRectangle::StaticClass(), TvgSidesRectangle::StaticClass(),
       TvgBlurRectangle::StaticClass(), TvgRoundRect::StaticClass(),
       TvgBlurRoundRect::StaticClass(), TvgEllipse::StaticClass(), TvgCircle::StaticClass(),
       TvgArc::StaticClass(), TvgPie::StaticClass(), TvgText::StaticClass(), TvgPath::StaticClass(),
       TvgImage::StaticClass(), TvgPaintBox::StaticClass()});
  RegisterVGObjects("Shapes",
                    {TvgScrollArrowLeft::StaticClass(), TvgScrollArrowRight::StaticClass()});
  RegisterVGObjects("Shapes", {TvgCalloutRectangle::StaticClass()});
  RegisterSelectionClasses();
}

}  // namespace vg
