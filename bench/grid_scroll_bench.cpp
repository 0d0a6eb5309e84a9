// A string grid of 4 columns on an embedded scene with the built-in style
// and the GDI+ canvas, holding 200 or 100,000 rows: scrolling one row and
// appending one row the way the data recorder does (RowCount + 1, then the
// cells). Only the rows in view have cell controls, so neither should grow
// with the row count.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/GdiPlusBackEnd.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_controls.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_gdip.h"

namespace {

constexpr int kColumns = 4;

using BackEnd = vgbench::GdiPlusBackEnd;

struct SceneGrid {
  vg::TvgOwned<vg::TvgScene> scene{new vg::TvgScene(nullptr)};
  vg::TvgStringGrid* grid = new vg::TvgStringGrid(nullptr);

  explicit SceneGrid(int rows) {
    scene->CreateEmbedded(460, 340, [](rtl::TObject*) {});
    auto* root = new vg::TvgBackground(nullptr);
    scene->AddObject(root);
    grid->SetParent(root);
    grid->SetBounds(0, 0, 460, 340);
    for (int i = 0; i < kColumns; ++i) {
      auto* column = new vg::TvgStringColumn(nullptr);
      column->SetParent(grid);
    }
    grid->ApplyResource();
    grid->SetRowCount(rows);
    for (int row = 0; row < rows; ++row)
      for (int col = 0; col < kColumns; ++col) grid->SetCells(col, row, rtl::W(std::to_string(row * 10 + col)));
  }
};

void BM_ScrollOneRow(benchmark::State& state) {
  BackEnd backEnd;
  SceneGrid table(static_cast<int>(state.range(0)));
  vg::TvgScrollBar* bar = table.grid->VScrollBar();
  const float step = table.grid->RowHeight();
  for (auto _ : state) {
    const float next = bar->Value() + step;
    bar->SetValue(next > bar->Max() - bar->ViewportSize() ? 0 : next);
    benchmark::DoNotOptimize(table.grid->GetTopRow());
  }
}
BENCHMARK(BM_ScrollOneRow)->Arg(200)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_AppendRowAsTheRecorderDoes(benchmark::State& state) {
  BackEnd backEnd;
  const int rows = static_cast<int>(state.range(0));
  SceneGrid table(rows);
  for (auto _ : state) {
    state.PauseTiming();
    if (table.grid->RowCount() >= rows + 1000) table.grid->SetRowCount(rows);
    state.ResumeTiming();
    const int row = table.grid->RowCount();
    table.grid->SetRowCount(row + 1);
    for (int col = 0; col < kColumns; ++col) table.grid->SetCells(col, row, u"12.5");
  }
}
BENCHMARK(BM_AppendRowAsTheRecorderDoes)->Arg(200)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
