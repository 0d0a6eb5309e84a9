// The grids on an embedded scene with the built-in style: cell pools and
// their tags, the current row and column, the string store, editing with
// Enter and Esc, the header's resizing and reordering, and the grid lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/TextConvert.h"
#include "tests/support/vg_recording_canvas.h"
#include "tests/ui/controls/controls_fixture.h"

namespace {

using namespace vg;
using vgtest::ControlScene;
using vgtest::RecordingCanvas;

constexpr float kViewHeight = 297;  // 14 rows of 21 in view, so pools of 16

struct GridScene : ControlScene {
  // A grid with `columns` columns of 60 whose viewport is 297 high.
  template <class Grid, class Column = TvgStringColumn>
  Grid* MakeGrid(int columns, int rows = 100) {
    auto* grid = Add<Grid>();
    grid->SetRowCount(rows);
    for (int i = 0; i < columns; ++i) {
      auto* column = new Column(nullptr);
      column->SetWidth(60);
      column->SetHeader(rtl::Utf8ToUtf16(std::string(1, char('A' + i))));
      column->SetParent(grid);
    }
    EXPECT_NE(grid->ContentLayout(), nullptr) << "the built-in book has the grid's style";
    grid->SetBounds(10, 10, 240, grid->Height());
    grid->SetHeight(grid->Height() - grid->ClientHeight() + kViewHeight);
    EXPECT_EQ(grid->ClientHeight(), kViewHeight);
    return grid;
  }
  // Sends a key with no character to the focused control.
  void Key(std::uint16_t key, TvgShiftState shift = 0) {
    char16_t none = 0;
    scene->UnicodeKeyDown(key, none, shift);
  }
  void Type(std::u16string_view text) {
    for (char16_t c : text) scene->KeyChar(c, 0);
  }
  static std::vector<std::string> Tags(const TvgColumn& column) {
    std::vector<std::string> tags;
    for (TvgControl* cell : column.CellControls())
      if (cell->Visible()) tags.push_back(cell->TagString);
    return tags;
  }
  std::vector<std::string> Drawn(const char* primitive) {
    std::vector<std::string> calls;
    for (const std::string& call : static_cast<RecordingCanvas*>(scene->Canvas())->Log)
      if (call.rfind(primitive, 0) == 0) calls.push_back(call);
    return calls;
  }
};

TEST_F(GridScene, PoolsHoldTheRowsInViewTaggedWithTheirAddress) {
  struct Case {
    int rows;
    std::size_t pool;
  };
  for (const Case& c : {Case{100, 16}, Case{3, 3}}) {
    SCOPED_TRACE(c.rows);
    auto* grid = MakeGrid<TvgGrid, TvgColumn>(3, c.rows);
    EXPECT_EQ(grid->GetVisibleRows(), 16);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(grid->GetColumn(i)->CellControls().size(), c.pool);
    const std::vector<std::string> tags = Tags(*grid->GetColumn(2));
    ASSERT_EQ(tags.size(), c.pool);
    EXPECT_EQ(tags.front(), "(2,0)");
    EXPECT_EQ(tags.back(), "(2," + std::to_string(c.pool - 1) + ")");
    grid->Free();
  }

  auto* grid = MakeGrid<TvgGrid, TvgColumn>(3);
  std::vector<int> asked;
  grid->OnGetValue = [&](rtl::TObject*, int col, int row, rtl::Variant& value) {
    if (col == 2) asked.push_back(row);
    value = rtl::Variant(rtl::Utf8ToUtf16(std::to_string(row)));
  };
  grid->VScrollBar()->SetValue(40 * 21 + 5);
  EXPECT_EQ(grid->GetTopRow(), 40);
  const std::vector<std::string> tags = Tags(*grid->GetColumn(2));
  ASSERT_EQ(tags.size(), 16u) << "the pool never holds more than the rows in view";
  EXPECT_EQ(tags.front(), "(2,40)");
  EXPECT_EQ(tags.back(), "(2,55)");
  EXPECT_EQ(*std::min_element(asked.begin(), asked.end()), 40) << "only rows in view are asked for";
  EXPECT_EQ(*std::max_element(asked.begin(), asked.end()), 55);
  auto* cell = static_cast<TvgTextBox*>(grid->GetColumn(2)->CellControlByRow(47));
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->Text(), u"47");
  EXPECT_EQ(grid->GetColumn(1)->CellControlByRow(39), nullptr);
}

TEST_F(GridScene, CurrentRowIsClampedAndScrolledIntoView) {
  auto* grid = MakeGrid<TvgStringGrid>(2);
  struct Case {
    int set, selected;
    float barValue;
  };
  for (const Case& c : {Case{-5, 0, 0}, Case{1000, 99, 99 * 21 - kViewHeight + 21}, Case{10, 10, 10 * 21}}) {
    SCOPED_TRACE(c.set);
    grid->SetSelected(c.set);
    EXPECT_EQ(grid->Selected(), c.selected);
    EXPECT_EQ(grid->VScrollBar()->Value(), c.barValue);
    ASSERT_EQ(grid->Selections().size(), 1u);
    TvgVisualObject* highlight = grid->Selections()[0];
    EXPECT_TRUE(highlight->Visible());
    const TvgPoint top = grid->Content()->AbsoluteToLocal(highlight->LocalToAbsolute({0, 0}));
    EXPECT_EQ(top.Y, c.selected * 21.0f) << "the highlight covers the current row";
  }
  EXPECT_FALSE(grid->SelectionPart()->Visible()) << "the style's part only serves as the model";
  ASSERT_NE(grid->FocusPart(), nullptr);
  EXPECT_TRUE(grid->FocusPart()->Visible());
  grid->SetShowSelectedCell(false);
  EXPECT_FALSE(grid->FocusPart()->Visible());
  EXPECT_TRUE(grid->Selections()[0]->Visible());

  grid->SetRowHeight(3);
  EXPECT_EQ(grid->RowHeight(), 5);
}

TEST_F(GridScene, RowCountCarriesTheSelectionAndTheStore) {
  auto* grid = MakeGrid<TvgStringGrid>(2);
  grid->SetCells(0, 1, u"kept");
  grid->SetCells(1, 60, u"dropped");
  grid->SetSelected(50);
  grid->SetFocus();

  grid->SetRowCount(2);
  EXPECT_EQ(grid->Selected(), 1);
  EXPECT_EQ(static_cast<TvgStringColumn*>(grid->GetColumn(1))->Cells().size(), 2u);

  grid->SetRowCount(80);
  EXPECT_EQ(grid->GetCells(0, 1), u"kept");
  EXPECT_EQ(grid->GetCells(1, 60), u"") << "rows past a lower count were dropped";

  grid->SetRowCount(0);
  EXPECT_FALSE(grid->Selections()[0]->Visible());
  EXPECT_FALSE(grid->FocusPart()->Visible());
  Key(40);
  Type(u"x");
  EXPECT_EQ(grid->Selected(), 1) << "without rows the grid's keys do nothing";
  grid->SetRowCount(3);
  EXPECT_TRUE(grid->Selections()[0]->Visible());
}

TEST_F(GridScene, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  auto* grid = MakeGrid<TvgStringGrid>(2);
  grid->SetCells(1, 30, u"out of view");
  EXPECT_EQ(grid->GetCells(1, 30), u"out of view");
  for (auto [col, row] : {std::pair{5, 0}, {-1, 0}, {0, -1}, {0, 100}, {1, 1000}}) {
    SCOPED_TRACE(std::to_string(col) + "," + std::to_string(row));
    grid->SetCells(col, row, u"lost");
    EXPECT_EQ(grid->GetCells(col, row), u"");
  }
  EXPECT_EQ(static_cast<TvgStringColumn*>(grid->GetColumn(0))->Cells().size(), 100u);
  EXPECT_TRUE(grid->GetValue(5, 0).IsNull());
}

TEST_F(GridScene, ATextWrittenForARowInViewShowsAtOnce) {
  auto* grid = MakeGrid<TvgStringGrid>(2);
  grid->VScrollBar()->SetValue(10 * 21);
  auto shown = [&](int row) {
    auto* cell = static_cast<TvgTextBox*>(grid->GetColumn(1)->CellControlByRow(row));
    return cell ? cell->Text() : u"(no cell)";
  };
  grid->SetCells(1, 12, u"first");
  grid->SetCells(1, 12, u"second");
  EXPECT_EQ(shown(12), u"second");
  grid->SetCells(1, 2, u"above the view");
  grid->SetCells(1, 60, u"below the view");
  EXPECT_EQ(shown(2), u"(no cell)");
  grid->VScrollBar()->SetValue(50 * 21);
  EXPECT_EQ(shown(60), u"below the view");

  // A cell being edited keeps what was typed.
  grid->SetSelected(55);
  grid->SetColumnIndex(1);
  grid->SetFocus();
  Type(u"typed");
  grid->SetCells(1, 55, u"written");
  EXPECT_EQ(shown(55), u"typed");
}

TEST_F(GridScene, TypingEditsTheCurrentCellEnterKeepsAndEscRestores) {
  auto* grid = MakeGrid<TvgStringGrid>(3);
  std::vector<std::pair<int, int>> done;
  grid->OnEdititingDone = [&](rtl::TObject*, int col, int row) { done.emplace_back(col, row); };
  grid->SetCells(2, 17, u"old");
  grid->SetRowCount(101);  // a refill shows the stored text
  grid->SetSelected(17);
  grid->SetColumnIndex(2);
  grid->SetFocus();

  Type(u"new");
  auto* cell = static_cast<TvgTextBox*>(grid->GetColumn(2)->CellControlByRow(17));
  ASSERT_NE(cell, nullptr);
  EXPECT_TRUE(cell->IsFocused());
  EXPECT_EQ(cell->TagString, "(2,17)");
  EXPECT_EQ(cell->Text(), u"new") << "typing replaces the text";
  EXPECT_EQ(grid->GetCells(2, 17), u"old") << "stored only when the edit ends";
  Key(13);
  EXPECT_TRUE(grid->IsFocused());
  EXPECT_EQ(grid->GetCells(2, 17), u"new");
  EXPECT_EQ(done, (std::vector<std::pair<int, int>>{{2, 17}})) << "one edit, reported once";

  Key(113);  // F2
  ASSERT_TRUE(cell->IsFocused());
  Type(u"zzz");
  EXPECT_EQ(cell->Text(), u"zzz");
  Key(27);
  EXPECT_EQ(cell->Text(), u"new");
  EXPECT_TRUE(grid->IsFocused());
  EXPECT_EQ(grid->GetCells(2, 17), u"new");
  EXPECT_EQ(done.size(), 1u) << "Esc cancels: no edit is reported";

  // Moving down from an edit stores it and moves the current row.
  Type(u"moved");
  Key(40);
  EXPECT_EQ(grid->GetCells(2, 17), u"moved");
  EXPECT_EQ(grid->Selected(), 18);
  EXPECT_TRUE(grid->IsFocused());
}

TEST_F(GridScene, AnEditInProgressIsStoredBeforeScrollingMovesItsCell) {
  auto* grid = MakeGrid<TvgStringGrid>(1);
  grid->SetSelected(3);
  grid->SetColumnIndex(0);
  grid->SetFocus();
  Type(u"typed");
  grid->VScrollBar()->SetValue(30 * 21);
  EXPECT_EQ(grid->GetCells(0, 3), u"typed");
  EXPECT_EQ(Tags(*grid->GetColumn(0)).front(), "(0,30)");
}

TEST_F(GridScene, AnEditInProgressSurvivesRowsBeingAppended) {
  auto* grid = MakeGrid<TvgStringGrid>(1);
  grid->SetSelected(3);
  grid->SetColumnIndex(0);
  grid->SetFocus();
  Type(u"typed");
  grid->SetRowCount(101);
  grid->SetCells(0, 100, u"appended");
  grid->GetColumn(0)->SetWidth(80);
  auto* cell = static_cast<TvgTextBox*>(grid->GetColumn(0)->CellControlByRow(3));
  ASSERT_TRUE(cell->IsFocused());
  EXPECT_EQ(cell->Text(), u"typed");
  Key(13);
  EXPECT_EQ(grid->GetCells(0, 3), u"typed");
}

TEST_F(GridScene, EscInACheckCellWritesTheOldStateBack) {
  auto* grid = MakeGrid<TvgGrid, TvgCheckColumn>(1);
  std::map<int, bool> checked{{4, true}};
  std::vector<std::pair<int, bool>> written;
  grid->OnGetValue = [&](rtl::TObject*, int, int row, rtl::Variant& value) { value = rtl::Variant(checked[row]); };
  grid->OnSetValue = [&](rtl::TObject*, int, int row, const rtl::Variant& value) {
    checked[row] = value.AsBoolean();
    written.emplace_back(row, value.AsBoolean());
  };
  grid->UpdateColumns();
  grid->SetSelected(4);
  grid->SetColumnIndex(0);
  grid->SetFocus();
  Key(113);
  auto* cell = static_cast<TvgCheckBox*>(grid->GetColumn(0)->CellControlByRow(4));
  ASSERT_TRUE(cell->IsFocused());
  EXPECT_TRUE(cell->IsChecked());
  cell->SetIsChecked(false);
  Key(27);
  EXPECT_TRUE(cell->IsChecked());
  EXPECT_EQ(written, (std::vector<std::pair<int, bool>>{{4, false}, {4, true}}));
  EXPECT_TRUE(checked[4]);
}

TEST_F(GridScene, AChoiceInAPopupCellIsStored) {
  auto* grid = MakeGrid<TvgGrid, TvgPopupColumn>(0, 5);
  auto* column = new TvgPopupColumn(nullptr);
  column->Items()->Add(u"forward");
  column->Items()->Add(u"reverse");
  column->SetParent(grid);
  std::vector<std::pair<int, rtl::WideString>> written;
  grid->OnSetValue = [&](rtl::TObject*, int, int row, const rtl::Variant& value) {
    written.emplace_back(row, value.AsWideString());
  };
  grid->UpdateColumns();
  EXPECT_TRUE(written.empty()) << "refilling the pool stores nothing";
  grid->SetSelected(2);
  grid->SetColumnIndex(0);
  auto* cell = static_cast<TvgPopupBox*>(column->CellControlByRow(2));
  ASSERT_NE(cell, nullptr);
  cell->SetItemIndex(1);
  EXPECT_EQ(written, (std::vector<std::pair<int, rtl::WideString>>{{2, u"reverse"}}));
}

TEST_F(GridScene, KeysMoveTheCurrentCell) {
  auto* grid = MakeGrid<TvgStringGrid>(3);
  grid->SetFocus();
  struct Step {
    std::uint16_t key;
    TvgShiftState shift;
    int row, column;
  };
  const Step steps[] = {{40, 0, 1, 0},  {34, 0, 17, 0},       {33, 0, 1, 0},       {33, 0, 0, 0},
                        {39, 0, 0, 1},  {35, 0, 0, 2},        {39, 0, 0, 2},       {35, vgCtrl, 99, 2},
                        {36, 0, 99, 0}, {37, 0, 99, 0},       {36, vgCtrl, 0, 0},  {38, 0, 0, 0}};
  for (const Step& s : steps) {
    SCOPED_TRACE(std::to_string(s.key) + (s.shift ? " with Ctrl" : ""));
    Key(s.key, s.shift);
    EXPECT_EQ(grid->Selected(), s.row);
    EXPECT_EQ(grid->ColumnIndex(), s.column);
  }
}

TEST_F(GridScene, MouseSelectsTheRowAndColumnUnderIt) {
  auto* grid = MakeGrid<TvgStringGrid>(3);
  const TvgPoint cell = grid->Content()->LocalToAbsolute({60 + 30, 5 * 21 + 10});
  scene->MouseDown(vgMouseLeft, vgLeftButton, cell.X, cell.Y);
  scene->MouseUp(vgMouseLeft, 0, cell.X, cell.Y);
  EXPECT_EQ(grid->Selected(), 5);
  EXPECT_EQ(grid->ColumnIndex(), 1);
  EXPECT_TRUE(grid->IsFocused());
}

TEST_F(GridScene, HeaderFollowsTheColumnsAndResizesThem) {
  auto* grid = MakeGrid<TvgStringGrid>(3);
  TvgHeader* header = grid->Header();
  ASSERT_NE(header, nullptr);
  ASSERT_EQ(header->ChildrenCount(), 4) << "an item per column and the filler";
  EXPECT_EQ(header->GetItem(3), header->LastItem());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(header->GetItem(i)->Text(), grid->GetColumn(i)->Header());
    EXPECT_EQ(header->GetItem(i)->Position()->X(), 60.0f * i);
  }
  EXPECT_EQ(header->LastItem()->Position()->X(), 180);
  EXPECT_EQ(header->LastItem()->Width(), header->Width() - 180);

  // Dragging the first item's right edge.
  TvgVisualObject* splitter = header->GetItem(0)->Splitter();
  const TvgPoint edge = splitter->LocalToAbsolute({1, 10});
  const TvgPoint left = header->GetItem(0)->LocalToAbsolute({0, 10});
  scene->MouseDown(vgMouseLeft, vgLeftButton, edge.X, edge.Y);
  for (auto [x, width] : {std::pair{4.0f, 10.0f}, {85.0f, 85.0f}}) {
    scene->MouseMove(vgLeftButton, left.X + x, edge.Y);
    EXPECT_EQ(grid->GetColumn(0)->Width(), width) << "never narrower than 10";
    EXPECT_EQ(header->GetItem(0)->Width(), width);
    EXPECT_EQ(grid->GetColumn(1)->Position()->X(), width) << "the next columns follow";
  }
  scene->MouseUp(vgMouseLeft, 0, left.X + 85, edge.Y);

  // The left edge of the second item resizes the first.
  const TvgPoint second = header->GetItem(1)->LeftSplitter()->LocalToAbsolute({1, 10});
  scene->MouseDown(vgMouseLeft, vgLeftButton, second.X, second.Y);
  scene->MouseMove(vgLeftButton, left.X + 40, second.Y);
  scene->MouseUp(vgMouseLeft, 0, left.X + 40, second.Y);
  EXPECT_EQ(grid->GetColumn(0)->Width(), 40);

  grid->SetShowHeader(false);
  EXPECT_FALSE(header->Visible());
  EXPECT_EQ(grid->ClientHeight(), kViewHeight + header->Padding()->Top() + header->Height())
      << "the rows take the header's place";
}

TEST_F(GridScene, CurrentColumnIsScrolledIntoViewAndTheHeaderFollows) {
  auto* grid = MakeGrid<TvgStringGrid>(6);
  TvgScrollBar* bar = grid->HScrollBar();
  ASSERT_TRUE(bar->Visible()) << "six columns of 60 are wider than the view";
  grid->SetColumnIndex(5);
  EXPECT_EQ(bar->Value(), 360 - grid->ClientWidth());
  EXPECT_EQ(grid->Header()->Offset(), -bar->Value());
  EXPECT_EQ(grid->Header()->GetItem(0)->Position()->X(), -bar->Value());
  grid->SetColumnIndex(1);
  EXPECT_EQ(bar->Value(), 60);
  EXPECT_EQ(grid->Header()->GetItem(1)->Position()->X(), 0);
}

TEST_F(GridScene, HeaderDragAndDropReordersTheColumns) {
  auto* grid = MakeGrid<TvgStringGrid>(3);
  grid->SetCells(0, 0, u"first column");
  grid->SetColumnIndex(0);
  TvgHeader* header = grid->Header();
  TvgHeaderItem* dragged = header->GetItem(0);
  const TvgDragObject drag{dragged, {}, {}};
  const TvgPoint overFiller = header->LastItem()->LocalToAbsolute({10, 10});
  const TvgPoint overThird = header->GetItem(2)->LocalToAbsolute({30, 10});
  for (int move = 0; move < 2; ++move)
    EXPECT_FALSE(scene->DragOver(drag, overFiller, true)) << "the filler takes no drop";
  scene->DragOver(drag, overThird, true);
  ASSERT_TRUE(scene->DragOver(drag, overThird, true));

  scene->DragDrop(drag, overThird);
  std::u16string order;
  for (int i = 0; i < 3; ++i) order += grid->GetColumn(i)->Header();
  EXPECT_EQ(order, u"BCA");
  EXPECT_EQ(grid->ColumnIndex(), 2) << "the current column moves along";
  EXPECT_EQ(grid->GetCells(2, 0), u"first column") << "the texts move with their column";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(header->GetItem(i)->Text(), grid->GetColumn(i)->Header());
    EXPECT_EQ(grid->GetColumn(i)->Position()->X(), 60.0f * i);
  }
  EXPECT_EQ(Tags(*grid->GetColumn(2)).front(), "(2,0)");

  // An edit still open in another column when the columns move is stored
  // in its own column.
  grid->SetColumnIndex(0);
  grid->SetFocus();
  Type(u"edited");
  const TvgDragObject back{header->GetItem(2), {}, {}};
  header->GetItem(0)->DragDrop(back, {5, 5});
  EXPECT_EQ(grid->GetColumn(1)->Header(), u"B");
  EXPECT_EQ(grid->GetCells(1, 0), u"edited");
  EXPECT_EQ(grid->GetCells(0, 0), u"first column");
  EXPECT_TRUE(grid->IsFocused());
}

TEST_F(GridScene, EveryColumnKindPoolsItsOwnCells) {
  auto* grid = MakeGrid<TvgGrid, TvgColumn>(0, 3);
  auto* progress = new TvgProgressColumn(nullptr);
  progress->SetMin(10);
  progress->SetMax(20);
  auto* popup = new TvgPopupColumn(nullptr);
  popup->Items()->Add(u"low");
  popup->Items()->Add(u"high");
  const std::pair<TvgColumn*, const char*> kinds[] = {{new TvgColumn(nullptr), "TvgTextCell"},
                                                      {new TvgCheckColumn(nullptr), "TvgCheckCell"},
                                                      {progress, "TvgProgressCell"},
                                                      {popup, "TvgPopupCell"},
                                                      {new TvgImageColumn(nullptr), "TvgImageCell"}};
  for (auto [column, cellClass] : kinds) column->SetParent(grid);
  for (auto [column, cellClass] : kinds) {
    SCOPED_TRACE(cellClass);
    ASSERT_EQ(column->CellControls().size(), 3u);
    TvgControl* cell = column->CellControls()[0];
    EXPECT_EQ(cell->ClassName(), std::string(cellClass));
    EXPECT_FALSE(cell->Stored());
  }
  auto* progressCell = static_cast<TvgProgressBar*>(progress->CellControls()[0]);
  EXPECT_EQ(progressCell->Min(), 10);
  EXPECT_EQ(progressCell->Max(), 20);
  EXPECT_EQ(static_cast<TvgPopupBox*>(popup->CellControls()[0])->Items()->Count(), 2);
  EXPECT_FALSE(static_cast<TvgImageControl*>(kinds[4].first->CellControls()[0])->EnableOpenDialog());
}

TEST_F(GridScene, ViewportPaintsRowBackgroundsAndLines) {
  auto* grid = MakeGrid<TvgStringGrid>(3);
  grid->SetAlternatingRowBackground(true);
  grid->SetShowVertLines(false);
  auto* canvas = static_cast<RecordingCanvas*>(scene->Canvas());
  canvas->Log.clear();
  scene->UpdateBuffer();
  EXPECT_EQ(Drawn("DrawLine").size(), 17u) << "n + 1 row lines";

  grid->SetShowVertLines(true);
  canvas->Log.clear();
  scene->UpdateBuffer();
  const std::vector<std::string> lines = Drawn("DrawLine");
  ASSERT_EQ(lines.size(), 17u + 3u) << "and one line right of every column";
  EXPECT_NE(lines[17].find("60.5"), std::string::npos) << lines[17];

  // Odd rows only, as wide as the content: the view starts at row 0, so
  // rows 1, 3 ... 15 of the 16 in the pool are filled.
  std::vector<std::string> expected, odd;
  for (int row = 1; row < 16; row += 2)
    expected.push_back("FillRect (0," + std::to_string(row * 21) + ",227," + std::to_string(row * 21 + 21) + ") 0,0 1");
  for (const std::string& call : Drawn("FillRect"))
    if (call.find(",227,") != std::string::npos && call != "FillRect (0,0,227,21) 0,0 1") odd.push_back(call);
  EXPECT_EQ(odd, expected);
}

TEST_F(GridScene, ReadOnlyGridOrColumnNeverEdits) {
  auto* grid = MakeGrid<TvgStringGrid>(2);
  grid->GetColumn(1)->SetReadOnly(true);
  grid->SetFocus();
  grid->SetColumnIndex(1);
  Type(u"x");
  Key(113);
  EXPECT_TRUE(grid->IsFocused());
  grid->SetColumnIndex(0);
  grid->SetReadOnly(true);
  Type(u"x");
  Key(113);
  EXPECT_TRUE(grid->IsFocused());
  EXPECT_EQ(grid->GetCells(0, 0), u"");
}

TEST_F(GridScene, StringGridStreamsItsColumnsAndTheirHeaders) {
  auto* grid = MakeGrid<TvgStringGrid>(2);
  grid->SetRowCount(7);
  grid->GetColumn(1)->SetHeader(u"Volts");
  rtl::TMemoryStream stream;
  grid->SaveToStream(stream);
  stream.SetPosition(0);
  auto* copy = Add<TvgStringGrid>();
  copy->LoadFromStream(stream);
  EXPECT_EQ(copy->RowCount(), 7);
  ASSERT_EQ(copy->ColumnCount(), 2);
  EXPECT_EQ(copy->GetColumn(1)->Header(), u"Volts");
  EXPECT_EQ(copy->Resource(), "gridstyle");
}

}  // namespace
