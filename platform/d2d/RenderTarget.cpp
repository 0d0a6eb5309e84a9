// Render targets drawn with cairo.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/d2d/D2D.h"
#include "platform/d2d/DWrite.h"

namespace d2d {

namespace {

cairo_matrix_t CairoMatrix(const Matrix3x2F& m) {
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, m.m11, m.m12, m.m21, m.m22, m.dx, m.dy);
  return matrix;
}

// A cairo surface over a bitmap's pixels (which it does not copy).
cairo_surface_t* SurfaceOf(const Bitmap& bitmap) {
  return cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(bitmap.Data())),
      CAIRO_FORMAT_ARGB32, int(bitmap.size.width), int(bitmap.size.height),
      int(bitmap.size.width) * 4);
}

void AddStops(cairo_pattern_t* pattern, const Brush& brush) {
  for (const GradientStop& stop : brush.stops)
    cairo_pattern_add_color_stop_rgba(pattern, stop.position, stop.color.r, stop.color.g,
                                      stop.color.b, stop.color.a * brush.opacity);
}

cairo_extend_t CairoExtend(ExtendMode mode) {
  switch (mode) {
    case ExtendMode::Wrap:
      return CAIRO_EXTEND_REPEAT;
    case ExtendMode::Mirror:
      return CAIRO_EXTEND_REFLECT;
    default:
      return CAIRO_EXTEND_PAD;
  }
}

// The brush as cairo's source pattern; nullptr when it paints nothing.
cairo_pattern_t* CreatePattern(const Brush& brush) {
  switch (brush.kind) {
    case Brush::Solid:
      return cairo_pattern_create_rgba(brush.color.r, brush.color.g, brush.color.b,
                                       brush.color.a * brush.opacity);
    case Brush::LinearGradient: {
      cairo_pattern_t* pattern =
          cairo_pattern_create_linear(brush.start.x, brush.start.y, brush.end.x, brush.end.y);
      AddStops(pattern, brush);
      cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
      return pattern;
    }
    case Brush::RadialGradient: {
      if (!(brush.radiusX > 0 && brush.radiusY > 0)) return nullptr;
      // The unit circle of pattern space is the brush's ellipse.
      cairo_pattern_t* pattern =
          cairo_pattern_create_radial(brush.originOffset.x / brush.radiusX,
                                      brush.originOffset.y / brush.radiusY, 0, 0, 0, 1);
      AddStops(pattern, brush);
      cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
      cairo_matrix_t m;
      cairo_matrix_init_scale(&m, 1 / brush.radiusX, 1 / brush.radiusY);
      cairo_matrix_translate(&m, -brush.center.x, -brush.center.y);
      cairo_pattern_set_matrix(pattern, &m);
      return pattern;
    }
    case Brush::BitmapBrush: {
      if (!brush.bitmap || brush.bitmap->Empty()) return nullptr;
      cairo_surface_t* surface = SurfaceOf(*brush.bitmap);
      cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
      cairo_surface_destroy(surface);  // the pattern holds it
      cairo_pattern_set_extend(pattern, CairoExtend(brush.extendX));
      cairo_pattern_set_filter(pattern, brush.interpolation == InterpolationMode::NearestNeighbor
                                            ? CAIRO_FILTER_NEAREST
                                            : CAIRO_FILTER_BILINEAR);
      cairo_matrix_t m = CairoMatrix(brush.transform);
      if (cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) {
        cairo_pattern_destroy(pattern);
        return nullptr;
      }
      cairo_pattern_set_matrix(pattern, &m);
      return pattern;
    }
  }
  return nullptr;
}

std::vector<double> DashPattern(const StrokeStyle& style, float width) {
  std::vector<float> lengths;
  switch (style.properties.dashStyle) {
    case DashStyle::Dash:
      lengths = {2, 2};
      break;
    case DashStyle::Dot:
      lengths = {0, 2};
      break;
    case DashStyle::DashDot:
      lengths = {2, 2, 0, 2};
      break;
    case DashStyle::DashDotDot:
      lengths = {2, 2, 0, 2, 0, 2};
      break;
    case DashStyle::Custom:
      lengths = style.dashes;
      break;
    case DashStyle::Solid:
      break;
  }
  std::vector<double> dashes;
  for (float length : lengths) dashes.push_back(double(length) * width);
  return dashes;
}

cairo_line_cap_t CairoCap(CapStyle cap) {
  switch (cap) {
    case CapStyle::Round:
      return CAIRO_LINE_CAP_ROUND;
    case CapStyle::Square:
    case CapStyle::Triangle:
      return CAIRO_LINE_CAP_SQUARE;
    default:
      return CAIRO_LINE_CAP_BUTT;
  }
}

cairo_line_join_t CairoJoin(LineJoin join) {
  switch (join) {
    case LineJoin::Round:
      return CAIRO_LINE_JOIN_ROUND;
    case LineJoin::Bevel:
      return CAIRO_LINE_JOIN_BEVEL;
    default:
      return CAIRO_LINE_JOIN_MITER;
  }
}

// The ellipse as a closed cairo path.
void EllipsePath(cairo_t* cr, const Ellipse& e) {
  if (!(e.radiusX > 0 && e.radiusY > 0)) return;
  cairo_save(cr);
  cairo_translate(cr, e.point.x, e.point.y);
  cairo_scale(cr, e.radiusX, e.radiusY);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void RectanglePath(cairo_t* cr, RectF r) {
  cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

// --- Life -------------------------------------------------------------------------

RenderTarget::RenderTarget(Kind kind, std::uint32_t* pixels, SizeU size) : kind_(kind) {
  Attach(pixels, size);
}

RenderTarget::RenderTarget(Kind kind, SizeU size) : kind_(kind) {
  if (kind == WindowTarget) Resize(size);
}

RenderTarget::~RenderTarget() { Detach(); }

void RenderTarget::Attach(std::uint32_t* pixels, SizeU size) {
  Detach();
  size_ = size;
  pixels_ = pixels;
  if (!pixels || size.width == 0 || size.height == 0) return;
  surface_ = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                                 CAIRO_FORMAT_ARGB32, int(size.width),
                                                 int(size.height), int(size.width) * 4);
  cr_ = cairo_create(surface_);
}

void RenderTarget::Detach() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) {
    cairo_surface_flush(surface_);
    cairo_surface_destroy(surface_);
  }
  cr_ = nullptr;
  surface_ = nullptr;
  pixels_ = nullptr;
  pushedClips_ = 0;
}

HRESULT RenderTarget::Resize(SizeU size) {
  if (kind_ != WindowTarget) return E_FAIL;
  Detach();
  ownPixels_.assign(std::size_t(size.width) * size.height, 0);
  Attach(ownPixels_.data(), size);
  return S_OK;
}

HRESULT RenderTarget::BindDC(gdip::HDC dc, RectF rect) {
  if (kind_ != DCTarget) return E_FAIL;
  cairo_surface_t* surface = gdip::GetDCSurface(dc);
  if (!surface) return E_FAIL;
  const int width = std::min(int(rect.right - rect.left), cairo_image_surface_get_width(surface));
  const int height =
      std::min(int(rect.bottom - rect.top), cairo_image_surface_get_height(surface));
  if (width <= 0 || height <= 0 || cairo_image_surface_get_stride(surface) != width * 4)
    return E_FAIL;
  Attach(reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface)),
         {std::uint32_t(width), std::uint32_t(height)});
  return S_OK;
}

// --- Frames -----------------------------------------------------------------------

void RenderTarget::PixelsChanged() {
  if (surface_) cairo_surface_mark_dirty(surface_);
}

void RenderTarget::BeginDraw() {}

HRESULT RenderTarget::EndDraw() {
  while (pushedClips_ > 0) PopClip();
  if (surface_) cairo_surface_flush(surface_);
  return S_OK;
}

unsigned RenderTarget::CheckWindowState() { return 0; }

void RenderTarget::SetDpi(float dpiX, float) { dpiScale_ = dpiX > 0 ? dpiX / 96 : 1; }

void RenderTarget::UseTransform() {
  cairo_identity_matrix(cr_);
  cairo_scale(cr_, dpiScale_, dpiScale_);
  const cairo_matrix_t m = CairoMatrix(transform_);
  cairo_transform(cr_, &m);
}

// --- Clips and states ---------------------------------------------------------------

void RenderTarget::Clear(ColorF color) {
  if (!cr_) return;
  cairo_save(cr_);
  cairo_identity_matrix(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr_, color.r, color.g, color.b, color.a);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

void RenderTarget::ClearPixels(int left, int top, int right, int bottom, std::uint32_t color) {
  if (!surface_) return;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, int(size_.width));
  bottom = std::min(bottom, int(size_.height));
  if (left >= right || top >= bottom) return;
  cairo_surface_flush(surface_);
  for (int y = top; y < bottom; ++y)
    std::fill_n(pixels_ + std::size_t(y) * size_.width + left, right - left, color);
  cairo_surface_mark_dirty_rectangle(surface_, left, top, right - left, bottom - top);
}

void RenderTarget::PushClip() {
  cairo_save(cr_);
  ++pushedClips_;
}

void RenderTarget::PopClip() {
  if (pushedClips_ == 0) return;
  cairo_restore(cr_);
  --pushedClips_;
}

void RenderTarget::PushAxisAlignedClip(RectF rect, AntialiasMode mode) {
  if (!cr_) return;
  PushClip();
  UseTransform();
  cairo_new_path(cr_);
  RectanglePath(cr_, rect);
  cairo_set_antialias(cr_, mode == AntialiasMode::Aliased ? CAIRO_ANTIALIAS_NONE
                                                          : CAIRO_ANTIALIAS_DEFAULT);
  cairo_clip(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
}

void RenderTarget::PopAxisAlignedClip() {
  if (cr_) PopClip();
}

void RenderTarget::PushLayer(const LayerParameters& parameters, Layer&) {
  if (!cr_) return;
  PushClip();
  UseTransform();
  cairo_set_antialias(cr_, parameters.maskAntialiasMode == AntialiasMode::Aliased
                               ? CAIRO_ANTIALIAS_NONE
                               : CAIRO_ANTIALIAS_DEFAULT);
  cairo_new_path(cr_);
  RectanglePath(cr_, parameters.contentBounds);
  cairo_clip(cr_);
  if (parameters.geometricMask) {
    const cairo_matrix_t m = CairoMatrix(parameters.maskTransform);
    cairo_transform(cr_, &m);
    cairo_set_fill_rule(cr_, parameters.geometricMask->GetFillMode() == FillMode::Winding
                                 ? CAIRO_FILL_RULE_WINDING
                                 : CAIRO_FILL_RULE_EVEN_ODD);
    parameters.geometricMask->AppendTo(cr_);
    cairo_clip(cr_);
  }
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
}

void RenderTarget::PopLayer() {
  if (cr_) PopClip();
}

void RenderTarget::SaveDrawingState(DrawingStateBlock& block) const {
  block.transform = transform_;
  block.textAntialiasMode = textAntialias_;
}

void RenderTarget::RestoreDrawingState(const DrawingStateBlock& block) {
  transform_ = block.transform;
  textAntialias_ = block.textAntialiasMode;
}

// --- Painting ------------------------------------------------------------------------

void RenderTarget::FillPath(const Brush& brush, cairo_fill_rule_t rule) {
  cairo_pattern_t* pattern = CreatePattern(brush);
  if (!pattern) {
    cairo_new_path(cr_);
    return;
  }
  cairo_set_fill_rule(cr_, rule);
  const bool fade = brush.kind == Brush::BitmapBrush && brush.opacity < 1;
  if (fade) cairo_push_group(cr_);
  cairo_set_source(cr_, pattern);
  cairo_fill(cr_);
  if (fade) {
    cairo_pop_group_to_source(cr_);
    cairo_paint_with_alpha(cr_, brush.opacity);
  }
  cairo_pattern_destroy(pattern);
}

void RenderTarget::StrokePath(const Brush& brush, float width, const StrokeStyle* style) {
  cairo_set_line_width(cr_, width);
  const StrokeStyle plain;
  const StrokeStyle& s = style ? *style : plain;
  cairo_set_line_cap(cr_, CairoCap(s.properties.startCap));
  cairo_set_line_join(cr_, CairoJoin(s.properties.lineJoin));
  // The drawing API limits the miter to half the stroke's width, cairo to its width.
  cairo_set_miter_limit(cr_, std::max(1.0f, s.properties.miterLimit / 2));
  const std::vector<double> dashes = DashPattern(s, width);
  cairo_set_dash(cr_, dashes.data(), int(dashes.size()), double(s.properties.dashOffset) * width);
  cairo_pattern_t* pattern = CreatePattern(brush);
  if (!pattern) {
    cairo_new_path(cr_);
    return;
  }
  cairo_set_source(cr_, pattern);
  cairo_stroke(cr_);
  cairo_pattern_destroy(pattern);
}

void RenderTarget::DrawLine(Point2F p0, Point2F p1, const Brush& brush, float width,
                            const StrokeStyle* style) {
  if (!cr_) return;
  UseTransform();
  cairo_new_path(cr_);
  cairo_move_to(cr_, p0.x, p0.y);
  cairo_line_to(cr_, p1.x, p1.y);
  StrokePath(brush, width, style);
}

void RenderTarget::DrawRectangle(RectF rect, const Brush& brush, float width,
                                 const StrokeStyle* style) {
  if (!cr_) return;
  UseTransform();
  cairo_new_path(cr_);
  RectanglePath(cr_, rect);
  StrokePath(brush, width, style);
}

void RenderTarget::FillRectangle(RectF rect, const Brush& brush) {
  if (!cr_) return;
  UseTransform();
  cairo_new_path(cr_);
  RectanglePath(cr_, rect);
  FillPath(brush, CAIRO_FILL_RULE_WINDING);
}

void RenderTarget::DrawEllipse(Ellipse ellipse, const Brush& brush, float width,
                               const StrokeStyle* style) {
  if (!cr_) return;
  UseTransform();
  cairo_new_path(cr_);
  EllipsePath(cr_, ellipse);
  StrokePath(brush, width, style);
}

void RenderTarget::FillEllipse(Ellipse ellipse, const Brush& brush) {
  if (!cr_) return;
  UseTransform();
  cairo_new_path(cr_);
  EllipsePath(cr_, ellipse);
  FillPath(brush, CAIRO_FILL_RULE_WINDING);
}

void RenderTarget::DrawGeometry(const PathGeometry& geometry, const Brush& brush, float width,
                                const StrokeStyle* style) {
  if (!cr_) return;
  UseTransform();
  cairo_new_path(cr_);
  geometry.AppendTo(cr_);
  StrokePath(brush, width, style);
}

void RenderTarget::FillGeometry(const PathGeometry& geometry, const Brush& brush) {
  if (!cr_) return;
  UseTransform();
  cairo_new_path(cr_);
  geometry.AppendTo(cr_);
  FillPath(brush, geometry.GetFillMode() == FillMode::Winding ? CAIRO_FILL_RULE_WINDING
                                                              : CAIRO_FILL_RULE_EVEN_ODD);
}

void RenderTarget::DrawBitmap(const Bitmap& bitmap, RectF destination, float opacity,
                              InterpolationMode interpolation, RectF source) {
  const float sw = source.right - source.left, sh = source.bottom - source.top;
  if (!cr_ || bitmap.Empty() || sw <= 0 || sh <= 0) return;
  cairo_save(cr_);
  UseTransform();
  cairo_new_path(cr_);
  RectanglePath(cr_, destination);
  cairo_clip(cr_);
  cairo_translate(cr_, destination.left, destination.top);
  cairo_scale(cr_, (destination.right - destination.left) / sw,
              (destination.bottom - destination.top) / sh);
  cairo_translate(cr_, -source.left, -source.top);
  cairo_surface_t* surface = SurfaceOf(bitmap);
  cairo_set_source_surface(cr_, surface, 0, 0);
  cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr_), interpolation == InterpolationMode::NearestNeighbor
                                                      ? CAIRO_FILTER_NEAREST
                                                      : CAIRO_FILTER_BILINEAR);
  cairo_paint_with_alpha(cr_, opacity);
  cairo_surface_destroy(surface);
  cairo_restore(cr_);
}

void RenderTarget::DrawTextLayout(Point2F origin, const TextLayout& layout, const Brush& brush,
                                  DrawTextOptions options) {
  if (!cr_) return;
  cairo_pattern_t* pattern = CreatePattern(brush);
  if (!pattern) return;
  cairo_save(cr_);
  UseTransform();
  if (options == DrawTextOptions::Clip) {
    cairo_new_path(cr_);
    cairo_rectangle(cr_, origin.x, origin.y, layout.MaxWidth(), layout.MaxHeight());
    cairo_clip(cr_);
  }
  cairo_set_source(cr_, pattern);
  layout.Show(cr_, origin);
  cairo_pattern_destroy(pattern);
  cairo_restore(cr_);
}

// --- Factory -----------------------------------------------------------------------------

std::unique_ptr<RenderTarget> Factory::CreateBitmapRenderTarget(std::uint32_t* pixels,
                                                                SizeU size) {
  return std::make_unique<RenderTarget>(RenderTarget::BitmapTarget, pixels, size);
}

std::unique_ptr<RenderTarget> Factory::CreateHwndRenderTarget(std::uintptr_t, SizeU size) {
  return std::make_unique<RenderTarget>(RenderTarget::WindowTarget, size);
}

std::unique_ptr<RenderTarget> Factory::CreateDCRenderTarget() {
  return std::make_unique<RenderTarget>(RenderTarget::DCTarget, SizeU{});
}

}  // namespace d2d
