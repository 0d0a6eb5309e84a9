// TvgCanvasGdiPlus: lines, rectangles, ellipses, paths, bitmaps, fonts and text.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"
#include "ui/render/vg_canvas_gdip.h"
#include "ui/render/vg_gdip_internal.h"

namespace vg {

using namespace gdip;
using gdip_internal::G;

namespace {

// 1 minus the control distance of a cubic quarter ellipse.
constexpr float kCorner = 0.4477152502f;

INT GPFontStyle(TvgFontStyle style) {
  static constexpr INT kStyles[] = {FontStyleRegular,    FontStyleBold,      FontStyleItalic,
                                    FontStyleBoldItalic, FontStyleUnderline, FontStyleStrikeout};
  return kStyles[style];
}

StringAlignment GPAlignment(TvgTextAlign align) {
  switch (align) {
    case vgTextAlignNear:
      return StringAlignmentNear;
    case vgTextAlignFar:
      return StringAlignmentFar;
    default:
      return StringAlignmentCenter;
  }
}

GpPath* NewPath() {
  GpPath* path = nullptr;
  G().GdipCreatePath(FillModeAlternate, &path);
  return path;
}

struct PathMapping {
  TvgRect bounds, target;
  float sx = 0, sy = 0;
  PathMapping(const TvgPathData& path, const TvgRect& rect)
      : bounds(path.GetBounds()), target(rect) {
    if (!Empty()) {
      sx = vgRectWidth(rect) / vgRectWidth(bounds);
      sy = vgRectHeight(rect) / vgRectHeight(bounds);
    }
  }
  bool Empty() const { return vgRectWidth(bounds) * vgRectHeight(bounds) == 0; }
  PointF operator()(TvgPoint p) const {
    return {(p.X - bounds.Left) * sx + target.Left, (p.Y - bounds.Top) * sy + target.Top};
  }
};

// The path's figures as a GDI+ path: lines and curves run on from the
// current point; Close closes the figure.
GpPath* BuildPath(const TvgPathData& data, const PathMapping& map) {
  GpPath* path = NewPath();
  const auto& points = data.PathData;
  PointF current{};
  for (size_t i = 0; i < points.size(); ++i) {
    const PointF p = map(points[i].Point);
    switch (points[i].Kind) {
      case vgPathPointMoveTo:
        G().GdipStartPathFigure(path);
        current = p;
        break;
      case vgPathPointLineTo:
        G().GdipAddPathLine(path, current.X, current.Y, p.X, p.Y);
        current = p;
        break;
      case vgPathPointCurveTo: {
        if (i + 2 >= points.size()) return path;
        const PointF c2 = map(points[i + 1].Point), end = map(points[i + 2].Point);
        G().GdipAddPathBezier(path, current.X, current.Y, p.X, p.Y, c2.X, c2.Y, end.X, end.Y);
        current = end;
        i += 2;
        break;
      }
      case vgPathPointClose:
        G().GdipClosePathFigure(path);
        break;
    }
  }
  return path;
}

}  // namespace

// --- Shapes -----------------------------------------------------------------------

void TvgCanvasGdiPlus::DrawLine(TvgPoint p1, TvgPoint p2, float opacity) {
  if (FStroke->Style() == vgBrushNone || !FGraphics) return;
  ApplyStroke({p1.X, p1.Y, p2.X, p2.Y}, opacity);
  G().GdipDrawLine(FGraphics, FGPPen, p1.X, p1.Y, p2.X, p2.Y);
}

GpPath* TvgCanvasGdiPlus::CreateRectOutline(const TvgRect& r, float xRadius, float yRadius,
                                            TvgCorners corners, TvgCornerType cornerType) {
  const float width = vgRectWidth(r), height = vgRectHeight(r);
  const float rx = width - 2 * xRadius < 0 ? width / 2 : xRadius;
  const float ry = height - 2 * yRadius < 0 ? height / 2 : yRadius;
  GpPath* path = NewPath();
  // A corner at k, entered at k + a and left at k + b.
  auto corner = [&](TvgCorner which, PointF k, PointF a, PointF b) {
    auto at = [&](float fa, float fb) {
      return PointF{k.X + a.X * fa + b.X * fb, k.Y + a.Y * fa + b.Y * fb};
    };
    auto line = [&](PointF p, PointF q) { G().GdipAddPathLine(path, p.X, p.Y, q.X, q.Y); };
    auto bezier = [&](PointF p1, PointF p2, PointF p3, PointF p4) {
      G().GdipAddPathBezier(path, p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y, p4.X, p4.Y);
    };
    const PointF from = at(1, 0), to = at(0, 1);
    if (!corners.Contains(which)) {
      line(from, k);
      line(k, to);
      return;
    }
    switch (cornerType) {
      case vgCornerRound:
        bezier(from, at(kCorner, 0), at(0, kCorner), to);
        break;
      case vgCornerBevel:
        line(from, to);
        break;
      case vgCornerInnerRound:
        bezier(from, at(1, kCorner), at(kCorner, 1), to);
        break;
      case vgCornerInnerLine:
        line(from, at(1, kCorner));
        line(at(1, kCorner), at(kCorner, 1));
        line(at(kCorner, 1), to);
        break;
    }
  };
  corner(vgCornerTopLeft, {r.Left, r.Top}, {0, ry}, {rx, 0});
  corner(vgCornerTopRight, {r.Right, r.Top}, {-rx, 0}, {0, ry});
  corner(vgCornerBottomRight, {r.Right, r.Bottom}, {0, -ry}, {-rx, 0});
  corner(vgCornerBottomLeft, {r.Left, r.Bottom}, {rx, 0}, {0, -ry});
  G().GdipClosePathFigure(path);
  return path;
}

void TvgCanvasGdiPlus::FillRect(const TvgRect& rect, float xRadius, float yRadius,
                                TvgCorners corners, float opacity, TvgCornerType cornerType) {
  if (FFill->Style() == vgBrushNone || !FGraphics) return;
  if ((xRadius == 0 && yRadius == 0) || corners.Empty()) {
    FillRectangle(rect, opacity);
    return;
  }
  GpPath* path = CreateRectOutline(rect, xRadius, yRadius, corners, cornerType);
  FillGraphicsPath(path, rect, opacity);
  G().GdipDeletePath(path);
}

void TvgCanvasGdiPlus::DrawRect(const TvgRect& rect, float xRadius, float yRadius,
                                TvgCorners corners, float opacity, TvgCornerType cornerType) {
  if (FStroke->Style() == vgBrushNone || !FGraphics) return;
  ApplyStroke(rect, opacity);
  if (xRadius < Epsilon && yRadius < Epsilon) {
    const RectF r = GPRectF(rect);
    G().GdipDrawRectangle(FGraphics, FGPPen, r.X, r.Y, r.Width, r.Height);
    return;
  }
  GpPath* path = CreateRectOutline(rect, xRadius, yRadius, corners, cornerType);
  G().GdipDrawPath(FGraphics, FGPPen, path);
  G().GdipDeletePath(path);
}

void TvgCanvasGdiPlus::FillEllipse(const TvgRect& rect, float opacity) {
  if (FFill->Style() == vgBrushNone || !FGraphics) return;
  GpPath* path = NewPath();
  const RectF r = GPRectF(rect);
  G().GdipAddPathEllipse(path, r.X, r.Y, r.Width, r.Height);
  FillGraphicsPath(path, rect, opacity);
  G().GdipDeletePath(path);
}

void TvgCanvasGdiPlus::DrawEllipse(const TvgRect& rect, float opacity) {
  if (FStroke->Style() == vgBrushNone || !FGraphics) return;
  ApplyStroke(rect, opacity);
  const RectF r = GPRectF(rect);
  G().GdipDrawEllipse(FGraphics, FGPPen, r.X, r.Y, r.Width, r.Height);
}

void TvgCanvasGdiPlus::FillRectangle(const TvgRect& rect, float opacity) {
  if (FFill->Style() == vgBrushNone) return;
  if (FFill->Style() == vgBrushVisual) {
    PaintVisual(rect, opacity, nullptr);
    return;
  }
  ApplyFill(rect, opacity);
  const RectF r = GPRectF(rect);
  G().GdipFillRectangle(FGraphics, FGPBrush, r.X, r.Y, r.Width, r.Height);
}

void TvgCanvasGdiPlus::FillGraphicsPath(GpPath* path, const TvgRect& rect, float opacity) {
  if (FFill->Style() == vgBrushNone) return;
  if (FFill->Style() == vgBrushVisual) {
    PaintVisual(rect, opacity, path);
    return;
  }
  ApplyFill(rect, opacity);
  G().GdipFillPath(FGraphics, FGPBrush, path);
}

void TvgCanvasGdiPlus::PaintVisual(const TvgRect& rect, float opacity, GpPath* clipPath) {
  const int state = SaveCanvas();
  if (clipPath) {
    GpRegion* region = nullptr;
    G().GdipCreateRegionPath(clipPath, &region);
    G().GdipSetClipRegion(FGraphics, region, CombineModeIntersect);
    G().GdipDeleteRegion(region);
  } else {
    IntersectClipRect(rect);
  }
  if (auto* visual = dynamic_cast<IvgVisualPaint*>(FFill->Visual()->VisualObject())) {
    const float oldOpacity = visual->GetOpacity();
    TvgOwned<TvgBrush> stroke(new TvgBrush(vgBrushSolid, 0xFF000000));
    stroke->Assign(FStroke.get());
    const float thickness = FStrokeThickness;
    visual->SetOpacity(opacity);
    visual->PaintTo(*this, rect);
    visual->SetOpacity(oldOpacity);
    FStroke->Assign(stroke.get());
    FStrokeThickness = thickness;
  }
  RestoreCanvas(state);
}

// --- Paths -----------------------------------------------------------------------

bool TvgCanvasGdiPlus::PtInPath(TvgPoint point, const TvgRect& rect, TvgPathData& data) {
  const PathMapping map(data, rect);
  if (data.IsEmpty() || map.Empty() || !vgPtInRect(point, rect)) return false;
  GpPath* path = BuildPath(data, map);
  BOOL visible = 0;
  G().GdipIsVisiblePathPoint(path, point.X, point.Y, nullptr, &visible);
  G().GdipDeletePath(path);
  return visible != 0;
}

void TvgCanvasGdiPlus::FillPath(TvgPathData& data, const TvgRect& rect, float opacity) {
  const PathMapping map(data, rect);
  if (FFill->Style() == vgBrushNone || !FGraphics || data.IsEmpty() || map.Empty()) return;
  GpPath* path = BuildPath(data, map);
  FillGraphicsPath(path, rect, opacity);
  G().GdipDeletePath(path);
}

void TvgCanvasGdiPlus::DrawPath(TvgPathData& data, const TvgRect& rect, float opacity) {
  const PathMapping map(data, rect);
  if (FStroke->Style() == vgBrushNone || !FGraphics || data.IsEmpty() || map.Empty()) return;
  ApplyStroke(map.bounds, opacity);
  const auto& points = data.PathData;
  PointF current{}, figureStart{};
  for (size_t i = 0; i < points.size(); ++i) {
    const PointF p = map(points[i].Point);
    switch (points[i].Kind) {
      case vgPathPointMoveTo:
        current = figureStart = p;
        break;
      case vgPathPointLineTo:
        G().GdipDrawLine(FGraphics, FGPPen, current.X, current.Y, p.X, p.Y);
        current = p;
        break;
      case vgPathPointCurveTo: {
        if (i + 2 >= points.size()) return;
        const PointF c2 = map(points[i + 1].Point), end = map(points[i + 2].Point);
        G().GdipDrawBezier(FGraphics, FGPPen, current.X, current.Y, p.X, p.Y, c2.X, c2.Y, end.X,
                           end.Y);
        current = end;
        i += 2;
        break;
      }
      case vgPathPointClose:
        G().GdipDrawLine(FGraphics, FGPPen, current.X, current.Y, figureStart.X, figureStart.Y);
        break;
    }
  }
}

// --- Bitmaps -----------------------------------------------------------------------

void TvgCanvasGdiPlus::DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest,
                                  float opacity, bool highSpeed) {
  if (!FGraphics) return;
  G().GdipSetInterpolationMode(
      FGraphics, highSpeed ? InterpolationModeNearestNeighbor : InterpolationModeHighQuality);
  if (opacity == 0) return;
  UpdateBitmapHandle(&bitmap);
  auto* image = reinterpret_cast<GpImage*>(bitmap.Handle());
  if (!image) return;
  GpImageAttributes* attributes = gdip_internal::AlphaAttributes(std::min(opacity, 1.0f));
  const RectF d = GPRectF(dest), s = GPRectF(source);
  G().GdipDrawImageRectRect(FGraphics, image, d.X, d.Y, d.Width, d.Height, s.X, s.Y, s.Width,
                            s.Height, UnitPixel, attributes, nullptr, nullptr);
  if (attributes) G().GdipDisposeImageAttributes(attributes);
}

void TvgCanvasGdiPlus::DrawThumbnail(TvgBitmap& bitmap, float width, float) {
  UpdateBitmapHandle(&bitmap);
  auto* image = reinterpret_cast<GpImage*>(bitmap.Handle());
  if (!FBitmap || !FGraphics || !image) return;
  const float scale = width / float(bitmap.Width());
  G().GdipScaleWorldTransform(FGraphics, scale, scale, MatrixOrderPrepend);
  G().GdipDrawImageRectI(FGraphics, image, 0, 0, bitmap.Width(), bitmap.Height());
}

// --- Fonts --------------------------------------------------------------------------

void TvgCanvasGdiPlus::FontChanged(rtl::TObject*) {
  PickFontFamily();
  SetFontHint();
}

void TvgCanvasGdiPlus::PickFontFamily() {
  if (FGPFamily) G().GdipDeleteFontFamily(FGPFamily);
  FGPFamily = nullptr;
  const WCHAR* name = FFont->Family().c_str();
  if (G().GdipCreateFontFamilyFromName(name, FFontCollection, &FGPFamily) != Ok)
    FGPFamily = nullptr;
  if (!FGPFamily && FFontCollection &&
      G().GdipCreateFontFamilyFromName(name, nullptr, &FGPFamily) != Ok)
    FGPFamily = nullptr;
  if (!FGPFamily) {
    if (GpFontFamily* generic = GenericSansSerifFamily())
      G().GdipCloneFontFamily(generic, &FGPFamily);
  }
}

void TvgCanvasGdiPlus::SetFontHint() {
  if (FGraphics)
    G().GdipSetTextRenderingHint(FGraphics, FFont->ClearType() ? TextRenderingHintClearTypeGridFit
                                                               : TextRenderingHintAntiAlias);
}

bool TvgCanvasGdiPlus::FractionalScale() const {
  float whole;
  return std::modf(FMatrix.m11, &whole) != 0 || std::modf(FMatrix.m22, &whole) != 0;
}

int TvgCanvasGdiPlus::FontStyleFor(bool fallBack) {
  auto available = [this](INT style) {
    BOOL yes = 0;
    return FGPFamily && G().GdipIsStyleAvailable(FGPFamily, style, &yes) == Ok && yes;
  };
  const INT own = GPFontStyle(FFont->Style());
  if (available(own)) return own;
  if (!fallBack) return -1;
  for (TvgFontStyle style : {vgFontRegular, vgFontBold, vgFontItalic, vgFontBoldItalic,
                             vgFontUnderline, vgFontStrikeout})
    if (available(GPFontStyle(style))) return GPFontStyle(style);
  return own;
}

GpFont* TvgCanvasGdiPlus::CreateFont() {
  GpFont* font = nullptr;
  G().GdipCreateFont(FGPFamily, FFont->Size() * 0.75f * FFontScale, FontStyleFor(true), UnitPoint,
                     &font);
  return font;
}

bool TvgCanvasGdiPlus::LoadFontFromStream(rtl::TStream& stream) {
  if (!FFontCollection) G().GdipNewPrivateFontCollection(&FFontCollection);
  const rtl::TBytes bytes = stream.ReadRemaining();
  return FFontCollection &&
         G().GdipPrivateAddMemoryFont(FFontCollection, bytes.data(), INT(bytes.size())) == Ok;
}

// --- Text ----------------------------------------------------------------------------

void TvgCanvasGdiPlus::SetTextAlignment(GpStringFormat* format, TvgTextAlign align,
                                        TvgTextAlign vAlign) {
  G().GdipSetStringFormatAlign(format, GPAlignment(align));
  G().GdipSetStringFormatLineAlign(format, GPAlignment(vAlign));
}

namespace {

GpStringFormat* NewFormat(INT flags) {
  GpStringFormat* format = nullptr;
  G().GdipCreateStringFormat(0, 0, &format);
  INT current = 0;
  G().GdipGetStringFormatFlags(format, &current);
  G().GdipSetStringFormatFlags(format, current | flags);
  return format;
}

}  // namespace

void TvgCanvasGdiPlus::FillText(const TvgRect& rect, const TvgRect&, const rtl::WideString& text,
                                bool wordWrap, float opacity, TvgTextAlign align,
                                TvgTextAlign vAlign) {
  if (FFill->Style() == vgBrushNone || text.empty() || !FGraphics) return;
  GpStringFormat* format =
      NewFormat(StringFormatFlagsNoClip | (wordWrap ? 0 : StringFormatFlagsNoWrap));
  GpFont* font = CreateFont();
  SetTextAlignment(format, align, vAlign);
  ApplyFill(rect, opacity == 1 ? 0.99f : opacity);
  const RectF layout = GPRectF(rect);
  const bool fractional = FractionalScale();
  if (fractional) G().GdipSetTextRenderingHint(FGraphics, TextRenderingHintAntiAlias);
  G().GdipDrawString(FGraphics, text.c_str(), -1, font, &layout, format, FGPBrush);
  if (fractional) SetFontHint();
  G().GdipDeleteFont(font);
  G().GdipDeleteStringFormat(format);
}

void TvgCanvasGdiPlus::Measuring(const std::function<void()>& measure) {
  GpBitmap* scratch = nullptr;
  if (!FGraphics) {
    G().GdipCreateBitmapFromScan0(1, 1, 4, PixelFormat32bppARGB, nullptr, &scratch);
    G().GdipGetImageGraphicsContext(scratch, &FGraphics);
    if (!FGraphics) {
      if (scratch) G().GdipDisposeImage(scratch);
      return;
    }
    SetGraphicsQuality();
    SetFontHint();
  }
  const bool fractional = FractionalScale();
  if (fractional) G().GdipSetTextRenderingHint(FGraphics, TextRenderingHintAntiAlias);
  measure();
  if (scratch) {
    G().GdipDeleteGraphics(FGraphics);
    FGraphics = nullptr;
    G().GdipDisposeImage(scratch);
  } else if (fractional) {
    SetFontHint();
  }
}

void TvgCanvasGdiPlus::MeasureText(TvgRect& rect, const TvgRect&, const rtl::WideString& text,
                                   bool wordWrap, TvgTextAlign align, TvgTextAlign vAlign) {
  if (!wordWrap) rect.Right = rect.Left;
  if (text.empty()) return;
  Measuring([&] {
    GpStringFormat* format =
        NewFormat(StringFormatFlagsNoClip | StringFormatFlagsMeasureTrailingSpaces |
                  (wordWrap ? 0 : StringFormatFlagsNoWrap));
    GpFont* font = CreateFont();
    SetTextAlignment(format, align, vAlign);
    const CharacterRange range{0, INT(text.size())};
    G().GdipSetStringFormatMeasurableCharacterRanges(format, 1, &range);
    INT count = 0;
    G().GdipGetStringFormatMeasurableCharacterRangeCount(format, &count);
    std::vector<GpRegion*> regions(size_t(std::max(count, 0)), nullptr);
    for (GpRegion*& region : regions) G().GdipCreateRegion(&region);
    const RectF layout = GPRectF(rect);
    if (G().GdipMeasureCharacterRanges(FGraphics, text.c_str(), -1, font, &layout, format, count,
                                       regions.data()) == Ok) {
      TvgRect united{};
      for (size_t i = 0; i < regions.size(); ++i) {
        RectF bounds;
        G().GdipGetRegionBounds(regions[i], FGraphics, &bounds);
        const TvgRect r{bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height};
        united = i == 0 ? r : vgUnionRect(united, r);
      }
      if (!regions.empty()) rect = united;
    }
    for (GpRegion* region : regions) G().GdipDeleteRegion(region);
    G().GdipDeleteFont(font);
    G().GdipDeleteStringFormat(format);
  });
}

std::vector<float> TvgCanvasGdiPlus::CaretOffsets(const rtl::WideString& text) {
  std::vector<float> offsets(text.size() + 1, 0);
  if (text.empty()) return offsets;
  Measuring([&] {
    GpStringFormat* format = NewFormat(StringFormatFlagsNoClip | StringFormatFlagsMeasureTrailingSpaces |
                                       StringFormatFlagsNoWrap);
    GpFont* font = CreateFont();
    G().GdipMeasureCaretOffsets(FGraphics, text.c_str(), INT(text.size()), font, format, offsets.data());
    G().GdipDeleteFont(font);
    G().GdipDeleteStringFormat(format);
  });
  return offsets;
}

bool TvgCanvasGdiPlus::TextToPath(TvgPathData& data, const TvgRect& rect,
                                  const rtl::WideString& text, bool wordWrap, TvgTextAlign align,
                                  TvgTextAlign vAlign) {
  if (text.empty()) return false;
  const int style = FontStyleFor(false);
  if (style < 0) return false;
  data.Clear();
  GpStringFormat* format =
      NewFormat(wordWrap ? 0 : StringFormatFlagsNoWrap | StringFormatFlagsMeasureTrailingSpaces);
  SetTextAlignment(format, align, vAlign);
  GpPath* path = NewPath();
  const RectF layout = GPRectF(rect);
  G().GdipAddPathString(path, text.c_str(), -1, FGPFamily, style, FFont->Size(), &layout, format);
  INT count = 0;
  G().GdipGetPointCount(path, &count);
  std::vector<PointF> points(size_t(std::max(count, 0)));
  std::vector<BYTE> types(points.size());
  GpPathData pathData{count, points.data(), types.data()};
  if (count > 0 && G().GdipGetPathData(path, &pathData) == Ok) {
    auto at = [&](size_t i) { return TvgPoint{points[i].X, points[i].Y}; };
    for (size_t i = 0; i < points.size(); ++i) {
      const BYTE type = types[i];
      if (type == PathPointTypeStart) {
        data.MoveTo(at(i));
      } else if ((type & PathPointTypeBezier) == PathPointTypeBezier) {
        if (i + 2 >= points.size()) break;
        data.CurveTo(at(i), at(i + 1), at(i + 2));
        i += 2;
      } else if (type & PathPointTypeLine) {
        data.LineTo(at(i));
      }
      if (types[i] & PathPointTypeCloseSubpath) data.ClosePath();
    }
  }
  G().GdipDeletePath(path);
  G().GdipDeleteStringFormat(format);
  return true;
}

}  // namespace vg
