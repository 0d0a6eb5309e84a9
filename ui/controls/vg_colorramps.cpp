#include "ui/controls/vg_colorramps.h"

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_colors.h"

namespace vg {

namespace {

// Position along the bar of pixel (x, y), 0 at the start.
float RampPosition(const TvgBitmap& bitmap, TvgOrientation orientation, int x, int y) {
  return orientation == vgVertical ? float(y) / float(bitmap.Height()) : float(x) / float(bitmap.Width());
}

template <class PixelOf>
void FillPixels(TvgBitmap& bitmap, PixelOf pixelOf) {
  std::uint32_t* bits = bitmap.Bits();
  if (!bits) return;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bits[y * bitmap.Width() + x] = pixelOf(x, y);
  bitmap.BitmapChanged();
}

}  // namespace

// ----- TvgBitmapTrackBar

TvgBitmapTrackBar::TvgBitmapTrackBar(rtl::TComponent* owner) : TvgTrackBar(owner) { UseStyle("trackbarstyle"); }

TvgBitmapTrackBar::~TvgBitmapTrackBar() { TearDown(); }

void TvgBitmapTrackBar::UseStyle(const std::string& name) {
  BeginUpdate();
  SetResource(name);
  EndUpdate();
}

void TvgBitmapTrackBar::FillBitmap(TvgBitmap&) {}

void TvgBitmapTrackBar::UpdateBitmap() {
  if (!FBackground) return;
  const int width = int(rtl::Trunc(FBackground->Width()));
  const int height = int(rtl::Trunc(FBackground->Height()));
  if (FBitmap && (FBitmap->Width() != width || FBitmap->Height() != height)) FBitmap.reset();
  if (!FBitmap) {
    FBitmap = std::make_unique<TvgBitmap>(width, height);
    FillBitmap(*FBitmap);
  }
  TvgBrush& fill = *FBackground->Fill();
  fill.SetStyle(vgBrushBitmap);
  fill.Bitmap()->SetWrapMode(vgWrapTileStretch);
  fill.Bitmap()->SetBitmap(FBitmap.get());
  FBackground->Repaint();
}

void TvgBitmapTrackBar::ApplyStyle() {
  inherited::ApplyStyle();
  FBackground = dynamic_cast<TvgShape*>(FindResource("background"));
  UpdateBitmap();
}

void TvgBitmapTrackBar::FreeStyle() {
  FBackground = nullptr;
  inherited::FreeStyle();
}

void TvgBitmapTrackBar::Realign() {
  inherited::Realign();
  UpdateBitmap();
}

// ----- the ramps

TvgHueTrackBar::TvgHueTrackBar(rtl::TComponent* owner) : TvgBitmapTrackBar(owner) {
  SetMax(1);
  SetValue(0.5f);
}

void TvgHueTrackBar::FillBitmap(TvgBitmap& bitmap) {
  FillPixels(bitmap, [&](int x, int y) { return vgHSLtoRGB(RampPosition(bitmap, Orientation(), x, y), 0.9f, 0.5f); });
}

TvgAlphaTrackBar::TvgAlphaTrackBar(rtl::TComponent* owner) : TvgBitmapTrackBar(owner) {
  SetMax(1);
  SetValue(1);
}

void TvgAlphaTrackBar::FillBitmap(TvgBitmap& bitmap) {
  const float width = float(bitmap.Width());
  FillPixels(bitmap, [&](int x, int y) {
    const bool grey = ((x / 3) % 2 == 1) != ((y / 3) % 2 == 1);
    const TvgColor under = grey ? 0xFFA0A0A0u : 0xFFFFFFFFu;
    return vgInterpolateColor(under, 0xFFFFFFFFu, width > 1 ? float(x) / (width - 1) : 1.0f);
  });
}

TvgBWTrackBar::TvgBWTrackBar(rtl::TComponent* owner) : TvgBitmapTrackBar(owner) {
  SetMax(1);
  SetValue(0.5f);
}

void TvgBWTrackBar::FillBitmap(TvgBitmap& bitmap) {
  FillPixels(bitmap, [&](int x, int y) {
    const auto grey = std::uint8_t(rtl::Round(RampPosition(bitmap, Orientation(), x, y) * 255));
    return vgColor(grey, grey, grey);
  });
}

}  // namespace vg
