// The effect blur costs the same per pixel whatever the radius.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "ui/core/vg_effectpixels.h"

namespace {

void BlurRadius(benchmark::State& state) {
  vg::TvgBitmap bitmap(256, 256);
  for (int i = 0; i < 256 * 256; ++i) bitmap.Bits()[i] = (i % 7 == 0) ? 0xFF336699u : 0x80102030u;
  const int radius = static_cast<int>(state.range(0));
  for (auto _ : state) {
    vg::Blur(nullptr, bitmap, radius, true);
    benchmark::DoNotOptimize(bitmap.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BlurRadius)->Arg(1)->Arg(8)->Arg(45)->Arg(135)->Unit(benchmark::kMillisecond);

}  // namespace
