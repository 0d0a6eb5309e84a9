#pragma once
// Internals of the cairo implementation, shared by its source files.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdiplus/GdiPlus.h"

namespace gdip::cairo_impl {

/// What a brush paints with; pens keep a copy of their brush's data.
struct BrushData {
  enum class Kind { Solid, Linear, Radial, Texture };
  Kind kind = Kind::Solid;
  ARGB color = 0;
  PointF p1, p2;                  // linear: from p1 (position 0) to p2 (position 1)
  RectF bounds;                   // radial: the ellipse; position 0 on it, 1 at its centre
  std::vector<ARGB> blendColors;  // linear and radial stops
  std::vector<REAL> blendPositions;
  WrapMode wrap = WrapModeTile;
  cairo_matrix_t transform;  // brush space to world (radial, texture)
  // The image's own pixels when the brush takes the whole image (shared, not
  // copied: the image must not change while the brush paints), else a copy.
  cairo_surface_t* texture = nullptr;
  double alpha = 1;  // texture: applied as it paints

  BrushData();
  BrushData(const BrushData& other);
  BrushData& operator=(const BrushData& other);
  ~BrushData();

  /// A new reference to a pattern for this brush; nullptr when it paints nothing.
  cairo_pattern_t* CreatePattern() const;
};

struct BrushHolder {
  virtual ~BrushHolder() = default;
  BrushData data;
};
template <class Handle>
struct BrushOf final : Handle, BrushHolder {};

struct PenImpl final : GpPen {
  BrushData brush;
  REAL width = 1;
  Unit unit = UnitWorld;
  LineCap cap = LineCapFlat;
  DashCap dashCap = DashCapFlat;
  LineJoin join = LineJoinMiter;
  DashStyle dashStyle = DashStyleSolid;
  std::vector<REAL> dashes;  // in pen widths
  REAL dashOffset = 0;       // in pen widths
};

struct PathImpl final : GpPath {
  FillMode fillMode = FillModeAlternate;
  std::vector<PointF> points;
  std::vector<BYTE> types;
  bool figureOpen = false;

  void AddLinePoint(PointF p);
  /// Starts a figure at p, or joins p to the open figure's last point.
  void ContinueAt(PointF p);
  void CloseFigure();
  RectF Bounds() const;
  /// Appends the figures to the context's current path (user space).
  void AppendTo(cairo_t* cr) const;
};

struct RegionImpl final : GpRegion {
  enum class Kind { Infinite, Rects, Path };
  Kind kind = Kind::Infinite;
  std::vector<RectF> rects;  // Rects: their union (empty: the empty region)
  PathImpl path;             // Path
  RectF Bounds() const;
  void AppendTo(cairo_t* cr) const;
};

struct MatrixImpl final : GpMatrix {
  cairo_matrix_t m;
};

struct BitmapImpl final : GpBitmap {
  explicit BitmapImpl(cairo_surface_t* s) : surface(s) {}
  ~BitmapImpl() override { cairo_surface_destroy(surface); }
  cairo_surface_t* surface;  // ARGB32, premultiplied
  REAL dpiX = 96, dpiY = 96;
  int Width() const { return cairo_image_surface_get_width(surface); }
  int Height() const { return cairo_image_surface_get_height(surface); }
};

struct AttributesImpl final : GpImageAttributes {
  double alpha = 1;
};

// What cairo's own save and restore do not keep.
struct StateImpl {
  InterpolationMode interpolation;
  TextRenderingHint hint;
};

struct GraphicsImpl final : GpGraphics {
  explicit GraphicsImpl(cairo_surface_t* surface, REAL dpiX = 96, REAL dpiY = 96);
  ~GraphicsImpl() override;
  cairo_t* cr;
  REAL dpiX, dpiY;  // a bitmap's resolution when it was made on one
  InterpolationMode interpolation = InterpolationModeBilinear;
  TextRenderingHint hint = TextRenderingHintSystemDefault;
  std::vector<StateImpl> saved;
  PangoContext* pango = nullptr;                                 // made on first text use
  TextRenderingHint pangoHint = TextRenderingHintSystemDefault;  // the hint its font options carry
};

struct FamilyImpl final : GpFontFamily {
  std::string name;  // UTF-8, as fontconfig knows it
};

struct FontImpl final : GpFont {
  std::string family;
  REAL emSize = 0;
  INT style = 0;
  Unit unit = UnitPoint;
  /// The em size in world units on a graphics of the given resolution.
  double PixelsAt(REAL dpi) const;
};

struct CollectionImpl final : GpFontCollection {
  std::vector<std::string> families;
};

struct FormatImpl final : GpStringFormat {
  INT flags = 0;
  StringAlignment align = StringAlignmentNear;
  StringAlignment lineAlign = StringAlignmentNear;
  std::vector<CharacterRange> ranges;
};

template <class T, class H>
T* As(H* handle) {
  return dynamic_cast<T*>(handle);
}
template <class T, class H>
const T* As(const H* handle) {
  return dynamic_cast<const T*>(handle);
}
// Deletes the object behind a handle; InvalidParameter when the handle is
// null or of another kind.
template <class T, class H>
Status DeleteAs(H* handle) {
  T* object = As<T>(handle);
  if (!object) return InvalidParameter;
  delete object;
  return Ok;
}
// Copies one field of the object behind a handle to `out`; InvalidParameter
// when the handle is null or of another kind, or `out` is null.
template <class T, class H, class V>
Status GetField(const H* handle, V T::*field, V* out) {
  const T* object = As<T>(handle);
  if (!object || !out) return InvalidParameter;
  *out = object->*field;
  return Ok;
}
inline BrushData* Brush(GpBrush* b) {
  auto* holder = dynamic_cast<BrushHolder*>(b);
  return holder ? &holder->data : nullptr;
}
inline const BrushData* Brush(const GpBrush* b) {
  auto* holder = dynamic_cast<const BrushHolder*>(b);
  return holder ? &holder->data : nullptr;
}

/// Straight ARGB into a cairo source colour.
void SetSourceArgb(cairo_t* cr, ARGB color);
cairo_matrix_t ToCairo(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
cairo_filter_t FilterFor(InterpolationMode mode);
/// A premultiplied ARGB32 surface, or nullptr for a bad size or no memory.
cairo_surface_t* NewSurface(int width, int height);
std::string Utf8(const WCHAR* text, INT length);

class CairoGdiPlus final : public GdiPlus {
 public:
  CairoGdiPlus();
  ~CairoGdiPlus() override;
#define GDIP_DECLARE_OVERRIDE(name, params, args) Status name params override;
  GDIP_FUNCTIONS(GDIP_DECLARE_OVERRIDE, GDIP_DECLARE_OVERRIDE)
#undef GDIP_DECLARE_OVERRIDE

 private:
  Status DrawSurface(GraphicsImpl& g, cairo_surface_t* image, RectF dst, RectF src, double alpha);
  bool FamilyInstalled(const std::string& name);
  bool HasStyle(const std::string& family, INT style);
  PangoContext* ContextFor(GraphicsImpl& g);

  PangoFontMap* fontMap_;
  PangoContext* scratch_ = nullptr;  // for text to path, without a graphics
  std::vector<std::string> memoryFontFiles_;
  // Fontconfig answers, kept until the fonts change.
  std::map<std::string, bool> installed_;
  std::map<std::pair<std::string, INT>, bool> styles_;
};

}  // namespace gdip::cairo_impl
