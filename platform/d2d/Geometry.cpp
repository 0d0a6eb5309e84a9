// Path geometries, their sinks, and the plain-value brushes.
#include <utility>

#include "platform/d2d/D2D.h"

namespace d2d {

// --- Brushes ---------------------------------------------------------------------

Brush SolidColorBrush(ColorF color, float opacity) {
  Brush brush;
  brush.color = color;
  brush.opacity = opacity;
  return brush;
}

Brush LinearGradientBrush(Point2F start, Point2F end, std::vector<GradientStop> stops) {
  Brush brush;
  brush.kind = Brush::LinearGradient;
  brush.start = start;
  brush.end = end;
  brush.stops = std::move(stops);
  return brush;
}

Brush RadialGradientBrush(Point2F center, Point2F originOffset, float radiusX, float radiusY,
                          std::vector<GradientStop> stops) {
  Brush brush;
  brush.kind = Brush::RadialGradient;
  brush.center = center;
  brush.originOffset = originOffset;
  brush.radiusX = radiusX;
  brush.radiusY = radiusY;
  brush.stops = std::move(stops);
  return brush;
}

Bitmap BorrowedBitmap(const std::uint32_t* pixels, SizeU size) {
  Bitmap bitmap;
  bitmap.size = size;
  bitmap.borrowed = pixels;
  return bitmap;
}

Brush BitmapBrush(std::shared_ptr<const Bitmap> bitmap, ExtendMode extendX, ExtendMode extendY,
                  InterpolationMode interpolation, const Matrix3x2F& transform, float opacity) {
  Brush brush;
  brush.kind = Brush::BitmapBrush;
  brush.bitmap = std::move(bitmap);
  brush.extendX = extendX;
  brush.extendY = extendY;
  brush.interpolation = interpolation;
  brush.transform = transform;
  brush.opacity = opacity;
  return brush;
}

// --- Geometry sink ------------------------------------------------------------------

void PathGeometry::Sink::BeginFigure(Point2F start, FigureBegin begin) {
  figure_ = Figure{start, begin, FigureEnd::Open, {}};
  inFigure_ = true;
}

void PathGeometry::Sink::AddLine(Point2F point) {
  if (inFigure_) figure_.segments.push_back({false, {}, {}, point});
}

void PathGeometry::Sink::AddBezier(Point2F c1, Point2F c2, Point2F end) {
  if (inFigure_) figure_.segments.push_back({true, c1, c2, end});
}

void PathGeometry::Sink::EndFigure(FigureEnd end) {
  if (!inFigure_) return;
  figure_.end = end;
  geometry_.figures_.push_back(std::move(figure_));
  inFigure_ = false;
}

HRESULT PathGeometry::Sink::Close() {
  inFigure_ = false;
  return S_OK;
}

// --- Geometry ---------------------------------------------------------------------

void PathGeometry::AppendTo(cairo_t* cr) const {
  for (const Figure& figure : figures_) {
    cairo_move_to(cr, figure.start.x, figure.start.y);
    for (const Segment& s : figure.segments) {
      if (s.bezier)
        cairo_curve_to(cr, s.c1.x, s.c1.y, s.c2.x, s.c2.y, s.end.x, s.end.y);
      else
        cairo_line_to(cr, s.end.x, s.end.y);
    }
    if (figure.end == FigureEnd::Closed) cairo_close_path(cr);
  }
}

bool PathGeometry::FillContainsPoint(Point2F point, const Matrix3x2F* transform,
                                     float tolerance) const {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  if (transform) {
    cairo_matrix_t m;
    cairo_matrix_init(&m, transform->m11, transform->m12, transform->m21, transform->m22,
                      transform->dx, transform->dy);
    cairo_set_matrix(cr, &m);
  }
  cairo_set_tolerance(cr, tolerance > 0 ? tolerance : 0.25);
  cairo_set_fill_rule(cr, fillMode_ == FillMode::Winding ? CAIRO_FILL_RULE_WINDING
                                                         : CAIRO_FILL_RULE_EVEN_ODD);
  AppendTo(cr);
  double x = point.x, y = point.y;
  cairo_device_to_user(cr, &x, &y);
  const bool inside = cairo_in_fill(cr, x, y);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
  return inside;
}

void PathGeometry::Simplify(SimplifiedGeometrySink& sink) const {
  sink.SetFillMode(fillMode_);
  for (const Figure& figure : figures_) {
    sink.BeginFigure(figure.start, figure.begin);
    for (const Segment& s : figure.segments) {
      if (s.bezier) {
        const Point2F points[3] = {s.c1, s.c2, s.end};
        sink.AddBeziers(points, 3);
      } else {
        sink.AddLines(&s.end, 1);
      }
    }
    sink.EndFigure(figure.end);
  }
  sink.Close();
}

PathGeometry RectangleGeometry(RectF r) {
  PathGeometry geometry;
  geometry.figures_.push_back({{r.left, r.top},
                               FigureBegin::Filled,
                               FigureEnd::Closed,
                               {{false, {}, {}, {r.right, r.top}},
                                {false, {}, {}, {r.right, r.bottom}},
                                {false, {}, {}, {r.left, r.bottom}}}});
  return geometry;
}

PathGeometry GeometryGroup(FillMode mode, const std::vector<PathGeometry>& members) {
  PathGeometry group;
  group.fillMode_ = mode;
  for (const PathGeometry& member : members)
    group.figures_.insert(group.figures_.end(), member.figures_.begin(), member.figures_.end());
  return group;
}

}  // namespace d2d
