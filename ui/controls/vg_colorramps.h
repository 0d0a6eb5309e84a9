#pragma once
// Track bars whose track shows a colour ramp: hue, alpha (over a
// checkerboard) and black to white. The ramp is a bitmap as large as the
// style's "background" part (a shape), made again when that size changes,
// and shown as the part's fill. Values run from 0 to 1.
#include <memory>

#include "ui/controls/vg_track.h"
#include "ui/render/vg_objects.h"

namespace vg {

class TvgBitmapTrackBar : public TvgTrackBar {
  RTL_CLASS(TvgBitmapTrackBar, TvgTrackBar)

  explicit TvgBitmapTrackBar(rtl::TComponent* owner);
  ~TvgBitmapTrackBar() override;

  // The ramp, or nullptr before a style with a "background" shape applied.
  TvgBitmap* Bitmap() const { return FBitmap.get(); }
  void Realign() override;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;
  // Names the style without applying it yet.
  void UseStyle(const std::string& name);
  // Paints the ramp; nothing here. p = column / width for a horizontal
  // bar, row / height for a vertical one.
  virtual void FillBitmap(TvgBitmap& bitmap);

 private:
  void UpdateBitmap();

  std::unique_ptr<TvgBitmap> FBitmap;
  TvgShape* FBackground = nullptr;
};

// Every pixel vgHSLtoRGB(p, 0.9, 0.5).
class TvgHueTrackBar : public TvgBitmapTrackBar {
  RTL_CLASS(TvgHueTrackBar, TvgBitmapTrackBar)
  explicit TvgHueTrackBar(rtl::TComponent* owner);

 protected:
  void FillBitmap(TvgBitmap& bitmap) override;
};

// A 3 x 3 grey and white checkerboard under a transparent-to-white ramp
// running left to right whatever the orientation.
class TvgAlphaTrackBar : public TvgBitmapTrackBar {
  RTL_CLASS(TvgAlphaTrackBar, TvgBitmapTrackBar)
  explicit TvgAlphaTrackBar(rtl::TComponent* owner);

 protected:
  void FillBitmap(TvgBitmap& bitmap) override;
};

// The opaque grey p x 255, rounded.
class TvgBWTrackBar : public TvgBitmapTrackBar {
  RTL_CLASS(TvgBWTrackBar, TvgBitmapTrackBar)
  explicit TvgBWTrackBar(rtl::TComponent* owner);

 protected:
  void FillBitmap(TvgBitmap& bitmap) override;
};

class TvgHudHueTrackBar : public TvgHueTrackBar {
  RTL_CLASS(TvgHudHueTrackBar, TvgHueTrackBar)
  explicit TvgHudHueTrackBar(rtl::TComponent* owner) : TvgHueTrackBar(owner) { UseStyle("hudtrackbarstyle"); }
};

class TvgHudAlphaTrackBar : public TvgAlphaTrackBar {
  RTL_CLASS(TvgHudAlphaTrackBar, TvgAlphaTrackBar)
  explicit TvgHudAlphaTrackBar(rtl::TComponent* owner) : TvgAlphaTrackBar(owner) { UseStyle("hudtrackbarstyle"); }
};

// Shows the black-to-white ramp as well.
class TvgHudBWTrackBar : public TvgBWTrackBar {
  RTL_CLASS(TvgHudBWTrackBar, TvgBWTrackBar)
  explicit TvgHudBWTrackBar(rtl::TComponent* owner) : TvgBWTrackBar(owner) { UseStyle("hudtrackbarstyle"); }
};

}  // namespace vg
