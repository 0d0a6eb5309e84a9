#include "ui/controls/vg_gradientedit.h"

#include <algorithm>

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

constexpr float kSide = 10;  // bar inset left and right, marker strip height
constexpr float kMarker = 5;
constexpr TvgColor kMarkerOutline = 0xFF757575;

}  // namespace

TvgGradientEdit::TvgGradientEdit(rtl::TComponent* owner) : TvgControl(owner), FGradient(new TvgGradient) {
  SetWidth(200);
  SetHeight(20);
  SetAutoCapture(true);
}

TvgGradientEdit::~TvgGradientEdit() { TearDown(); }

void TvgGradientEdit::Publish(rtl::TPublisher<TvgGradientEdit>& p) {
  using T = TvgGradientEdit;
  p.Property("ColorPicker", &T::ColorPicker, &T::SetColorPicker);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnSelectPoint", &T::OnSelectPoint);
}

void TvgGradientEdit::SetGradient(const TvgGradient* value) { FGradient->Assign(value); }

void TvgGradientEdit::UpdatePicker() {
  if (FColorPicker && FCurrentPoint >= 0 && FCurrentPoint < FGradient->Points()->Count())
    FColorPicker->SetColor(FGradient->Points()->Points(FCurrentPoint)->IntColor());
}

void TvgGradientEdit::SetCurrentPoint(int value) {
  if (value == FCurrentPoint) return;
  FCurrentPoint = value;
  OnSelectPoint(this);
  UpdatePicker();
}

void TvgGradientEdit::SetColorPicker(TvgColorPicker* value) {
  if (FColorPicker) FColorPicker->RemoveFreeNotification(this);
  FColorPicker = value;
  if (!FColorPicker) return;
  FColorPicker->FreeNotification(this);
  UpdatePicker();
}

void TvgGradientEdit::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == rtl::opRemove && component == FColorPicker) FColorPicker = nullptr;
}

TvgRect TvgGradientEdit::BarRect() const { return {kSide, 0, Width() - kSide, Height() - kSide}; }

float TvgGradientEdit::OffsetAt(float x) const { return std::clamp((x - kSide) / (Width() - 2 * kSide), 0.0f, 1.0f); }

TvgRect TvgGradientEdit::GetPointRect(int point) {
  if (point < 0 || point >= FGradient->Points()->Count()) return {};
  const float x = (Width() - 2 * kSide) * FGradient->Points()->Points(point)->Offset() + kSide;
  return {x - kMarker, Height() - kSide, x + kMarker, Height()};
}

void TvgGradientEdit::Changed() {
  OnChange(this);
  UpdatePicker();
}

void TvgGradientEdit::AddStopAt(float x) {
  const float offset = OffsetAt(x);
  const TvgColor color = FGradient->InterpolateColor(offset);
  TvgGradientPoints& points = *FGradient->Points();
  for (int i = 1; i < points.Count(); ++i) {
    if (points.Points(i)->Offset() <= offset) continue;
    auto* stop = static_cast<TvgGradientPoint*>(points.Insert(i));
    stop->SetIntColor(color);
    stop->SetOffset(offset);
    SetCurrentPoint(i);
    Repaint();
    Changed();
    return;
  }
}

void TvgGradientEdit::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  FMoving = false;
  for (int i = 0; i < FGradient->Points()->Count(); ++i) {
    if (!vgPtInRect({x, y}, GetPointRect(i))) continue;
    SetCurrentPoint(i);
    OnSelectPoint(this);
    FMoving = true;
    Repaint();
    return;
  }
  if (y > 0 && y < Height() - kSide) AddStopAt(x);
}

void TvgGradientEdit::MoveCurrentTo(float x, float y) {
  TvgGradientPoints& points = *FGradient->Points();
  if (FCurrentPoint < 0 || FCurrentPoint >= points.Count()) return;
  const bool inner = FCurrentPoint > 0 && FCurrentPoint < points.Count() - 1;
  FCurrentPointInvisible = (y < -kSide || y > Height() + kSide) && points.Count() >= 2 && inner;
  TvgGradientPoint* current = points.Points(FCurrentPoint);
  current->SetOffset(OffsetAt(x));
  if (FCurrentPoint + 1 < points.Count() && points.Points(FCurrentPoint + 1)->Offset() < current->Offset()) {
    current->SetIndex(FCurrentPoint + 1);
    FCurrentPoint += 1;
  } else if (FCurrentPoint > 0 && points.Points(FCurrentPoint - 1)->Offset() > current->Offset()) {
    current->SetIndex(FCurrentPoint - 1);
    FCurrentPoint -= 1;
  }
  Repaint();
  Changed();
}

void TvgGradientEdit::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (FMoving && (shift & vgLeftButton)) MoveCurrentTo(x, y);
}

void TvgGradientEdit::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  FCurrentPointInvisible = false;
  TvgGradientPoints& points = *FGradient->Points();
  if (FMoving && y > Height() + kSide && points.Count() > 1 && FCurrentPoint >= 0 && FCurrentPoint < points.Count()) {
    points.Delete(FCurrentPoint);
    FCurrentPoint = std::max(FCurrentPoint - 1, 0);
    Repaint();
    Changed();
  }
  FMoving = false;
}

void TvgGradientEdit::Paint() {
  TvgCanvas* canvas = GetCanvas();
  if (!canvas) return;
  const float opacity = GetAbsoluteOpacity();
  if (!FBitmap) FBitmap = std::make_unique<TvgBitmap>(int(rtl::Trunc(Width())), int(rtl::Trunc(Height() - kSide)));
  if (std::uint32_t* bits = FBitmap->Bits()) {
    for (int x = 0; x < FBitmap->Width(); ++x) {
      const TvgColor color = vgPremultyAlpha(FGradient->InterpolateColor(float(x) / float(FBitmap->Width())));
      for (int y = 0; y < FBitmap->Height(); ++y) bits[y * FBitmap->Width() + x] = color;
    }
    FBitmap->BitmapChanged();
  }
  const TvgRect bar = BarRect();
  vgFillCheckerboard(*canvas, bar, 10, opacity);
  if (!FBitmap->IsEmpty())
    canvas->DrawBitmap(*FBitmap, {0, 0, float(FBitmap->Width()), float(FBitmap->Height())}, bar, opacity, false);
  canvas->SetStrokeThickness(1);
  canvas->Stroke()->SetStyle(vgBrushSolid);
  canvas->Fill()->SetStyle(vgBrushSolid);
  for (int i = 0; i < FGradient->Points()->Count(); ++i) {
    if (i == FCurrentPoint && FCurrentPointInvisible) continue;
    TvgRect marker = GetPointRect(i);
    vgInflateRect(marker, -1, -1);
    canvas->Fill()->SetSolidColor(FGradient->Points()->Points(i)->IntColor());
    canvas->FillEllipse(marker, opacity);
    canvas->Stroke()->SetSolidColor(kMarkerOutline);
    canvas->DrawEllipse(marker, opacity);
    if (i != FCurrentPoint) continue;
    canvas->Stroke()->SetSolidColor(0xFFFFFFFF);
    canvas->DrawEllipse(GetPointRect(i), opacity);
  }
}

}  // namespace vg
