#include "ui/controls/vg_splitter.h"

namespace vg {

namespace {

bool SideAligned(TvgAlign align) {
  return align == vaLeft || align == vaRight || align == vaMostLeft || align == vaMostRight;
}
bool TopBottomAligned(TvgAlign align) {
  return align == vaTop || align == vaBottom || align == vaMostTop || align == vaMostBottom;
}
// The sizes that grow when the pointer moves toward negative coordinates.
bool GrowsBackward(TvgAlign align) { return align == vaRight || align == vaMostRight || align == vaBottom; }

}  // namespace

TvgSplitter::TvgSplitter(rtl::TComponent* owner) : TvgControl(owner) {
  SetAutoCapture(true);
  SetWidth(5);
  SetAlign(vaLeft);
}

TvgSplitter::~TvgSplitter() { TearDown(); }

void TvgSplitter::Publish(rtl::TPublisher<TvgSplitter>& p) {
  p.Property("MinSize", &TvgSplitter::MinSize, &TvgSplitter::SetMinSize).Default(20.0f);
  p.Property("ShowGrip", &TvgSplitter::ShowGrip, &TvgSplitter::SetShowGrip).Default(true);
}

void TvgSplitter::SetAlign(TvgAlign value) {
  inherited::SetAlign(value);
  SetCursor(value == vaTop || value == vaBottom ? vgCursorVSplit : vgCursorHSplit);
}

void TvgSplitter::SetShowGrip(bool value) {
  if (value == FShowGrip) return;
  FShowGrip = value;
  ApplyStyle();
}

void TvgSplitter::ApplyStyle() {
  inherited::ApplyStyle();
  TvgObject* grip = FindResource("grip");
  if (grip && grip->IsVisual()) grip->Visual()->SetVisible(FShowGrip);
}

bool TvgSplitter::Horizontal() const { return Align() != vaTop && Align() != vaBottom; }

TvgVisualObject* TvgSplitter::FindSibling() {
  if (!Parent() || !Parent()->IsVisual()) return nullptr;
  const TvgPoint at = Position()->GetPoint();
  TvgPoint probe;
  switch (Align()) {
    case vaTop: probe = {at.X, at.Y - 1}; break;
    case vaLeft:
    case vaMostLeft: probe = {at.X - 1, at.Y}; break;
    case vaRight:
    case vaMostRight: probe = {at.X + Width() + 1, at.Y}; break;
    case vaBottom: probe = {at.X, at.Y + Height() + 1}; break;
    default: return nullptr;
  }
  const bool towardStart = Align() == vaTop || Align() == vaLeft || Align() == vaMostLeft;
  for (TvgObject* child : Parent()->Children()) {
    if (!child->IsVisual() || child == this) continue;
    TvgVisualObject* node = child->Visual();
    if (node->Locked() || !node->Visible()) continue;
    if (Horizontal() ? !SideAligned(node->Align()) : !TopBottomAligned(node->Align())) continue;
    TvgRect r = node->GetLocalRect();
    r = {r.Left + node->Position()->X(), r.Top + node->Position()->Y(), r.Right + node->Position()->X(),
         r.Bottom + node->Position()->Y()};
    if (r.Right - r.Left == 0) (towardStart ? r.Left : r.Right) += towardStart ? -1 : 1;
    if (r.Bottom - r.Top == 0) (towardStart ? r.Top : r.Bottom) += towardStart ? -1 : 1;
    if (vgPtInRect(probe, r)) return node;
  }
  return nullptr;
}

float TvgSplitter::LimitSize() {
  TvgVisualObject* parent = Parent()->Visual();
  const TvgBounds& margins = *parent->Margins();
  float taken = 0;
  for (TvgObject* child : parent->Children()) {
    if (!child->IsVisual()) continue;
    TvgVisualObject* node = child->Visual();
    const TvgBounds& padding = *node->Padding();
    if (Horizontal() && SideAligned(node->Align()))
      taken += node->Width() + padding.Left() + padding.Right();
    else if (!Horizontal() && (node->Align() == vaTop || node->Align() == vaBottom))
      taken += node->Height() + padding.Top() + padding.Bottom();
  }
  if (Horizontal())
    return parent->Width() - FMinSize - margins.Left() - margins.Right() - taken + FControl->Width();
  return parent->Height() - FMinSize - margins.Top() - margins.Bottom() - taken + FControl->Height();
}

float TvgSplitter::SizeFor(TvgPoint p) {
  FSplit = Horizontal() ? p.X - FDownPos.X : p.Y - FDownPos.Y;
  const float current = Horizontal() ? FControl->Width() : FControl->Height();
  const float wanted = GrowsBackward(Align()) ? current - FSplit : current + FSplit;
  float size = wanted;
  if (size < FMinSize)
    size = FMinSize;
  else if (size > FMaxSize)
    size = FMaxSize;
  if (size != wanted) FSplit += GrowsBackward(Align()) ? wanted - size : size - wanted;
  return size;
}

void TvgSplitter::ApplySize(float size) {
  if (size == FOldSize) return;
  switch (Align()) {
    case vaTop: FControl->SetHeight(size); break;
    case vaLeft:
    case vaMostLeft: FControl->SetWidth(size); break;
    case vaRight:
    case vaMostRight:
      FControl->Position()->SetX(FControl->Position()->X() + FControl->Width() - size);
      FControl->SetWidth(size);
      break;
    case vaBottom:
      FControl->Position()->SetY(FControl->Position()->Y() + FControl->Height() - size);
      FControl->SetHeight(size);
      break;
    default: break;
  }
  FOldSize = size;
}

void TvgSplitter::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != vgMouseLeft) return;
  FPressed = true;
  FDownPos = {x, y};
  FControl = FindSibling();
  if (!FControl) return;
  FMaxSize = LimitSize();
  FNewSize = SizeFor({x, y});
}

void TvgSplitter::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (!FPressed || !FControl) return;
  FNewSize = SizeFor({x, y});
  if (FNewSize <= FMinSize) FNewSize = FMinSize;
  ApplySize(FNewSize);
}

void TvgSplitter::MouseUp(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseUp(button, shift, x, y);
  FPressed = false;
  FControl = nullptr;
}

}  // namespace vg
