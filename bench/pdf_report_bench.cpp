// Time to build and save a report-like PDF document (one 2479 x 4508 page,
// three JPEG pictures, captions in "Chinese" and "Arial-BoldItalic"), with
// the JPEG pictures made beforehand, and with their compression included.
#include <benchmark/benchmark.h>

#include "tests/support/pdf_report_fixture.h"

namespace {

void BM_BuildAndSaveReport(benchmark::State& state) {
  pdf::RegisterPdfClasses();
  const auto jpegs = pdffixture::MakeReportJpegs();
  for (auto _ : state) {
    rtl::TMemoryStream stream;
    pdffixture::WriteReportLikeDocument(jpegs, stream);
    benchmark::DoNotOptimize(stream.Memory());
  }
}
BENCHMARK(BM_BuildAndSaveReport)->Unit(benchmark::kMillisecond);

void BM_CompressBuildAndSaveReport(benchmark::State& state) {
  pdf::RegisterPdfClasses();
  for (auto _ : state) {
    rtl::TMemoryStream stream;
    pdffixture::WriteReportLikeDocument(pdffixture::MakeReportJpegs(), stream);
    benchmark::DoNotOptimize(stream.Memory());
  }
}
BENCHMARK(BM_CompressBuildAndSaveReport)->Unit(benchmark::kMillisecond);

}  // namespace
