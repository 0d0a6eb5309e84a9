// Selection frame, selection point and design frame.
#include "ui/render/vg_selection.h"

#include "platform/rtl/Rounding.h"
#include "ui/core/vg_brush.h"
#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

constexpr TvgColor kFrame = 0xFF1072C5;
constexpr TvgColor kHotGrip = 0xFFFF0000;
constexpr TvgColor kGrip = 0xFFFFFFFF;
constexpr int kLeftTop = 0, kRightTop = 1, kRightBottom = 2, kLeftBottom = 3;

float ClampGrip(float value) { return vgMinMax(value, 1, 20); }

float RoundHalfEven(double value) { return float(rtl::Round(value)); }

void UseFrameStroke(TvgCanvas& canvas, TvgStrokeDash dash) {
  canvas.SetStrokeThickness(1);
  canvas.SetStrokeDash(dash);
  canvas.Stroke()->SetStyle(vgBrushSolid);
  canvas.Stroke()->SetSolidColor(kFrame);
}

void DrawGrip(TvgCanvas& canvas, const TvgRect& r, bool hot, float opacity) {
  canvas.Fill()->SetStyle(vgBrushSolid);
  canvas.Fill()->SetSolidColor(hot ? kHotGrip : kGrip);
  canvas.FillEllipse(r, opacity);
  canvas.DrawEllipse(r, opacity);
}

}  // namespace

// ----- TvgSelection

void TvgSelection::Publish(rtl::TPublisher<TvgSelection>& p) {
  using T = TvgSelection;
  p.Property("GripSize", &T::GripSize, &T::SetGripSize).Default(3.0f);
  p.Property("ParentBounds", &T::ParentBounds, &T::SetParentBounds).Default(true);
  p.Property("HideSelection", &T::HideSelection, &T::SetHideSelection).Default(false);
  p.Property("MinSize", &T::MinSize, &T::SetMinSize).Default(15);
  p.Property("Proportional", &T::Proportional, &T::SetProportional).Default(false);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnTrack", &T::OnTrack);
}

void TvgSelection::SetGripSize(float value) {
  if (value == FGripSize) return;
  FGripSize = ClampGrip(value);
  Repaint();
}

void TvgSelection::SetMinSize(int value) {
  if (value == FMinSize) return;
  FMinSize = value < 1 ? 1 : value;
}

void TvgSelection::SetHideSelection(bool value) {
  if (value == FHideSelection) return;
  FHideSelection = value;
  Repaint();
}

bool TvgSelection::GripHot(int corner) const { return FHot[corner]; }

TvgRect TvgSelection::Grip(int corner) const {
  const float g = FGripSize;
  const float x = corner == kLeftTop || corner == kLeftBottom ? 0 : Width();
  const float y = corner == kLeftTop || corner == kRightTop ? 0 : Height();
  return {x - g, y - g, x + g, y + g};
}

TvgVisualObject* TvgSelection::VisualParentNode() const {
  return Parent() && Parent()->IsVisual() ? Parent()->Visual() : nullptr;
}

TvgRect TvgSelection::GetAbsoluteRect() {
  TvgRect r = inherited::GetAbsoluteRect();
  vgInflateRect(r, FGripSize + 4, FGripSize + 4);
  return r;
}

bool TvgSelection::PointInObject(float x, float y) {
  if (inherited::PointInObject(x, y)) return true;
  const TvgPoint local = AbsoluteToLocal({x, y});
  for (int corner = 0; corner < 4; ++corner)
    if (vgPtInRect(local, Grip(corner))) return true;
  return false;
}

void TvgSelection::Press(TvgPoint local, bool leftButton) {
  FDownPos = local;
  if (!leftButton) return;
  // A selection of no height keeps a ratio of 1 rather than dividing by 0.
  FRatio = Height() != 0 ? Width() / Height() : 1;
  constexpr int order[] = {kLeftTop, kRightTop, kRightBottom, kLeftBottom};
  for (int corner : order)
    if (vgPtInRect(local, Grip(corner))) {
      FCorner[corner] = true;
      return;
    }
  FMove = true;
}

void TvgSelection::Hover(TvgPoint local) {
  FMovePos = local;
  for (int corner = 0; corner < 4; ++corner) {
    const bool hot = vgPtInRect(local, Grip(corner));
    if (hot == FHot[corner]) continue;
    FHot[corner] = hot;
    Repaint();
  }
}

void TvgSelection::Track(TvgPoint local) {
  FMovePos = local;
  if (FMove) {
    MoveBy({FMovePos.X - FDownPos.X, FMovePos.Y - FDownPos.Y});
    OnTrack(this);
  } else if (FCorner[0] || FCorner[1] || FCorner[2] || FCorner[3]) {
    TvgVisualObject* parent = VisualParentNode();
    TvgPoint pointer = LocalToAbsolute(local);
    if (parent) {
      pointer = parent->AbsoluteToLocal(pointer);
      if (FParentBounds) {
        pointer.X = vgMinMax(pointer.X, 0, parent->Width());
        pointer.Y = vgMinMax(pointer.Y, 0, parent->Height());
      }
    }
    Repaint();
    ResizeTo(pointer);
    Repaint();
    OnTrack(this);
  }
}

void TvgSelection::MoveBy(TvgPoint delta) {
  TvgPoint pos = Position()->GetPoint();
  pos.X += delta.X;
  pos.Y += delta.Y;
  TvgVisualObject* parent = VisualParentNode();
  if (FParentBounds && parent) {
    if (pos.X < 0) pos.X = 0;
    if (pos.Y < 0) pos.Y = 0;
    if (pos.X + Width() > parent->Width()) pos.X = parent->Width() - Width();
    if (pos.Y + Height() > parent->Height()) pos.Y = parent->Height() - Height();
  }
  Position()->SetPoint(pos);
}

void TvgSelection::ResizeTo(TvgPoint p) {
  const TvgPoint d = FDownPos;
  TvgPoint pos = Position()->GetPoint();
  float width = Width(), height = Height();
  const float m = float(FMinSize), r = FRatio;
  const bool left = FCorner[kLeftTop] || FCorner[kLeftBottom];
  const bool top = FCorner[kLeftTop] || FCorner[kRightTop];
  // The change in the parent's coordinates, then in the selection's axes.
  TvgVector change{left ? pos.X - (p.X + d.X) : p.X - pos.X,
                   top ? pos.Y - (p.Y + d.Y) : p.Y - pos.Y, 0};
  if (TvgVisualObject* parent = VisualParentNode()) change = parent->LocalToAbsoluteVector(change);
  change = AbsoluteToLocalVector(change);

  width = left ? width + change.X : change.X;
  const float w1 = width;
  if (!FProportional) {
    height = top ? height + change.Y : change.Y;
    if (left) pos.X = p.X + d.X;
    if (top) pos.Y = p.Y + d.Y;
    width = vgMaxFloat(width, m);
    height = vgMaxFloat(height, m);
  } else {
    width = vgMaxFloat(width, m);
    if (m > width / r) width = RoundHalfEven(double(m) * r);
    if (left) pos.X = p.X + d.X - (width - w1);
    const float newHeight = RoundHalfEven(double(width) / r);
    if (top) pos.Y += height - newHeight;
    height = newHeight;
  }
  SetBounds(pos.X, pos.Y, width, height);
}

void TvgSelection::Release() {
  const bool dragged = FMove || FCorner[0] || FCorner[1] || FCorner[2] || FCorner[3];
  FMove = false;
  for (bool& corner : FCorner) corner = false;
  if (dragged) OnChange(this);
}

void TvgSelection::Leave() {
  for (bool& hot : FHot) hot = false;
  Repaint();
}

void TvgSelection::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  Press({x, y}, button == vgMouseLeft);
}

void TvgSelection::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (shift == 0)
    Hover({x, y});
  else if (shift & vgLeftButton)
    Track({x, y});
}

void TvgSelection::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  Release();
}

void TvgSelection::MouseLeave() {
  inherited::MouseLeave();
  Leave();
}

void TvgSelection::Paint() {
  if (FHideSelection) return;
  TvgCanvas* canvas = GetCanvas();
  const float opacity = GetAbsoluteOpacity();
  TvgRect frame = GetLocalRect();
  vgInflateRect(frame, -0.5f, -0.5f);
  UseFrameStroke(*canvas, vgDashDash);
  canvas->DrawRect(frame, 0, 0, AllCorners, opacity, vgCornerRound);
  canvas->SetStrokeDash(vgDashSolid);
  for (int corner : {kLeftTop, kRightTop, kLeftBottom, kRightBottom})
    DrawGrip(*canvas, Grip(corner), FHot[corner], opacity);
}

// ----- TvgSelectionPoint

TvgSelectionPoint::TvgSelectionPoint(rtl::TComponent* owner) : TvgVisualObject(owner) {
  SetAutoCapture(true);
  SetWidth(0);
  SetHeight(0);
}

void TvgSelectionPoint::Publish(rtl::TPublisher<TvgSelectionPoint>& p) {
  using T = TvgSelectionPoint;
  p.Property("GripSize", &T::GripSize, &T::SetGripSize).Default(3.0f);
  p.Property("ParentBounds", &T::ParentBounds, &T::SetParentBounds).Default(true);
  p.Property("OnChange", &T::OnChange);
  p.Property("OnTrack", &T::OnTrack);
}

void TvgSelectionPoint::SetGripSize(float value) {
  FGripSize = ClampGrip(value);
  Repaint();
}

void TvgSelectionPoint::SetWidth(float) { inherited::SetWidth(2 * FGripSize); }
void TvgSelectionPoint::SetHeight(float) { inherited::SetHeight(2 * FGripSize); }

void TvgSelectionPoint::Press(bool leftButton) {
  if (leftButton) FPressed = true;
}

void TvgSelectionPoint::Track(TvgPoint local) {
  if (!FPressed || !Parent() || !Parent()->IsVisual()) return;
  TvgVisualObject* parent = Parent()->Visual();
  TvgPoint p = parent->AbsoluteToLocal(LocalToAbsolute(local));
  if (FParentBounds) {
    p.X = vgMinMax(p.X, 0, parent->Width());
    p.Y = vgMinMax(p.Y, 0, parent->Height());
  }
  Position()->SetPoint(p);
  OnTrack(this);
}

void TvgSelectionPoint::Release() {
  if (FPressed) OnChange(this);
  FPressed = false;
}

void TvgSelectionPoint::MouseEnter() {
  inherited::MouseEnter();
  Repaint();
}

void TvgSelectionPoint::MouseLeave() {
  inherited::MouseLeave();
  Repaint();
}

void TvgSelectionPoint::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  Press(button == vgMouseLeft);
}

void TvgSelectionPoint::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  Track({x, y});
}

void TvgSelectionPoint::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  Release();
}

TvgRect TvgSelectionPoint::GetUpdateRect() {
  TvgRect r = inherited::GetUpdateRect();
  vgInflateRect(r, FGripSize + 1, FGripSize + 1);
  return r;
}

bool TvgSelectionPoint::PointInObject(float x, float y) {
  const TvgPoint p = AbsoluteToLocal({x, y});
  return p.X > -FGripSize && p.X < FGripSize && p.Y > -FGripSize && p.Y < FGripSize;
}

void TvgSelectionPoint::Paint() {
  inherited::Paint();
  TvgCanvas* canvas = GetCanvas();
  UseFrameStroke(*canvas, vgDashSolid);
  const float g = FGripSize;
  DrawGrip(*canvas, {-g, -g, g, g}, IsMouseOver(), GetAbsoluteOpacity());
}

// ----- TvgDesignFrame

void TvgDesignFrame::Publish(rtl::TPublisher<TvgDesignFrame>& p) {
  p.Property("OnChange", &TvgDesignFrame::OnChange);
  p.Property("OnTrack", &TvgDesignFrame::OnTrack);
}

void RegisterSelectionClasses() {
  RegisterVGObjects("Design", {TvgSelection::StaticClass(), TvgSelectionPoint::StaticClass(),
                               TvgDesignFrame::StaticClass()});
}

}  // namespace vg
