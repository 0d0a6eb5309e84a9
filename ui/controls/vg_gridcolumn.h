#pragma once
// Grid columns and their cell controls. A column never holds a control per
// row: it keeps a pool of cells, one per row that can be on screen, and
// refills them from its grid's GetValue whenever the view moves. Each
// pooled cell carries its address "(col,row)" in its TagString; the cell of
// the current row in the current column is the only one that can take the
// focus, and an edit made in it goes back through the grid's SetValue.
//
// Column kinds: text cells (TvgColumn), check cells, progress cells, popup
// cells and image cells; TvgStringColumn keeps its own texts for
// TvgStringGrid.
#include <vector>

#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_imagecontrol.h"
#include "ui/controls/vg_popupbox.h"
#include "ui/controls/vg_progressbar.h"
#include "ui/controls/vg_textbox.h"
#include "ui/core/vg_widestrings.h"

namespace vg {

class TvgCustomGrid;

// The cell controls differ from their bases only by class name, which
// selects their styles ("textcellstyle", "checkcellstyle", ...).
class TvgTextCell : public TvgTextBox {
  RTL_CLASS(TvgTextCell, TvgTextBox)
  using TvgTextBox::TvgTextBox;
};

class TvgCheckCell : public TvgCheckBox {
  RTL_CLASS(TvgCheckCell, TvgCheckBox)
  using TvgCheckBox::TvgCheckBox;
};

class TvgProgressCell : public TvgProgressBar {
  RTL_CLASS(TvgProgressCell, TvgProgressBar)
  using TvgProgressBar::TvgProgressBar;
};

class TvgPopupCell : public TvgPopupBox {
  RTL_CLASS(TvgPopupCell, TvgPopupBox)
  using TvgPopupBox::TvgPopupBox;
};

// An image cell never opens the open dialog.
class TvgImageCell : public TvgImageControl {
  RTL_CLASS(TvgImageCell, TvgImageControl)
  explicit TvgImageCell(rtl::TComponent* owner);
};

class TvgColumn : public TvgControl {
  RTL_CLASS(TvgColumn, TvgControl)

  // 100 wide; neither hit-testable nor focusable itself.
  explicit TvgColumn(rtl::TComponent* owner);
  ~TvgColumn() override;

  const rtl::WideString& Header() const { return FHeader; }
  // Also the text of the grid's header item of this column.
  void SetHeader(const rtl::WideString& value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }

  // The nearest ancestor that is a grid, or nullptr.
  TvgCustomGrid* Grid() const;
  // The pool; index 0 shows the grid's top row.
  const std::vector<TvgControl*>& CellControls() const { return FCellControls; }

  // Refills the pool for the grid's top row and row count (nothing
  // without a grid). An edit in a cell that is about to show another row is
  // committed first; one in a cell that keeps its row stays open.
  virtual void UpdateColumn();
  // A new cell control owned by the column, wired to its change handler.
  virtual TvgControl* CreateCellControl();
  // The first visible pooled cell showing row, or nullptr.
  TvgControl* CellControlByRow(int row) const;
  // The first visible pooled cell containing a point in the grid's
  // coordinates, or nullptr.
  TvgControl* CellControlByPoint(float x, float y) const;
  // Frees every pooled cell.
  void ClearColumn();
  // Only the cell of the grid's current row, when this is the current
  // column, may take the focus and the mouse (nothing when read-only).
  void UpdateSelected();

 protected:
  // A text cell's edit is stored when it ends, unless it is being refilled
  // or cancelled.
  void TextCellChanged(rtl::TObject* sender);
  // A choice in a check or popup cell is stored at once; a cancelled one
  // writes the restored value back.
  void ChoiceCellChanged(rtl::TObject* sender);
  // A value stored for a row in view shows in its cell at once, unless that
  // cell is being edited.
  void ShowStoredValue(int row, const rtl::Variant& value);

 private:
  static void Publish(rtl::TPublisher<TvgColumn>& p);
  int PoolSize() const;
  void GrowPool(int size);
  // Gives the grid the focus when a focused cell would change rows.
  void CommitMovingEdit(int topRow, int size);
  void ReportEdit(TvgControl* cell);
  void CellCanFocused(rtl::TObject* sender, bool& allowed);
  void CellEnterFocus(rtl::TObject* sender);
  void CellKeyDown(rtl::TObject* sender, std::uint16_t& key, char16_t& keyChar, TvgShiftState shift);

  bool FReadOnly = false;
  std::vector<TvgControl*> FCellControls;
  bool FUpdateColumn = false;
  rtl::WideString FHeader;
  rtl::Variant FSaveData;
  bool FDisableChange = false;
};

class TvgCheckColumn : public TvgColumn {
  RTL_CLASS(TvgCheckColumn, TvgColumn)
  using TvgColumn::TvgColumn;
  TvgControl* CreateCellControl() override;
};

class TvgProgressColumn : public TvgColumn {
  RTL_CLASS(TvgProgressColumn, TvgColumn)
  using TvgColumn::TvgColumn;

  float Min() const { return FMin; }
  void SetMin(float value) { FMin = value; }
  float Max() const { return FMax; }
  void SetMax(float value) { FMax = value; }
  TvgControl* CreateCellControl() override;

 private:
  static void Publish(rtl::TPublisher<TvgProgressColumn>& p);
  float FMin = 0;
  float FMax = 100;
};

class TvgPopupColumn : public TvgColumn {
  RTL_CLASS(TvgPopupColumn, TvgColumn)

  explicit TvgPopupColumn(rtl::TComponent* owner);
  ~TvgPopupColumn() override;

  // Cells made later copy these items.
  TvgWideStringList* Items() const { return FItems.get(); }
  void SetItems(const TvgWideStrings* value) { FItems->Assign(value); }
  TvgControl* CreateCellControl() override;

 private:
  static void Publish(rtl::TPublisher<TvgPopupColumn>& p);
  TvgOwned<TvgWideStringList> FItems;
};

class TvgImageColumn : public TvgColumn {
  RTL_CLASS(TvgImageColumn, TvgColumn)
  using TvgColumn::TvgColumn;
  TvgControl* CreateCellControl() override;
};

// A text column that keeps one text per row of its grid.
class TvgStringColumn : public TvgColumn {
  RTL_CLASS(TvgStringColumn, TvgColumn)
  using TvgColumn::TvgColumn;

  // Sized to the grid's RowCount first (the first texts stay, new rows are
  // empty).
  void UpdateColumn() override;
  // Exactly `rows` texts, keeping the first ones.
  void SizeCells(int rows);
  const std::vector<rtl::WideString>& Cells() const { return FCells; }
  // The text of row, empty outside the store.
  rtl::WideString Cell(int row) const;
  // Nothing outside the store.
  void SetCell(int row, const rtl::WideString& value);

 private:
  std::vector<rtl::WideString> FCells;
};

}  // namespace vg
