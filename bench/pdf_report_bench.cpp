// Time to build and save a report-like PDF document (one 2479 x 4508 page,
// three JPEG pictures, captions in "Chinese" and "Arial-BoldItalic"), with
// the JPEG pictures made beforehand, and with their compression included;
// and a text-only document whose lines switch between a Western and a
// Chinese font, measured and shown, as a settings table does.
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

void BM_MixedFontDocument(benchmark::State& state) {
  pdf::RegisterPdfClasses();
  for (auto _ : state) {
    pdf::TPdfDoc doc;
    doc.NewDoc();
    for (int page = 0; page < 3; ++page) {
      doc.AddPage();
      pdf::TPdfCanvas* canvas = doc.Canvas();
      for (int line = 0; line < 100; ++line) {
        const bool chinese = line % 2 == 1;
        canvas->SetFont(chinese ? "Chinese" : "Arial", 10);
        const std::u16string& text = chinese ? pdffixture::kChineseCaption : std::u16string(u"Brake force 50 \u20AC");
        canvas->TextOut(560 - canvas->TextWidth(text), 800 - 7 * line, text);  // right-aligned
      }
    }
    rtl::TMemoryStream stream;
    doc.SaveToStream(stream);
    benchmark::DoNotOptimize(stream.Memory());
  }
}
BENCHMARK(BM_MixedFontDocument)->Unit(benchmark::kMillisecond);

}  // namespace
