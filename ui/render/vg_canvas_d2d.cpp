// TvgCanvasD2D: unit state, surfaces, frames, matrix, saved states, clipping
// and the translation of the fill and stroke into brushes and stroke styles.
#include "ui/render/vg_canvas_d2d.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Rounding.h"
#include "ui/core/vg_object.h"
#include "ui/render/vg_filter_wic.h"

namespace vg {

namespace {

bool gLoaded = true;  // the library is linked in: its unit start has run
std::unique_ptr<d2d::Factory> gFactory;
std::unique_ptr<d2d::TextFactory> gTextFactory;
d2d::Factory* gRoute = nullptr;
int gCanvasCount = 0;

d2d::Factory* TargetFactory() { return gFactory ? (gRoute ? gRoute : gFactory.get()) : nullptr; }

std::uint32_t* ScanlineOf(TvgBitmap& bitmap, int y) {
  return y >= 0 && y < bitmap.Height() && bitmap.Bits()
             ? bitmap.Bits() + ptrdiff_t(y) * bitmap.Width()
             : nullptr;
}

// A brush linking a named brush takes over that brush's paint.
void ResolveResource(TvgBrush& brush) {
  if (brush.Style() != vgBrushResource) return;
  if (TvgBrush* linked = brush.Resource()->GetBrush(); linked && linked != &brush)
    brush.Assign(linked);
}

d2d::Brush Transparent() { return d2d::SolidColorBrush({0, 0, 0, 0}); }

d2d::SizeU SizeOf(int width, int height) {
  return {std::uint32_t(std::max(width, 1)), std::uint32_t(std::max(height, 1))};
}

}  // namespace

// --- Unit state ------------------------------------------------------------------------

void LoadD2DLibraries() { gLoaded = true; }
void FreeD2DLibraries() { gLoaded = false; }

void InitD2DFactories() {
  if (!gFactory && gLoaded) {
    gFactory = std::make_unique<d2d::Factory>();
    gTextFactory = std::make_unique<d2d::TextFactory>();
  }
  ++gCanvasCount;
}

void FreeD2DFactories() {
  if (gCanvasCount > 0 && --gCanvasCount == 0) {
    gTextFactory.reset();
    gFactory.reset();
  }
}

d2d::Factory* D2DFactory() { return gFactory.get(); }
d2d::TextFactory* DWriteFactory() { return gTextFactory.get(); }

void RouteD2DFactory(d2d::Factory* factory) { gRoute = factory; }

void SetD2DDefault() {
  if (!gLoaded) return;
  DefaultCanvasClass = &TvgCanvasD2D::Class;
  DefaultFilterClass = &TvgFilterWIC::Class;
}

// --- Conversions --------------------------------------------------------------------------

d2d::Matrix3x2F MakeD2DMatrix(const TvgMatrix& m) {
  return {m.m11, m.m12, m.m21, m.m22, m.m31, m.m32};
}

d2d::ColorF MakeD2DColor(TvgColor color, float opacity) {
  const TvgColorRec c = TvgColorRec::From(color);
  return {c.R / 255.0f, c.G / 255.0f, c.B / 255.0f, c.A / 255.0f * opacity};
}

d2d::RectF MakeD2DRect(const TvgRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

d2d::Ellipse MakeD2DEllipse(const TvgRect& r) {
  return {{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2},
          vgRectWidth(r) / 2,
          vgRectHeight(r) / 2};
}

const TvgCanvasClassInfo TvgCanvasD2D::Class = {
    [](TvgBitmap& bitmap) -> TvgCanvas* { return new TvgCanvasD2D(bitmap); },
    [](TvgBitmap& bitmap, int y) { return ScanlineOf(bitmap, y); },
    [](int width, int height) -> TvgCanvas* { return new TvgCanvasD2D(width, height); }};

// --- Construction and surfaces ---------------------------------------------------------------

TvgCanvasD2D::TvgCanvasD2D(int width, int height) {
  InitD2DFactories();
  ResizeBuffer(width, height);
}

TvgCanvasD2D::TvgCanvasD2D(TvgBitmap& bitmap) : TvgCanvas(bitmap) {
  InitD2DFactories();
  FBitmap = &bitmap;
  InitFromBitmap();
  CreateRenderTarget();
}

TvgCanvasD2D::~TvgCanvasD2D() {
  FreeBuffer();
  FreeD2DFactories();
}

void TvgCanvasD2D::InitFromBitmap() {
  FWICBitmap.assign(FBitmap->Bits(), FBitmap->Bits() + std::size_t(FBitmap->Width()) * FBitmap->Height());
  FWidth = FBitmap->Width();
  FHeight = FBitmap->Height();
}

void TvgCanvasD2D::CreateRenderTarget() {
  d2d::Factory* factory = TargetFactory();
  if (FRenderTarget || !factory) return;
  if (FBitmap) {
    if (FWICBitmap.empty()) return;
    FRenderTarget = factory->CreateBitmapRenderTarget(FWICBitmap.data(), SizeOf(FWidth, FHeight));
  } else if (!FBuffered) {
    FRenderTarget = factory->CreateHwndRenderTarget(FParent, SizeOf(FWidth, FHeight));
    FBufferBits = FRenderTarget->Pixels();
  } else if (FHandle) {
    FRenderTarget = factory->CreateDCRenderTarget();
    FRenderTarget->BindDC(reinterpret_cast<gdip::HDC>(FHandle),
                          {0, 0, float(FWidth), float(FHeight)});
  } else {
    return;  // a buffered canvas whose buffer was never made has nothing to draw on
  }
  FRenderTarget->SetDpi(96, 96);
  FRenderTarget->SetTextAntialiasMode(d2d::TextAntialiasMode::Default);
  FRenderTarget->SetTransform(MakeD2DMatrix(FMatrix));
}

void TvgCanvasD2D::FreeRenderTarget() {
  FRenderTarget.reset();
  FInFrame = false;
  FFrameLayers = 0;
  FOpenStates.clear();
  for (SavedState& state : FStates) state.layers = 0;
  if (!FBuffered && !FBitmap) FBufferBits = nullptr;  // they were the window target's
}

void TvgCanvasD2D::FreeBuffer() {
  FreeRenderTarget();
  if (FBuffered && FBufferHandle) {
    gdip::DeleteDC(reinterpret_cast<gdip::HDC>(FHandle));
    FHandle = 0;
    gdip::DeleteObject(FBufferHandle);
    FBufferHandle = nullptr;
    FBufferBits = nullptr;
  }
}

void TvgCanvasD2D::ResizeBuffer(int width, int height) {
  if (FScene && FScene->GetTransparency() && !FBuffered) FBuffered = true;  // a layered window
  if (width == FWidth && height == FHeight) return;
  if (!FBuffered && !FBitmap && FRenderTarget) {
    FWidth = std::max(width, 1);
    FHeight = std::max(height, 1);
    FRenderTarget->Resize(SizeOf(width, height));
    FBufferBits = FRenderTarget->Pixels();
    return;
  }
  FreeBuffer();
  FWidth = std::max(width, 1);
  FHeight = std::max(height, 1);
  FResized = true;
  if (!FBuffered) return;
  FBitmapInfo = {};
  FBitmapInfo.bmiHeader.biWidth = FWidth;
  FBitmapInfo.bmiHeader.biHeight = -FHeight;
  void* bits = nullptr;
  FBufferHandle = gdip::CreateDIBSection(nullptr, &FBitmapInfo, gdip::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bits) {
    FBufferHandle = nullptr;
    throw rtl::Exception("Can't allocate the DIB handle");
  }
  gdip::HDC dc = gdip::CreateCompatibleDC(nullptr);
  if (!dc) {
    gdip::DeleteObject(std::exchange(FBufferHandle, nullptr));
    throw rtl::Exception("Can't create compatible DC");
  }
  if (!gdip::SelectObject(dc, FBufferHandle)) {
    gdip::DeleteDC(dc);
    gdip::DeleteObject(std::exchange(FBufferHandle, nullptr));
    throw rtl::Exception("Can't select an object into DC");
  }
  FHandle = reinterpret_cast<std::uintptr_t>(dc);
  FBufferBits = static_cast<std::uint32_t*>(bits);
}

void TvgCanvasD2D::FlushBuffer(int x, int y, std::uintptr_t dc) {
  if (!FBufferHandle || !dc) return;
  gdip::BitBlt(reinterpret_cast<gdip::HDC>(dc), x, y, FWidth, FHeight,
               reinterpret_cast<gdip::HDC>(FHandle), 0, 0, gdip::SRCCOPY);
}

void TvgCanvasD2D::FlushBufferRect(int x, int y, std::uintptr_t dc, const TvgRect& rect) {
  if (!FBufferHandle || !dc) return;
  const int left = int(rtl::Trunc(rect.Left)), top = int(rtl::Trunc(rect.Top));
  const int right = int(rtl::Trunc(rect.Right)) + 1, bottom = int(rtl::Trunc(rect.Bottom)) + 1;
  gdip::BitBlt(reinterpret_cast<gdip::HDC>(dc), x + left, y + top, right - left, bottom - top,
               reinterpret_cast<gdip::HDC>(FHandle), left, top, gdip::SRCCOPY);
}

// --- Frames ----------------------------------------------------------------------------------

bool TvgCanvasD2D::BeginScene() {
  if (FBitmap && (FBitmap->Width() != FWidth || FBitmap->Height() != FHeight)) {
    FreeRenderTarget();
    InitFromBitmap();
  } else if (FBitmap && FBitmap->Bits()) {
    // The bitmap may have changed since the last frame: draw on what it holds now.
    std::copy_n(FBitmap->Bits(), FWICBitmap.size(), FWICBitmap.begin());
    if (FRenderTarget) FRenderTarget->PixelsChanged();
  }
  CreateRenderTarget();
  if (!FRenderTarget) return false;
  FOpenStates.clear();
  // An occluded window begins no frame: the caller ends none, nothing drawn
  // so far is touched, and the first frame it shows again draws everything
  // that was missed.
  const bool window = !FBuffered && !FBitmap;
  if (window && (FRenderTarget->CheckWindowState() & d2d::WINDOW_STATE_OCCLUDED)) {
    FRepaintAll = true;
    return false;
  }
  FRenderTarget->BeginDraw();
  FInFrame = true;
  if (std::exchange(FRepaintAll, false) && FScene)
    FScene->AddUpdateRect({0, 0, float(FWidth), float(FHeight)});
  return true;
}

void TvgCanvasD2D::EndScene() {
  if (!FRenderTarget) return;
  for (; FFrameLayers > 0; --FFrameLayers) FRenderTarget->PopLayer();
  FInFrame = false;
  if (FRenderTarget->EndDraw() == d2d::D2DERR_RECREATE_TARGET) {
    // The device was lost with what the target held: the next frame draws
    // everything again on a new one.
    FreeRenderTarget();
    FRepaintAll = true;
    return;
  }
  if (FBitmap && FBitmap->Bits() && std::size_t(FBitmap->Width()) * FBitmap->Height() == FWICBitmap.size())
    std::copy(FWICBitmap.begin(), FWICBitmap.end(), FBitmap->Bits());
}

void TvgCanvasD2D::Clear(TvgColor color) {
  if (Drawing()) FRenderTarget->Clear(MakeD2DColor(color, 1));
}

void TvgCanvasD2D::ClearRect(const TvgRect& rect, TvgColor color) {
  if (!FRenderTarget) return;
  auto toInt = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30)); };
  FRenderTarget->ClearPixels(toInt(rtl::Trunc(rect.Left)), toInt(rtl::Trunc(rect.Top)),
                             toInt(rtl::Round(rect.Right)), toInt(rtl::Round(rect.Bottom)), color);
}

// --- Matrix, saved states, clipping ------------------------------------------------------------

void TvgCanvasD2D::SetMatrix(const TvgMatrix& m) {
  FMatrix = m;
  if (FRenderTarget) FRenderTarget->SetTransform(MakeD2DMatrix(m));
}

int TvgCanvasD2D::SaveCanvas() {
  if (!FRenderTarget) return -1;
  const int slot = StoreState(0);
  if (FStates.size() <= std::size_t(slot)) FStates.resize(std::size_t(slot) + 1);
  FStates[std::size_t(slot)] = {};
  FRenderTarget->SaveDrawingState(FStates[std::size_t(slot)].block);
  FOpenStates.push_back(slot);
  return slot;
}

void TvgCanvasD2D::RestoreCanvas(int state) {
  if (!FRenderTarget || !IsSavedState(state)) return;
  SavedState& saved = FStates[std::size_t(state)];
  FRenderTarget->RestoreDrawingState(saved.block);
  for (; saved.layers > 0; --saved.layers) FRenderTarget->PopLayer();
  FOpenStates.erase(std::remove(FOpenStates.begin(), FOpenStates.end(), state), FOpenStates.end());
  LoadState(state);
}

void TvgCanvasD2D::SetClipRects(const std::vector<TvgRect>& rects) {
  if (rects.empty() || !Drawing()) return;
  FRenderTarget->SetTransform({});
  std::vector<d2d::PathGeometry> members;
  for (const TvgRect& r : rects) {
    FRenderTarget->PushAxisAlignedClip(MakeD2DRect(r), d2d::AntialiasMode::Aliased);
    FRenderTarget->Clear({0, 0, 0, 0});
    FRenderTarget->PopAxisAlignedClip();
    members.push_back(d2d::RectangleGeometry(MakeD2DRect(r)));
  }
  ClipTo(d2d::GeometryGroup(d2d::FillMode::Winding, members), {0, 0, float(FWidth), float(FHeight)});
  ++FFrameLayers;
}

void TvgCanvasD2D::ClipTo(const d2d::PathGeometry& mask, d2d::RectF bounds) {
  d2d::LayerParameters parameters;
  parameters.contentBounds = bounds;
  parameters.geometricMask = std::make_shared<const d2d::PathGeometry>(mask);
  parameters.maskAntialiasMode = d2d::AntialiasMode::Aliased;
  FRenderTarget->PushLayer(parameters, FLayer);
}

// A clip made inside a saved state belongs to the innermost state of this
// frame that is still saved, and its restore ends it.
void TvgCanvasD2D::IntersectClipRect(const TvgRect& rect) {
  if (!Drawing() || FOpenStates.empty()) return;
  ClipTo(d2d::RectangleGeometry(MakeD2DRect(rect)), {0, 0, 100000, 100000});
  ++FStates[std::size_t(FOpenStates.back())].layers;
}

void TvgCanvasD2D::ExcludeClipRect(const TvgRect& r) {
  if (!Drawing() || FOpenStates.empty()) return;
  const float w = float(FWidth), h = float(FHeight);
  const d2d::PathGeometry around = d2d::GeometryGroup(
      d2d::FillMode::Winding,
      {d2d::RectangleGeometry({0, 0, r.Left, h}), d2d::RectangleGeometry({r.Right, 0, w, h}),
       d2d::RectangleGeometry({r.Left, 0, r.Right, r.Top}),
       d2d::RectangleGeometry({r.Left, r.Bottom, r.Right, h})});
  ClipTo(around, {0, 0, w, h});
  ++FStates[std::size_t(FOpenStates.back())].layers;
}

// --- Fill and stroke ------------------------------------------------------------------------------

d2d::Brush TvgCanvasD2D::ApplyFill(const TvgRect& rect, float opacity) {
  ResolveResource(*FFill);
  switch (FFill->Style()) {
    case vgBrushSolid:
      return d2d::SolidColorBrush(MakeD2DColor(FFill->SolidColor(), opacity));
    case vgBrushGradient: {
      const TvgGradient& gradient = *FFill->Gradient();
      const TvgGradientPoints& points = *gradient.Points();
      const int count = points.Count();
      if (count < 2) return Transparent();
      const bool radial = gradient.Style() == vgRadialGradient;
      std::vector<d2d::GradientStop> stops;
      auto add = [&](TvgColor color, float position) {
        // Offset 0 lies on the rim of a radial gradient.
        stops.push_back({radial ? 1 - position : position, MakeD2DColor(vgOpacity(color, opacity), 1)});
      };
      if (points.Points(0)->Offset() > 0) add(points.Points(0)->IntColor(), 0);
      for (int i = 0; i < count; ++i) add(points.Points(i)->IntColor(), points.Points(i)->Offset());
      if (points.Points(count - 1)->Offset() < 1) add(points.Points(count - 1)->IntColor(), 1);
      if (radial) {
        const float width = vgRectWidth(rect), height = vgRectHeight(rect);
        const TvgPosition& centre = *gradient.RadialTransform()->RotateCenter();
        return d2d::RadialGradientBrush({rect.Left + width * centre.X(), rect.Top + height * centre.Y()},
                                        {}, width / 2, height / 2, std::move(stops));
      }
      // The positions scale by the rectangle's Right and Bottom, as the
      // other back-end draws them.
      auto at = [&rect](const TvgPosition& p) {
        return d2d::Point2F{p.X() * rect.Right + rect.Left, p.Y() * rect.Bottom + rect.Top};
      };
      return d2d::LinearGradientBrush(at(*gradient.StartPosition()), at(*gradient.StopPosition()),
                                      std::move(stops));
    }
    case vgBrushBitmap: {
      TvgBitmap* source = FFill->Bitmap()->Bitmap();
      if (source && source->GetBitmap()) source = source->GetBitmap();
      if (!source || source->Width() <= 0 || source->Height() <= 0 || !source->ConstBits())
        return Transparent();
      // The brush lives only for this drawing call, within the picture's life.
      auto bitmap = std::make_shared<d2d::Bitmap>(
          d2d::BorrowedBitmap(source->ConstBits(), SizeOf(source->Width(), source->Height())));
      d2d::ExtendMode extend = d2d::ExtendMode::Wrap;
      d2d::Matrix3x2F transform;
      switch (FFill->Bitmap()->WrapMode()) {
        case vgWrapTileOriginal:
          extend = d2d::ExtendMode::Clamp;  // once, its edge pixels extended
          break;
        case vgWrapTileStretch:
          transform.m11 = (vgRectWidth(rect) + FStrokeThickness / 2) / float(source->Width());
          transform.m22 = (vgRectHeight(rect) + FStrokeThickness / 2) / float(source->Height());
          break;
        case vgWrapTile:
          break;
      }
      return d2d::BitmapBrush(std::move(bitmap), extend, extend, d2d::InterpolationMode::Linear,
                              transform, opacity);
    }
    default:
      return Transparent();
  }
}

d2d::Brush TvgCanvasD2D::ApplyStroke(float opacity) {
  ResolveResource(*FStroke);
  d2d::StrokeStyleProperties& p = FStrokeStyle.properties;
  const d2d::CapStyle cap = FStrokeCap == vgCapRound ? d2d::CapStyle::Round : d2d::CapStyle::Flat;
  p.startCap = p.endCap = p.dashCap = cap;
  static constexpr d2d::LineJoin kJoins[] = {d2d::LineJoin::Miter, d2d::LineJoin::Round,
                                             d2d::LineJoin::Bevel};
  p.lineJoin = kJoins[FStrokeJoin];
  p.miterLimit = 10;
  p.dashOffset = FDashOffset;
  p.dashStyle = d2d::DashStyle(FStrokeDash);
  FStrokeStyle.dashes = FStrokeDash == vgDashCustom ? FDash : std::vector<float>();
  switch (FStroke->Style()) {
    case vgBrushSolid:
    case vgBrushGradient:
    case vgBrushBitmap:
      // Gradient and bitmap strokes draw in the brush's solid colour.
      return d2d::SolidColorBrush(MakeD2DColor(FStroke->GetSolidColor(), opacity));
    default:
      return Transparent();
  }
}

}  // namespace vg
