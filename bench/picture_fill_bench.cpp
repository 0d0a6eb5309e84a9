// A small shape filled with a large picture, as a shape paints: its brush is
// assigned to the canvas's fill, inside a saved canvas state, then the shape
// is filled. Against the same with a solid colour, the difference is what the
// picture costs per fill (copies of its pixels would show here).
#include <benchmark/benchmark.h>

#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"
#include "ui/render/vg_canvas_gdip.h"

namespace {

constexpr int kPictureSide = 512;
constexpr int kFills = 20000;

void FillInSavedStates(const vg::TvgBrush& brush, benchmark::State& state) {
  vg::StartGdiPlusBackEnd();
  {
    vg::TvgCanvasGdiPlus canvas(100, 100);
    canvas.BeginScene();
    for (auto _ : state) {
      const int saved = canvas.SaveCanvas();
      canvas.Fill()->Assign(&brush);
      canvas.FillRect({10, 10, 30, 30}, 0, 0, vg::AllCorners, 1);
      canvas.RestoreCanvas(saved);
    }
    canvas.EndScene();
  }
  vg::StopGdiPlusBackEnd();
}

void BM_PictureFill20In512Texture(benchmark::State& state) {
  vg::TvgBitmap picture(kPictureSide, kPictureSide);
  picture.Clear(0xFF3366CC);
  vg::TvgBrush brush(vg::vgBrushBitmap, 0);
  brush.Bitmap()->SetBitmap(&picture);
  FillInSavedStates(brush, state);
}
BENCHMARK(BM_PictureFill20In512Texture)->Iterations(kFills)->Unit(benchmark::kMicrosecond);

void BM_SolidFill20(benchmark::State& state) {
  const vg::TvgBrush brush(vg::vgBrushSolid, 0xFF3366CC);
  FillInSavedStates(brush, state);
}
BENCHMARK(BM_SolidFill20)->Iterations(kFills)->Unit(benchmark::kMicrosecond);

}  // namespace
