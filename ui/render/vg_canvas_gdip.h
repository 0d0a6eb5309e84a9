#pragma once
// The GDI+ back-end of the toolkit: the binding of the GDI+ flat API, the
// canvas TvgCanvasGdiPlus that the program draws with, and the start and end
// of the back-end, which install the canvas and image filter classes in the
// core's class variables.
//
// All of it runs on the user-interface thread.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdiplus/GdiPlus.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"

namespace vg {

// --- Binding ---------------------------------------------------------------

/// The bound flat API every call of the back-end goes through; nullptr while
/// unbound.
gdip::GdiPlus* GDIPApi();
/// Binds the flat API (our implementation over cairo); nothing when bound.
void LoadGDIPFunctions();
/// Unbinds it; the library object is freed. Nothing when unbound.
void UnloadGDIPFunctions();
/// Binds and starts GDI+ when unbound; raises rtl::Exception when start-up
/// fails (nothing could be drawn).
void InitGDIP();
/// Shuts GDI+ down and unbinds it; nothing when unbound.
void FreeGDIP();
/// Sends every call of the back-end to `api` (a gdip::GdipRecorder in tests)
/// instead of the bound library, until called with nullptr. `api` must pass
/// calls on to the bound library (handles stay the library's).
void RouteGDIPCalls(gdip::GdiPlus* api);

/// GDI+'s generic sans-serif family, made on first request and kept until
/// FreeGDIP; nullptr when unbound or when no such family exists.
gdip::GpFontFamily* GenericSansSerifFamily();

/// The back-end's start: DefaultFilterClass := the GDI+ filter,
/// DefaultCanvasClass := the GDI+ canvas only when no other unit set one,
/// DefaultPrinterCanvasClass := the GDI+ canvas, then InitGDIP.
void StartGdiPlusBackEnd();
/// The back-end's end: FreeGDIP. Scenes, canvases and bitmaps with handles
/// must be gone by then.
void StopGdiPlusBackEnd();

// --- Canvas ----------------------------------------------------------------

/// The GDI+ canvas. Two kinds of surface:
///  - a window canvas (Create): a 32-bit top-down DIB section selected into a
///    memory DC, with a GDI+ graphics on that DC; FlushBuffer copies it out;
///  - a bitmap canvas (CreateFromBitmap): a GDI+ bitmap laid over the
///    TvgBitmap's own pixels, with a graphics on it; nothing is copied.
/// Every drawing operation first turns the fill or stroke into a GDI+ brush
/// or pen (ApplyFill, ApplyStroke) and draws under the current world
/// transform and clip. A canvas without graphics (size never set) draws
/// nothing.
class TvgCanvasGdiPlus : public TvgCanvas {
  RTL_CLASS(TvgCanvasGdiPlus, TvgCanvas)

  /// A window canvas; raises rtl::Exception when the buffer cannot be made.
  TvgCanvasGdiPlus(int width, int height);
  /// A canvas drawing into bitmap's pixels; bitmap must outlive it.
  explicit TvgCanvasGdiPlus(TvgBitmap& bitmap);
  ~TvgCanvasGdiPlus() override;

  /// The class record installed in the class variables.
  static const TvgCanvasClassInfo Class;

  void FontChanged(rtl::TObject* sender) override;
  void FlushBuffer(int x, int y, std::uintptr_t dc) override;
  void FlushBufferRect(int x, int y, std::uintptr_t dc, const TvgRect& rect) override;
  void FreeBuffer() override;
  void ResizeBuffer(int width, int height) override;
  void Clear(TvgColor color) override;
  /// Writes the colour as raw pixel words (no blending; matrix and clip do
  /// not apply) into the buffer, or into the bitmap of a bitmap canvas.
  void ClearRect(const TvgRect& rect, TvgColor color) override;
  void SetMatrix(const TvgMatrix& m) override;
  void MultyMatrix(const TvgMatrix& m) override;
  /// -1 (nothing saved) on a canvas without graphics.
  int SaveCanvas() override;
  void RestoreCanvas(int state) override;
  /// The union of the rectangles; none leaves an empty clip.
  void SetClipRects(const std::vector<TvgRect>& rects) override;
  void IntersectClipRect(const TvgRect& rect) override;
  void ExcludeClipRect(const TvgRect& rect) override;
  void ResetClipRect() override;

  void DrawLine(TvgPoint p1, TvgPoint p2, float opacity) override;
  void FillRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                float opacity, TvgCornerType cornerType = vgCornerRound) override;
  void DrawRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                float opacity, TvgCornerType cornerType = vgCornerRound) override;
  void FillEllipse(const TvgRect& rect, float opacity) override;
  void DrawEllipse(const TvgRect& rect, float opacity) override;
  bool PtInPath(TvgPoint point, const TvgRect& rect, TvgPathData& path) override;
  void FillPath(TvgPathData& path, const TvgRect& rect, float opacity) override;
  /// Strokes every segment by itself (no joins; each gets its own caps).
  void DrawPath(TvgPathData& path, const TvgRect& rect, float opacity) override;
  /// Leaves the interpolation mode it sets (nearest-neighbour when highSpeed).
  void DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest, float opacity,
                  bool highSpeed) override;
  /// On a bitmap canvas only; the scale stays in the world transform.
  void DrawThumbnail(TvgBitmap& bitmap, float width, float height) override;
  /// Copies the stream from its position into the canvas's private fonts.
  bool LoadFontFromStream(rtl::TStream& stream) override;
  void FillText(const TvgRect& rect, const TvgRect& clipRect, const rtl::WideString& text,
                bool wordWrap, float opacity, TvgTextAlign align = vgTextAlignCenter,
                TvgTextAlign vAlign = vgTextAlignCenter) override;
  /// Without wordWrap the layout width is 0 (unlimited) at rect.Left.
  void MeasureText(TvgRect& rect, const TvgRect& clipRect, const rtl::WideString& text,
                   bool wordWrap, TvgTextAlign align, TvgTextAlign vAlign) override;
  bool TextToPath(TvgPathData& path, const TvgRect& rect, const rtl::WideString& text,
                  bool wordWrap, TvgTextAlign align = vgTextAlignCenter,
                  TvgTextAlign vAlign = vgTextAlignCenter) override;
  /// One layout of the text (GdipMeasureCaretOffsets).
  std::vector<float> CaretOffsets(const rtl::WideString& text) override;

  /// Makes sure bitmap's Handle holds a GDI+ bitmap over its pixels (none for
  /// an empty bitmap). The handle goes with the bitmap's OnDestroyHandle,
  /// whatever canvas made it.
  static void UpdateBitmapHandle(TvgBitmap* bitmap);
  /// The bitmap's OnDestroyHandle handler: disposes the GDI+ bitmap.
  static void DoDestroyBitmapHandle(rtl::TObject* sender);

  gdip::GpGraphics* Graphics() const { return FGraphics; }

 protected:
  /// Replaces the fill brush with one for FFill over rect at opacity.
  void ApplyFill(const TvgRect& rect, float opacity);
  /// Replaces the pen and its brush with ones for FStroke and the stroke settings.
  void ApplyStroke(const TvgRect& rect, float opacity);
  void FillRectangle(const TvgRect& rect, float opacity);
  void FillGraphicsPath(gdip::GpPath* path, const TvgRect& rect, float opacity);

 private:
  void CreatePaintObjects();
  // Smoothing, interpolation and text quality of a window surface.
  void SetGraphicsQuality();
  void UpdateFontScale();
  gdip::GpBrush* CreateSolidBrush(TvgColor color);
  gdip::GpBrush* CreateFillGradient(const TvgGradient& gradient, const TvgRect& rect,
                                    float opacity);
  gdip::GpBrush* CreateTexture(TvgBitmap* bitmap, TvgWrapMode wrap, const TvgRect& rect,
                               float opacity, bool stroke);
  void PaintVisual(const TvgRect& rect, float opacity, gdip::GpPath* clipPath);
  gdip::GpPath* CreateRectOutline(const TvgRect& rect, float xRadius, float yRadius,
                                  TvgCorners corners, TvgCornerType cornerType);
  // The font's family from the private fonts, else the installed ones, else
  // the generic sans-serif family.
  void PickFontFamily();
  gdip::GpFont* CreateFont();
  int FontStyleFor(bool fallBack);
  void SetTextAlignment(gdip::GpStringFormat* format, TvgTextAlign align, TvgTextAlign vAlign);
  void SetFontHint();
  bool FractionalScale() const;
  // Runs a text measurement with the text hint of drawing; a canvas without
  // a buffer lends it the graphics of a 1 x 1 scratch bitmap.
  void Measuring(const std::function<void()>& measure);

  gdip::HBITMAP FBufferHandle = nullptr;
  gdip::BITMAPINFO FBitmapInfo{};
  gdip::GpGraphics* FGraphics = nullptr;
  gdip::GpPen* FGPPen = nullptr;
  gdip::GpBrush* FGPPenBrush = nullptr;
  gdip::GpBrush* FGPBrush = nullptr;
  gdip::GpFontFamily* FGPFamily = nullptr;
  gdip::GpFontCollection* FFontCollection = nullptr;
  float FFontScale = 1;
};

/// A TvgRect (Left, Top, Right, Bottom) as a GDI+ rectangle (X, Y, Width, Height).
gdip::RectF GPRectF(const TvgRect& r);

}  // namespace vg
