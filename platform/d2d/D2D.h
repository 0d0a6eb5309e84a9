#pragma once
// The device-independent drawing service the second canvas back-end draws
// with: render targets over a bitmap, a window or a memory device context,
// brushes, stroke styles, path geometries with their sinks, layers and
// drawing-state blocks. It follows the shape of the Windows drawing API the
// back-end was designed against, without its object model: brushes, stroke
// styles and geometries are plain values, and only what can fail on a real
// device (ending a frame, the window's state) is virtual, so that a test fake
// can report a lost target or an occluded window.
//
// Everything is drawn with cairo; pixels are premultiplied ARGB words (the
// toolkit's layout), rows top-down, stride width x 4. Colours (ColorF) are
// straight, not premultiplied. All of it runs on the user-interface thread.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdiplus/Gdi.h"

namespace d2d {

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
/// EndDraw's answer when the device was lost: free the target and make a new one.
inline constexpr HRESULT D2DERR_RECREATE_TARGET = HRESULT(0x8899000Cu);

struct ColorF {
  float r = 0, g = 0, b = 0, a = 0;
};
struct Point2F {
  float x = 0, y = 0;
};
struct RectF {
  float left = 0, top = 0, right = 0, bottom = 0;
};
struct SizeU {
  std::uint32_t width = 0, height = 0;
};
struct Ellipse {
  Point2F point;
  float radiusX = 0, radiusY = 0;
};
/// The 3 x 2 matrix of row vectors: x' = x m11 + y m21 + dx, y' = x m12 + y m22 + dy.
struct Matrix3x2F {
  float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
};

enum class CapStyle { Flat = 0, Square = 1, Round = 2, Triangle = 3 };
enum class LineJoin { Miter = 0, Bevel = 1, Round = 2, MiterOrBevel = 3 };
enum class DashStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Custom = 5 };
enum class ExtendMode { Clamp = 0, Wrap = 1, Mirror = 2 };
enum class InterpolationMode { NearestNeighbor = 0, Linear = 1 };
enum class AntialiasMode { PerPrimitive = 0, Aliased = 1 };
enum class FillMode { Alternate = 0, Winding = 1 };
enum class FigureBegin { Filled = 0, Hollow = 1 };
enum class FigureEnd { Open = 0, Closed = 1 };
enum class TextAntialiasMode { Default = 0, ClearType = 1, Grayscale = 2, Aliased = 3 };
enum class DrawTextOptions { None = 0, NoSnap = 1, Clip = 2 };
/// Bit 1 of CheckWindowState's answer.
inline constexpr unsigned WINDOW_STATE_OCCLUDED = 1;

// --- Stroke styles and brushes ------------------------------------------------

struct StrokeStyleProperties {
  CapStyle startCap = CapStyle::Flat, endCap = CapStyle::Flat, dashCap = CapStyle::Flat;
  LineJoin lineJoin = LineJoin::Miter;
  float miterLimit = 10;
  DashStyle dashStyle = DashStyle::Solid;
  float dashOffset = 0;
};
/// Dash lengths and the offset are in stroke widths; `dashes` is used only
/// with DashStyle::Custom, the other styles have their own patterns.
struct StrokeStyle {
  StrokeStyleProperties properties;
  std::vector<float> dashes;
};

struct GradientStop {
  float position = 0;
  ColorF color;
};

/// A picture the target draws: premultiplied ARGB pixels, either its own
/// (`pixels`) or, when made by `BorrowedBitmap`, the caller's.
struct Bitmap {
  SizeU size;
  std::vector<std::uint32_t> pixels;
  const std::uint32_t* borrowed = nullptr;

  const std::uint32_t* Data() const { return borrowed ? borrowed : pixels.data(); }
  bool Empty() const { return size.width == 0 || size.height == 0 || !Data(); }
};

/// A bitmap over `pixels` (width x height words) without copying them: the
/// caller keeps them alive and unchanged while the bitmap, or a brush made
/// of it, is drawn.
Bitmap BorrowedBitmap(const std::uint32_t* pixels, SizeU size);

/// Paint for a fill or stroke. Gradients run in the target's current
/// transform space; a bitmap brush maps the bitmap's pixel (0, 0) to the
/// origin, moved by `transform`.
struct Brush {
  enum Kind { Solid, LinearGradient, RadialGradient, BitmapBrush };
  Kind kind = Solid;
  ColorF color;                      // Solid
  std::vector<GradientStop> stops;   // gradients; clamped at both ends
  Point2F start, end;                // LinearGradient
  Point2F center, originOffset;      // RadialGradient
  float radiusX = 0, radiusY = 0;    // RadialGradient
  std::shared_ptr<const Bitmap> bitmap;  // BitmapBrush
  ExtendMode extendX = ExtendMode::Clamp, extendY = ExtendMode::Clamp;
  InterpolationMode interpolation = InterpolationMode::Linear;
  Matrix3x2F transform;
  float opacity = 1;
};

Brush SolidColorBrush(ColorF color, float opacity = 1);
Brush LinearGradientBrush(Point2F start, Point2F end, std::vector<GradientStop> stops);
Brush RadialGradientBrush(Point2F center, Point2F originOffset, float radiusX, float radiusY,
                          std::vector<GradientStop> stops);
/// A bitmap brush sharing `bitmap` (which it keeps alive).
Brush BitmapBrush(std::shared_ptr<const Bitmap> bitmap, ExtendMode extendX, ExtendMode extendY,
                  InterpolationMode interpolation, const Matrix3x2F& transform, float opacity);

// --- Geometries -------------------------------------------------------------------

/// Receives an outline made of lines and cubic Béziers only.
class SimplifiedGeometrySink {
 public:
  virtual ~SimplifiedGeometrySink() = default;
  virtual void SetFillMode(FillMode mode) = 0;
  virtual void BeginFigure(Point2F start, FigureBegin begin) = 0;
  virtual void AddLines(const Point2F* points, std::uint32_t count) = 0;
  /// Each segment is three points: two controls and the end.
  virtual void AddBeziers(const Point2F* points, std::uint32_t count) = 0;
  virtual void EndFigure(FigureEnd end) = 0;
  virtual HRESULT Close() = 0;
};

/// Figures of lines and cubic Béziers, filled with a fill mode. Filling
/// closes open figures; hollow figures are filled like the others.
class PathGeometry {
 public:
  struct Segment {
    bool bezier = false;
    Point2F c1, c2, end;  // a line uses only `end`
  };
  struct Figure {
    Point2F start;
    FigureBegin begin = FigureBegin::Filled;
    FigureEnd end = FigureEnd::Open;
    std::vector<Segment> segments;
  };

  /// The sink that writes figures into this geometry; Close ends the writing
  /// (a figure left open by the writer is dropped, as an unfinished figure).
  class Sink {
   public:
    explicit Sink(PathGeometry& geometry) : geometry_(geometry) {}
    void SetFillMode(FillMode mode) { geometry_.fillMode_ = mode; }
    void BeginFigure(Point2F start, FigureBegin begin);
    void AddLine(Point2F point);
    void AddBezier(Point2F c1, Point2F c2, Point2F end);
    void EndFigure(FigureEnd end);
    HRESULT Close();

   private:
    PathGeometry& geometry_;
    bool inFigure_ = false;
    Figure figure_;
  };

  Sink Open() { return Sink(*this); }
  FillMode GetFillMode() const { return fillMode_; }
  const std::vector<Figure>& Figures() const { return figures_; }
  /// Whether the filled area holds point, under `transform` (identity when
  /// nullptr), with curves flattened to `tolerance`.
  bool FillContainsPoint(Point2F point, const Matrix3x2F* transform, float tolerance) const;
  /// Writes the outline to sink as lines and cubics, then closes it.
  void Simplify(SimplifiedGeometrySink& sink) const;
  /// Puts the figures on cr as a cairo path (under cr's own matrix).
  void AppendTo(cairo_t* cr) const;

 private:
  friend PathGeometry RectangleGeometry(RectF rect);
  friend PathGeometry GeometryGroup(FillMode mode, const std::vector<PathGeometry>& members);
  FillMode fillMode_ = FillMode::Alternate;
  std::vector<Figure> figures_;
};

PathGeometry RectangleGeometry(RectF rect);
PathGeometry GeometryGroup(FillMode mode, const std::vector<PathGeometry>& members);

// --- Layers and states --------------------------------------------------------------

/// What PushLayer clips to: the content bounds and the geometric mask (in the
/// target's current transform, then maskTransform). Layers are opaque: their
/// content is drawn at full opacity.
struct LayerParameters {
  RectF contentBounds;
  std::shared_ptr<const PathGeometry> geometricMask;
  AntialiasMode maskAntialiasMode = AntialiasMode::PerPrimitive;
  Matrix3x2F maskTransform;
};
/// A layer token; PushLayer needs one, as the drawing API does.
struct Layer {};
/// A saved transform (the drawing state; clips and layers are not part of it).
struct DrawingStateBlock {
  Matrix3x2F transform;
  TextAntialiasMode textAntialiasMode = TextAntialiasMode::Default;
};

class TextLayout;

// --- Render targets ---------------------------------------------------------------

/// One drawing surface. Draw calls run between BeginDraw and EndDraw; the
/// transform, clips and layers apply to each of them.
class RenderTarget {
 public:
  enum Kind { BitmapTarget, WindowTarget, DCTarget };

  /// A target over pixels the caller keeps alive (bitmap targets).
  RenderTarget(Kind kind, std::uint32_t* pixels, SizeU size);
  /// A target that owns its pixels (window targets) or has none yet (DC targets).
  RenderTarget(Kind kind, SizeU size);
  virtual ~RenderTarget();
  RenderTarget(const RenderTarget&) = delete;
  RenderTarget& operator=(const RenderTarget&) = delete;

  Kind GetKind() const { return kind_; }
  SizeU GetPixelSize() const { return size_; }
  /// The target's pixels (premultiplied ARGB, stride width x 4); for a DC
  /// target nullptr until BindDC. Owned by the target or by what it wraps.
  std::uint32_t* Pixels() const { return pixels_; }

  /// The pixels were changed from outside the target (between frames).
  void PixelsChanged();

  virtual void BeginDraw();
  /// S_OK, or D2DERR_RECREATE_TARGET when the device was lost (the target
  /// must then be freed). Pops clips and layers a frame left pushed.
  virtual HRESULT EndDraw();
  /// Window targets: WINDOW_STATE_OCCLUDED while the window cannot be seen.
  /// The real target answers 0: a hidden GTK window is simply not asked to
  /// paint.
  virtual unsigned CheckWindowState();
  /// Window targets: new pixel size; the pixels start transparent.
  HRESULT Resize(SizeU size);
  /// DC targets: draws into the bitmap selected into dc from now on.
  HRESULT BindDC(gdip::HDC dc, RectF rect);

  void SetDpi(float dpiX, float dpiY);
  void SetTextAntialiasMode(TextAntialiasMode mode) { textAntialias_ = mode; }
  void SetTransform(const Matrix3x2F& transform) { transform_ = transform; }

  /// Sets the area of the current clips to color, ignoring the transform.
  void Clear(ColorF color);
  /// Writes color (premultiplied ARGB) as raw words into the pixels of
  /// rect (whole pixels, clipped to the target), outside any clip.
  void ClearPixels(int left, int top, int right, int bottom, std::uint32_t color);
  void PushAxisAlignedClip(RectF rect, AntialiasMode mode);
  void PopAxisAlignedClip();
  void PushLayer(const LayerParameters& parameters, Layer& layer);
  void PopLayer();
  void SaveDrawingState(DrawingStateBlock& block) const;
  void RestoreDrawingState(const DrawingStateBlock& block);

  void DrawLine(Point2F p0, Point2F p1, const Brush& brush, float width, const StrokeStyle* style);
  void DrawRectangle(RectF rect, const Brush& brush, float width, const StrokeStyle* style);
  void FillRectangle(RectF rect, const Brush& brush);
  void DrawEllipse(Ellipse ellipse, const Brush& brush, float width, const StrokeStyle* style);
  void FillEllipse(Ellipse ellipse, const Brush& brush);
  void DrawGeometry(const PathGeometry& geometry, const Brush& brush, float width,
                    const StrokeStyle* style);
  void FillGeometry(const PathGeometry& geometry, const Brush& brush);
  void DrawBitmap(const Bitmap& bitmap, RectF destination, float opacity,
                  InterpolationMode interpolation, RectF source);
  void DrawTextLayout(Point2F origin, const TextLayout& layout, const Brush& brush,
                      DrawTextOptions options);

 private:
  void Attach(std::uint32_t* pixels, SizeU size);
  void Detach();
  void UseTransform();
  void FillPath(const Brush& brush, cairo_fill_rule_t rule);
  void StrokePath(const Brush& brush, float width, const StrokeStyle* style);
  void PushClip();
  void PopClip();

  Kind kind_;
  SizeU size_;
  std::uint32_t* pixels_ = nullptr;
  std::vector<std::uint32_t> ownPixels_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  Matrix3x2F transform_;
  float dpiScale_ = 1;
  TextAntialiasMode textAntialias_ = TextAntialiasMode::Default;
  int pushedClips_ = 0;
};

/// Makes render targets. The base class makes the real ones; a test fake
/// derives from it to hand out targets that fail as devices do.
class Factory {
 public:
  virtual ~Factory() = default;
  /// A target drawing into pixels (width x height words) that the caller
  /// keeps alive as long as the target.
  virtual std::unique_ptr<RenderTarget> CreateBitmapRenderTarget(std::uint32_t* pixels,
                                                                 SizeU size);
  /// A target for window (a window handle; 0 for none) with its own pixels;
  /// the window shows them when it paints.
  virtual std::unique_ptr<RenderTarget> CreateHwndRenderTarget(std::uintptr_t window, SizeU size);
  /// A target drawing into a memory device context once bound (BindDC).
  virtual std::unique_ptr<RenderTarget> CreateDCRenderTarget();
};

}  // namespace d2d
