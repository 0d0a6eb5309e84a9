// TvgCanvasGdiPlus: surfaces, matrix, saved states, clipping, and the
// translation of the fill and stroke into GDI+ brushes and pens.
#include "ui/render/vg_canvas_gdip.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Rounding.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_pixels.h"
#include "ui/render/vg_gdip_internal.h"

namespace vg {

using namespace gdip;
using gdip_internal::G;

namespace {

std::uint32_t* ScanlineOf(TvgBitmap& bitmap, int y) {
  return y >= 0 && y < bitmap.Height() && bitmap.Bits()
             ? bitmap.Bits() + ptrdiff_t(y) * bitmap.Width()
             : nullptr;
}

// Colour stops of the gradient in use; they grow with the largest gradient
// seen and are reused (one user-interface thread draws).
struct StopBuffers {
  std::vector<ARGB> colors;
  std::vector<REAL> positions;
  void Clear() {
    colors.clear();
    positions.clear();
  }
  void Add(ARGB color, REAL position) {
    colors.push_back(color);
    positions.push_back(position);
  }
  INT Count() const { return INT(colors.size()); }
};
StopBuffers& Stops() {
  static StopBuffers stops;
  return stops;
}

GpMatrix* NewMatrix(const TvgMatrix& m) {
  GpMatrix* matrix = nullptr;
  G().GdipCreateMatrix2(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32, &matrix);
  return matrix;
}

GpPointF GradientPoint(const TvgPosition& position, const TvgRect& r) {
  // The positions scale by the rectangle's Right and Bottom, not its size:
  // styles were drawn with this and look as they should at the origin.
  return {position.X() * r.Right + r.Left, position.Y() * r.Bottom + r.Top};
}

}  // namespace

RectF GPRectF(const TvgRect& r) { return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top}; }

const TvgCanvasClassInfo TvgCanvasGdiPlus::Class = {
    [](TvgBitmap& bitmap) -> TvgCanvas* { return new TvgCanvasGdiPlus(bitmap); },
    [](TvgBitmap& bitmap, int y) { return ScanlineOf(bitmap, y); },
    [](int width, int height) -> TvgCanvas* { return new TvgCanvasGdiPlus(width, height); }};

// --- Construction and surfaces -----------------------------------------------

TvgCanvasGdiPlus::TvgCanvasGdiPlus(int width, int height) {
  FBuffered = true;
  ResizeBuffer(width, height);
  CreatePaintObjects();
}

TvgCanvasGdiPlus::TvgCanvasGdiPlus(TvgBitmap& bitmap) : TvgCanvas(bitmap) {
  FBitmap = &bitmap;
  UpdateBitmapHandle(&bitmap);
  if (auto* image = reinterpret_cast<GpImage*>(bitmap.Handle())) {
    G().GdipGetImageGraphicsContext(image, &FGraphics);
    G().GdipSetSmoothingMode(FGraphics, SmoothingModeHighQuality);
    G().GdipSetPixelOffsetMode(FGraphics, PixelOffsetModeHalf);
    G().GdipSetTextContrast(FGraphics, 2);
  }
  CreatePaintObjects();
}

void TvgCanvasGdiPlus::CreatePaintObjects() {
  G().GdipCreatePen1(0xFF000000, 1, UnitWorld, &FGPPen);
  GpSolidFill* solid = nullptr;
  G().GdipCreateSolidFill(0xFF000000, &solid);
  FGPPenBrush = solid;
  G().GdipCreateSolidFill(0xFFFFFFFF, &solid);
  FGPBrush = solid;
  // "Tahoma" is the font's default family; where it is not installed it
  // falls back as any other name does. The hint stays GDI+'s default until
  // the font first changes.
  PickFontFamily();
  UpdateFontScale();
}

TvgCanvasGdiPlus::~TvgCanvasGdiPlus() {
  if (!GDIPApi()) {  // the back-end ended first: its objects went with it
    FGraphics = nullptr;
    FreeBuffer();
    return;
  }
  if (FFontCollection) G().GdipDeletePrivateFontCollection(&FFontCollection);
  if (FGraphics) G().GdipDeleteGraphics(FGraphics);
  FGraphics = nullptr;
  if (FGPFamily) G().GdipDeleteFontFamily(FGPFamily);
  if (FGPBrush) G().GdipDeleteBrush(FGPBrush);
  if (FGPPenBrush) G().GdipDeleteBrush(FGPPenBrush);
  if (FGPPen) G().GdipDeletePen(FGPPen);
  FreeBuffer();
}

void TvgCanvasGdiPlus::UpdateFontScale() {
  REAL dpi = 96;
  FFontScale = FGraphics && G().GdipGetDpiX(FGraphics, &dpi) == Ok && dpi > 0 ? 96 / dpi : 1;
}

void TvgCanvasGdiPlus::SetGraphicsQuality() {
  G().GdipSetSmoothingMode(FGraphics, SmoothingModeHighQuality);
  G().GdipSetInterpolationMode(FGraphics, InterpolationModeHighQuality);
  G().GdipSetPixelOffsetMode(FGraphics, PixelOffsetModeHalf);
  G().GdipSetCompositingMode(FGraphics, CompositingModeSourceOver);
  G().GdipSetTextContrast(FGraphics, 2);
}

void TvgCanvasGdiPlus::FreeBuffer() {
  if (FGraphics) G().GdipDeleteGraphics(FGraphics);
  FGraphics = nullptr;
  if (FBuffered && FBufferHandle) {
    DeleteDC(reinterpret_cast<HDC>(FHandle));
    FHandle = 0;
    DeleteObject(FBufferHandle);
    FBufferHandle = nullptr;
    FBufferBits = nullptr;  // the pixels went with the DIB
  }
}

void TvgCanvasGdiPlus::ResizeBuffer(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  FreeBuffer();
  FWidth = std::max(width, 1);
  FHeight = std::max(height, 1);
  FResized = true;
  if (!FBuffered) return;
  FBitmapInfo = {};
  FBitmapInfo.bmiHeader.biWidth = FWidth;
  FBitmapInfo.bmiHeader.biHeight = -FHeight;
  void* bits = nullptr;
  FBufferHandle = CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  FBufferBits = static_cast<std::uint32_t*>(bits);
  if (!FBufferBits) {
    FBufferHandle = nullptr;
    throw rtl::Exception("Can't allocate the DIB handle");
  }
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    DeleteObject(FBufferHandle);
    FBufferHandle = nullptr;
    FHandle = 0;
    FBufferBits = nullptr;
    throw rtl::Exception("Can't create compatible DC");
  }
  FHandle = reinterpret_cast<std::uintptr_t>(dc);
  if (!SelectObject(dc, FBufferHandle)) {
    DeleteDC(dc);
    DeleteObject(FBufferHandle);
    FHandle = 0;
    FBufferHandle = nullptr;
    FBufferBits = nullptr;
    throw rtl::Exception("Can't select an object into DC");
  }
  G().GdipCreateFromHDC(dc, &FGraphics);
  if (FGraphics) SetGraphicsQuality();
  UpdateFontScale();
}

void TvgCanvasGdiPlus::FlushBuffer(int x, int y, std::uintptr_t dc) {
  if (!FBufferHandle || !dc) return;
  BitBlt(reinterpret_cast<HDC>(dc), x, y, FWidth, FHeight, reinterpret_cast<HDC>(FHandle), 0, 0,
         SRCCOPY);
}

void TvgCanvasGdiPlus::FlushBufferRect(int x, int y, std::uintptr_t dc, const TvgRect& rect) {
  if (!FBufferHandle || !dc) return;
  const int left = int(rtl::Trunc(rect.Left)), top = int(rtl::Trunc(rect.Top));
  const int right = int(rtl::Trunc(rect.Right)) + 1, bottom = int(rtl::Trunc(rect.Bottom)) + 1;
  BitBlt(reinterpret_cast<HDC>(dc), x + left, y + top, right - left, bottom - top,
         reinterpret_cast<HDC>(FHandle), left, top, SRCCOPY);
}

void TvgCanvasGdiPlus::Clear(TvgColor color) {
  if (FGraphics) G().GdipGraphicsClear(FGraphics, color);
}

void TvgCanvasGdiPlus::ClearRect(const TvgRect& rect, TvgColor color) {
  // A bitmap canvas clears its bitmap's own pixels.
  std::uint32_t* pixels = FBuffered ? FBufferBits : FBitmap ? FBitmap->Bits() : nullptr;
  if (!pixels) return;
  const int width = FBuffered ? FWidth : FBitmap->Width();
  const int height = FBuffered ? FHeight : FBitmap->Height();
  auto toInt = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30)); };
  int left = std::max(toInt(rtl::Trunc(rect.Left)), 0);
  int top = std::max(toInt(rtl::Trunc(rect.Top)), 0);
  int right = std::min(toInt(rtl::Round(rect.Right)), width);
  int bottom = std::min(toInt(rtl::Round(rect.Bottom)), height);
  bottom = std::max(bottom, top);
  right = std::max(right, left);
  if (right >= 0 && top >= 0 && left <= width && top <= height)
    vgFillLongwordRect(pixels, width, height, left, top, right, bottom, color);
}

// --- Matrix, saved states, clipping -------------------------------------------

void TvgCanvasGdiPlus::SetMatrix(const TvgMatrix& m) {
  FMatrix = m;
  if (!FGraphics) return;
  GpMatrix* matrix = NewMatrix(m);
  G().GdipShearMatrix(matrix, m.m13, m.m23, MatrixOrderPrepend);
  G().GdipSetWorldTransform(FGraphics, matrix);
  G().GdipDeleteMatrix(matrix);
}

void TvgCanvasGdiPlus::MultyMatrix(const TvgMatrix& m) {
  if (!FGraphics) return;
  GpMatrix* matrix = NewMatrix(m);
  G().GdipShearMatrix(matrix, m.m13, m.m23, MatrixOrderPrepend);
  G().GdipMultiplyWorldTransform(FGraphics, matrix, MatrixOrderPrepend);
  G().GdipDeleteMatrix(matrix);
}

int TvgCanvasGdiPlus::SaveCanvas() {
  if (!FGraphics) return -1;
  GraphicsState state = 0;
  G().GdipSaveGraphics(FGraphics, &state);
  return StoreState(state);
}

void TvgCanvasGdiPlus::RestoreCanvas(int state) {
  if (!FGraphics || !IsSavedState(state)) return;
  G().GdipRestoreGraphics(FGraphics, GraphicsState(FSaveData[unsigned(state)].Index));
  LoadState(state);
}

void TvgCanvasGdiPlus::SetClipRects(const std::vector<TvgRect>& rects) {
  if (!FGraphics) return;
  GpRegion* region = nullptr;
  G().GdipCreateRegion(&region);
  G().GdipSetEmpty(region);
  for (const TvgRect& r : rects) {
    const RectF rect = GPRectF(r);
    G().GdipCombineRegionRect(region, &rect, CombineModeUnion);
  }
  G().GdipSetClipRegion(FGraphics, region, CombineModeReplace);
  G().GdipDeleteRegion(region);
}

void TvgCanvasGdiPlus::IntersectClipRect(const TvgRect& rect) {
  if (!FGraphics) return;
  const RectF r = GPRectF(rect);
  G().GdipSetClipRect(FGraphics, r.X, r.Y, r.Width, r.Height, CombineModeIntersect);
}

void TvgCanvasGdiPlus::ExcludeClipRect(const TvgRect& rect) {
  if (!FGraphics) return;
  const RectF r = GPRectF(rect);
  G().GdipSetClipRect(FGraphics, r.X, r.Y, r.Width, r.Height, CombineModeExclude);
}

void TvgCanvasGdiPlus::ResetClipRect() {
  if (FGraphics) G().GdipResetClip(FGraphics);
}

// --- Bitmap handles -------------------------------------------------------------

void TvgCanvasGdiPlus::UpdateBitmapHandle(TvgBitmap* bitmap) {
  if (!bitmap || bitmap->IsEmpty() || !GDIPApi()) return;
  // Over the pixels as they are, shared or not: a texture only reads them,
  // and a bitmap with a canvas keeps its pixels to itself.
  auto create = [bitmap] {
    GpBitmap* image = nullptr;
    G().GdipCreateBitmapFromScan0(
        bitmap->Width(), bitmap->Height(), bitmap->Width() * 4, PixelFormat32bppPARGB,
        reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(bitmap->ConstBits())), &image);
    bitmap->SetHandle(reinterpret_cast<std::uintptr_t>(image));
  };
  if (!bitmap->Handle()) {
    create();
    // A free function, not a method of this canvas: the bitmap may outlive it.
    bitmap->OnDestroyHandle = &TvgCanvasGdiPlus::DoDestroyBitmapHandle;
  }
  if (auto* image = reinterpret_cast<GpImage*>(bitmap->Handle())) {
    UINT width = 0, height = 0;
    G().GdipGetImageWidth(image, &width);
    G().GdipGetImageHeight(image, &height);
    if (int(width) != bitmap->Width() || int(height) != bitmap->Height()) {
      G().GdipDisposeImage(image);
      create();
    }
  }
  bitmap->SetNeedUpdate(false);
}

void TvgCanvasGdiPlus::DoDestroyBitmapHandle(rtl::TObject* sender) {
  auto* bitmap = dynamic_cast<TvgBitmap*>(sender);
  if (!bitmap || !bitmap->Handle()) return;
  if (GDIPApi()) G().GdipDisposeImage(reinterpret_cast<GpImage*>(bitmap->Handle()));
  bitmap->SetHandle(0);
}

// --- Fill and stroke ----------------------------------------------------------------

GpBrush* TvgCanvasGdiPlus::CreateSolidBrush(TvgColor color) {
  GpSolidFill* brush = nullptr;
  G().GdipCreateSolidFill(color, &brush);
  return brush;
}

namespace {

// A brush linking a named brush takes over that brush's paint.
void ResolveResource(TvgBrush& brush) {
  if (brush.Style() != vgBrushResource) return;
  if (TvgBrush* linked = brush.Resource()->GetBrush(); linked && linked != &brush)
    brush.Assign(linked);
}

}  // namespace

GpBrush* TvgCanvasGdiPlus::CreateFillGradient(const TvgGradient& gradient, const TvgRect& rect,
                                              float opacity) {
  TvgGradientPoints& points = *gradient.Points();
  const int count = points.Count();
  StopBuffers& stops = Stops();
  stops.Clear();
  if (points.Points(0)->Offset() > 0)
    stops.Add(vgOpacity(points.Points(0)->IntColor(), opacity), 0);
  for (int i = 0; i < count; ++i)
    stops.Add(vgOpacity(points.Points(i)->IntColor(), opacity), points.Points(i)->Offset());
  if (points.Points(count - 1)->Offset() < 1)
    stops.Add(vgOpacity(points.Points(count - 1)->IntColor(), opacity), 1);

  const TvgColor solid = FFill->GetSolidColor();
  if (gradient.Style() == vgLinearGradient) {
    const GpPointF p1 = GradientPoint(*gradient.StartPosition(), rect);
    const GpPointF p2 = GradientPoint(*gradient.StopPosition(), rect);
    GpLineGradient* brush = nullptr;
    G().GdipCreateLineBrush(&p1, &p2, solid, solid, WrapModeTile, &brush);
    G().GdipSetLineWrapMode(brush, WrapModeTileFlipX);
    G().GdipSetLinePresetBlend(brush, stops.colors.data(), stops.positions.data(), stops.Count());
    return brush;
  }
  GpPath* ellipse = nullptr;
  G().GdipCreatePath(FillModeAlternate, &ellipse);
  const RectF r = GPRectF(rect);
  G().GdipAddPathEllipse(ellipse, r.X, r.Y, r.Width, r.Height);
  GpPathGradient* brush = nullptr;
  G().GdipCreatePathGradientFromPath(ellipse, &brush);
  GpMatrix* transform = NewMatrix(gradient.RadialTransform()->Matrix());
  G().GdipSetPathGradientTransform(brush, transform);
  G().GdipDeleteMatrix(transform);
  G().GdipSetPathGradientWrapMode(brush, WrapModeClamp);
  G().GdipSetPathGradientPresetBlend(brush, stops.colors.data(), stops.positions.data(),
                                     stops.Count());
  G().GdipDeletePath(ellipse);
  return brush;
}

GpBrush* TvgCanvasGdiPlus::CreateTexture(TvgBitmap* bitmap, TvgWrapMode wrap, const TvgRect& rect,
                                         float opacity, bool stroke) {
  if (!bitmap || bitmap->Width() <= 0 || bitmap->Height() <= 0) return nullptr;
  UpdateBitmapHandle(bitmap);
  auto* image = reinterpret_cast<GpImage*>(bitmap->Handle());
  if (!image) return nullptr;
  const float width = float(bitmap->Width()), height = float(bitmap->Height());
  GpTexture* brush = nullptr;
  if (stroke) {
    G().GdipCreateTexture(image, wrap == vgWrapTileStretch ? WrapModeClamp : WrapMode(wrap),
                          &brush);
    if (wrap == vgWrapTileStretch)
      G().GdipScaleTextureTransform(brush, vgRectWidth(rect) / width, vgRectHeight(rect) / height,
                                    MatrixOrderPrepend);
    return brush;
  }
  GpImageAttributes* attributes = gdip_internal::AlphaAttributes(opacity);
  G().GdipCreateTextureIA(image, attributes, 0, 0, width, height, &brush);
  if (wrap == vgWrapTileStretch) {
    G().GdipSetTextureWrapMode(brush, WrapModeClamp);
    G().GdipScaleTextureTransform(brush, (vgRectWidth(rect) + FStrokeThickness / 2) / width,
                                  (vgRectHeight(rect) + FStrokeThickness / 2) / height,
                                  MatrixOrderPrepend);
  } else {
    G().GdipSetTextureWrapMode(brush, WrapMode(wrap));
  }
  if (attributes) G().GdipDisposeImageAttributes(attributes);
  return brush;
}

void TvgCanvasGdiPlus::ApplyFill(const TvgRect& rect, float opacity) {
  if (FGPBrush) G().GdipDeleteBrush(FGPBrush);
  FGPBrush = nullptr;
  ResolveResource(*FFill);
  switch (FFill->Style()) {
    case vgBrushSolid:
      FGPBrush = CreateSolidBrush(vgOpacity(FFill->SolidColor(), opacity));
      break;
    case vgBrushGradient:
      if (FFill->Gradient()->Points()->Count() >= 2)
        FGPBrush = CreateFillGradient(*FFill->Gradient(), rect, opacity);
      else
        FGPBrush = CreateSolidBrush(vgOpacity(FFill->GetSolidColor(), opacity));
      break;
    case vgBrushBitmap: {
      TvgBitmap* source = FFill->Bitmap()->Bitmap();
      if (source && source->GetBitmap()) source = source->GetBitmap();
      FGPBrush = CreateTexture(source, FFill->Bitmap()->WrapMode(), rect, opacity, false);
      break;
    }
    default:
      break;
  }
  if (!FGPBrush) FGPBrush = CreateSolidBrush(0);
}

void TvgCanvasGdiPlus::ApplyStroke(const TvgRect& rect, float opacity) {
  if (FGPPen) G().GdipDeletePen(FGPPen);
  if (FGPPenBrush) G().GdipDeleteBrush(FGPPenBrush);
  FGPPen = nullptr;
  FGPPenBrush = nullptr;
  ResolveResource(*FStroke);
  const TvgGradient& gradient = *FStroke->Gradient();
  const int points = gradient.Points()->Count();
  switch (FStroke->Style()) {
    case vgBrushSolid:
      FGPPenBrush = CreateSolidBrush(vgOpacity(FStroke->SolidColor(), opacity));
      break;
    case vgBrushGradient:
      if (points >= 2) {
        StopBuffers& stops = Stops();
        stops.Clear();
        for (int i = 0; i < points; ++i)
          stops.Add(vgOpacity(gradient.Points()->Points(i)->IntColor(), opacity),
                    gradient.Points()->Points(i)->Offset());
        const GpPointF p1 = GradientPoint(*gradient.StartPosition(), rect);
        const GpPointF p2 = GradientPoint(*gradient.StopPosition(), rect);
        const TvgColor solid = FStroke->GetSolidColor();
        GpLineGradient* brush = nullptr;
        G().GdipCreateLineBrush(&p1, &p2, solid, solid, WrapModeTile, &brush);
        G().GdipSetLinePresetBlend(brush, stops.colors.data(), stops.positions.data(),
                                   stops.Count());
        FGPPenBrush = brush;
      } else {
        FGPPenBrush = CreateSolidBrush(vgOpacity(FStroke->SolidColor(), opacity));
      }
      break;
    case vgBrushBitmap:
      FGPPenBrush =
          CreateTexture(FStroke->Bitmap()->Bitmap(), FStroke->Bitmap()->WrapMode(), rect, 1, true);
      break;
    default:
      break;
  }
  if (!FGPPenBrush) FGPPenBrush = CreateSolidBrush(0);
  G().GdipCreatePen2(FGPPenBrush, 1, UnitWorld, &FGPPen);
  if (FStrokeCap == vgCapRound)
    G().GdipSetPenLineCap197819(FGPPen, LineCapRound, LineCapRound, DashCapRound);
  else
    G().GdipSetPenLineCap197819(FGPPen, LineCapFlat, LineCapFlat, DashCapFlat);
  if (FDash.empty()) {
    G().GdipSetPenDashStyle(FGPPen, DashStyleSolid);
  } else {
    G().GdipSetPenDashOffset(FGPPen, FDashOffset);
    G().GdipSetPenDashArray(FGPPen, FDash.data(), INT(FDash.size()));
  }
  static constexpr LineJoin kJoins[] = {LineJoinMiter, LineJoinRound, LineJoinBevel};
  G().GdipSetPenLineJoin(FGPPen, kJoins[FStrokeJoin]);
  G().GdipSetPenWidth(FGPPen, FStrokeThickness);
}

}  // namespace vg
