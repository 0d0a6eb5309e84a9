// Graphics, state, clipping, regions, matrices, pens, brushes, paths and
// drawing of the cairo implementation.
#include "platform/gdiplus/CairoGdiPlus.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace gdip {

const GUID EncoderQuality = {0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};

bool operator==(const GUID& a, const GUID& b) {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 && std::equal(a.Data4, a.Data4 + 8, b.Data4);
}

std::unique_ptr<GdiPlus> CreateCairoGdiPlus() {
  return std::make_unique<cairo_impl::CairoGdiPlus>();
}

namespace cairo_impl {
namespace {

// The cubic Bezier approximation of a quarter ellipse.
constexpr double kKappa = 0.5522847498;

bool Invertible(const cairo_matrix_t& m) {
  cairo_matrix_t copy = m;
  return cairo_matrix_invert(&copy) == CAIRO_STATUS_SUCCESS;
}

double Channel(ARGB color, int shift) {
  return ((color >> shift) & 0xFF) / 255.0;
}

void AddStop(cairo_pattern_t* pattern, double offset, ARGB color) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, Channel(color, 16), Channel(color, 8), Channel(color, 0),
                                    Channel(color, 24));
}

// A copy of the texture mirrored as the flip wrap modes tile it, so that plain
// repetition of the copy gives the flipped tiling.
cairo_surface_t* MirroredTexture(cairo_surface_t* source, bool flipX, bool flipY) {
  const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
  cairo_surface_t* out = NewSurface(flipX ? 2 * w : w, flipY ? 2 * h : h);
  if (!out) return nullptr;
  cairo_t* cr = cairo_create(out);
  for (int my = 0; my < (flipY ? 2 : 1); ++my) {
    for (int mx = 0; mx < (flipX ? 2 : 1); ++mx) {
      cairo_save(cr);
      cairo_translate(cr, mx ? 2.0 * w : 0, my ? 2.0 * h : 0);
      cairo_scale(cr, mx ? -1 : 1, my ? -1 : 1);
      cairo_set_source_surface(cr, source, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_paint(cr);
      cairo_restore(cr);
    }
  }
  cairo_destroy(cr);
  return out;
}

cairo_antialias_t AntialiasFor(SmoothingMode mode) {
  return mode == SmoothingModeHighQuality || mode == SmoothingModeAntiAlias ? CAIRO_ANTIALIAS_DEFAULT
                                                                            : CAIRO_ANTIALIAS_NONE;
}

void AddEllipse(PathImpl& path, REAL x, REAL y, REAL w, REAL h) {
  const double rx = w / 2.0, ry = h / 2.0, cx = x + rx, cy = y + ry;
  const double kx = rx * kKappa, ky = ry * kKappa;
  auto pt = [](double px, double py) { return PointF{REAL(px), REAL(py)}; };
  path.figureOpen = false;
  path.ContinueAt(pt(cx + rx, cy));
  const PointF curve[12] = {pt(cx + rx, cy + ky), pt(cx + kx, cy + ry), pt(cx, cy + ry),      pt(cx - kx, cy + ry),
                            pt(cx - rx, cy + ky), pt(cx - rx, cy),      pt(cx - rx, cy - ky), pt(cx - kx, cy - ry),
                            pt(cx, cy - ry),      pt(cx + kx, cy - ry), pt(cx + rx, cy - ky), pt(cx + rx, cy)};
  for (const PointF& p : curve) {
    path.points.push_back(p);
    path.types.push_back(PathPointTypeBezier);
  }
  path.CloseFigure();
}

// Clips to everything but the region: the surface's extent plus the region,
// filled even-odd.
void ExcludeClip(cairo_t* cr, const RegionImpl& region) {
  cairo_surface_t* target = cairo_get_target(cr);
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(target), cairo_image_surface_get_height(target));
  cairo_restore(cr);
  region.AppendTo(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(cr);
}

Status ClipTo(cairo_t* cr, const RegionImpl& region, CombineMode mode) {
  switch (mode) {
    case CombineModeReplace: cairo_reset_clip(cr); [[fallthrough]];
    case CombineModeIntersect:
      if (region.kind == RegionImpl::Kind::Infinite) return Ok;
      cairo_new_path(cr);
      region.AppendTo(cr);
      cairo_set_fill_rule(cr, region.kind == RegionImpl::Kind::Path && region.path.fillMode == FillModeAlternate
                                  ? CAIRO_FILL_RULE_EVEN_ODD
                                  : CAIRO_FILL_RULE_WINDING);
      cairo_clip(cr);
      return Ok;
    case CombineModeExclude:
      if (region.kind == RegionImpl::Kind::Rects) {
        for (const RectF& r : region.rects) {
          RegionImpl one;
          one.kind = RegionImpl::Kind::Rects;
          one.rects = {r};
          ExcludeClip(cr, one);
        }
      } else if (region.kind == RegionImpl::Kind::Path) {
        ExcludeClip(cr, region);
      } else {
        cairo_new_path(cr);
        cairo_clip(cr);
      }
      return Ok;
    default: return NotImplemented;
  }
}

RectF Normalized(RectF r) {
  if (r.Width < 0) r.X += r.Width, r.Width = -r.Width;
  if (r.Height < 0) r.Y += r.Height, r.Height = -r.Height;
  return r;
}

}  // namespace

// --- shared helpers -------------------------------------------------------

void SetSourceArgb(cairo_t* cr, ARGB color) {
  cairo_set_source_rgba(cr, Channel(color, 16), Channel(color, 8), Channel(color, 0), Channel(color, 24));
}

cairo_matrix_t ToCairo(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy) {
  cairo_matrix_t m;
  cairo_matrix_init(&m, m11, m12, m21, m22, dx, dy);
  return m;
}

cairo_filter_t FilterFor(InterpolationMode mode) {
  switch (mode) {
    case InterpolationModeNearestNeighbor: return CAIRO_FILTER_NEAREST;
    case InterpolationModeHighQuality:
    case InterpolationModeHighQualityBicubic:
    case InterpolationModeHighQualityBilinear:
    case InterpolationModeBicubic: return CAIRO_FILTER_GOOD;
    default: return CAIRO_FILTER_BILINEAR;
  }
}

cairo_surface_t* NewSurface(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  return s;
}

// --- brushes ----------------------------------------------------------------

BrushData::BrushData() {
  cairo_matrix_init_identity(&transform);
}

BrushData::BrushData(const BrushData& other)
    : kind(other.kind),
      color(other.color),
      p1(other.p1),
      p2(other.p2),
      bounds(other.bounds),
      blendColors(other.blendColors),
      blendPositions(other.blendPositions),
      wrap(other.wrap),
      transform(other.transform),
      texture(other.texture ? cairo_surface_reference(other.texture) : nullptr),
      alpha(other.alpha) {}

BrushData& BrushData::operator=(const BrushData& other) {
  if (this != &other) {
    BrushData copy(other);
    std::swap(texture, copy.texture);
    kind = other.kind;
    color = other.color;
    p1 = other.p1;
    p2 = other.p2;
    bounds = other.bounds;
    blendColors = other.blendColors;
    blendPositions = other.blendPositions;
    wrap = other.wrap;
    transform = other.transform;
    alpha = other.alpha;
  }
  return *this;
}

BrushData::~BrushData() {
  if (texture) cairo_surface_destroy(texture);
}

cairo_pattern_t* BrushData::CreatePattern() const {
  switch (kind) {
    case Kind::Solid:
      return cairo_pattern_create_rgba(Channel(color, 16), Channel(color, 8), Channel(color, 0), Channel(color, 24));
    case Kind::Linear: {
      if (p1.X == p2.X && p1.Y == p2.Y) return nullptr;
      cairo_pattern_t* p = cairo_pattern_create_linear(p1.X, p1.Y, p2.X, p2.Y);
      for (size_t i = 0; i < blendColors.size(); ++i) AddStop(p, blendPositions[i], blendColors[i]);
      cairo_pattern_set_extend(p, wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY ? CAIRO_EXTEND_REFLECT
                                  : wrap == WrapModeClamp                                 ? CAIRO_EXTEND_PAD
                                                                                          : CAIRO_EXTEND_REPEAT);
      return p;
    }
    case Kind::Radial: {
      if (bounds.Width <= 0 || bounds.Height <= 0 || !Invertible(transform)) return nullptr;
      cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
      // Position 0 lies on the ellipse and 1 at its centre: cairo runs outwards.
      for (size_t i = blendColors.size(); i-- > 0;) AddStop(p, 1.0 - blendPositions[i], blendColors[i]);
      cairo_matrix_t toWorld = transform, toBrush, toUnit, pattern;
      cairo_matrix_invert(&toWorld);
      toBrush = toWorld;
      cairo_matrix_init_translate(&toUnit, -(bounds.X + bounds.Width / 2.0), -(bounds.Y + bounds.Height / 2.0));
      cairo_matrix_t scale;
      cairo_matrix_init_scale(&scale, 2.0 / bounds.Width, 2.0 / bounds.Height);
      cairo_matrix_multiply(&toUnit, &toUnit, &scale);
      cairo_matrix_multiply(&pattern, &toBrush, &toUnit);
      cairo_pattern_set_matrix(p, &pattern);
      cairo_pattern_set_extend(p, CAIRO_EXTEND_NONE);
      return p;
    }
    case Kind::Texture: {
      if (!texture || !Invertible(transform)) return nullptr;
      const bool flipX = wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY;
      const bool flipY = wrap == WrapModeTileFlipY || wrap == WrapModeTileFlipXY;
      cairo_surface_t* tile =
          flipX || flipY ? MirroredTexture(texture, flipX, flipY) : cairo_surface_reference(texture);
      if (!tile) return nullptr;
      cairo_pattern_t* p = cairo_pattern_create_for_surface(tile);
      cairo_surface_destroy(tile);
      cairo_matrix_t m = transform;
      cairo_matrix_invert(&m);
      cairo_pattern_set_matrix(p, &m);
      cairo_pattern_set_extend(p, wrap == WrapModeClamp ? CAIRO_EXTEND_NONE : CAIRO_EXTEND_REPEAT);
      return p;
    }
  }
  return nullptr;
}

// --- paths and regions ------------------------------------------------------

void PathImpl::AddLinePoint(PointF p) {
  points.push_back(p);
  types.push_back(PathPointTypeLine);
}

void PathImpl::ContinueAt(PointF p) {
  if (!figureOpen) {
    points.push_back(p);
    types.push_back(PathPointTypeStart);
    figureOpen = true;
  } else if (points.back().X != p.X || points.back().Y != p.Y) {
    AddLinePoint(p);  // GDI+ joins a figure's segments with a line
  }
}

void PathImpl::CloseFigure() {
  if (figureOpen && !types.empty()) types.back() |= PathPointTypeCloseSubpath;
  figureOpen = false;
}

RectF PathImpl::Bounds() const {
  if (points.empty()) return {};
  REAL l = points[0].X, t = points[0].Y, r = l, b = t;
  for (const PointF& p : points) {
    l = std::min(l, p.X), t = std::min(t, p.Y), r = std::max(r, p.X), b = std::max(b, p.Y);
  }
  return {l, t, r - l, b - t};
}

void PathImpl::AppendTo(cairo_t* cr) const {
  for (size_t i = 0; i < points.size(); ++i) {
    const BYTE type = types[i] & PathPointTypePathTypeMask;
    if (type == PathPointTypeStart) {
      cairo_move_to(cr, points[i].X, points[i].Y);
    } else if (type == PathPointTypeBezier && i + 2 < points.size()) {
      cairo_curve_to(cr, points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X, points[i + 2].Y);
      i += 2;
    } else {
      cairo_line_to(cr, points[i].X, points[i].Y);
    }
    if (types[i] & PathPointTypeCloseSubpath) cairo_close_path(cr);
  }
}

RectF RegionImpl::Bounds() const {
  switch (kind) {
    case Kind::Infinite: return {-4194304.0f, -4194304.0f, 8388608.0f, 8388608.0f};
    case Kind::Path: return path.Bounds();
    case Kind::Rects: break;
  }
  if (rects.empty()) return {};
  REAL l = std::numeric_limits<REAL>::max(), t = l, r = std::numeric_limits<REAL>::lowest(), b = r;
  for (const RectF& rect : rects) {
    l = std::min(l, rect.X), t = std::min(t, rect.Y);
    r = std::max(r, rect.X + rect.Width), b = std::max(b, rect.Y + rect.Height);
  }
  return {l, t, r - l, b - t};
}

void RegionImpl::AppendTo(cairo_t* cr) const {
  if (kind == Kind::Path) {
    path.AppendTo(cr);
    return;
  }
  for (const RectF& r : rects) cairo_rectangle(cr, r.X, r.Y, r.Width, r.Height);
}

// --- lifetime ---------------------------------------------------------------

GraphicsImpl::GraphicsImpl(cairo_surface_t* surface, REAL dpiX, REAL dpiY)
    : cr(cairo_create(surface)), dpiX(dpiX), dpiY(dpiY) {
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);  // GDI+ starts without smoothing
}

GraphicsImpl::~GraphicsImpl() {
  if (pango) g_object_unref(pango);
  cairo_destroy(cr);
}

CairoGdiPlus::CairoGdiPlus() : fontMap_(pango_cairo_font_map_new()) {}

CairoGdiPlus::~CairoGdiPlus() {
  if (scratch_) g_object_unref(scratch_);
  g_object_unref(fontMap_);
  if (!memoryFontFiles_.empty()) FcConfigAppFontClear(nullptr);
  for (const std::string& file : memoryFontFiles_) std::remove(file.c_str());
}

Status CairoGdiPlus::GdiplusStartup(std::uintptr_t* token, const GdiplusStartupInput* input, void*) {
  if (!token || !input) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  *token = 1;
  return Ok;
}

Status CairoGdiPlus::GdiplusShutdown(std::uintptr_t) {
  return Ok;
}

// --- graphics ---------------------------------------------------------------

Status CairoGdiPlus::GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
  if (!graphics) return InvalidParameter;
  *graphics = nullptr;
  cairo_surface_t* surface = GetDCSurface(hdc);
  if (!surface) return InvalidParameter;
  *graphics = new GraphicsImpl(surface);
  return Ok;
}

Status CairoGdiPlus::GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  auto* bitmap = As<BitmapImpl>(image);
  if (!bitmap || !graphics) return InvalidParameter;
  *graphics = new GraphicsImpl(bitmap->surface, bitmap->dpiX, bitmap->dpiY);
  return Ok;
}

Status CairoGdiPlus::GdipDeleteGraphics(GpGraphics* graphics) { return DeleteAs<GraphicsImpl>(graphics); }

Status CairoGdiPlus::GdipSetSmoothingMode(GpGraphics* graphics, SmoothingMode mode) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g) return InvalidParameter;
  cairo_set_antialias(g->cr, AntialiasFor(mode));
  return Ok;
}

Status CairoGdiPlus::GdipSetPixelOffsetMode(GpGraphics* graphics, PixelOffsetMode) {
  return As<GraphicsImpl>(graphics) ? Ok : InvalidParameter;
}

Status CairoGdiPlus::GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g) return InvalidParameter;
  cairo_set_operator(g->cr, mode == CompositingModeSourceCopy ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER);
  return Ok;
}

Status CairoGdiPlus::GdipSetTextContrast(GpGraphics* graphics, UINT contrast) {
  if (!As<GraphicsImpl>(graphics) || contrast > 12) return InvalidParameter;
  return Ok;
}

Status CairoGdiPlus::GdipSetInterpolationMode(GpGraphics* graphics, InterpolationMode mode) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g || mode < InterpolationModeDefault || mode > InterpolationModeHighQualityBicubic) return InvalidParameter;
  g->interpolation = mode;
  return Ok;
}

Status CairoGdiPlus::GdipGetInterpolationMode(GpGraphics* graphics, InterpolationMode* mode) {
  return GetField(graphics, &GraphicsImpl::interpolation, mode);
}

Status CairoGdiPlus::GdipSetTextRenderingHint(GpGraphics* graphics, TextRenderingHint hint) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g || hint < TextRenderingHintSystemDefault || hint > TextRenderingHintClearTypeGridFit) return InvalidParameter;
  g->hint = hint;
  return Ok;
}

Status CairoGdiPlus::GdipGetTextRenderingHint(GpGraphics* graphics, TextRenderingHint* hint) {
  return GetField(graphics, &GraphicsImpl::hint, hint);
}

Status CairoGdiPlus::GdipGetDpiX(GpGraphics* graphics, REAL* dpi) {
  return GetField(graphics, &GraphicsImpl::dpiX, dpi);
}

Status CairoGdiPlus::GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g) return InvalidParameter;
  cairo_save(g->cr);
  cairo_set_operator(g->cr, CAIRO_OPERATOR_SOURCE);
  SetSourceArgb(g->cr, color);
  cairo_paint(g->cr);
  cairo_restore(g->cr);
  return Ok;
}

Status CairoGdiPlus::GdipSetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* m = As<MatrixImpl>(matrix);
  if (!g || !m || !Invertible(m->m)) return InvalidParameter;
  cairo_set_matrix(g->cr, &m->m);
  return Ok;
}

Status CairoGdiPlus::GdipGetWorldTransform(GpGraphics* graphics, GpMatrix* matrix) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* m = As<MatrixImpl>(matrix);
  if (!g || !m) return InvalidParameter;
  cairo_get_matrix(g->cr, &m->m);
  return Ok;
}

Status CairoGdiPlus::GdipMultiplyWorldTransform(GpGraphics* graphics, const GpMatrix* matrix, MatrixOrder order) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* m = As<MatrixImpl>(matrix);
  if (!g || !m || !Invertible(m->m)) return InvalidParameter;
  cairo_matrix_t world, result;
  cairo_get_matrix(g->cr, &world);
  if (order == MatrixOrderPrepend) {
    cairo_matrix_multiply(&result, &m->m, &world);
  } else {
    cairo_matrix_multiply(&result, &world, &m->m);
  }
  cairo_set_matrix(g->cr, &result);
  return Ok;
}

Status CairoGdiPlus::GdipScaleWorldTransform(GpGraphics* graphics, REAL sx, REAL sy, MatrixOrder order) {
  cairo_matrix_t scale;
  cairo_matrix_init_scale(&scale, sx, sy);
  MatrixImpl m;
  m.m = scale;
  return GdipMultiplyWorldTransform(graphics, &m, order);
}

Status CairoGdiPlus::GdipSaveGraphics(GpGraphics* graphics, GraphicsState* state) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g || !state) return InvalidParameter;
  cairo_save(g->cr);
  g->saved.push_back({g->interpolation, g->hint});
  *state = GraphicsState(g->saved.size());
  return Ok;
}

// Restoring a state also drops every state saved after it; a state no longer
// saved is ignored.
Status CairoGdiPlus::GdipRestoreGraphics(GpGraphics* graphics, GraphicsState state) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g) return InvalidParameter;
  if (state == 0 || state > g->saved.size()) return Ok;
  while (g->saved.size() >= state) {
    cairo_restore(g->cr);
    g->interpolation = g->saved.back().interpolation;
    g->hint = g->saved.back().hint;
    g->saved.pop_back();
  }
  return Ok;
}

Status CairoGdiPlus::GdipSetClipRegion(GpGraphics* graphics, GpRegion* region, CombineMode mode) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* r = As<RegionImpl>(region);
  if (!g || !r) return InvalidParameter;
  return ClipTo(g->cr, *r, mode);
}

Status CairoGdiPlus::GdipSetClipRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, CombineMode mode) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g) return InvalidParameter;
  RegionImpl r;
  r.kind = RegionImpl::Kind::Rects;
  r.rects = {Normalized({x, y, width, height})};
  return ClipTo(g->cr, r, mode);
}

Status CairoGdiPlus::GdipResetClip(GpGraphics* graphics) {
  auto* g = As<GraphicsImpl>(graphics);
  if (!g) return InvalidParameter;
  cairo_reset_clip(g->cr);
  return Ok;
}

// --- regions and matrices ---------------------------------------------------

Status CairoGdiPlus::GdipCreateRegion(GpRegion** region) {
  if (!region) return InvalidParameter;
  *region = new RegionImpl;
  return Ok;
}

Status CairoGdiPlus::GdipCreateRegionPath(GpPath* path, GpRegion** region) {
  auto* p = As<PathImpl>(path);
  if (!p || !region) return InvalidParameter;
  auto* r = new RegionImpl;
  r->kind = RegionImpl::Kind::Path;
  r->path.fillMode = p->fillMode;
  r->path.points = p->points;
  r->path.types = p->types;
  *region = r;
  return Ok;
}

Status CairoGdiPlus::GdipSetEmpty(GpRegion* region) {
  auto* r = As<RegionImpl>(region);
  if (!r) return InvalidParameter;
  r->kind = RegionImpl::Kind::Rects;
  r->rects.clear();
  return Ok;
}

Status CairoGdiPlus::GdipCombineRegionRect(GpRegion* region, const GpRectF* rect, CombineMode mode) {
  auto* r = As<RegionImpl>(region);
  if (!r || !rect) return InvalidParameter;
  const RectF added = Normalized(*rect);
  switch (mode) {
    case CombineModeReplace:
      r->kind = RegionImpl::Kind::Rects;
      r->rects = {added};
      return Ok;
    case CombineModeUnion:
      if (r->kind == RegionImpl::Kind::Infinite) return Ok;
      if (r->kind == RegionImpl::Kind::Path) return NotImplemented;
      r->rects.push_back(added);
      return Ok;
    case CombineModeIntersect:
      if (r->kind != RegionImpl::Kind::Infinite) return NotImplemented;
      r->kind = RegionImpl::Kind::Rects;
      r->rects = {added};
      return Ok;
    default: return NotImplemented;
  }
}

Status CairoGdiPlus::GdipGetRegionBounds(GpRegion* region, GpGraphics*, GpRectF* rect) {
  auto* r = As<RegionImpl>(region);
  if (!r || !rect) return InvalidParameter;
  *rect = r->Bounds();
  return Ok;
}

Status CairoGdiPlus::GdipDeleteRegion(GpRegion* region) { return DeleteAs<RegionImpl>(region); }

Status CairoGdiPlus::GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** matrix) {
  if (!matrix) return InvalidParameter;
  auto* m = new MatrixImpl;
  m->m = ToCairo(m11, m12, m21, m22, dx, dy);
  *matrix = m;
  return Ok;
}

Status CairoGdiPlus::GdipShearMatrix(GpMatrix* matrix, REAL shearX, REAL shearY, MatrixOrder order) {
  auto* m = As<MatrixImpl>(matrix);
  if (!m) return InvalidParameter;
  const cairo_matrix_t shear = ToCairo(1, shearY, shearX, 1, 0, 0);
  const cairo_matrix_t old = m->m;
  if (order == MatrixOrderPrepend) {
    cairo_matrix_multiply(&m->m, &shear, &old);
  } else {
    cairo_matrix_multiply(&m->m, &old, &shear);
  }
  return Ok;
}

Status CairoGdiPlus::GdipGetMatrixElements(const GpMatrix* matrix, REAL* e) {
  auto* m = As<MatrixImpl>(matrix);
  if (!m || !e) return InvalidParameter;
  const cairo_matrix_t& c = m->m;
  e[0] = REAL(c.xx), e[1] = REAL(c.yx), e[2] = REAL(c.xy), e[3] = REAL(c.yy), e[4] = REAL(c.x0), e[5] = REAL(c.y0);
  return Ok;
}

Status CairoGdiPlus::GdipDeleteMatrix(GpMatrix* matrix) { return DeleteAs<MatrixImpl>(matrix); }

// --- pens -------------------------------------------------------------------

Status CairoGdiPlus::GdipCreatePen1(ARGB color, REAL width, Unit unit, GpPen** pen) {
  if (!pen || width < 0) return InvalidParameter;
  auto* p = new PenImpl;
  p->brush.color = color;
  p->width = width;
  p->unit = unit;
  *pen = p;
  return Ok;
}

Status CairoGdiPlus::GdipCreatePen2(GpBrush* brush, REAL width, Unit unit, GpPen** pen) {
  const BrushData* b = Brush(brush);
  if (!b || !pen || width < 0) return InvalidParameter;
  auto* p = new PenImpl;
  p->brush = *b;
  p->width = width;
  p->unit = unit;
  *pen = p;
  return Ok;
}

Status CairoGdiPlus::GdipSetPenWidth(GpPen* pen, REAL width) {
  auto* p = As<PenImpl>(pen);
  if (!p || width < 0) return InvalidParameter;
  p->width = width;
  return Ok;
}

Status CairoGdiPlus::GdipSetPenLineCap197819(GpPen* pen, LineCap startCap, LineCap, DashCap dashCap) {
  auto* p = As<PenImpl>(pen);
  if (!p) return InvalidParameter;
  p->cap = startCap;
  p->dashCap = dashCap;
  return Ok;
}

Status CairoGdiPlus::GdipSetPenLineJoin(GpPen* pen, LineJoin join) {
  auto* p = As<PenImpl>(pen);
  if (!p) return InvalidParameter;
  p->join = join;
  return Ok;
}

Status CairoGdiPlus::GdipSetPenDashStyle(GpPen* pen, DashStyle style) {
  auto* p = As<PenImpl>(pen);
  if (!p) return InvalidParameter;
  switch (style) {
    case DashStyleSolid: p->dashes.clear(); break;
    case DashStyleDash: p->dashes = {3, 1}; break;
    case DashStyleDot: p->dashes = {1, 1}; break;
    case DashStyleDashDot: p->dashes = {3, 1, 1, 1}; break;
    case DashStyleDashDotDot: p->dashes = {3, 1, 1, 1, 1, 1}; break;
    case DashStyleCustom: break;
    default: return InvalidParameter;
  }
  p->dashStyle = style;
  return Ok;
}

Status CairoGdiPlus::GdipSetPenDashOffset(GpPen* pen, REAL offset) {
  auto* p = As<PenImpl>(pen);
  if (!p) return InvalidParameter;
  p->dashOffset = offset;
  return Ok;
}

Status CairoGdiPlus::GdipSetPenDashArray(GpPen* pen, const REAL* dashes, INT count) {
  auto* p = As<PenImpl>(pen);
  if (!p || !dashes || count <= 0) return InvalidParameter;
  if (std::any_of(dashes, dashes + count, [](REAL d) { return !(d > 0); })) return InvalidParameter;
  p->dashes.assign(dashes, dashes + count);
  p->dashStyle = DashStyleCustom;
  return Ok;
}

Status CairoGdiPlus::GdipDeletePen(GpPen* pen) { return DeleteAs<PenImpl>(pen); }

// --- brushes ----------------------------------------------------------------

Status CairoGdiPlus::GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  if (!brush) return InvalidParameter;
  auto* b = new BrushOf<GpSolidFill>;
  b->data.color = color;
  *brush = b;
  return Ok;
}

Status CairoGdiPlus::GdipCreateLineBrush(const GpPointF* point1, const GpPointF* point2, ARGB color1, ARGB color2,
                                         WrapMode wrap, GpLineGradient** brush) {
  if (!point1 || !point2 || !brush) return InvalidParameter;
  if (point1->X == point2->X && point1->Y == point2->Y) return OutOfMemory;  // as GDI+ answers
  auto* b = new BrushOf<GpLineGradient>;
  b->data.kind = BrushData::Kind::Linear;
  b->data.p1 = *point1;
  b->data.p2 = *point2;
  b->data.color = color1;
  b->data.blendColors = {color1, color2};
  b->data.blendPositions = {0, 1};
  b->data.wrap = wrap;
  *brush = b;
  return Ok;
}

Status CairoGdiPlus::GdipSetLineWrapMode(GpLineGradient* brush, WrapMode wrap) {
  BrushData* b = Brush(brush);
  if (!b || wrap == WrapModeClamp) return InvalidParameter;
  b->wrap = wrap;
  return Ok;
}

namespace {
Status SetBlend(BrushData* b, const ARGB* colors, const REAL* positions, INT count) {
  if (!b || !colors || !positions || count < 2) return InvalidParameter;
  b->blendColors.assign(colors, colors + count);
  b->blendPositions.assign(positions, positions + count);
  return Ok;
}
}  // namespace

Status CairoGdiPlus::GdipSetLinePresetBlend(GpLineGradient* brush, const ARGB* colors, const REAL* positions,
                                            INT count) {
  return SetBlend(Brush(brush), colors, positions, count);
}

Status CairoGdiPlus::GdipCreatePathGradientFromPath(const GpPath* path, GpPathGradient** brush) {
  auto* p = As<PathImpl>(path);
  if (!p || !brush || p->points.empty()) return InvalidParameter;
  auto* b = new BrushOf<GpPathGradient>;
  b->data.kind = BrushData::Kind::Radial;
  b->data.bounds = p->Bounds();
  b->data.blendColors = {0xFFFFFFFF, 0xFF000000};  // a white rim, a black centre
  b->data.blendPositions = {0, 1};
  b->data.wrap = WrapModeClamp;
  *brush = b;
  return Ok;
}

Status CairoGdiPlus::GdipSetPathGradientTransform(GpPathGradient* brush, GpMatrix* matrix) {
  BrushData* b = Brush(brush);
  auto* m = As<MatrixImpl>(matrix);
  if (!b || !m || !Invertible(m->m)) return InvalidParameter;
  b->transform = m->m;
  return Ok;
}

Status CairoGdiPlus::GdipSetPathGradientWrapMode(GpPathGradient* brush, WrapMode wrap) {
  BrushData* b = Brush(brush);
  if (!b) return InvalidParameter;
  b->wrap = wrap;
  return Ok;
}

Status CairoGdiPlus::GdipSetPathGradientPresetBlend(GpPathGradient* brush, const ARGB* colors, const REAL* positions,
                                                    INT count) {
  return SetBlend(Brush(brush), colors, positions, count);
}

Status CairoGdiPlus::GdipCreateTexture(GpImage* image, WrapMode wrap, GpTexture** brush) {
  auto* bitmap = As<BitmapImpl>(image);
  if (!bitmap || !brush) return InvalidParameter;
  Status s = GdipCreateTextureIA(image, nullptr, 0, 0, REAL(bitmap->Width()), REAL(bitmap->Height()), brush);
  if (s == Ok) Brush(*brush)->wrap = wrap;
  return s;
}

// A brush over the whole image shares the image's pixels and applies the
// attributes' alpha as it paints: a fill costs no copy of the picture. A
// part of the image is copied.
Status CairoGdiPlus::GdipCreateTextureIA(GpImage* image, const GpImageAttributes* attributes, REAL x, REAL y,
                                         REAL width, REAL height, GpTexture** brush) {
  auto* bitmap = As<BitmapImpl>(image);
  auto* attrs = attributes ? As<AttributesImpl>(attributes) : nullptr;
  if (!bitmap || !brush || (attributes && !attrs)) return InvalidParameter;
  const int w = int(width), h = int(height);
  if (w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > bitmap->Width() || y + h > bitmap->Height()) {
    return InvalidParameter;
  }
  cairo_surface_flush(bitmap->surface);
  cairo_surface_t* texture = nullptr;
  if (x == 0 && y == 0 && w == bitmap->Width() && h == bitmap->Height()) {
    texture = cairo_surface_reference(bitmap->surface);
  } else {
    texture = NewSurface(w, h);
    if (!texture) return OutOfMemory;
    cairo_t* cr = cairo_create(texture);
    cairo_set_source_surface(cr, bitmap->surface, -x, -y);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  auto* b = new BrushOf<GpTexture>;
  b->data.kind = BrushData::Kind::Texture;
  b->data.texture = texture;
  b->data.alpha = attrs ? attrs->alpha : 1.0;
  b->data.wrap = WrapModeTile;
  *brush = b;
  return Ok;
}

Status CairoGdiPlus::GdipSetTextureWrapMode(GpTexture* brush, WrapMode wrap) {
  BrushData* b = Brush(brush);
  if (!b || wrap < WrapModeTile || wrap > WrapModeClamp) return InvalidParameter;
  b->wrap = wrap;
  return Ok;
}

Status CairoGdiPlus::GdipScaleTextureTransform(GpTexture* brush, REAL sx, REAL sy, MatrixOrder order) {
  BrushData* b = Brush(brush);
  if (!b || sx == 0 || sy == 0) return InvalidParameter;
  cairo_matrix_t scale, old = b->transform;
  cairo_matrix_init_scale(&scale, sx, sy);
  if (order == MatrixOrderPrepend) {
    cairo_matrix_multiply(&b->transform, &scale, &old);
  } else {
    cairo_matrix_multiply(&b->transform, &old, &scale);
  }
  return Ok;
}

Status CairoGdiPlus::GdipDeleteBrush(GpBrush* brush) {
  if (!Brush(brush)) return InvalidParameter;
  delete brush;
  return Ok;
}

// --- paths ------------------------------------------------------------------

Status CairoGdiPlus::GdipCreatePath(FillMode mode, GpPath** path) {
  if (!path) return InvalidParameter;
  auto* p = new PathImpl;
  p->fillMode = mode;
  *path = p;
  return Ok;
}

Status CairoGdiPlus::GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
  auto* p = As<PathImpl>(path);
  if (!p) return InvalidParameter;
  p->ContinueAt({x1, y1});
  p->AddLinePoint({x2, y2});
  return Ok;
}

Status CairoGdiPlus::GdipAddPathBezier(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3, REAL y3, REAL x4,
                                       REAL y4) {
  auto* p = As<PathImpl>(path);
  if (!p) return InvalidParameter;
  p->ContinueAt({x1, y1});
  for (const PointF& pt : {PointF{x2, y2}, PointF{x3, y3}, PointF{x4, y4}}) {
    p->points.push_back(pt);
    p->types.push_back(PathPointTypeBezier);
  }
  return Ok;
}

Status CairoGdiPlus::GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL width, REAL height) {
  auto* p = As<PathImpl>(path);
  if (!p) return InvalidParameter;
  AddEllipse(*p, x, y, width, height);
  return Ok;
}

Status CairoGdiPlus::GdipStartPathFigure(GpPath* path) {
  auto* p = As<PathImpl>(path);
  if (!p) return InvalidParameter;
  p->figureOpen = false;
  return Ok;
}

Status CairoGdiPlus::GdipClosePathFigure(GpPath* path) {
  auto* p = As<PathImpl>(path);
  if (!p) return InvalidParameter;
  p->CloseFigure();
  return Ok;
}

Status CairoGdiPlus::GdipGetPointCount(GpPath* path, INT* count) {
  auto* p = As<PathImpl>(path);
  if (!p || !count) return InvalidParameter;
  *count = INT(p->points.size());
  return Ok;
}

Status CairoGdiPlus::GdipGetPathData(GpPath* path, GpPathData* data) {
  auto* p = As<PathImpl>(path);
  if (!p || !data || !data->Points || !data->Types) return InvalidParameter;
  if (data->Count < INT(p->points.size())) return InsufficientBuffer;
  std::copy(p->points.begin(), p->points.end(), data->Points);
  std::copy(p->types.begin(), p->types.end(), data->Types);
  data->Count = INT(p->points.size());
  return Ok;
}

Status CairoGdiPlus::GdipIsVisiblePathPoint(GpPath* path, REAL x, REAL y, GpGraphics*, BOOL* result) {
  auto* p = As<PathImpl>(path);
  if (!p || !result) return InvalidParameter;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(surface);
  p->AppendTo(cr);
  cairo_set_fill_rule(cr, p->fillMode == FillModeAlternate ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  *result = cairo_in_fill(cr, x, y) ? 1 : 0;
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return Ok;
}

Status CairoGdiPlus::GdipDeletePath(GpPath* path) { return DeleteAs<PathImpl>(path); }

// --- drawing ----------------------------------------------------------------

// Strokes the current path. Widths, dashes and offsets are in world units
// times the pen width; width 0 is a hairline one device pixel wide.
namespace {

Status Stroke(GraphicsImpl& g, const PenImpl& pen) {
  cairo_t* cr = g.cr;
  cairo_pattern_t* pattern = pen.brush.CreatePattern();
  if (!pattern) {
    cairo_new_path(cr);
    return Ok;
  }
  cairo_save(cr);
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
  const bool dashed = pen.dashStyle != DashStyleSolid && !pen.dashes.empty();
  const bool hairline = pen.width == 0;
  const double unit = hairline ? 1.0 : pen.width;
  if (hairline) cairo_identity_matrix(cr);
  cairo_set_line_width(cr, unit);
  const bool round = dashed ? pen.dashCap == DashCapRound : pen.cap == LineCapRound;
  cairo_set_line_cap(cr, round                                   ? CAIRO_LINE_CAP_ROUND
                         : (!dashed && pen.cap == LineCapSquare) ? CAIRO_LINE_CAP_SQUARE
                                                                 : CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, pen.join == LineJoinRound   ? CAIRO_LINE_JOIN_ROUND
                          : pen.join == LineJoinBevel ? CAIRO_LINE_JOIN_BEVEL
                                                      : CAIRO_LINE_JOIN_MITER);
  cairo_set_miter_limit(cr, 10);
  if (dashed) {
    std::vector<double> lengths(pen.dashes.begin(), pen.dashes.end());
    for (double& d : lengths) d *= unit;
    cairo_set_dash(cr, lengths.data(), int(lengths.size()), pen.dashOffset * unit);
  }
  if (pen.brush.alpha < 1) {
    cairo_push_group(cr);
    cairo_stroke(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, pen.brush.alpha);
  } else {
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  return Ok;
}

Status Fill(GraphicsImpl& g, const BrushData& brush, cairo_fill_rule_t rule) {
  cairo_pattern_t* pattern = brush.CreatePattern();
  if (!pattern) {
    cairo_new_path(g.cr);
    return Ok;
  }
  if (brush.kind == BrushData::Kind::Texture) cairo_pattern_set_filter(pattern, FilterFor(g.interpolation));
  cairo_set_source(g.cr, pattern);
  cairo_pattern_destroy(pattern);
  cairo_set_fill_rule(g.cr, rule);
  if (brush.alpha >= 1) {
    cairo_fill(g.cr);
    return Ok;
  }
  cairo_save(g.cr);
  cairo_clip(g.cr);
  cairo_paint_with_alpha(g.cr, brush.alpha);
  cairo_restore(g.cr);
  return Ok;
}

template <class Build>
Status WithPen(GpGraphics* graphics, GpPen* pen, Build build) {
  auto* g = As<GraphicsImpl>(graphics);
  auto* p = As<PenImpl>(pen);
  if (!g || !p) return InvalidParameter;
  cairo_new_path(g->cr);
  build(g->cr);
  return Stroke(*g, *p);
}
}  // namespace

Status CairoGdiPlus::GdipDrawLine(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2) {
  return WithPen(graphics, pen, [&](cairo_t* cr) {
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
  });
}

Status CairoGdiPlus::GdipDrawBezier(GpGraphics* graphics, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2, REAL x3,
                                    REAL y3, REAL x4, REAL y4) {
  return WithPen(graphics, pen, [&](cairo_t* cr) {
    cairo_move_to(cr, x1, y1);
    cairo_curve_to(cr, x2, y2, x3, y3, x4, y4);
  });
}

Status CairoGdiPlus::GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  if (width < 0 || height < 0) return As<GraphicsImpl>(graphics) && As<PenImpl>(pen) ? Ok : InvalidParameter;
  return WithPen(graphics, pen, [&](cairo_t* cr) { cairo_rectangle(cr, x, y, width, height); });
}

Status CairoGdiPlus::GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, REAL x, REAL y, REAL width, REAL height) {
  return WithPen(graphics, pen, [&](cairo_t* cr) {
    PathImpl ellipse;
    AddEllipse(ellipse, x, y, width, height);
    ellipse.AppendTo(cr);
  });
}

Status CairoGdiPlus::GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
  auto* p = As<PathImpl>(path);
  if (!p) return InvalidParameter;
  return WithPen(graphics, pen, [&](cairo_t* cr) { p->AppendTo(cr); });
}

Status CairoGdiPlus::GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  auto* g = As<GraphicsImpl>(graphics);
  const BrushData* b = Brush(brush);
  if (!g || !b) return InvalidParameter;
  if (!(width > 0 && height > 0)) return Ok;
  cairo_new_path(g->cr);
  cairo_rectangle(g->cr, x, y, width, height);
  return Fill(*g, *b, CAIRO_FILL_RULE_WINDING);
}

Status CairoGdiPlus::GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
  auto* g = As<GraphicsImpl>(graphics);
  const BrushData* b = Brush(brush);
  auto* p = As<PathImpl>(path);
  if (!g || !b || !p) return InvalidParameter;
  cairo_new_path(g->cr);
  p->AppendTo(g->cr);
  return Fill(*g, *b, p->fillMode == FillModeAlternate ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
}

}  // namespace cairo_impl
}  // namespace gdip
