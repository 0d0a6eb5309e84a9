// Loading a recorder file of 200,000 samples into a string grid of four
// columns on an embedded scene, as the data recorder page does: reading the
// file, then the row count and every cell. Run under `/usr/bin/time -v` for
// the peak memory of a load.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/DataRecorder.h"
#include "app/RecorderGrid.h"
#include "ui/controls/vg_controls.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_gdip.h"

namespace {

constexpr int kSamples = 200000;

std::string WriteRecord() {
  const std::string path = (std::filesystem::temp_directory_path() / "recorder_load_bench.txt").string();
  std::ofstream out(path);
  out << "[setup]\ncount=" << kSamples + 1 << "\n";
  for (int i = 1; i <= kSamples; ++i)
    out << "rpm" << i << "=" << 20000 + i % 5000 << "\nvoltage" << i << "=" << 11 + (i % 100) / 100.0
        << "\ncurrent" << i << "=" << (i % 700) / 10.0 << "\n";
  out << "rpmavg=22500\nrpmmax=24999\nrpmmin=20000\n";
  return path;
}

void BM_LoadRecord(benchmark::State& state) {
  vg::StartGdiPlusBackEnd();
  vg::vgStartCore();
  vg::RegisterControlClasses();
  const std::string path = WriteRecord();
  {
    vg::TvgOwned<vg::TvgScene> scene{new vg::TvgScene(nullptr)};
    scene->CreateEmbedded(520, 330, [](rtl::TObject*) {});
    auto* root = new vg::TvgBackground(nullptr);
    scene->AddObject(root);
    auto* samples = new vg::TvgStringGrid(nullptr);
    auto* statistics = new vg::TvgStringGrid(nullptr);
    for (vg::TvgStringGrid* grid : {samples, statistics}) {
      grid->SetParent(root);
      for (int i = 0; i < 4; ++i) (new vg::TvgStringColumn(nullptr))->SetParent(grid);
      grid->ApplyResource();
    }
    samples->SetBounds(0, 0, 520, 330);
    statistics->SetRowCount(3);
    app::TRecorderGrid sampleTable(*samples), statisticsTable(*statistics);
    for (auto _ : state) {
      app::ShowRecord(app::ReadRecorderFile(path), sampleTable, statisticsTable);
      benchmark::DoNotOptimize(samples->RowCount());
    }
    state.counters["rows"] = samples->RowCount();
  }
  std::filesystem::remove(path);
  vg::StopGdiPlusBackEnd();
}
BENCHMARK(BM_LoadRecord)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
