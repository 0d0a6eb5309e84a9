// Idle cost of the device heartbeat: a running 100 ms TJvTimer with an empty
// handler, the UI thread sleeping in the GLib loop. Reports the process's CPU
// time (all threads, user + system) as a percentage of one core over the
// wall time; the same loop without a timer is the baseline.
#include <benchmark/benchmark.h>
#include <glib.h>

#include <chrono>
#include <ctime>

#include "components/JvTimer.h"
#include "platform/gui/Application.h"

namespace {

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

// Runs the UI loop for `seconds` and returns the CPU share of one core.
double CpuPercentWhileLooping(double seconds) {
  gui::TApplication loop;
  g_timeout_add(static_cast<guint>(seconds * 1000), [](gpointer app) {
    static_cast<gui::TApplication*>(app)->Terminate();
    return G_SOURCE_REMOVE;
  }, &loop);
  const double cpuBefore = ProcessCpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  loop.Run();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  return 100.0 * (ProcessCpuSeconds() - cpuBefore) / wall;
}

void IdleLoop(benchmark::State& state) {
  for (auto _ : state) state.counters["cpu_percent_of_one_core"] = CpuPercentWhileLooping(5);
}

void Running100msJvTimer(benchmark::State& state) {
  long ticks = 0;
  auto* timer = new components::TJvTimer(nullptr);
  timer->SetInterval(100);
  timer->SetOnTimer([&](rtl::TObject*) { ++ticks; });
  for (auto _ : state) state.counters["cpu_percent_of_one_core"] = CpuPercentWhileLooping(10);
  timer->Free();
  state.counters["ticks"] = static_cast<double>(ticks);
}

}  // namespace

BENCHMARK(IdleLoop)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(Running100msJvTimer)->Iterations(1)->Unit(benchmark::kSecond);
