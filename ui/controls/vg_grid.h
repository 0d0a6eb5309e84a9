#pragma once
// The toolkit's grids: scrolling tables whose rows are virtual. The
// columns (vg_gridcolumn.h) are children of the scroll content and keep
// pools of cell controls for the rows in view only; values come from the
// grid's GetValue and go back through SetValue, addressed by column (its
// child index in the content) and row (0-based, below RowCount). TvgGrid
// hands both to its OnGetValue and OnSetValue events; TvgStringGrid keeps
// one text per row in each TvgStringColumn.
//
// One row is current (Selected) and one column (ColumnIndex); the style's
// "selection" part is cloned to highlight the row and its "focus" part
// frames the current cell. Typing or F2 edits the current cell; Enter keeps
// the edit, Esc puts the old value back. The style's "header" part (a
// TvgHeader) shows the column headers, whose edges resize the columns and
// which reorder the columns by drag and drop. The viewport ("content")
// paints alternating row backgrounds and grid lines.
#include <vector>

#include "ui/controls/vg_gridcolumn.h"
#include "ui/controls/vg_gridheader.h"
#include "ui/render/vg_scrollbox.h"

namespace vg {

// Sender, column, row, the value (starts Null).
using TOnGetValue = rtl::TEvent<rtl::TObject*, int, int, rtl::Variant&>;
using TOnSetValue = rtl::TEvent<rtl::TObject*, int, int, const rtl::Variant&>;
// Sender, column and row of a cell whose edit was stored.
using TOnEdititingDone = rtl::TEvent<rtl::TObject*, int, int>;

class TvgCustomGrid : public TvgScrollBox {
  RTL_CLASS(TvgCustomGrid, TvgScrollBox)

  // 100 x 100, focusable; 100 rows of 21.
  explicit TvgCustomGrid(rtl::TComponent* owner);
  ~TvgCustomGrid() override;

  int RowCount() const { return FRowCount; }
  // Never negative; the content, the pools and the string stores follow,
  // and a current row past the new end moves to the last row.
  void SetRowCount(int value);
  float RowHeight() const { return FRowHeight; }
  // At least 5.
  void SetRowHeight(float value);
  // The current row.
  int Selected() const { return FSelected; }
  // Clamped to the rows (-1 without rows); scrolls the row into view.
  void SetSelected(int value);
  bool IsSelected(int row) const { return row == FSelected; }
  // The current column, a child index of the content; not clamped.
  int ColumnIndex() const { return FColumnIndex; }
  // Scrolls the column into view when it exists.
  void SetColumnIndex(int value);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  bool AlternatingRowBackground() const { return FAlternatingRowBackground; }
  void SetAlternatingRowBackground(bool value);
  bool ShowHorzLines() const { return FShowHorzLines; }
  void SetShowHorzLines(bool value);
  bool ShowVertLines() const { return FShowVertLines; }
  void SetShowVertLines(bool value);
  bool ShowHeader() const { return FShowHeader; }
  void SetShowHeader(bool value);
  bool ShowSelectedCell() const { return FShowSelectedCell; }
  void SetShowSelectedCell(bool value);
  TvgBrush* OddFill() const { return FOddFill.get(); }
  TvgBrush* LineFill() const { return FLineFill.get(); }

  // The style's header, or nullptr.
  TvgHeader* Header() const { return FHeader; }
  // The style parts taken over (nullptr without them) and the highlight
  // clones made so far.
  TvgVisualObject* SelectionPart() const { return FSelection; }
  TvgVisualObject* FocusPart() const { return FFocus; }
  const std::vector<TvgVisualObject*>& Selections() const { return FSelections; }

  // The columns among the content's children, in child order.
  int ColumnCount() const;
  // The i-th column (only columns counted), or nullptr.
  TvgColumn* ColumnByIndex(int index) const;
  TvgColumn* GetColumn(int index) const { return ColumnByIndex(index); }
  // The row under a point in the grid's coordinates; -1 without content.
  int RowByPoint(float x, float y);
  // The first visible column in view containing a point in the grid's
  // coordinates, or nullptr.
  TvgColumn* ColumnByPoint(float x, float y);
  // The first row in view and how many rows the pools hold at most.
  int GetTopRow() const;
  int GetVisibleRows();

  // The value source. GetValue: Null unless OnGetValue gives one.
  virtual rtl::Variant GetValue(int col, int row);
  virtual void SetValue(int col, int row, const rtl::Variant& value);
  // Every column follows the top row and refills its pool.
  virtual void UpdateColumns();
  // Gives the grid the focus (ends an edit).
  virtual void Reset();
  virtual bool CanEditAcceptKey(char16_t keyChar);
  virtual bool CanEditModify();

  std::string ItemClass() const override;
  void AddObject(TvgObject* child) override;
  void MouseDown(TvgMouseButton button, TvgShiftState shift, float x, float y) override;
  void MouseMove(TvgShiftState shift, float x, float y, float dx, float dy) override;
  // Typing starts an edit of the current cell; PageUp/Down, Home/End (with
  // Ctrl: rows), the arrows and F2 move and edit.
  void KeyDown(std::uint16_t& key, char16_t& keyChar, TvgShiftState shift) override;
  void HScrollChange(rtl::TObject* sender) override;
  void VScrollChange(rtl::TObject* sender) override;
  // Places the columns side by side, refills the pools and sizes the
  // content to the columns' widths and RowCount rows (at least the view).
  TvgRect GetContentBounds() override;

  TOnGetValue OnGetValue;
  TOnSetValue OnSetValue;
  TOnEdititingDone OnEdititingDone;

 protected:
  void ApplyStyle() override;
  void FreeStyle() override;

 private:
  static void Publish(rtl::TPublisher<TvgCustomGrid>& p);
  int PoolSize();
  // A point of the content mapped into the coordinates of the selection
  // part's parent (the viewport in every style).
  TvgPoint ContentToView(TvgPoint contentPoint);
  // A point of the content mapped into the viewport's coordinates.
  TvgPoint ContentToViewport(TvgPoint contentPoint);
  void UpdateSelection();
  void HideSelection();
  TvgVisualObject* SelectionClone(std::size_t index);
  void PlaceFocus(const TvgRect& rowRect);
  void UpdateHeader();
  void SelectAt(float x, float y);
  bool MoveByKey(std::uint16_t key, TvgShiftState shift);
  // The pooled cell of the current row in the current column, or nullptr.
  TvgControl* CurrentCell();
  void PaintRowBackground(TvgCanvas& canvas);
  void PaintLines(TvgCanvas& canvas, const TvgRect& rect);
  void ResizeItem(rtl::TObject* sender, float& newSize);
  void RealignItem(rtl::TObject* sender, int oldIndex, int newIndex);

  TvgVisualObject* FSelection = nullptr;
  TvgVisualObject* FFocus = nullptr;
  int FRowCount = 100;
  std::vector<TvgVisualObject*> FSelections;
  bool FAlternatingRowBackground = false;
  TvgOwned<TvgBrush> FOddFill;
  TvgOwned<TvgBrush> FLineFill;
  bool FShowHorzLines = true;
  bool FShowVertLines = true;
  bool FReadOnly = false;
  int FColumnIndex = 0;
  TvgHeader* FHeader = nullptr;
  bool FShowHeader = true;
  bool FShowSelectedCell = true;
  int FSelected = 0;
  float FRowHeight = 21;
};

// A grid over the OnGetValue and OnSetValue events.
class TvgGrid : public TvgCustomGrid {
  RTL_CLASS(TvgGrid, TvgCustomGrid)
  using TvgCustomGrid::TvgCustomGrid;

 private:
  static void Publish(rtl::TPublisher<TvgGrid>& p);
};

// A grid of texts kept by its TvgStringColumn columns; style "gridstyle".
class TvgStringGrid : public TvgCustomGrid {
  RTL_CLASS(TvgStringGrid, TvgCustomGrid)

  explicit TvgStringGrid(rtl::TComponent* owner);
  ~TvgStringGrid() override;

  std::string ItemClass() const override { return "TvgStringColumn"; }
  // The stored text; Null without the column, empty outside the rows.
  rtl::Variant GetValue(int col, int row) override;
  // Stores the value as text; nothing without the column or outside the
  // rows. A cell in view shows it at once, unless it is being edited.
  void SetValue(int col, int row, const rtl::Variant& value) override;
  // The text of a cell; empty for a column or row that does not exist.
  rtl::WideString GetCells(int col, int row);
  void SetCells(int col, int row, const rtl::WideString& value);

 private:
  static void Publish(rtl::TPublisher<TvgStringGrid>& p);
  // The string column at col with its store sized to RowCount, or nullptr.
  TvgStringColumn* StoreColumn(int col);
};

// Registers the grid classes with streaming and the palette.
void RegisterGridClasses();

}  // namespace vg
