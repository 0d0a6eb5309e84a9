// A memo's text growing the way the program's message log grows: 10,000
// lines added one at a time (each a new first line, or appended), against
// one assignment of the same text. The lines are measured with the GDI+
// canvas, as the memo measures them to find its widest line.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_memotext.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_font.h"
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

struct BackEnd {
  BackEnd() { vg::StartGdiPlusBackEnd(); }
  ~BackEnd() { vg::StopGdiPlusBackEnd(); }
};

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

}  // namespace
