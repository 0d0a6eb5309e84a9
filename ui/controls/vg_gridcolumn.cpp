#include "ui/controls/vg_gridcolumn.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/controls/vg_flagscope.h"
#include "ui/controls/vg_grid.h"
#include "ui/core/vg_keys.h"
#include "ui/core/vg_textforms.h"

namespace vg {

namespace {

struct TCellAddress {
  int Col;
  int Row;
};

TCellAddress CellAddress(const TvgControl* cell) {
  const TvgPoint p = vgStringToPoint(cell->TagString);
  return {static_cast<int>(std::trunc(p.X)), static_cast<int>(std::trunc(p.Y))};
}

}  // namespace

TvgImageCell::TvgImageCell(rtl::TComponent* owner) : TvgImageControl(owner) { SetEnableOpenDialog(false); }

// ----- TvgColumn

TvgColumn::TvgColumn(rtl::TComponent* owner) : TvgControl(owner) {
  SetWidth(100);
  SetAutoTranslate(true);
  SetHitTest(false);
  FCanFocused = false;
}

TvgColumn::~TvgColumn() { TearDown(); }

void TvgColumn::Publish(rtl::TPublisher<TvgColumn>& p) {
  using T = TvgColumn;
  p.Property("Header", &T::Header, &T::SetHeader);
  p.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly).Default(false);
}

TvgCustomGrid* TvgColumn::Grid() const {
  for (TvgObject* node = Parent(); node; node = node->Parent())
    if (node->InheritsFrom(TvgCustomGrid::StaticClass())) return static_cast<TvgCustomGrid*>(node);
  return nullptr;
}

void TvgColumn::SetHeader(const rtl::WideString& value) {
  FHeader = value;
  TvgCustomGrid* grid = Grid();
  if (!grid || !grid->Header()) return;
  if (TvgHeaderItem* item = grid->Header()->GetItem(GetIndex())) item->SetText(value);
}

TvgControl* TvgColumn::CreateCellControl() {
  auto* cell = new TvgTextCell(this);
  cell->OnChange = [this](rtl::TObject* sender) { TextCellChanged(sender); };
  return cell;
}

int TvgColumn::PoolSize() const {
  TvgCustomGrid* grid = Grid();
  return grid ? std::min(grid->RowCount(), grid->GetVisibleRows()) : 0;
}

void TvgColumn::GrowPool(int size) {
  while (static_cast<int>(FCellControls.size()) < size) {
    TvgControl* cell = CreateCellControl();
    cell->SetParent(this);
    cell->SetHitTest(false);
    cell->SetVisible(false);
    cell->SetLocked(true);
    cell->SetStored(false);
    cell->OnCanFocused = [this](rtl::TObject* sender, bool& allowed) { CellCanFocused(sender, allowed); };
    cell->OnEnterFocus = [this](rtl::TObject* sender) { CellEnterFocus(sender); };
    cell->OnKeyDown = [this](rtl::TObject* sender, std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
      CellKeyDown(sender, key, keyChar, shift);
    };
    FCellControls.push_back(cell);
  }
}

void TvgColumn::CommitMovingEdit(int topRow, int size) {
  TvgCustomGrid* grid = Grid();
  for (int i = 0; i < static_cast<int>(FCellControls.size()); ++i) {
    TvgControl* cell = FCellControls[i];
    if (!cell->IsFocused()) continue;
    const int row = topRow + i;
    if (i >= size || row >= grid->RowCount() || row != CellAddress(cell).Row) grid->SetFocus();
    return;
  }
}

void TvgColumn::UpdateColumn() {
  TvgCustomGrid* grid = Grid();
  if (!grid) return;
  const int size = PoolSize();
  const int top = grid->GetTopRow();
  CommitMovingEdit(top, size);
  TFlagScope updating(FUpdateColumn);
  GrowPool(size);
  const int column = GetIndex();
  const float rowHeight = grid->RowHeight();
  for (int i = 0; i < static_cast<int>(FCellControls.size()); ++i) {
    TvgControl* cell = FCellControls[i];
    const int row = top + i;
    // Cells past the last row would show stale texts: they are hidden too.
    if (i >= size || row >= grid->RowCount()) {
      cell->SetVisible(false);
      continue;
    }
    const rtl::Variant value = grid->GetValue(column, row);
    const std::string tag = vgPointToString({float(column), float(row)});
    // A cell being edited keeps what was typed while it shows the same cell.
    const bool editing = cell->IsFocused() && cell->TagString == tag;
    cell->SetVisible(true);
    cell->SetBounds(0, float(i) * rowHeight, Width(), rowHeight);
    cell->TagString = tag;
    if (!editing) cell->SetData(value);
  }
  UpdateSelected();
}

void TvgColumn::UpdateSelected() {
  TvgCustomGrid* grid = Grid();
  if (!grid || grid->ReadOnly() || FReadOnly) return;
  const int size = PoolSize();
  const int top = grid->GetTopRow();
  const bool current = grid->ColumnIndex() == GetIndex();
  for (int i = 0; i < static_cast<int>(FCellControls.size()); ++i) {
    TvgControl* cell = FCellControls[i];
    const bool editable = current && i < size && grid->IsSelected(top + i);
    cell->SetCanFocused(editable);
    cell->SetHitTest(editable);
    if (!editable && cell->IsFocused()) grid->SetFocus();
  }
}

TvgControl* TvgColumn::CellControlByRow(int row) const {
  for (TvgControl* cell : FCellControls)
    if (cell->Visible() && CellAddress(cell).Row == row) return cell;
  return nullptr;
}

TvgControl* TvgColumn::CellControlByPoint(float x, float y) const {
  TvgCustomGrid* grid = Grid();
  if (!grid) return nullptr;
  const TvgPoint absolute = grid->LocalToAbsolute({x, y});
  for (TvgControl* cell : FCellControls)
    if (cell->Visible() && vgPtInRect(cell->AbsoluteToLocal(absolute), cell->GetLocalRect())) return cell;
  return nullptr;
}

void TvgColumn::ClearColumn() {
  for (TvgControl* cell : std::exchange(FCellControls, {})) cell->Free();
}

// ----- editing through the pooled cells

void TvgColumn::CellCanFocused(rtl::TObject*, bool& allowed) {
  TvgCustomGrid* grid = Grid();
  allowed = grid && grid->CanEditModify() && !FReadOnly;
}

void TvgColumn::CellEnterFocus(rtl::TObject* sender) {
  if (TvgCustomGrid* grid = Grid()) grid->SetColumnIndex(GetIndex());
  FSaveData = static_cast<TvgControl*>(sender)->GetData();
}

void TvgColumn::CellKeyDown(rtl::TObject* sender, std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) {
  TvgCustomGrid* grid = Grid();
  if (!grid) return;
  if (keyChar != 0 && !grid->CanEditAcceptKey(keyChar)) keyChar = 0;
  switch (key) {
    case kKeyEnter:
      grid->SetFocus();
      // Leaving the cell has reported the edit; the cell must not report it again.
      key = 0;
      break;
    case kKeyEscape: {
      // Neither the restored text nor the cell losing the focus reports an edit.
      TFlagScope cancelling(FDisableChange);
      static_cast<TvgControl*>(sender)->SetData(FSaveData);
      grid->Reset();
      break;
    }
    case kKeyUp:
    case kKeyDown:
      grid->SetFocus();
      grid->KeyDown(key, keyChar, shift);
      break;
    default:
      break;
  }
}

void TvgColumn::ReportEdit(TvgControl* cell) {
  TvgCustomGrid* grid = Grid();
  if (!grid) return;
  const TCellAddress address = CellAddress(cell);
  grid->SetValue(address.Col, address.Row, cell->GetData());
  grid->OnEdititingDone(grid, address.Col, address.Row);
}

void TvgColumn::TextCellChanged(rtl::TObject* sender) {
  if (FUpdateColumn || FDisableChange) return;
  ReportEdit(static_cast<TvgControl*>(sender));
}

void TvgColumn::ChoiceCellChanged(rtl::TObject* sender) {
  if (FUpdateColumn) return;
  ReportEdit(static_cast<TvgControl*>(sender));
}

void TvgColumn::ShowStoredValue(int row, const rtl::Variant& value) {
  TvgCustomGrid* grid = Grid();
  if (!grid || FUpdateColumn) return;
  const int index = row - grid->GetTopRow();
  if (index < 0 || index >= static_cast<int>(FCellControls.size())) return;
  TvgControl* cell = FCellControls[static_cast<std::size_t>(index)];
  if (!cell->Visible() || cell->IsFocused() || CellAddress(cell).Row != row) return;
  TFlagScope updating(FUpdateColumn);
  cell->SetData(value);
}

// ----- the other column kinds

TvgControl* TvgCheckColumn::CreateCellControl() {
  auto* cell = new TvgCheckCell(this);
  cell->OnChange = [this](rtl::TObject* sender) { ChoiceCellChanged(sender); };
  return cell;
}

void TvgProgressColumn::Publish(rtl::TPublisher<TvgProgressColumn>& p) {
  using T = TvgProgressColumn;
  p.Property("Min", &T::Min, &T::SetMin).Default(0.0f);
  p.Property("Max", &T::Max, &T::SetMax).Default(100.0f);
}

TvgControl* TvgProgressColumn::CreateCellControl() {
  auto* cell = new TvgProgressCell(this);
  cell->SetMin(FMin);
  cell->SetMax(FMax);
  return cell;
}

TvgPopupColumn::TvgPopupColumn(rtl::TComponent* owner) : TvgColumn(owner), FItems(new TvgWideStringList) {}

TvgPopupColumn::~TvgPopupColumn() { TearDown(); }

void TvgPopupColumn::Publish(rtl::TPublisher<TvgPopupColumn>& p) {
  p.Property("Items", &TvgPopupColumn::Items, &TvgPopupColumn::SetItems);
}

TvgControl* TvgPopupColumn::CreateCellControl() {
  auto* cell = new TvgPopupCell(this);
  cell->SetItems(FItems.get());
  cell->OnChange = [this](rtl::TObject* sender) { ChoiceCellChanged(sender); };
  return cell;
}

TvgControl* TvgImageColumn::CreateCellControl() { return new TvgImageCell(this); }

// ----- TvgStringColumn

void TvgStringColumn::SizeCells(int rows) { FCells.resize(static_cast<std::size_t>(std::max(rows, 0))); }

rtl::WideString TvgStringColumn::Cell(int row) const {
  if (row < 0 || row >= static_cast<int>(FCells.size())) return {};
  return FCells[static_cast<std::size_t>(row)];
}

void TvgStringColumn::SetCell(int row, const rtl::WideString& value) {
  if (row < 0 || row >= static_cast<int>(FCells.size())) return;
  FCells[static_cast<std::size_t>(row)] = value;
  ShowStoredValue(row, value);
}

void TvgStringColumn::UpdateColumn() {
  if (TvgCustomGrid* grid = Grid()) SizeCells(grid->RowCount());
  inherited::UpdateColumn();
}

}  // namespace vg
