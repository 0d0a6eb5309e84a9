#include "ui/controls/vg_colorpicker.h"

#include <algorithm>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

constexpr TvgColor kCheckerGrey = 0xFFD3D3D3;
constexpr float kQuadReach = 5;     // the square's marker reaches this far out
constexpr float kQuadRepaint = 11;  // and is repainted this far out
constexpr float kPickerRepaint = 5;

float Unit(float value) { return std::clamp(value, 0.0f, 1.0f); }

std::uint8_t AlphaByte(float alpha) { return std::uint8_t(rtl::Round(alpha * 255)); }

// A bitmap of the node's truncated size with pixel (x, y) from pixelOf.
template <class PixelOf>
std::unique_ptr<TvgBitmap> MakeRamp(float width, float height, PixelOf pixelOf) {
  auto bitmap = std::make_unique<TvgBitmap>(int(rtl::Trunc(width)), int(rtl::Trunc(height)));
  if (std::uint32_t* bits = bitmap->Bits())
    for (int y = 0; y < bitmap->Height(); ++y)
      for (int x = 0; x < bitmap->Width(); ++x) bits[y * bitmap->Width() + x] = pixelOf(x, y, *bitmap);
  return bitmap;
}

void DrawStretched(TvgCanvas& canvas, TvgBitmap& bitmap, const TvgRect& dest, float opacity) {
  if (bitmap.IsEmpty()) return;
  canvas.DrawBitmap(bitmap, {0, 0, float(bitmap.Width()), float(bitmap.Height())}, dest, opacity, false);
}

// The point local to `node` of a point in scene coordinates.
TvgPoint Local(TvgVisualObject& node, float x, float y) { return node.AbsoluteToLocal({x, y}); }

}  // namespace

void vgDrawColorMarker(TvgCanvas& canvas, TvgPoint centre, TvgColor color, float opacity) {
  auto circle = [&](float diameter) {
    return TvgRect{centre.X - diameter / 2, centre.Y - diameter / 2, centre.X + diameter / 2, centre.Y + diameter / 2};
  };
  canvas.SetStrokeThickness(1);
  canvas.Stroke()->SetStyle(vgBrushSolid);
  canvas.Stroke()->SetSolidColor(0xFF000000);
  canvas.DrawEllipse(circle(10), opacity);
  canvas.Stroke()->SetSolidColor(0xFFFFFFFF);
  canvas.DrawEllipse(circle(8), opacity);
  canvas.Fill()->SetStyle(vgBrushSolid);
  canvas.Fill()->SetSolidColor(color);
  canvas.FillEllipse(circle(6), opacity);
}

void vgFillCheckerboard(TvgCanvas& canvas, const TvgRect& rect, float cell, float opacity) {
  const int state = canvas.SaveCanvas();
  canvas.IntersectClipRect(rect);
  canvas.Stroke()->SetStyle(vgBrushNone);
  canvas.Fill()->SetStyle(vgBrushSolid);
  canvas.Fill()->SetSolidColor(0xFFFFFFFF);
  canvas.FillRect(rect, 0, 0, AllCorners, opacity);
  canvas.Fill()->SetSolidColor(kCheckerGrey);
  const auto columns = rtl::Trunc(rect.Right / cell) + 1;
  const auto rows = rtl::Trunc(rect.Bottom / cell) + 1;
  for (std::int64_t c = 0; c <= columns; ++c)
    for (std::int64_t r = 0; r <= rows; ++r)
      if ((c + r) % 2 == 1)
        canvas.FillRect({c * cell, r * cell, c * cell + cell, r * cell + cell}, 0, 0, AllCorners, opacity);
  canvas.RestoreCanvas(state);
}

// ----- TvgColorBox

TvgColorBox::TvgColorBox(rtl::TComponent* owner) : TvgControl(owner) {}

TvgColorBox::~TvgColorBox() { TearDown(); }

void TvgColorBox::SetColor(TvgColor value) {
  if (value == FColor) return;
  FColor = value;
  Repaint();
}

void TvgColorBox::Paint() {
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  const float opacity = GetAbsoluteOpacity();
  vgFillCheckerboard(*canvas, GetLocalRect(), 5, opacity);
  canvas->Fill()->SetStyle(vgBrushSolid);
  canvas->Fill()->SetSolidColor(FColor);
  canvas->FillRect(GetLocalRect(), 0, 0, AllCorners, opacity);
}

// ----- TvgColorQuad

TvgColorQuad::TvgColorQuad(rtl::TComponent* owner) : TvgControl(owner) { SetAutoCapture(true); }

TvgColorQuad::~TvgColorQuad() { TearDown(); }

void TvgColorQuad::Publish(rtl::TPublisher<TvgColorQuad>& p) {
  using T = TvgColorQuad;
  p.Property("ColorBox", &T::ColorBox, &T::SetColorBox);
  p.Property("Hue", &T::Hue, &T::SetHue).Default(0.0f);
  p.Property("Sat", &T::Sat, &T::SetSat).Default(0.0f);
  p.Property("Lum", &T::Lum, &T::SetLum).Default(0.0f);
  p.Property("Alpha", &T::Alpha, &T::SetAlpha).Default(1.0f);
  p.Property("OnChange", &T::OnChange);
}

TvgColor TvgColorQuad::Color() const {
  const TvgColor opaque = vgHSLtoRGB(FHue, FSat, FLum);
  return (opaque & 0x00FFFFFFu) | TvgColor(AlphaByte(FAlpha)) << 24;
}

void TvgColorQuad::SetColorBox(TvgColorBox* value) {
  if (value == FColorBox) return;
  if (FColorBox) FColorBox->RemoveFreeNotification(this);
  FColorBox = value;
  if (!FColorBox) return;
  FColorBox->FreeNotification(this);
  FColorBox->SetColor(Color());
}

void TvgColorQuad::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == FColorBox) FColorBox = nullptr;
}

void TvgColorQuad::SetComponent(float& field, float value, bool repaint) {
  if (value == field) return;
  field = Unit(value);
  if (FColorBox) FColorBox->SetColor(Color());
  OnChange(this);
  if (repaint) Repaint();
}

void TvgColorQuad::SetHue(float value) {
  if (value != FHue) FColorBitmap.reset();
  SetComponent(FHue, value, true);
}

void TvgColorQuad::SetSat(float value) { SetComponent(FSat, value, true); }
void TvgColorQuad::SetLum(float value) { SetComponent(FLum, value, true); }
void TvgColorQuad::SetAlpha(float value) { SetComponent(FAlpha, value, false); }

TvgRect TvgColorQuad::GetAbsoluteRect() {
  TvgRect r = inherited::GetAbsoluteRect();
  vgInflateRect(r, kQuadRepaint, kQuadRepaint);
  return r;
}

bool TvgColorQuad::PointInObject(float x, float y) {
  const TvgPoint p = Local(*this, x, y);
  return p.X > -kQuadReach && p.X < Width() + kQuadReach && p.Y > -kQuadReach && p.Y < Height() + kQuadReach;
}

void TvgColorQuad::PickAt(float x, float y) {
  if (Height() != 0) SetLum(1 - y / Height());
  if (Width() != 0) SetSat(x / Width());
}

void TvgColorQuad::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (Pressed()) PickAt(x, y);
}

void TvgColorQuad::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  if (Pressed()) PickAt(x, y);
  inherited::MouseUp(button, shift, x, y);
}

void TvgColorQuad::Paint() {
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  if (!FColorBitmap)
    FColorBitmap = MakeRamp(Width(), Height(), [this](int x, int y, const TvgBitmap& b) {
      return vgHSLtoRGB(FHue, float(x) / float(b.Width()), 1 - float(y) / float(b.Height()));
    });
  const float opacity = GetAbsoluteOpacity();
  DrawStretched(*canvas, *FColorBitmap, GetLocalRect(), opacity);
  vgDrawColorMarker(*canvas, {FSat * Width(), (1 - FLum) * Height()}, vgHSLtoRGB(FHue, FSat, FLum), opacity);
}

// ----- TvgColorPicker

TvgColorPicker::TvgColorPicker(rtl::TComponent* owner) : TvgControl(owner) { SetAutoCapture(true); }

TvgColorPicker::~TvgColorPicker() { TearDown(); }

void TvgColorPicker::Publish(rtl::TPublisher<TvgColorPicker>& p) {
  using T = TvgColorPicker;
  p.Property("Hue", &T::Hue, &T::SetHue).Default(0.0f);
  p.Property("ColorQuad", &T::ColorQuad, &T::SetColorQuad);
}

void TvgColorPicker::SetHue(float value) {
  if (value == FHue) return;
  FHue = Unit(value);
  if (FColorQuad) FColorQuad->SetHue(FHue);
  Repaint();
}

void TvgColorPicker::SetColorQuad(TvgColorQuad* value) {
  if (value == FColorQuad) return;
  if (FColorQuad) FColorQuad->RemoveFreeNotification(this);
  FColorQuad = value;
  if (FColorQuad) FColorQuad->FreeNotification(this);
}

void TvgColorPicker::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == FColorQuad) FColorQuad = nullptr;
}

TvgColor TvgColorPicker::GetColor() const { return vgHSLtoRGB(FHue, 1, 0.5f); }

void TvgColorPicker::SetColor(TvgColor value) {
  float h = 0, s = 0, l = 0;
  vgRGBtoHSL(value, h, s, l);
  SetHue(h);
  if (!FColorQuad) return;
  FColorQuad->SetAlpha(float(TvgColorRec::From(value).A) / 255);
  FColorQuad->SetHue(h);
  FColorQuad->SetSat(s);
  FColorQuad->SetLum(l);
}

TvgRect TvgColorPicker::GetAbsoluteRect() {
  TvgRect r = inherited::GetAbsoluteRect();
  vgInflateRect(r, kPickerRepaint, 0);
  return r;
}

bool TvgColorPicker::PointInObject(float x, float y) {
  const TvgPoint p = Local(*this, x, y);
  return p.X > 0 && p.X < Width() && p.Y > -kQuadReach && p.Y < Height() + kQuadReach;
}

void TvgColorPicker::PickAt(float y) {
  if (Height() != 0) SetHue(y / Height());
}

void TvgColorPicker::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (Pressed()) PickAt(y);
}

void TvgColorPicker::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  if (Pressed()) PickAt(y);
  inherited::MouseUp(button, shift, x, y);
}

void TvgColorPicker::Paint() {
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  if (!FHueBitmap)
    FHueBitmap = MakeRamp(Width(), Height(), [](int, int y, const TvgBitmap& b) {
      return vgHSLtoRGB(float(y) / float(b.Height()), 0.9f, 0.5f);
    });
  const float opacity = GetAbsoluteOpacity();
  DrawStretched(*canvas, *FHueBitmap, GetLocalRect(), opacity);
  vgDrawColorMarker(*canvas, {Width() / 2, FHue * Height()}, vgHSLtoRGB(FHue, 0.9f, 0.5f), opacity);
}

}  // namespace vg
