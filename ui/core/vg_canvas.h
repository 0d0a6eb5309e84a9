#pragma once
// TvgCanvas, the abstract drawing surface every node paints on. It keeps the
// drawing state (size, matrix, fill and stroke brushes, stroke settings,
// font), declares the primitives a back-end implements, and builds on them
// the operations that need nothing else: dash presets, arcs, polygons, a
// rectangle outline with selectable sides, text extents, copying the buffer
// out, and the bookkeeping of saved states.
//
// The canvas "class variables": the back-end installs the factories of its
// concrete canvas in DefaultCanvasClass (screens and bitmaps) and
// DefaultPrinterCanvasClass when it starts (tests install a fake).
//
// Path operations map the path's own bounds B onto the rectangle R given with
// it: x' = (x - B.Left) / width(B) * width(R) + R.Left, y' likewise; a path
// whose bounds have no area draws nothing and contains no point.
#include <cstdint>
#include <vector>

#include "platform/rtl/Persistent.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"
#include "ui/core/vg_colors.h"
#include "ui/core/vg_persistent.h"
#include "ui/core/vg_types.h"

namespace vg {

class TvgBitmap;
class TvgBrush;
class TvgFont;
class TvgPathData;
class IvgScene;

enum TvgStrokeCap { vgCapFlat, vgCapRound };
enum TvgStrokeJoin { vgJoinMiter, vgJoinRound, vgJoinBevel };
enum TvgStrokeDash {
  vgDashSolid,
  vgDashDash,
  vgDashDot,
  vgDashDashDot,
  vgDashDashDotDot,
  vgDashCustom
};
enum TvgTextAlign { vgTextAlignCenter, vgTextAlignNear, vgTextAlignFar };
RTL_ENUM_NAMES(TvgStrokeCap, vgCapFlat, vgCapRound)
RTL_ENUM_NAMES(TvgStrokeJoin, vgJoinMiter, vgJoinRound, vgJoinBevel)
RTL_ENUM_NAMES(TvgStrokeDash, vgDashSolid, vgDashDash, vgDashDot, vgDashDashDot, vgDashDashDotDot,
               vgDashCustom)
RTL_ENUM_NAMES(TvgTextAlign, vgTextAlignCenter, vgTextAlignNear, vgTextAlignFar)

// One saved drawing state. Index is the back-end's token for its platform
// state; kFreeSlot marks a slot that may be reused.
struct TvgSaveData {
  static constexpr std::uintptr_t kFreeSlot = ~std::uintptr_t(0);
  std::uintptr_t Index = kFreeSlot;
  TvgMatrix Matrix = IdentityMatrix;
  TvgMatrix AbsoluteMatrix = IdentityMatrix;
  TvgMatrix InvertMatrix = IdentityMatrix;
  TvgOwned<TvgBrush> Fill;
  TvgOwned<TvgBrush> Stroke;
  float StrokeThickness = 1;
  TvgStrokeCap StrokeCap = vgCapFlat;
  TvgStrokeJoin StrokeJoin = vgJoinMiter;
  TvgStrokeDash StrokeDash = vgDashSolid;
  std::vector<float> Dash;
  float DashOffset = 0;
  TvgOwned<TvgFont> Font;
  void* Data = nullptr;
};
using TvgSaveDataArray = std::vector<TvgSaveData>;

class TvgCanvas : public rtl::TPersistent {
  RTL_CLASS(TvgCanvas, rtl::TPersistent)

  // Destroys the saved states, font and brushes. A buffered back-end frees
  // its buffer in its own destructor (a base destructor cannot reach it).
  ~TvgCanvas() override;

  // The font changed; the back-end rebuilds its platform font.
  virtual void FontChanged(rtl::TObject* sender);

  // Starts a frame; false means nothing may be drawn.
  virtual bool BeginScene() { return true; }
  virtual void EndScene() {}

  // Buffer. The abstract operations below raise rtl::EAbstractError here.
  virtual void FlushBuffer(int x, int y, std::uintptr_t dc);
  virtual void FlushBufferRect(int x, int y, std::uintptr_t dc, const TvgRect& rect);
  virtual void FreeBuffer();
  virtual void ResizeBuffer(int width, int height);
  // Sets every pixel (of the rectangle) to the colour, without blending.
  virtual void Clear(TvgColor color);
  virtual void ClearRect(const TvgRect& rect, TvgColor color);

  // Transform.
  virtual void SetMatrix(const TvgMatrix& m) { FMatrix = m; }
  virtual void MultyMatrix(const TvgMatrix&) {}
  const TvgMatrix& Matrix() const { return FMatrix; }

  // Saved states: SaveCanvas returns the slot index, RestoreCanvas restores
  // that state and frees the slot; an index outside the slots is ignored.
  virtual int SaveCanvas();
  virtual void RestoreCanvas(int state);

  // Clipping, in current world coordinates.
  virtual void SetClipRects(const std::vector<TvgRect>& rects);
  virtual void IntersectClipRect(const TvgRect& rect);
  virtual void ExcludeClipRect(const TvgRect& rect);
  virtual void ResetClipRect();

  // Drawing with the stroke (Draw*) or the fill (Fill*).
  virtual void DrawLine(TvgPoint p1, TvgPoint p2, float opacity);
  virtual void FillRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                        float opacity, TvgCornerType cornerType = vgCornerRound);
  virtual void DrawRect(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                        float opacity, TvgCornerType cornerType = vgCornerRound);
  virtual void FillEllipse(const TvgRect& rect, float opacity);
  virtual void DrawEllipse(const TvgRect& rect, float opacity);
  // True when point lies in rect and inside path mapped onto rect.
  virtual bool PtInPath(TvgPoint point, const TvgRect& rect, TvgPathData& path);
  virtual void FillPath(TvgPathData& path, const TvgRect& rect, float opacity);
  virtual void DrawPath(TvgPathData& path, const TvgRect& rect, float opacity);
  // Draws the source part of bitmap into dest under the current matrix;
  // highSpeed chooses nearest-neighbour sampling.
  virtual void DrawBitmap(TvgBitmap& bitmap, const TvgRect& source, const TvgRect& dest,
                          float opacity, bool highSpeed);
  // Draws bitmap at the origin scaled by width / bitmap width.
  virtual void DrawThumbnail(TvgBitmap& bitmap, float width, float height);
  // A polygon's figures are separated by ClosePolygon; filling closes them.
  virtual void FillPolygon(const TvgPolygon& polygon, float opacity);
  virtual void DrawPolygon(const TvgPolygon& polygon, float opacity);

  // Text (UTF-16) with the fill and the font.
  // Makes a font from a stream available; the base loads nothing.
  virtual bool LoadFontFromStream(rtl::TStream& stream);
  virtual void FillText(const TvgRect& rect, const TvgRect& clipRect, const rtl::WideString& text,
                        bool wordWrap, float opacity, TvgTextAlign align = vgTextAlignCenter,
                        TvgTextAlign vAlign = vgTextAlignCenter);
  // Sets rect to the area the text occupies.
  virtual void MeasureText(TvgRect& rect, const TvgRect& clipRect, const rtl::WideString& text,
                           bool wordWrap, TvgTextAlign align, TvgTextAlign vAlign);
  // The x of the caret before each unit of the text and after the last (a
  // vector of length + 1, the first 0), the text set on one line with the
  // font: offsets[n] is the width of the first n units. The base measures
  // every prefix; canvases that lay text out override it with one layout.
  virtual std::vector<float> CaretOffsets(const rtl::WideString& text);
  // Appends the outlines of the text to path; false when nothing was made.
  virtual bool TextToPath(TvgPathData& path, const TvgRect& rect, const rtl::WideString& text,
                          bool wordWrap, TvgTextAlign align = vgTextAlignCenter,
                          TvgTextAlign vAlign = vgTextAlignCenter);

  // Operations built on the primitives.
  void SetStrokeDash(TvgStrokeDash style);
  void SetCustomDash(const std::vector<float>& pattern, float offset);
  // Angles in degrees, as TvgPathData::AddArc.
  void FillArc(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle, float opacity);
  void DrawArc(TvgPoint center, TvgPoint radius, float startAngle, float sweepAngle, float opacity);
  // The rectangle outline of TvgPathData::AddRectangle with only the given
  // sides drawn (pen up along the others).
  void DrawRectSides(const TvgRect& rect, float xRadius, float yRadius, TvgCorners corners,
                     float opacity, TvgSides sides, TvgCornerType cornerType = vgCornerRound);
  float TextWidth(const rtl::WideString& text);
  float TextHeight(const rtl::WideString& text);
  // A buffered canvas's pixels as a picture (PNG when translucent, else
  // JPEG); false when nothing was written.
  bool SaveToStream(rtl::TStream& stream);
  // Copies Width * Height pixels of a buffered canvas to bits.
  void SaveToBits(void* bits);

  // Drawing state.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TvgBrush* Fill() const { return FFill.get(); }
  TvgBrush* Stroke() const { return FStroke.get(); }
  TvgFont* Font() const { return FFont.get(); }
  float StrokeThickness() const { return FStrokeThickness; }
  void SetStrokeThickness(float thickness) { FStrokeThickness = thickness; }
  TvgStrokeCap StrokeCap() const { return FStrokeCap; }
  void SetStrokeCap(TvgStrokeCap cap) { FStrokeCap = cap; }
  TvgStrokeJoin StrokeJoin() const { return FStrokeJoin; }
  void SetStrokeJoin(TvgStrokeJoin join) { FStrokeJoin = join; }
  TvgStrokeDash StrokeDash() const { return FStrokeDash; }
  const std::vector<float>& Dash() const { return FDash; }
  float DashOffset() const { return FDashOffset; }
  bool Buffered() const { return FBuffered; }
  std::uint32_t* BufferBits() const { return FBufferBits; }
  std::uintptr_t Handle() const { return FHandle; }
  std::uintptr_t Parent() const { return FParent; }
  void SetParent(std::uintptr_t parent) { FParent = parent; }
  IvgScene* Scene() const { return FScene; }
  void SetScene(IvgScene* scene) { FScene = scene; }
  TvgBitmap* Bitmap() const { return FBitmap; }
  bool Resized() const { return FResized; }
  void SetResized(bool resized) { FResized = resized; }
  const TvgSaveDataArray& SaveData() const { return FSaveData; }

 protected:
  // A canvas of no size with white fill, black stroke and the default font;
  // a window back-end then sizes its buffer with ResizeBuffer.
  TvgCanvas();
  // A canvas for drawing into bitmap: its size, no buffer.
  explicit TvgCanvas(TvgBitmap& bitmap);

  // Copies the buffer into a TvgBitmap; any other destination raises
  // rtl::EConvertError.
  void AssignTo(rtl::TPersistent* dest) const override;

  // The saved-state contract shared by the back-ends: StoreState keeps the
  // drawing state in the first free slot (or a new one) under the platform
  // token and returns its index; LoadState puts slot index's state back
  // (SetMatrix and FontChanged run) and frees the slot. A slot saved with a
  // solid dash restores an empty pattern.
  int StoreState(std::uintptr_t token);
  void LoadState(int index);
  // Whether state names a slot in use (any int, taken unsigned).
  bool IsSavedState(int state) const;

  int FWidth = 0;
  int FHeight = 0;
  TvgMatrix FMatrix = IdentityMatrix;
  TvgOwned<TvgBrush> FFill;
  TvgOwned<TvgBrush> FStroke;
  float FStrokeThickness = 1;
  TvgStrokeCap FStrokeCap = vgCapFlat;
  TvgStrokeJoin FStrokeJoin = vgJoinMiter;
  TvgStrokeDash FStrokeDash = vgDashSolid;
  std::vector<float> FDash;
  float FDashOffset = 0;
  TvgOwned<TvgFont> FFont;
  TvgBitmap* FBitmap = nullptr;
  bool FResized = false;
  TvgSaveDataArray FSaveData;
  bool FBuffered = false;
  std::uint32_t* FBufferBits = nullptr;
  std::uintptr_t FHandle = 0;
  std::uintptr_t FParent = 0;
  IvgScene* FScene = nullptr;

 private:
  void CreateDrawingState();
};

// What a visual brush paints with: the node it links implements this, and the
// canvas paints it into the filled area at the brush's opacity.
class IvgVisualPaint {
 public:
  virtual float GetOpacity() const = 0;
  virtual void SetOpacity(float opacity) = 0;
  virtual void PaintTo(TvgCanvas& canvas, const TvgRect& rect) = 0;

 protected:
  ~IvgVisualPaint() = default;
};

struct TvgCanvasClassInfo {
  // A canvas drawing into bitmap, sized like it; owned by the caller.
  TvgCanvas* (*CreateFromBitmap)(TvgBitmap& bitmap) = nullptr;
  // Address of row y of bitmap's pixels; nullptr outside 0 <= y < Height.
  std::uint32_t* (*GetBitmapScanline)(TvgBitmap& bitmap, int y) = nullptr;
  // A window or offscreen canvas with a buffer of that size; owned by the caller.
  TvgCanvas* (*Create)(int width, int height) = nullptr;
};
using TvgCanvasClass = const TvgCanvasClassInfo*;

extern TvgCanvasClass DefaultCanvasClass;
extern TvgCanvasClass DefaultPrinterCanvasClass;

// Saves a canvas's state when made and restores it when it goes out of scope.
class TvgSavedCanvasState {
 public:
  explicit TvgSavedCanvasState(TvgCanvas& canvas) : FCanvas(canvas), FState(canvas.SaveCanvas()) {}
  ~TvgSavedCanvasState() { FCanvas.RestoreCanvas(FState); }
  TvgSavedCanvasState(const TvgSavedCanvasState&) = delete;
  TvgSavedCanvasState& operator=(const TvgSavedCanvasState&) = delete;

 private:
  TvgCanvas& FCanvas;
  int FState;
};

}  // namespace vg
