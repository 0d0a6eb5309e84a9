#include "ui/controls/vg_grid.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/rtl/ClassRegistry.h"
#include "ui/controls/vg_panels.h"
#include "ui/core/vg_keys.h"

namespace vg {

namespace {

constexpr float kMinRowHeight = 5;
constexpr float kMinColumnWidth = 10;
constexpr TvgColor kOddRowColor = 0x20000000;
constexpr TvgColor kLineColor = 0xFF202020;

TvgVisualObject* VisualPart(TvgObject* part) { return part && part->IsVisual() ? part->Visual() : nullptr; }

void CopyBrushPart(TvgObject* part, TvgBrush& brush) {
  if (auto* object = dynamic_cast<TvgBrushObject*>(part)) brush.Assign(object->Brush());
}

}  // namespace

TvgCustomGrid::TvgCustomGrid(rtl::TComponent* owner)
    : TvgScrollBox(owner),
      FOddFill(new TvgBrush(vgBrushSolid, kOddRowColor)),
      FLineFill(new TvgBrush(vgBrushSolid, kLineColor)) {
  SetWidth(100);
  SetHeight(100);
  FCanFocused = true;
  SetAutoCapture(true);
}

TvgCustomGrid::~TvgCustomGrid() { TearDown(); }

void TvgCustomGrid::Publish(rtl::TPublisher<TvgCustomGrid>& p) {
  using T = TvgCustomGrid;
  p.Property("AlternatingRowBackground", &T::AlternatingRowBackground, &T::SetAlternatingRowBackground)
      .Default(false);
  p.Property("CanFocused", &T::CanFocused, &T::SetCanFocused).Default(true);
  p.Property("DisableFocusEffect", &T::DisableFocusEffect, &T::SetDisableFocusEffect).Default(false);
  p.Property("RowHeight", &T::RowHeight, &T::SetRowHeight).Default(21.0f);
  p.Property("ShowSelectedCell", &T::ShowSelectedCell, &T::SetShowSelectedCell).Default(true);
  p.Property("ShowVertLines", &T::ShowVertLines, &T::SetShowVertLines).Default(true);
  p.Property("ShowHorzLines", &T::ShowHorzLines, &T::SetShowHorzLines).Default(true);
  p.Property("ShowHeader", &T::ShowHeader, &T::SetShowHeader).Default(true);
  p.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
  p.Property("OnEdititingDone", &T::OnEdititingDone);
}

std::string TvgCustomGrid::ItemClass() const {
  return "TvgColumn;TvgCheckColumn;TvgProgressColumn;TvgPopupColumn;TvgImageColumn";
}

void TvgCustomGrid::AddObject(TvgObject* child) {
  const bool intoContent =
      child->InheritsFrom(TvgColumn::StaticClass()) || child->InheritsFrom(TvgSelectionItem::StaticClass());
  if (intoContent && Content())
    Content()->AddObject(child);
  else
    inherited::AddObject(child);
}

// ----- properties

void TvgCustomGrid::SetRowCount(int value) {
  value = std::max(value, 0);
  if (value == FRowCount) return;
  FRowCount = value;
  Realign();
  if (FSelected >= FRowCount && FRowCount > 0) SetSelected(FRowCount - 1);
}

void TvgCustomGrid::SetRowHeight(float value) {
  value = std::max(value, kMinRowHeight);
  if (value == FRowHeight) return;
  FRowHeight = value;
  Realign();
}

void TvgCustomGrid::SetAlternatingRowBackground(bool value) {
  if (value == FAlternatingRowBackground) return;
  FAlternatingRowBackground = value;
  Repaint();
}

void TvgCustomGrid::SetShowHorzLines(bool value) {
  if (value == FShowHorzLines) return;
  FShowHorzLines = value;
  Repaint();
}

void TvgCustomGrid::SetShowVertLines(bool value) {
  if (value == FShowVertLines) return;
  FShowVertLines = value;
  Repaint();
}

void TvgCustomGrid::SetShowHeader(bool value) {
  FShowHeader = value;
  if (FHeader) FHeader->SetVisible(value);
}

void TvgCustomGrid::SetShowSelectedCell(bool value) {
  FShowSelectedCell = value;
  UpdateSelection();
}

// ----- addressing and geometry

int TvgCustomGrid::ColumnCount() const {
  if (!Content()) return 0;
  return static_cast<int>(std::count_if(Content()->Children().begin(), Content()->Children().end(),
                                        [](TvgObject* child) { return child->InheritsFrom(TvgColumn::StaticClass()); }));
}

TvgColumn* TvgCustomGrid::ColumnByIndex(int index) const {
  if (!Content() || index < 0) return nullptr;
  for (TvgObject* child : Content()->Children()) {
    if (!child->InheritsFrom(TvgColumn::StaticClass())) continue;
    if (index-- == 0) return static_cast<TvgColumn*>(child);
  }
  return nullptr;
}

int TvgCustomGrid::RowByPoint(float x, float y) {
  if (!Content()) return -1;
  const TvgPoint p = Content()->AbsoluteToLocal(LocalToAbsolute({x, y}));
  return static_cast<int>(std::trunc(p.Y / FRowHeight));
}

TvgColumn* TvgCustomGrid::ColumnByPoint(float x, float y) {
  if (!Content()) return nullptr;
  const TvgPoint absolute = LocalToAbsolute({x, y});
  const TvgRect gridRect = GetUpdateRect();
  for (TvgObject* child : Content()->Children()) {
    if (!child->InheritsFrom(TvgColumn::StaticClass())) continue;
    auto* column = static_cast<TvgColumn*>(child);
    if (column->Visible() && vgIntersectRect(column->GetUpdateRect(), gridRect) &&
        vgPtInRect(column->AbsoluteToLocal(absolute), column->GetLocalRect()))
      return column;
  }
  return nullptr;
}

int TvgCustomGrid::GetTopRow() const { return static_cast<int>(std::trunc(VScrollBarValue() / FRowHeight)); }

int TvgCustomGrid::GetVisibleRows() { return static_cast<int>(std::trunc(ClientHeight() / FRowHeight)) + 2; }

int TvgCustomGrid::PoolSize() { return std::min(FRowCount, GetVisibleRows()); }

TvgPoint TvgCustomGrid::ContentToView(TvgPoint contentPoint) {
  const TvgPoint absolute = Content()->LocalToAbsolute(contentPoint);
  TvgVisualObject* view = FSelection ? VisualPart(FSelection->Parent()) : ContentLayout();
  return view ? view->AbsoluteToLocal(absolute) : absolute;
}

TvgPoint TvgCustomGrid::ContentToViewport(TvgPoint contentPoint) {
  return ContentLayout()->AbsoluteToLocal(Content()->LocalToAbsolute(contentPoint));
}

// ----- the value source

rtl::Variant TvgCustomGrid::GetValue(int col, int row) {
  rtl::Variant value = rtl::Variant::Null();
  OnGetValue(this, col, row, value);
  return value;
}

void TvgCustomGrid::SetValue(int col, int row, const rtl::Variant& value) { OnSetValue(this, col, row, value); }

bool TvgCustomGrid::CanEditAcceptKey(char16_t) { return true; }

bool TvgCustomGrid::CanEditModify() { return !FReadOnly; }

void TvgCustomGrid::Reset() { SetFocus(); }

// ----- layout

void TvgCustomGrid::UpdateColumns() {
  const float top = float(GetTopRow()) * FRowHeight;
  for (int i = 0; TvgColumn* column = GetColumn(i); ++i) {
    column->Position()->SetY(top);
    column->UpdateColumn();
  }
}

TvgRect TvgCustomGrid::GetContentBounds() {
  TvgRect r = GetLocalRect();
  TvgVisualObject* view = ContentLayout();
  if (Updating() > 0 || !view) return r;
  r = view->GetLocalRect();
  if (ColumnCount() > 0) {
    float x = r.Left;
    const float top = float(GetTopRow()) * FRowHeight;
    for (int i = 0; TvgColumn* column = GetColumn(i); ++i) {
      column->SetBounds(x, top, column->Width(), ClientHeight());
      column->UpdateColumn();
      x += column->Width();
    }
    r.Right = x;
    r.Bottom = r.Top + float(FRowCount) * FRowHeight;
  }
  r.Right = std::max(r.Right, r.Left + view->Width());
  r.Bottom = std::max(r.Bottom, r.Top + view->Height());
  UpdateColumns();
  UpdateHeader();
  UpdateSelection();
  return r;
}

void TvgCustomGrid::HScrollChange(rtl::TObject* sender) {
  inherited::HScrollChange(sender);
  UpdateSelection();
  UpdateHeader();
}

void TvgCustomGrid::VScrollChange(rtl::TObject* sender) {
  inherited::VScrollChange(sender);
  UpdateColumns();
  UpdateSelection();
}

// ----- current row and column

void TvgCustomGrid::SetSelected(int value) {
  if (value == FSelected) return;
  FSelected = std::max(value, 0);
  if (FSelected > FRowCount - 1) FSelected = FRowCount - 1;
  if (TvgScrollBar* bar = VScrollBar(); bar && bar->Visible()) {
    const float rowTop = float(FSelected) * FRowHeight;
    if (GetTopRow() >= FSelected) bar->SetValue(rowTop);
    if (rowTop > ClientHeight() + bar->Value() - FRowHeight) bar->SetValue(rowTop - ClientHeight() + FRowHeight);
  }
  UpdateSelection();
}

void TvgCustomGrid::SetColumnIndex(int value) {
  if (value == FColumnIndex) return;
  FColumnIndex = value;
  UpdateSelection();
  TvgColumn* column = GetColumn(value);
  TvgScrollBar* bar = HScrollBar();
  if (!column || !bar || !bar->Visible()) return;
  const float x = column->Position()->X();
  if (x < bar->Value()) bar->SetValue(x);
  if (x + column->Width() > ClientWidth() + bar->Value()) bar->SetValue(x + column->Width() - ClientWidth());
}

// ----- selection highlight and focus frame

void TvgCustomGrid::HideSelection() {
  for (TvgVisualObject* clone : FSelections) clone->SetVisible(false);
  if (FFocus) FFocus->SetVisible(false);
}

TvgVisualObject* TvgCustomGrid::SelectionClone(std::size_t index) {
  while (FSelections.size() <= index) {
    TvgObject* clone = FSelection->Clone(this);
    clone->SetResourceName({});
    clone->SetParent(FSelection->Parent());
    clone->SetStored(false);
    FSelections.push_back(clone->Visual());
  }
  return FSelections[index];
}

void TvgCustomGrid::UpdateSelection() {
  if (!FSelection || ColumnCount() == 0) return;
  if (FSelected < 0 || FSelected >= FRowCount) {
    HideSelection();
    return;
  }
  const TvgPoint topLeft = ContentToView({0, float(FSelected) * FRowHeight});
  const float width = std::max(ClientWidth(), Content()->Width());
  const TvgRect rowRect{topLeft.X, topLeft.Y, topLeft.X + width, topLeft.Y + FRowHeight};
  TvgVisualObject* highlight = SelectionClone(0);
  highlight->SetVisible(true);
  highlight->SetBounds(rowRect.Left, rowRect.Top, vgRectWidth(rowRect), vgRectHeight(rowRect));
  for (std::size_t i = 1; i < FSelections.size(); ++i) FSelections[i]->SetVisible(false);
  PlaceFocus(rowRect);
  for (int i = 0; TvgColumn* column = GetColumn(i); ++i) column->UpdateSelected();
}

void TvgCustomGrid::PlaceFocus(const TvgRect& rowRect) {
  if (!FFocus) return;
  if (!FShowSelectedCell) {
    FFocus->SetVisible(false);
    return;
  }
  TvgColumn* column = GetColumn(FColumnIndex);
  if (!column) return;
  const TvgBounds& padding = *FFocus->Padding();
  FFocus->SetVisible(true);
  FFocus->BringToFront();
  FFocus->SetBounds(ContentToView({column->Position()->X(), 0}).X + padding.Left(), rowRect.Top + padding.Top(),
                    column->Width() - padding.Left() - padding.Right(),
                    vgRectHeight(rowRect) - padding.Top() - padding.Bottom());
}

// ----- header

void TvgCustomGrid::UpdateHeader() {
  if (!FHeader) return;
  FHeader->SetOffset(-HScrollBarValue());
  const int columns = ColumnCount();
  int items = 0;
  for (TvgObject* child : FHeader->Children())
    if (child != FHeader->LastItem() && child->InheritsFrom(TvgHeaderItem::StaticClass())) ++items;
  for (; items < columns; ++items) {
    auto* item = new TvgHeaderItem(this);
    item->SetParent(FHeader);
    item->SetLocked(true);
    item->SetStored(false);
  }
  FHeader->LastItem()->BringToFront();
  for (int k = 0; k < columns; ++k) {
    TvgHeaderItem* item = FHeader->GetItem(k);
    TvgColumn* column = GetColumn(k);
    if (!item) continue;
    item->SetText(column->Header());
    item->SetWidth(column->Width());
  }
  FHeader->Realign();
}

void TvgCustomGrid::ResizeItem(rtl::TObject* sender, float& newSize) {
  newSize = std::max(newSize, kMinColumnWidth);
  auto* item = dynamic_cast<TvgHeaderItem*>(sender);
  if (TvgColumn* column = item ? GetColumn(item->GetIndex()) : nullptr) column->SetWidth(newSize);
}

void TvgCustomGrid::RealignItem(rtl::TObject*, int oldIndex, int newIndex) {
  TvgColumn* column = GetColumn(oldIndex);
  if (!column || newIndex < 0 || newIndex >= Content()->ChildrenCount()) return;
  // Header items never take the focus, so an edit may still be open: it is
  // stored under the cell's address before the addresses change.
  IvgScene* scene = GetScene();
  if (scene && scene->GetFocused() && scene->GetFocused()->IsAncestorOrSelf(Content())) SetFocus();
  if (column->GetIndex() == FColumnIndex) SetColumnIndex(newIndex);
  column->SetIndex(newIndex);
  Realign();
}

// ----- style

void TvgCustomGrid::ApplyStyle() {
  inherited::ApplyStyle();
  if (TvgVisualObject* view = ContentLayout()) {
    view->OnBeforePaint = [this](rtl::TObject*, TvgCanvas* canvas, const TvgRect&) { PaintRowBackground(*canvas); };
    view->OnPaint = [this](rtl::TObject*, TvgCanvas* canvas, const TvgRect& rect) { PaintLines(*canvas, rect); };
  }
  FHeader = dynamic_cast<TvgHeader*>(FindResource("header"));
  if (FHeader) {
    FHeader->OnRealignItem = [this](rtl::TObject* sender, int oldIndex, int newIndex) {
      RealignItem(sender, oldIndex, newIndex);
    };
    FHeader->OnResizeItem = [this](rtl::TObject* sender, float& newSize) { ResizeItem(sender, newSize); };
    FHeader->SetVisible(FShowHeader);
  }
  FSelection = VisualPart(FindResource("selection"));
  if (FSelection) FSelection->SetVisible(false);
  FFocus = VisualPart(FindResource("focus"));
  if (FFocus) FFocus->SetVisible(false);
  CopyBrushPart(FindResource("AlternatingRowBackground"), *FOddFill);
  CopyBrushPart(FindResource("LineFill"), *FLineFill);
  UpdateColumns();
  UpdateHeader();
  UpdateSelection();
}

void TvgCustomGrid::FreeStyle() {
  inherited::FreeStyle();
  FSelection = FFocus = nullptr;
  FHeader = nullptr;
  FSelections.clear();
}

// ----- painting on the viewport

void TvgCustomGrid::PaintRowBackground(TvgCanvas& canvas) {
  if (!FAlternatingRowBackground || !ContentLayout()) return;
  canvas.Fill()->Assign(FOddFill.get());
  const float opacity = GetAbsoluteOpacity();
  const int top = GetTopRow();
  const int last = std::min(top + PoolSize(), FRowCount);
  for (int row = top; row < last; ++row) {
    if (row % 2 == 0) continue;
    const TvgPoint p = ContentToViewport({0, float(row) * FRowHeight});
    canvas.FillRect({p.X, p.Y, p.X + Content()->Width(), p.Y + FRowHeight}, 0, 0, AllCorners, opacity,
                    vgCornerRound);
  }
}

void TvgCustomGrid::PaintLines(TvgCanvas& canvas, const TvgRect& rect) {
  if ((!FShowHorzLines && !FShowVertLines) || !ContentLayout()) return;
  TvgSavedCanvasState saved(canvas);
  canvas.IntersectClipRect(rect);
  canvas.Stroke()->Assign(FLineFill.get());
  canvas.SetStrokeThickness(1);
  canvas.SetStrokeDash(vgDashSolid);
  const float opacity = GetAbsoluteOpacity();
  const int top = GetTopRow();
  const int rows = PoolSize();
  if (FShowHorzLines) {
    for (int r = 0; r <= rows; ++r) {
      const TvgPoint p = ContentToViewport({0, float(top + r) * FRowHeight});
      canvas.DrawLine({p.X, p.Y - 0.5f}, {p.X + Content()->Width(), p.Y - 0.5f}, opacity);
    }
  }
  if (FShowVertLines) {
    for (int i = 0; TvgColumn* column = GetColumn(i); ++i) {
      const TvgPoint p = ContentToViewport({column->Position()->X() + column->Width(), column->Position()->Y()});
      canvas.DrawLine({p.X + 0.5f, p.Y}, {p.X + 0.5f, p.Y + float(rows) * FRowHeight}, opacity);
    }
  }
}

// ----- mouse and keys

void TvgCustomGrid::SelectAt(float x, float y) {
  SetSelected(RowByPoint(x, y));
  if (TvgColumn* column = ColumnByPoint(x, y)) SetColumnIndex(column->GetIndex());
}

void TvgCustomGrid::MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) {
  inherited::MouseDown(button, shift, x, y);
  if (button == vgMouseLeft) SelectAt(x, y);
}

void TvgCustomGrid::MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) {
  inherited::MouseMove(shift, x, y, dx, dy);
  if (Pressed()) SelectAt(x, y);
}

TvgControl* TvgCustomGrid::CurrentCell() {
  TvgColumn* column = GetColumn(FColumnIndex);
  return column ? column->CellControlByRow(FSelected) : nullptr;
}

bool TvgCustomGrid::MoveByKey(std::uint16_t key, TvgShiftState shift) {
  const bool ctrl = (shift & vgCtrl) != 0;
  switch (key) {
    case kKeyPageUp:
      if (FSelected >= 1) SetSelected(FSelected - PoolSize());
      return true;
    case kKeyPageDown:
      if (FSelected < FRowCount - 1) SetSelected(FSelected + PoolSize());
      return true;
    case kKeyEnd:
      if (ctrl)
        SetSelected(FRowCount - 1);
      else if (ColumnCount() > 0)
        SetColumnIndex(ColumnCount() - 1);
      return true;
    case kKeyHome:
      if (ctrl)
        SetSelected(0);
      else if (ColumnCount() > 0)
        SetColumnIndex(0);
      return true;
    case kKeyLeft:
      if (FColumnIndex > 0) SetColumnIndex(FColumnIndex - 1);
      return true;
    case kKeyUp:
      if (FSelected > 0) SetSelected(FSelected - 1);
      return true;
    case kKeyRight:
      if (FColumnIndex < ColumnCount() - 1) SetColumnIndex(FColumnIndex + 1);
      return true;
    case kKeyDown:
      if (FSelected < FRowCount - 1) SetSelected(FSelected + 1);
      return true;
    case kKeyF2:
      if (TvgControl* cell = CurrentCell()) cell->SetFocus();
      return true;
    default:
      return false;
  }
}

void TvgCustomGrid::KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  inherited::KeyDown(key, keyChar, shift);
  if (FRowCount < 1) return;
  TvgColumn* column = GetColumn(FColumnIndex);
  if (keyChar != 0 && !FReadOnly && column && !column->ReadOnly()) {
    if (TvgControl* cell = CurrentCell()) {
      cell->SetFocus();
      if (cell->IsFocused()) cell->KeyDown(key, keyChar, shift);
    }
  }
  if (MoveByKey(key, shift)) key = 0;
}

// ----- TvgGrid

void TvgGrid::Publish(rtl::TPublisher<TvgGrid>& p) {
  using T = TvgGrid;
  p.Property("RowCount", &T::RowCount, &T::SetRowCount).Default(100);
  p.Property("OnGetValue", &T::OnGetValue);
  p.Property("OnSetValue", &T::OnSetValue);
}

// ----- TvgStringGrid

TvgStringGrid::TvgStringGrid(rtl::TComponent* owner) : TvgCustomGrid(owner) {
  BeginUpdate();
  SetResource("gridstyle");
  EndUpdate();
}

TvgStringGrid::~TvgStringGrid() { TearDown(); }

void TvgStringGrid::Publish(rtl::TPublisher<TvgStringGrid>& p) {
  using T = TvgStringGrid;
  p.Property("Resource", &T::Resource, &T::SetResource).Default(std::string("gridstyle"));
  p.Property("RowCount", &T::RowCount, &T::SetRowCount).Default(100);
}

TvgStringColumn* TvgStringGrid::StoreColumn(int col) {
  auto* column = dynamic_cast<TvgStringColumn*>(GetColumn(col));
  if (column && static_cast<int>(column->Cells().size()) != RowCount()) column->SizeCells(RowCount());
  return column;
}

rtl::Variant TvgStringGrid::GetValue(int col, int row) {
  TvgStringColumn* column = StoreColumn(col);
  return column ? rtl::Variant(column->Cell(row)) : rtl::Variant::Null();
}

void TvgStringGrid::SetValue(int col, int row, const rtl::Variant& value) {
  if (TvgStringColumn* column = StoreColumn(col)) column->SetCell(row, value.AsWideString());
}

rtl::WideString TvgStringGrid::GetCells(int col, int row) {
  const rtl::Variant value = GetValue(col, row);
  return value.IsNull() ? rtl::WideString() : value.AsWideString();
}

void TvgStringGrid::SetCells(int col, int row, const rtl::WideString& value) { SetValue(col, row, value); }

void RegisterGridClasses() {
  static bool registered = false;
  if (std::exchange(registered, true)) return;
  rtl::RegisterClasses<TvgTextCell, TvgCheckCell, TvgProgressCell, TvgPopupCell, TvgStringColumn>();
  RegisterVGObjects("Grid", {TvgGrid::StaticClass(), TvgStringGrid::StaticClass(), TvgHeader::StaticClass()});
  RegisterVGObjects("Grid Columns",
                    {TvgColumn::StaticClass(), TvgCheckColumn::StaticClass(), TvgProgressColumn::StaticClass(),
                     TvgPopupColumn::StaticClass(), TvgImageColumn::StaticClass()});
  RegisterVGObjects("Items", {TvgHeaderItem::StaticClass()});
}

}  // namespace vg
