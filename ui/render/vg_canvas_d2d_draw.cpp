// TvgCanvasD2D: lines, rectangles, ellipses, paths, bitmaps and text.
#include <algorithm>
#include <utility>

#include "platform/d2d/DWrite.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pathdata.h"
#include "ui/render/vg_canvas_d2d.h"

namespace vg {

namespace {

// 1 minus the control distance of a cubic quarter ellipse.
constexpr float kCorner = 0.4477152502f;

d2d::Point2F Pt(TvgPoint p) { return {p.X, p.Y}; }

// The rectangle outline of the other back-end: from (Left, Top + ry) round
// the four corners, each drawn by its corner type, then closed.
d2d::PathGeometry RectOutline(const TvgRect& r, float xRadius, float yRadius, TvgCorners corners,
                              TvgCornerType cornerType) {
  const float width = vgRectWidth(r), height = vgRectHeight(r);
  const float rx = width - 2 * xRadius < 0 ? width / 2 : xRadius;
  const float ry = height - 2 * yRadius < 0 ? height / 2 : yRadius;
  d2d::PathGeometry geometry;
  d2d::PathGeometry::Sink sink = geometry.Open();
  sink.BeginFigure({r.Left, r.Top + ry}, d2d::FigureBegin::Filled);
  // A corner at k, entered at k + a and left at k + b; the figure starts
  // where the first corner is entered.
  bool first = true;
  auto corner = [&](TvgCorner which, d2d::Point2F k, d2d::Point2F a, d2d::Point2F b) {
    auto at = [&](float fa, float fb) {
      return d2d::Point2F{k.x + a.x * fa + b.x * fb, k.y + a.y * fa + b.y * fb};
    };
    if (!std::exchange(first, false)) sink.AddLine(at(1, 0));
    if (!corners.Contains(which)) {
      sink.AddLine(k);
      sink.AddLine(at(0, 1));
      return;
    }
    switch (cornerType) {
      case vgCornerRound:
        sink.AddBezier(at(kCorner, 0), at(0, kCorner), at(0, 1));
        break;
      case vgCornerBevel:
        sink.AddLine(at(0, 1));
        break;
      case vgCornerInnerRound:
        sink.AddBezier(at(1, kCorner), at(kCorner, 1), at(0, 1));
        break;
      case vgCornerInnerLine:
        sink.AddLine(at(1, kCorner));
        sink.AddLine(at(kCorner, 1));
        sink.AddLine(at(0, 1));
        break;
    }
  };
  corner(vgCornerTopLeft, {r.Left, r.Top}, {0, ry}, {rx, 0});
  corner(vgCornerTopRight, {r.Right, r.Top}, {-rx, 0}, {0, ry});
  corner(vgCornerBottomRight, {r.Right, r.Bottom}, {0, -ry}, {-rx, 0});
  corner(vgCornerBottomLeft, {r.Left, r.Bottom}, {rx, 0}, {0, -ry});
  sink.EndFigure(d2d::FigureEnd::Closed);
  sink.Close();
  return geometry;
}

struct PathMapping {
  TvgRect bounds, target;
  float sx = 0, sy = 0;
  PathMapping(const TvgPathData& path, const TvgRect& rect) : bounds(path.GetBounds()), target(rect) {
    if (!Empty()) {
      sx = vgRectWidth(rect) / vgRectWidth(bounds);
      sy = vgRectHeight(rect) / vgRectHeight(bounds);
    }
  }
  bool Empty() const { return vgRectWidth(bounds) * vgRectHeight(bounds) == 0; }
  d2d::Point2F operator()(TvgPoint p) const {
    return {(p.X - bounds.Left) * sx + target.Left, (p.Y - bounds.Top) * sy + target.Top};
  }
};

// The path's figures mapped onto the rectangle. A move ends the figure in
// progress open; a close ends it closed; a line or curve after a close goes
// on from the closed figure's start.
d2d::PathGeometry BuildGeometry(const TvgPathData& data, const PathMapping& map) {
  d2d::PathGeometry geometry;
  d2d::PathGeometry::Sink sink = geometry.Open();
  const auto& points = data.PathData;
  bool inFigure = false;
  d2d::Point2F figureStart{};
  auto begin = [&](d2d::Point2F p) {
    sink.BeginFigure(p, d2d::FigureBegin::Filled);
    figureStart = p;
    inFigure = true;
  };
  for (size_t i = 0; i < points.size(); ++i) {
    const d2d::Point2F p = map(points[i].Point);
    switch (points[i].Kind) {
      case vgPathPointMoveTo:
        if (inFigure) sink.EndFigure(d2d::FigureEnd::Open);
        begin(p);
        break;
      case vgPathPointLineTo:
        if (!inFigure) begin(figureStart);
        sink.AddLine(p);
        break;
      case vgPathPointCurveTo:
        if (i + 2 >= points.size()) {
          i = points.size();
          break;
        }
        if (!inFigure) begin(figureStart);
        sink.AddBezier(p, map(points[i + 1].Point), map(points[i + 2].Point));
        i += 2;
        break;
      case vgPathPointClose:
        if (inFigure) sink.EndFigure(d2d::FigureEnd::Closed);
        inFigure = false;
        break;
    }
  }
  if (inFigure) sink.EndFigure(d2d::FigureEnd::Open);
  sink.Close();
  return geometry;
}

// Receives a simplified outline into a TvgPathData.
class TvgSink : public d2d::SimplifiedGeometrySink {
 public:
  explicit TvgSink(TvgPathData& path) : Path(path) {}
  void SetFillMode(d2d::FillMode) override {}
  void BeginFigure(d2d::Point2F start, d2d::FigureBegin) override { Path.MoveTo({start.x, start.y}); }
  void AddLines(const d2d::Point2F* points, std::uint32_t count) override {
    for (std::uint32_t i = 0; i < count; ++i) Path.LineTo({points[i].x, points[i].y});
  }
  void AddBeziers(const d2d::Point2F* points, std::uint32_t count) override {
    for (std::uint32_t i = 0; i + 2 < count; i += 3)
      Path.CurveTo({points[i].x, points[i].y}, {points[i + 1].x, points[i + 1].y},
                   {points[i + 2].x, points[i + 2].y});
  }
  // Glyph figures are closed whatever their end says.
  void EndFigure(d2d::FigureEnd) override { Path.ClosePath(); }
  d2d::HRESULT Close() override { return d2d::S_OK; }

  TvgPathData& Path;
};

// Turns each glyph run of a layout into outlines appended to the TvgPathData
// given as drawing context, moved to the run's baseline origin.
class TvgTextRendering : public d2d::TextRenderer {
 public:
  d2d::HRESULT DrawGlyphRun(void* context, float x, float y, const d2d::GlyphRun& run) override {
    auto& path = *static_cast<TvgPathData*>(context);
    d2d::PathGeometry outline;
    d2d::PathGeometry::Sink sink = outline.Open();
    run.GetGlyphRunOutline(sink);
    sink.Close();
    const size_t first = path.PathData.size();
    TvgSink into(path);
    outline.Simplify(into);
    for (size_t i = first; i < path.PathData.size(); ++i) {
      path.PathData[i].Point.X += x;
      path.PathData[i].Point.Y += y;
    }
    return d2d::S_OK;
  }
};

d2d::ParagraphAlignment ParagraphOf(TvgTextAlign align) {
  return align == vgTextAlignCenter ? d2d::ParagraphAlignment::Center
         : align == vgTextAlignFar  ? d2d::ParagraphAlignment::Far
                                    : d2d::ParagraphAlignment::Near;
}

d2d::TextAlignment AlignmentOf(TvgTextAlign align) {
  return align == vgTextAlignCenter ? d2d::TextAlignment::Center
         : align == vgTextAlignFar  ? d2d::TextAlignment::Trailing
                                    : d2d::TextAlignment::Leading;
}

// The text laid out in rect with the font (its size in pixels).
std::unique_ptr<d2d::TextLayout> LayoutText(const TvgFont& font, const TvgRect& rect,
                                            const rtl::WideString& text, bool wordWrap,
                                            TvgTextAlign align, TvgTextAlign vAlign) {
  d2d::TextFormat format;
  format.family = font.Family();
  const TvgFontStyle style = font.Style();
  format.weight = style == vgFontBold || style == vgFontBoldItalic ? d2d::FontWeight::Bold
                                                                   : d2d::FontWeight::Normal;
  format.style = style == vgFontItalic || style == vgFontBoldItalic ? d2d::FontStyle::Oblique
                                                                    : d2d::FontStyle::Normal;
  format.size = font.Size();
  auto layout = std::make_unique<d2d::TextLayout>(*DWriteFactory(), text, format, vgRectWidth(rect),
                                                  vgRectHeight(rect));
  layout->SetWordWrapping(wordWrap ? d2d::WordWrapping::Wrap : d2d::WordWrapping::NoWrap);
  layout->SetStrikethrough(style == vgFontStrikeout);
  layout->SetUnderline(style == vgFontUnderline);
  layout->SetParagraphAlignment(ParagraphOf(vAlign));
  layout->SetTextAlignment(AlignmentOf(align));
  return layout;
}

}  // namespace

// --- Shapes --------------------------------------------------------------------------------

void TvgCanvasD2D::DrawLine(TvgPoint p1, TvgPoint p2, float opacity) {
  if (FStroke->Style() == vgBrushNone || !Drawing()) return;
  const d2d::Brush brush = ApplyStroke(opacity);
  FRenderTarget->DrawLine(Pt(p1), Pt(p2), brush, FStrokeThickness, &FStrokeStyle);
}

void TvgCanvasD2D::FillRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                            float opacity, TvgCornerType cornerType) {
  if (FFill->Style() == vgBrushNone || !Drawing()) return;
  if ((xRadius == 0 && yRadius == 0) || corners.Empty()) {
    FillPlainRect(rect, opacity);
    return;
  }
  FillGeometry(RectOutline(rect, xRadius, yRadius, corners, cornerType), rect, opacity);
}

void TvgCanvasD2D::DrawRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                            float opacity, TvgCornerType cornerType) {
  if (FStroke->Style() == vgBrushNone || !Drawing()) return;
  const d2d::Brush brush = ApplyStroke(opacity);
  if (xRadius < Epsilon && yRadius < Epsilon)
    FRenderTarget->DrawRectangle(MakeD2DRect(rect), brush, FStrokeThickness, &FStrokeStyle);
  else
    FRenderTarget->DrawGeometry(RectOutline(rect, xRadius, yRadius, corners, cornerType), brush,
                                FStrokeThickness, &FStrokeStyle);
}

void TvgCanvasD2D::FillEllipse(const TvgRect& rect, float opacity) {
  const TvgBrushStyle style = FFill->Style();
  if (style == vgBrushNone || style == vgBrushVisual || !Drawing()) return;
  const d2d::Brush brush = ApplyFill(rect, opacity);
  FRenderTarget->FillEllipse(MakeD2DEllipse(rect), brush);
}

void TvgCanvasD2D::DrawEllipse(const TvgRect& rect, float opacity) {
  if (FStroke->Style() == vgBrushNone || !Drawing()) return;
  const d2d::Brush brush = ApplyStroke(opacity);
  FRenderTarget->DrawEllipse(MakeD2DEllipse(rect), brush, FStrokeThickness, &FStrokeStyle);
}

void TvgCanvasD2D::FillPlainRect(const TvgRect& rect, float opacity) {
  const TvgBrushStyle style = FFill->Style();
  if (style == vgBrushNone || style == vgBrushVisual) return;
  const d2d::Brush brush = ApplyFill(rect, opacity);
  FRenderTarget->FillRectangle(MakeD2DRect(rect), brush);
}

void TvgCanvasD2D::FillGeometry(const d2d::PathGeometry& geometry, const TvgRect& rect,
                                float opacity) {
  const TvgBrushStyle style = FFill->Style();
  if (style == vgBrushNone || style == vgBrushVisual) return;
  const d2d::Brush brush = ApplyFill(rect, opacity);
  FRenderTarget->FillGeometry(geometry, brush);
}

// --- Paths ------------------------------------------------------------------------------------

bool TvgCanvasD2D::PtInPath(TvgPoint point, const TvgRect& rect, TvgPathData& path) {
  const PathMapping map(path, rect);
  if (path.IsEmpty() || map.Empty() || !vgPtInRect(point, rect)) return false;
  return BuildGeometry(path, map).FillContainsPoint(Pt(point), nullptr, 1.0f);
}

void TvgCanvasD2D::FillPath(TvgPathData& path, const TvgRect& rect, float opacity) {
  const PathMapping map(path, rect);
  if (FFill->Style() == vgBrushNone || !Drawing() || path.IsEmpty() || map.Empty()) return;
  FillGeometry(BuildGeometry(path, map), rect, opacity);
}

void TvgCanvasD2D::DrawPath(TvgPathData& path, const TvgRect& rect, float opacity) {
  const PathMapping map(path, rect);
  if (FStroke->Style() == vgBrushNone || !Drawing() || path.IsEmpty() || map.Empty()) return;
  const d2d::Brush brush = ApplyStroke(opacity);
  FRenderTarget->DrawGeometry(BuildGeometry(path, map), brush, FStrokeThickness, &FStrokeStyle);
}

// --- Bitmaps -------------------------------------------------------------------------------------

void TvgCanvasD2D::DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest,
                              float opacity, bool highSpeed) {
  if (!Drawing() || !bitmap.ConstBits()) return;
  const d2d::Bitmap picture = d2d::BorrowedBitmap(
      bitmap.ConstBits(), {std::uint32_t(bitmap.Width()), std::uint32_t(bitmap.Height())});
  FRenderTarget->DrawBitmap(picture, MakeD2DRect(dest), opacity,
                            highSpeed ? d2d::InterpolationMode::NearestNeighbor
                                      : d2d::InterpolationMode::Linear,
                            MakeD2DRect(source));
}

// --- Text ----------------------------------------------------------------------------------------

void TvgCanvasD2D::FillText(const TvgRect& rect, const TvgRect&, const rtl::WideString& text,
                            bool wordWrap, float opacity, TvgTextAlign align, TvgTextAlign vAlign) {
  if (FFill->Style() == vgBrushNone || text.empty() || !Drawing() || !DWriteFactory()) return;
  const auto layout = LayoutText(*FFont, rect, text, wordWrap, align, vAlign);
  const d2d::Brush brush = ApplyFill(rect, opacity);
  FRenderTarget->DrawTextLayout({rect.Left, rect.Top}, *layout, brush, d2d::DrawTextOptions::Clip);
}

void TvgCanvasD2D::MeasureText(TvgRect& rect, const TvgRect&, const rtl::WideString& text,
                               bool wordWrap, TvgTextAlign align, TvgTextAlign vAlign) {
  if (!wordWrap) rect.Right = rect.Left;
  if (text.empty() || !DWriteFactory()) return;
  const d2d::TextMetrics m = LayoutText(*FFont, rect, text, wordWrap, align, vAlign)->GetMetrics();
  rect = {rect.Left + m.left, rect.Top + m.top,
          rect.Left + m.left + m.widthIncludingTrailingWhitespace, rect.Top + m.top + m.height};
}

std::vector<float> TvgCanvasD2D::CaretOffsets(const rtl::WideString& text) {
  std::vector<float> offsets(text.size() + 1, 0);
  if (text.empty() || !DWriteFactory()) return offsets;
  const auto layout = LayoutText(*FFont, {}, text, false, vgTextAlignNear, vgTextAlignNear);
  std::size_t unit = 0;
  float x = 0;
  for (const d2d::ClusterMetrics& cluster : layout->GetClusterMetrics()) {
    for (std::uint32_t k = 0; k < cluster.length && unit < text.size(); ++k) offsets[unit++] = x;
    x += cluster.width;
  }
  std::fill(offsets.begin() + std::ptrdiff_t(unit), offsets.end(), x);
  return offsets;
}

bool TvgCanvasD2D::TextToPath(TvgPathData& path, const TvgRect& rect, const rtl::WideString& text,
                              bool wordWrap, TvgTextAlign align, TvgTextAlign vAlign) {
  if (text.empty() || !DWriteFactory()) return false;
  path.Clear();
  const auto layout = LayoutText(*FFont, rect, text, wordWrap, align, vAlign);
  TvgTextRendering renderer;
  layout->Draw(&path, renderer, 0, 0);
  return true;
}

}  // namespace vg
