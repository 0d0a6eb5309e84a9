#include "ui/controls/vg_gridheader.h"

#include <algorithm>

#include "ui/core/vg_canvas.h"

namespace vg {

namespace {

constexpr float kSplitterWidth = 3;
constexpr float kFillerWidth = 50;
constexpr std::int16_t kCursorHorzSplit = -14;
constexpr TvgColor kDesignFrameColor = 0xA0909090;

}  // namespace

// ----- TvgHeaderItem

TvgHeaderItem::TvgHeaderItem(rtl::TComponent* owner) : TvgCornerButton(owner) {
  FCanFocused = false;
  SetTextAlign(vgTextAlignNear);
  SetDragMode(vgDragAutomatic);
  FSplitter = MakeSplitter(vaRight);
  FSplitter->OnMouseMove = [this](rtl::TObject*, TvgShiftState, float x, float y, float, float) {
    if (FSplitter->Pressed()) DoSplitterMouseMove({x, y});
  };
  FLeftSplitter = MakeSplitter(vaLeft);
  FLeftSplitter->OnMouseMove = [this](rtl::TObject*, TvgShiftState, float x, float y, float, float) {
    if (FLeftSplitter->Pressed()) DoLeftSplitterMouseMove({x, y});
  };
}

TvgHeaderItem::~TvgHeaderItem() { TearDown(); }

void TvgHeaderItem::Publish(rtl::TPublisher<TvgHeaderItem>& p) {
  using T = TvgHeaderItem;
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(false);
  p.Property("TextAlign", &T::TextAlign, &T::SetTextAlign).Default(vgTextAlignNear);
  p.Property("DragMode", &T::DragMode, &T::SetDragMode).Default(vgDragAutomatic);
}

TvgVisualObject* TvgHeaderItem::MakeSplitter(TvgAlign align) {
  auto* splitter = new TvgVisualObject(this);
  splitter->SetParent(this);
  splitter->SetWidth(kSplitterWidth);
  splitter->SetAlign(align);
  splitter->SetLocked(true);
  splitter->SetStored(false);
  splitter->SetHitTest(true);
  splitter->SetAutoCapture(true);
  splitter->SetCursor(kCursorHorzSplit);
  return splitter;
}

TvgHeader* TvgHeaderItem::Header() const {
  TvgObject* parent = Parent();
  return parent && parent->InheritsFrom(TvgHeader::StaticClass()) ? static_cast<TvgHeader*>(parent) : nullptr;
}

void TvgHeaderItem::DoSplitterMouseMove(TvgPoint splitterPoint) {
  float size = std::max(AbsoluteToLocal(FSplitter->LocalToAbsolute(splitterPoint)).X, 0.0f);
  TvgHeader* header = Header();
  if (header) header->OnResizeItem(this, size);
  SetWidth(size);
  if (header) header->Realign();
}

void TvgHeaderItem::DoLeftSplitterMouseMove(TvgPoint splitterPoint) {
  const int index = GetIndex();
  if (index <= 0) return;
  auto* previous = dynamic_cast<TvgHeaderItem*>(Parent()->GetChild(index - 1));
  if (!previous) return;
  const TvgPoint absolute = FLeftSplitter->LocalToAbsolute(splitterPoint);
  previous->DoSplitterMouseMove(previous->FSplitter->AbsoluteToLocal(absolute));
}

void TvgHeaderItem::DragOver(const TvgDragObject& data, TvgPoint point, bool& accept) {
  inherited::DragOver(data, point, accept);
  auto* dragged = dynamic_cast<TvgHeaderItem*>(data.Source);
  accept = dragged && dragged != this && Header() && dragged->Header() == Header() && DragMode() == vgDragAutomatic;
}

void TvgHeaderItem::DragDrop(const TvgDragObject& data, TvgPoint point) {
  inherited::DragDrop(data, point);
  auto* dragged = dynamic_cast<TvgHeaderItem*>(data.Source);
  TvgHeader* header = Header();
  if (!dragged || !header || dragged->Header() != header || dragged == this) return;
  const int oldIndex = dragged->GetIndex();
  const int newIndex = GetIndex();
  dragged->SetIndex(newIndex);
  header->OnRealignItem(dragged, oldIndex, newIndex);
  header->Realign();
}

// ----- TvgHeader

TvgHeader::TvgHeader(rtl::TComponent* owner) : TvgControl(owner) {
  SetClipChildren(true);
  FLastItem = new TvgHeaderItem(this);
  FLastItem->SetParent(this);
  FLastItem->SetStored(false);
  FLastItem->SetLocked(true);
  FLastItem->SetWidth(kFillerWidth);
  FLastItem->SetDragMode(vgDragManual);
}

TvgHeader::~TvgHeader() { TearDown(); }

void TvgHeader::Publish(rtl::TPublisher<TvgHeader>& p) {
  using T = TvgHeader;
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(false);
  p.Property("ClipChildren", &T::ClipChildren, &T::SetClipChildren).Default(true);
  p.Property("OnRealignItem", &T::OnRealignItem);
  p.Property("OnResizeItem", &T::OnResizeItem);
  p.Property("Radius", &T::Radius, &T::SetRadius).Default(0.0f);
  p.Property("Sides", &T::Sides, &T::SetSides).Default(AllSides);
}

TvgHeaderItem* TvgHeader::GetItem(int index) const { return dynamic_cast<TvgHeaderItem*>(GetChild(index)); }

void TvgHeader::SetOffset(float value) {
  if (value == FOffset) return;
  FOffset = value;
  Realign();
}

void TvgHeader::SetRadius(float value) {
  if (value == FRadius) return;
  FRadius = value;
  Realign();
}

void TvgHeader::SetSides(TvgSides value) {
  if (value == FSides) return;
  FSides = value;
  Realign();
}

void TvgHeader::Realign() {
  inherited::Realign();
  if (IsDestroying() || FRealigning || ChildrenCount() == 0) return;
  FRealigning = true;
  try {
    LayOutItems();
  } catch (...) {
    FRealigning = false;
    throw;
  }
  FRealigning = false;
}

void TvgHeader::LayOutItems() {
  if (FLastItem) FLastItem->BringToFront();
  const TvgRect r = Margins()->MarginRect({FOffset, 0, FOffset + Width(), Height()});
  float x = r.Left;
  bool first = true;
  for (TvgObject* child : std::vector<TvgObject*>(Children())) {
    auto* item = dynamic_cast<TvgHeaderItem*>(child);
    if (!item) continue;
    const bool filler = item == FLastItem;
    if (item->Visible()) {
      item->SetBounds(x, r.Top, item->Width(), Height());
      if (!filler) x += item->Width();
    }
    item->SetxRadius(FRadius);
    item->SetyRadius(FRadius);
    TvgSides sides = FSides;
    if (first) {
      item->SetCorners({vgCornerTopLeft});
      sides.Exclude(vgSideRight);
    } else if (filler) {
      item->SetCorners({vgCornerTopRight});
      sides.Include(vgSideLeft);
    } else {
      item->SetCorners({});
      sides.Include(vgSideLeft).Exclude(vgSideRight);
    }
    item->SetSides(sides);
    first = false;
  }
  if (FLastItem) FLastItem->SetWidth(x > r.Right ? 0 : r.Right - x);
}

void TvgHeader::Paint() {
  inherited::Paint();
  IvgScene* scene = GetScene();
  TvgCanvas* canvas = GetCanvas();
  if (!scene || !scene->GetDesignTime() || !canvas || Locked() || InPaintTo()) return;
  TvgSavedCanvasState saved(*canvas);
  canvas->Stroke()->SetStyle(vgBrushSolid);
  canvas->Stroke()->SetSolidColor(kDesignFrameColor);
  canvas->SetStrokeThickness(1);
  canvas->SetStrokeDash(vgDashDash);
  TvgRect frame = GetLocalRect();
  vgInflateRect(frame, -0.5f, -0.5f);
  canvas->DrawRect(frame, 0, 0, AllCorners, GetAbsoluteOpacity(), vgCornerRound);
}

}  // namespace vg
