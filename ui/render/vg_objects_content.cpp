// The shapes that carry content: text, bitmap, path and the paint box.
#include "platform/rtl/Rounding.h"
#include "platform/rtl/TextConvert.h"
#include "ui/render/vg_objects.h"

namespace vg {

namespace {

constexpr TvgColor kTextFill = 0xFF000000;

TvgRect Offset(TvgRect r, float dx, float dy) {
  vgOffsetRect(r, dx, dy);
  return r;
}

// Repeats of a tile along a side: 0 .. Round(side / tile), both inclusive.
int LastTile(float side, float tile) { return int(rtl::Round(double(side) / tile)); }

// All points on one horizontal or one vertical line.
bool IsFlat(const TvgPathData& path) {
  bool sameX = true, sameY = true;
  const TvgPoint first = path.PathData.front().Point;
  for (const TvgPathPoint& p : path.PathData) {
    if (p.Kind == vgPathPointClose) continue;
    sameX = sameX && p.Point.X == first.X;
    sameY = sameY && p.Point.Y == first.Y;
  }
  return sameX || sameY;
}

}  // namespace

// ----- TvgText

TvgText::TvgText(rtl::TComponent* owner)
    : TvgShape(owner, vgBrushSolid, kTextFill, vgBrushNone), FFont(new TvgFont) {
  FFont->OnChanged = [this](rtl::TObject* sender) { FontChanged(sender); };
}

TvgText::~TvgText() { FFont.reset(); }

void TvgText::Publish(rtl::TPublisher<TvgText>& p) {
  using T = TvgText;
  p.Property("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false);
  p.Property("Font", &T::Font);
  p.Property("HorzTextAlign", &T::HorzTextAlign, &T::SetHorzTextAlign).Default(vgTextAlignCenter);
  p.Property("VertTextAlign", &T::VertTextAlign, &T::SetVertTextAlign).Default(vgTextAlignCenter);
  p.Property("Text", &T::Text, &T::SetText);
  p.Property("Stretch", &T::Stretch, &T::SetStretch).Default(false);
  p.Property("WordWrap", &T::WordWrap, &T::SetWordWrap).Default(true);
}

template <class Change>
void TvgText::Redraw(Change&& change) {
  Repaint();
  change();
  UpdateEffects();
  RecalcUpdateRect();
  Repaint();
}

void TvgText::SetText(const rtl::WideString& value) {
  if (value == FText) return;
  Redraw([&] {
    FText = value;
    if (FAutoSize) AdjustSize();
  });
}

void TvgText::SetFont(const TvgFont* value) {
  FFont->Assign(value);
  if (FAutoSize) AdjustSize();
}

void TvgText::SetHorzTextAlign(TvgTextAlign value) {
  if (value != FHorzTextAlign) Redraw([&] { FHorzTextAlign = value; });
}
void TvgText::SetVertTextAlign(TvgTextAlign value) {
  if (value != FVertTextAlign) Redraw([&] { FVertTextAlign = value; });
}

void TvgText::SetWordWrap(bool value) {
  if (value != FWordWrap) Redraw([&] { FWordWrap = value; });
}

void TvgText::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  AdjustSize();
}

void TvgText::SetStretch(bool value) {
  if (value == FStretch) return;
  UpdateEffects();
  FStretch = value;
  if (FStretch) SetAutoSize(false);
  Repaint();
}

// The font has changed already: the area repainted first is the one the
// text covered when it was last asked for.
void TvgText::FontChanged(rtl::TObject*) {
  Redraw([&] {
    if (FAutoSize) AdjustSize();
  });
}

void TvgText::AdjustSize() {
  if (FAdjusting) return;
  TvgCanvas* canvas = GetCanvas();
  const bool measure = FAutoSize && canvas && !FText.empty();
  FAdjusting = true;
  if (measure) {
    canvas->Font()->Assign(FFont.get());
    TvgRect r = FWordWrap ? TvgRect{0, 0, Width(), 1000} : TvgRect{0, 0, 1000, 1000};
    canvas->MeasureText(r, r, FText, FWordWrap, vgTextAlignNear, vgTextAlignNear);
    if (!FWordWrap) SetWidth(r.Right + FFont->Size() / 2);
    if (FVertTextAlign != vgTextAlignCenter) SetHeight(r.Bottom);
  }
  FAdjusting = false;
  if (measure && Parent() && Parent()->IsVisual()) Parent()->Visual()->Realign();
}

void TvgText::Realign() {
  inherited::Realign();
  if (FAutoSize) AdjustSize();
}

rtl::Variant TvgText::GetData() { return rtl::Variant(FText); }

void TvgText::SetData(const rtl::Variant& value) { SetText(value.AsWideString()); }

namespace {

// Where a block of `size` lies between start and end, aligned as FillText aligns it.
float AlignedStart(float start, float end, float size, TvgTextAlign align) {
  return align == vgTextAlignNear ? start : align == vgTextAlignFar ? end - size : (start + end - size) / 2;
}

}  // namespace

// The measured block placed in the node as FillText places it (a line
// measured without wrapping has no width to be aligned in).
TvgRect TvgText::GetDrawnRect() {
  const TvgRect local = GetLocalRect();
  TvgCanvas* canvas = GetCanvas();
  if (!canvas || FText.empty() || FStretch) return local;
  canvas->Font()->Assign(FFont.get());
  TvgRect text = local;
  canvas->MeasureText(text, local, FText, FWordWrap, FHorzTextAlign, FVertTextAlign);
  const float width = vgRectWidth(text), height = vgRectHeight(text);
  const float left = AlignedStart(local.Left, local.Right, width, FHorzTextAlign);
  const float top = AlignedStart(local.Top, local.Bottom, height, FVertTextAlign);
  TvgRect drawn{left, top, left + width, top + height};
  // Glyphs may stand out of their measured boxes by a pixel or so, and are smoothed.
  vgInflateRect(drawn, 2, 2);
  return vgUnionRect(local, drawn);
}

void TvgText::Paint() {
  TvgCanvas* canvas = GetCanvas();
  canvas->Font()->Assign(FFont.get());
  const TvgRect local = GetLocalRect();
  const float opacity = GetAbsoluteOpacity();
  if (!FStretch) {
    canvas->FillText(local, local, FText, FWordWrap, opacity, FHorzTextAlign, FVertTextAlign);
    return;
  }
  TvgRect r{0, 0, 1000, 1000};
  canvas->MeasureText(r, r, FText, false, FHorzTextAlign, FVertTextAlign);
  r = Offset(r, -r.Left, -r.Top);
  TvgMatrix m = IdentityMatrix;
  if (vgRectWidth(r) > 0 && vgRectHeight(r) > 0) {
    m.m11 = vgRectWidth(local) / vgRectWidth(r);
    m.m22 = vgRectHeight(local) / vgRectHeight(r);
  }
  canvas->MultyMatrix(m);
  vgInflateRect(r, FFont->Size() / 3, FFont->Size() / 3);
  canvas->FillText(r, r, FText, false, opacity, FHorzTextAlign, FVertTextAlign);
}

// ----- TvgImage

TvgImage::TvgImage(rtl::TComponent* owner)
    : TvgVisualObject(owner), FBitmap(new TvgBitmap(0, 0)), FBitmapMargins(new TvgBounds) {
  FBitmap->OnChange = [this](rtl::TObject* sender) { DoBitmapChanged(sender); };
  FBitmap->OnThreadLoaded = [this](rtl::TObject* sender) { DoBitmapLoaded(sender); };
  FBitmapMargins->OnChange = [this](rtl::TObject*) { Repaint(); };
}

TvgImage::~TvgImage() {
  FBitmapMargins.reset();
  FBitmap.reset();
}

void TvgImage::Publish(rtl::TPublisher<TvgImage>& p) {
  using T = TvgImage;
  p.Property("Bitmap", &T::Bitmap, &T::SetBitmap);
  p.Property("BitmapMargins", &T::BitmapMargins);
  p.Property("WrapMode", &T::WrapMode, &T::SetWrapMode);
  p.Property("DisableInterpolation", &T::DisableInterpolation, &T::SetDisableInterpolation)
      .Default(false);
  p.Property("OnBitmapLoaded", &T::OnBitmapLoaded);
}

void TvgImage::SetBitmap(const TvgBitmap* value) {
  FBitmap->Assign(value);
  Repaint();
}

void TvgImage::SetWrapMode(TvgImageWrap value) {
  if (value == FWrapMode) return;
  FWrapMode = value;
  Repaint();
}

void TvgImage::DoBitmapChanged(rtl::TObject*) {
  UpdateEffects();
  Repaint();
}

void TvgImage::DoBitmapLoaded(rtl::TObject*) {
  OnBitmapLoaded(this);
  if (!IsDestroying()) Repaint();
}

rtl::Variant TvgImage::GetData() { return ObjectToVariant(FBitmap.get()); }

void TvgImage::SetData(const rtl::Variant& value) {
  if (VarIsObject(value)) {
    if (auto* source = dynamic_cast<rtl::TPersistent*>(VariantToObject(value)))
      FBitmap->Assign(source);
    return;
  }
  FBitmap->LoadFromFile(rtl::Utf16ToUtf8(value.AsWideString()), 0);
}

void TvgImage::Paint() {
  TvgCanvas* canvas = GetCanvas();
  if (vgPaintsDesignFrame(*this)) vgDrawDesignFrame(*this, *canvas);
  TvgBitmap* bitmap = FBitmap->GetBitmap() ? FBitmap->GetBitmap() : FBitmap.get();
  if (bitmap->IsEmpty()) return;
  if (FBitmapMargins->MarginEmpty())
    PaintWrapped(*canvas, *bitmap);
  else
    PaintNineParts(*canvas, *bitmap);
}

void TvgImage::PaintWrapped(TvgCanvas& canvas, TvgBitmap& bitmap) {
  const float bw = float(bitmap.Width()), bh = float(bitmap.Height());
  const TvgRect src{0, 0, bw, bh}, local = GetLocalRect();
  const float opacity = GetAbsoluteOpacity();
  switch (FWrapMode) {
    case vgImageOriginal: {
      TvgSavedCanvasState saved(canvas);
      canvas.IntersectClipRect(local);
      canvas.DrawBitmap(bitmap, src, src, opacity, true);
      break;
    }
    case vgImageFit: {
      TvgRect dest = src;
      vgFitRect(dest, local);
      canvas.DrawBitmap(bitmap, src, dest, opacity, FDisableInterpolation);
      break;
    }
    case vgImageStretch:
      canvas.DrawBitmap(bitmap, src, local, opacity, FDisableInterpolation);
      break;
    case vgImageTile: {
      TvgSavedCanvasState saved(canvas);
      canvas.IntersectClipRect(local);
      for (int i = 0; i <= LastTile(Width(), bw); ++i)
        for (int j = 0; j <= LastTile(Height(), bh); ++j)
          canvas.DrawBitmap(bitmap, src, Offset(src, bw * i, bh * j), opacity, true);
      break;
    }
  }
}

void TvgImage::PaintNineParts(TvgCanvas& canvas, TvgBitmap& bitmap) {
  const float bw = float(bitmap.Width()), bh = float(bitmap.Height()), w = Width(), h = Height();
  const float ml = FBitmapMargins->Left(), mt = FBitmapMargins->Top(), mr = FBitmapMargins->Right(),
              mb = FBitmapMargins->Bottom();
  const struct {
    TvgRect dest, source;
  } parts[] = {
      {{0, 0, ml, mt}, {0, 0, ml, mt}},
      {{ml, 0, w - mr, mt}, {ml, 0, bw - mr, mt}},
      {{w - mr, 0, w, mt}, {bw - mr, 0, bw, mt}},
      {{0, mt, ml, h - mb}, {0, mt, ml, bh - mb}},
      {{ml, mt, w - mr, h - mb}, {ml, mt, bw - mr, bh - mb}},
      {{w - mr, mt, w, h - mb}, {bw - mr, mt, bw, bh - mb}},
      {{0, h - mb, ml, h}, {0, bh - mb, ml, bh}},
      {{ml, h - mb, w - mr, h}, {ml, bh - mb, bw - mr, bh}},
      {{w - mr, h - mb, w, h}, {bw - mr, bh - mb, bw, bh}},
  };
  const float opacity = GetAbsoluteOpacity();
  for (const auto& part : parts) canvas.DrawBitmap(bitmap, part.source, part.dest, opacity, true);
}

// ----- TvgCustomPath

TvgCustomPath::TvgCustomPath(rtl::TComponent* owner) : TvgShape(owner), FData(new TvgPathData) {
  FData->OnChanged = [this](rtl::TObject*) { Repaint(); };
}

TvgCustomPath::~TvgCustomPath() { FData.reset(); }

void TvgCustomPath::Publish(rtl::TPublisher<TvgCustomPath>& p) {
  using T = TvgCustomPath;
  p.Property("Data", &T::Data, &T::SetPathData);
  p.Property("WrapMode", &T::WrapMode, &T::SetWrapMode).Default(vgPathStretch);
}

void TvgCustomPath::SetWrapMode(TvgPathWrap value) { UpdatePainted(FWrapMode, value); }

void TvgCustomPath::Paint() {
  TvgCanvas* canvas = GetCanvas();
  TvgPathData* path = FData->GetPath() ? FData->GetPath() : FData.get();
  if (!path->IsEmpty()) {
    const TvgRect shape = GetShapeRect(), bounds = path->GetBounds(), local = GetLocalRect();
    const float opacity = GetAbsoluteOpacity();
    auto place = [&](const TvgRect& r) {
      canvas->FillPath(*path, r, opacity);
      canvas->DrawPath(*path, r, opacity);
    };
    switch (FWrapMode) {
      case vgPathOriginal: {
        TvgSavedCanvasState saved(*canvas);
        canvas->IntersectClipRect(local);
        place(Offset(bounds, shape.Left, shape.Top));
        break;
      }
      case vgPathFit: {
        TvgRect fitted = bounds;
        vgFitRect(fitted, shape);
        place(fitted);
        break;
      }
      case vgPathStretch:
        place(shape);
        break;
      case vgPathTile: {
        // A flat path has no tile size to repeat by (its bounds only get a
        // token extent): nothing to draw.
        if (IsFlat(*path)) break;
        TvgSavedCanvasState saved(*canvas);
        canvas->IntersectClipRect(local);
        PaintTiles(shape, bounds, place);
        break;
      }
    }
  }
  if (vgPaintsDesignFrame(*this)) vgDrawDesignFrame(*this, *canvas);
}

void TvgCustomPath::PaintTiles(const TvgRect& shape, const TvgRect& bounds,
                               const std::function<void(const TvgRect&)>& place) {
  const float bw = vgRectWidth(bounds), bh = vgRectHeight(bounds);
  if (bw <= 0 || bh <= 0) return;
  const TvgRect first = Offset(bounds, shape.Left, shape.Top);
  for (int i = 0; i <= LastTile(Width(), bw); ++i)
    for (int j = 0; j <= LastTile(Height(), bh); ++j)
      place(Offset(first, (bw + 2 * shape.Left) * i, (bh + 2 * shape.Top) * j));
}

bool TvgCustomPath::PointInObject(float x, float y) {
  TvgCanvas* canvas = GetCanvas();
  if (vgPaintsDesignFrame(*this) || !canvas) return inherited::PointInObject(x, y);
  const TvgPoint local = AbsoluteToLocal({x, y});
  TvgPathData* linked = FData->GetPath();
  if (linked && linked->PathData.size() > 1)
    return canvas->PtInPath(local, GetShapeRect(), *linked);
  if (FData->PathData.size() > 1) return canvas->PtInPath(local, GetShapeRect(), *FData);
  return inherited::PointInObject(x, y);
}

TvgScrollArrowLeft::TvgScrollArrowLeft(rtl::TComponent* owner) : TvgCustomPath(owner) {
  Data()->SetPathString("M 1,0 L 1,1 L 0,0.500 L 1,0 Z");
  Data()->Scale(100, 100);
  SetWrapMode(vgPathFit);
}

TvgScrollArrowRight::TvgScrollArrowRight(rtl::TComponent* owner) : TvgCustomPath(owner) {
  Data()->SetPathString("M 0,0 L 0,1 L 1,0.500 Z");
  Data()->Scale(100, 100);
  SetWrapMode(vgPathFit);
}

// ----- TvgPaintBox

void TvgPaintBox::Publish(rtl::TPublisher<TvgPaintBox>& p) {
  p.Property("OnPaint", &TvgPaintBox::OnPaint);
}

void TvgPaintBox::Paint() {
  inherited::Paint();
  OnPaint(this, GetCanvas());
}

}  // namespace vg
