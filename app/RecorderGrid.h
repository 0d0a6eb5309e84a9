#pragma once
// The data recorder page's string grids as the tables a record fills.
#include "app/DataRecorder.h"
#include "ui/controls/vg_grid.h"

namespace app {

class TRecorderGrid final : public IRecorderTable {
 public:
  // `grid` must outlive this table.
  explicit TRecorderGrid(vg::TvgStringGrid& grid) : grid_(grid) {}
  void SetRowCount(int count) override { grid_.SetRowCount(count); }
  void SetCell(int column, int row, const rtl::WideString& text) override { grid_.SetCells(column, row, text); }

 private:
  vg::TvgStringGrid& grid_;
};

}  // namespace app
