#pragma once
// The pieces of a colour chooser: a swatch that shows a colour over a
// checkerboard, a saturation/lightness square for one hue and a vertical
// hue strip. Hue, saturation, lightness and alpha are 0..1. The square
// passes its colour to a linked swatch; the strip passes its hue to a
// linked square. Links are not owned and are cleared when the linked
// control goes. Both the square and the strip are dragged with the left
// button; their markers may stick out of them by a few pixels.
#include <memory>

#include "ui/core/vg_colors.h"
#include "ui/core/vg_control.h"

namespace vg {

class TvgColorBox : public TvgControl {
  RTL_CLASS(TvgColorBox, TvgControl)

  explicit TvgColorBox(rtl::TComponent* owner);
  ~TvgColorBox() override;

  TvgColor Color() const { return FColor; }
  void SetColor(TvgColor value);
  void Paint() override;

 private:
  TvgColor FColor = 0;
};

class TvgColorQuad : public TvgControl {
  RTL_CLASS(TvgColorQuad, TvgControl)

  explicit TvgColorQuad(rtl::TComponent* owner);
  ~TvgColorQuad() override;

  TvgColorBox* ColorBox() const { return FColorBox; }
  // A new swatch takes the current colour.
  void SetColorBox(TvgColorBox* value);
  float Hue() const { return FHue; }
  float Sat() const { return FSat; }
  float Lum() const { return FLum; }
  float Alpha() const { return FAlpha; }
  // Each stores a changed value (limited to 0..1), passes the colour to
  // the swatch and raises OnChange.
  void SetHue(float value);
  void SetSat(float value);
  void SetLum(float value);
  void SetAlpha(float value);
  // The marker's colour with the alpha byte.
  TvgColor Color() const;

  // The marker's repaint area: the rectangle grown by 11.
  TvgRect GetAbsoluteRect() override;
  bool PointInObject(float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void Paint() override;

  rtl::TNotifyEvent OnChange;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  static void Publish(rtl::TPublisher<TvgColorQuad>& p);
  void SetComponent(float& field, float value, bool repaint);
  void PickAt(float x, float y);

  TvgColorBox* FColorBox = nullptr;
  std::unique_ptr<TvgBitmap> FColorBitmap;
  float FHue = 0, FSat = 0, FLum = 0;
  float FAlpha = 1;
};

class TvgColorPicker : public TvgControl {
  RTL_CLASS(TvgColorPicker, TvgControl)

  explicit TvgColorPicker(rtl::TComponent* owner);
  ~TvgColorPicker() override;

  float Hue() const { return FHue; }
  // Limited to 0..1; the linked square takes the hue.
  void SetHue(float value);
  TvgColorQuad* ColorQuad() const { return FColorQuad; }
  void SetColorQuad(TvgColorQuad* value);
  // The pure hue: vgHSLtoRGB(hue, 1, 0.5).
  TvgColor GetColor() const;
  // Takes the colour's hue; the linked square takes its alpha, hue,
  // saturation and lightness.
  void SetColor(TvgColor value);

  TvgRect GetAbsoluteRect() override;
  bool PointInObject(float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  void MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void Paint() override;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  static void Publish(rtl::TPublisher<TvgColorPicker>& p);
  void PickAt(float y);

  std::unique_ptr<TvgBitmap> FHueBitmap;
  float FHue = 0;
  TvgColorQuad* FColorQuad = nullptr;
};

// Draws the marker of a square or strip: black and white rings around a
// dot of `color`, centred at `centre`.
void vgDrawColorMarker(TvgCanvas& canvas, TvgPoint centre, TvgColor color, float opacity);
// Fills `rect` white with grey `cell`-sized squares where column + row is
// odd, clipped to `rect` (the canvas state is restored afterwards).
void vgFillCheckerboard(TvgCanvas& canvas, const TvgRect& rect, float cell, float opacity);

}  // namespace vg
