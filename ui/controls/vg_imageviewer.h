#pragma once
// TvgImageViewer: a scrolling, zoomable picture view. The picture is shown
// at BitmapScale (0.01 to 10), centred while smaller than the view; the
// mouse wheel zooms when MouseScaling is on, and dragging scrolls. An
// optional background (BackgroundFill) lies under the picture.
#include "ui/render/vg_objects.h"
#include "ui/render/vg_scrollbox.h"

namespace vg {

class TvgImageViewer : public TvgScrollBox {
  RTL_CLASS(TvgImageViewer, TvgScrollBox)

  explicit TvgImageViewer(rtl::TComponent* owner);

  TvgBrush* BackgroundFill() const { return FBack->Fill(); }
  void SetBackgroundFill(const TvgBrush* value) { FBack->SetFill(value); }
  TvgBitmap* Bitmap() const { return FImage->Bitmap(); }
  void SetBitmap(const TvgBitmap* value) { FImage->SetBitmap(value); }
  float BitmapScale() const { return FScale; }
  // Stores the scale within 0.01..10, lays out and centres both bars.
  void SetScale(float value);
  bool ShowBackground() const { return FShowBackground; }
  void SetShowBackground(bool value);
  bool MouseScaling() const { return FMouseScaling; }
  void SetMouseScaling(bool value) { FMouseScaling = value; }
  // The largest scale up to 1 at which the whole picture fits the view.
  void BestFit();

  // The bitmap as an object reference.
  rtl::Variant GetData() override;
  // Null empties the bitmap, an object reference to a persistent is
  // copied, a text names a picture file to load; anything else is ignored.
  void SetData(const rtl::Variant& value) override;
  // Zooms by 4 % a notch with MouseScaling, then scrolls as a scroll box.
  void MouseWheel(TvgShiftState shift, int delta, bool& handled) override;
  // Sizes and places the picture; the content spans it and the origin.
  TvgRect GetContentBounds() override;

 private:
  static void Publish(rtl::TPublisher<TvgImageViewer>& p);
  void FitOnce();

  TvgRectangle* FBack = nullptr;
  TvgImage* FImage = nullptr;
  float FScale = 1;
  bool FMouseScaling = true;
  bool FShowBackground = false;
};

}  // namespace vg
