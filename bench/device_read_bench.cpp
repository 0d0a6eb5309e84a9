// A full classic settings-image read (4,832 bytes) against the simulated
// adapter on the real clock, set against the waits the protocol itself
// mandates: the 50 ms settle and the 10 x 150 ms drain of a stale reply
// (the device answers every frame at once). "ratio" is measured / mandated.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/RealClockLink.h"

namespace {

using namespace device;

constexpr double kMandatedMs = 50.0 + 10 * 150.0;

void BM_ClassicSettingsRead(benchmark::State& bench) {
  rig::RealClockLink rig;
  auto esc = std::make_shared<hid::SimClassicDevice>();
  esc->settings.assign(4832, 0x5A);
  rig.Attach(esc);
  DeviceLink& link = rig.link;
  std::vector<std::uint8_t> image(32768);
  double totalMs = 0;
  for (auto _ : bench) {
    link.State().Busy = true;
    auto start = std::chrono::steady_clock::now();
    if (link.ReadBlocks(9, image, false) != 1) bench.SkipWithError("read failed");
    totalMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  bench.counters["mandated_ms"] = kMandatedMs;
  bench.counters["ratio"] = totalMs / bench.iterations() / kMandatedMs;
}
BENCHMARK(BM_ClassicSettingsRead)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
