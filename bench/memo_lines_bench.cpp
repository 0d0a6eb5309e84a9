// A memo's text growing the way the program's message log grows: 10,000
// lines added one at a time (each a new first line, or appended), against
// one assignment of the same text. The text model alone measures its lines
// with the GDI+ canvas, as the memo does to find its widest line; the whole
// memo in an embedded scene also lays itself out after every line.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/GdiPlusBackEnd.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_controls.h"
#include "ui/controls/vg_memotext.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_font.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_canvas_gdip.h"

namespace {

constexpr int kLines = 10000;

class CanvasMeasuredMemo : public vg::TvgMemoText {
 public:
  CanvasMeasuredMemo() : FCanvas(vg::DefaultCanvasClass->Create(1, 1)) {}

 protected:
  bool CanMeasure() override { return true; }
  float TextWidth(std::u16string_view text) override { return FCanvas->TextWidth(rtl::WideString(text)); }
  float WrapWidth() override { return 300; }

 private:
  std::unique_ptr<vg::TvgCanvas> FCanvas;
};

rtl::WideString LogLine(int i) {
  return rtl::W("Channel " + std::to_string(i % 8 + 1) + ": firmware block " + std::to_string(i) + " written");
}

using BackEnd = vgbench::GdiPlusBackEnd;

void BM_LinesInsertedFirstOneByOne(benchmark::State& state) {
  BackEnd backEnd;
  for (auto _ : state) {
    CanvasMeasuredMemo memo;
    for (int i = 0; i < kLines; ++i) memo.Lines()->Insert(0, LogLine(i));
    benchmark::DoNotOptimize(memo.GetLineCount());
  }
}
BENCHMARK(BM_LinesInsertedFirstOneByOne)->Unit(benchmark::kMillisecond);

void BM_LinesAppendedOneByOne(benchmark::State& state) {
  BackEnd backEnd;
  for (auto _ : state) {
    CanvasMeasuredMemo memo;
    for (int i = 0; i < kLines; ++i) memo.Lines()->Add(LogLine(i));
    benchmark::DoNotOptimize(memo.GetLineCount());
  }
}
BENCHMARK(BM_LinesAppendedOneByOne)->Unit(benchmark::kMillisecond);

void BM_SameTextAssignedOnce(benchmark::State& state) {
  BackEnd backEnd;
  rtl::WideString text;
  for (int i = kLines - 1; i >= 0; --i) text += LogLine(i) + (i > 0 ? u"\r\n" : u"");
  for (auto _ : state) {
    CanvasMeasuredMemo memo;
    memo.SetText(text);
    benchmark::DoNotOptimize(memo.GetLineCount());
  }
}
BENCHMARK(BM_SameTextAssignedOnce)->Unit(benchmark::kMillisecond);

// A log memo on a form's scene, with the built-in style.
struct SceneMemo {
  vg::TvgOwned<vg::TvgScene> scene{new vg::TvgScene(nullptr)};
  vg::TvgMemo* memo = new vg::TvgMemo(nullptr);

  SceneMemo() {
    scene->CreateEmbedded(400, 300, [](rtl::TObject*) {});
    auto* root = new vg::TvgBackground(nullptr);
    scene->AddObject(root);
    memo->SetParent(root);
    memo->SetBounds(0, 0, 400, 300);
    memo->ApplyResource();
  }
};

void BM_SceneMemoLinesInsertedFirstOneByOne(benchmark::State& state) {
  BackEnd backEnd;
  for (auto _ : state) {
    SceneMemo log;
    for (int i = 0; i < kLines; ++i) {
      log.memo->Lines()->Insert(0, LogLine(i));
      log.memo->GoToTextBegin();
    }
    benchmark::DoNotOptimize(log.memo->GetLineCount());
  }
}
BENCHMARK(BM_SceneMemoLinesInsertedFirstOneByOne)->Unit(benchmark::kMillisecond);

void BM_SceneMemoSameTextAssignedOnce(benchmark::State& state) {
  BackEnd backEnd;
  rtl::WideString text;
  for (int i = kLines - 1; i >= 0; --i) text += LogLine(i) + (i > 0 ? u"\r\n" : u"");
  for (auto _ : state) {
    SceneMemo log;
    log.memo->SetText(text);
    log.memo->GoToTextBegin();
    benchmark::DoNotOptimize(log.memo->GetLineCount());
  }
}
BENCHMARK(BM_SceneMemoSameTextAssignedOnce)->Unit(benchmark::kMillisecond);

}  // namespace
