#pragma once
// The second back-end of the toolkit: TvgCanvasD2D, a canvas drawing through
// the device-independent drawing and text-layout services of platform/d2d,
// and the unit's start and end, which share one drawing factory among all its
// canvases. The program draws with the GDI+ back-end; SetD2DDefault selects
// this one (canvas and TvgFilterWIC) instead.
//
// All of it runs on the user-interface thread.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d2d/D2D.h"
#include "platform/d2d/DWrite.h"
#include "platform/gdiplus/Gdi.h"
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"

namespace vg {

// --- Unit state -------------------------------------------------------------------

/// The unit's start: makes the drawing library available (it is linked in).
void LoadD2DLibraries();
/// The unit's end: the library is no longer available.
void FreeD2DLibraries();
/// Counts a new canvas; the first one makes the shared factories.
void InitD2DFactories();
/// Uncounts a canvas; the last one releases the shared factories.
void FreeD2DFactories();
/// The factory shared by all canvases; nullptr while no canvas lives.
d2d::Factory* D2DFactory();
/// The text service shared by all canvases; nullptr while no canvas lives.
d2d::TextFactory* DWriteFactory();
/// Makes every canvas created from now on take its targets from `factory`
/// (a test fake) instead of a factory of its own; nullptr goes back.
void RouteD2DFactory(d2d::Factory* factory);
/// When the library is available: DefaultCanvasClass := TvgCanvasD2D and
/// DefaultFilterClass := TvgFilterWIC; the printer canvas is not changed.
void SetD2DDefault();

// --- Canvas ------------------------------------------------------------------------

/// The canvas over the drawing service. Three kinds of surface:
///  - an unbuffered window canvas (Create): a window render target that keeps
///    its own pixels, made at the first BeginScene and resized in place;
///    BufferBits shows them to the window that hosts the scene;
///  - a buffered canvas (Create for a transparent scene): a DIB section in a
///    memory DC, as the GDI+ canvas has, drawn through a DC render target;
///  - a bitmap canvas (CreateFromBitmap): a target over a copy of the bitmap's
///    pixels, taken at BeginScene and copied back at EndScene.
/// Drawing happens between BeginScene and EndScene. Brushes and stroke styles
/// are made per figure; clipping pushes layers; saved states keep the
/// target's drawing state. Visual brushes are not painted.
class TvgCanvasD2D : public TvgCanvas {
  RTL_CLASS(TvgCanvasD2D, TvgCanvas)

  TvgCanvasD2D(int width, int height);
  /// A canvas drawing into bitmap; bitmap must outlive it.
  explicit TvgCanvasD2D(TvgBitmap& bitmap);
  ~TvgCanvasD2D() override;

  /// The class record installed in the class variables.
  static const TvgCanvasClassInfo Class;

  void FontChanged(rtl::TObject*) override {}
  /// Makes the render target when there is none; false without a target or
  /// while the window is occluded (then no frame is begun). The first frame
  /// after an occlusion or a lost device asks the scene to repaint it all.
  bool BeginScene() override;
  /// Ends the frame; a lost device frees the target, and the next frame makes
  /// a new one and repaints the whole scene.
  void EndScene() override;
  void FlushBuffer(int x, int y, std::uintptr_t dc) override;
  void FlushBufferRect(int x, int y, std::uintptr_t dc, const TvgRect& rect) override;
  void FreeBuffer() override;
  void ResizeBuffer(int width, int height) override;
  void Clear(TvgColor color) override;
  /// Writes the colour as raw pixel words into the target (no matrix, clip or
  /// blending), as the other back-end does.
  void ClearRect(const TvgRect& rect, TvgColor color) override;
  void SetMatrix(const TvgMatrix& m) override;
  /// -1 without a target.
  int SaveCanvas() override;
  void RestoreCanvas(int state) override;
  /// Clears the rectangles, then clips the frame to them until EndScene;
  /// none leaves everything as it is.
  void SetClipRects(const std::vector<TvgRect>& rects) override;
  /// Only inside a saved state of this frame; the clip ends at its restore.
  void IntersectClipRect(const TvgRect& rect) override;
  void ExcludeClipRect(const TvgRect& rect) override;
  void ResetClipRect() override {}

  void DrawLine(TvgPoint p1, TvgPoint p2, float opacity) override;
  void FillRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                float opacity, TvgCornerType cornerType = vgCornerRound) override;
  void DrawRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                float opacity, TvgCornerType cornerType = vgCornerRound) override;
  void FillEllipse(const TvgRect& rect, float opacity) override;
  void DrawEllipse(const TvgRect& rect, float opacity) override;
  bool PtInPath(TvgPoint point, const TvgRect& rect, TvgPathData& path) override;
  void FillPath(TvgPathData& path, const TvgRect& rect, float opacity) override;
  /// Strokes the figures whole: joins apply between their segments.
  void DrawPath(TvgPathData& path, const TvgRect& rect, float opacity) override;
  void DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest, float opacity,
                  bool highSpeed) override;
  void DrawThumbnail(TvgBitmap&, float, float) override {}
  void FillText(const TvgRect& rect, const TvgRect& clipRect, const rtl::WideString& text,
                bool wordWrap, float opacity, TvgTextAlign align = vgTextAlignCenter,
                TvgTextAlign vAlign = vgTextAlignCenter) override;
  /// Without wordWrap the layout is 0 wide at rect.Left.
  void MeasureText(TvgRect& rect, const TvgRect& clipRect, const rtl::WideString& text,
                   bool wordWrap, TvgTextAlign align, TvgTextAlign vAlign) override;
  /// One layout of the text: the units of a cluster share the caret before it.
  std::vector<float> CaretOffsets(const rtl::WideString& text) override;
  /// The outlines sit relative to rect's own corner, not at its Left and Top.
  bool TextToPath(TvgPathData& path, const TvgRect& rect, const rtl::WideString& text,
                  bool wordWrap, TvgTextAlign align = vgTextAlignCenter,
                  TvgTextAlign vAlign = vgTextAlignCenter) override;

  d2d::RenderTarget* RenderTarget() const { return FRenderTarget.get(); }

 protected:
  /// Makes the render target for the surface when there is none.
  void CreateRenderTarget();
  void FreeRenderTarget();
  /// The fill brush for FFill over rect at opacity.
  d2d::Brush ApplyFill(const TvgRect& rect, float opacity);
  /// The stroke brush and style for FStroke and the stroke settings.
  d2d::Brush ApplyStroke(float opacity);
  void FillPlainRect(const TvgRect& rect, float opacity);
  void FillGeometry(const d2d::PathGeometry& geometry, const TvgRect& rect, float opacity);

 private:
  struct SavedState {
    d2d::DrawingStateBlock block;
    int layers = 0;  // clip layers pushed inside the state
  };
  void InitFromBitmap();
  void ClipTo(const d2d::PathGeometry& mask, d2d::RectF bounds);
  bool Drawing() const { return FRenderTarget && FInFrame; }

  gdip::HBITMAP FBufferHandle = nullptr;
  gdip::BITMAPINFO FBitmapInfo{};
  std::unique_ptr<d2d::RenderTarget> FRenderTarget;
  d2d::StrokeStyle FStrokeStyle;
  d2d::Layer FLayer;
  int FFrameLayers = 0;
  std::vector<std::uint32_t> FWICBitmap;  // a bitmap canvas's pixels the target draws into
  std::vector<SavedState> FStates;        // by slot of the saved states
  std::vector<int> FOpenStates;           // slots saved in this frame and not yet restored
  bool FInFrame = false;
  bool FRepaintAll = false;
};

/// A TvgMatrix as the drawing service's 3 x 2 matrix.
d2d::Matrix3x2F MakeD2DMatrix(const TvgMatrix& m);
/// An ARGB colour at opacity as a straight float colour.
d2d::ColorF MakeD2DColor(TvgColor color, float opacity);
d2d::RectF MakeD2DRect(const TvgRect& r);
/// The rect's centre and half sizes.
d2d::Ellipse MakeD2DEllipse(const TvgRect& r);

}  // namespace vg
