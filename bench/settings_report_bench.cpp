// The settings report of a demo model with four parameter pages, from the
// File menu's command to the saved file, on the main window off screen; the
// counter jpeg_share is the part of that time spent compressing the page
// pictures to JPEG.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/MainForm.h"
#include "app/MainFormParams.h"
#include "app/MainFormReport.h"
#include "app/ProgramEntry.h"
#include "app/ScenePicture.h"
#include "platform/gui/Dialogs.h"
#include "platform/hid/SimulatedHid.h"
#include "platform/hid/TickClock.h"
#include "platform/rtl/AtomicFile.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPages = 4;

// The save dialog always chooses `file`.
class ChoosingDialogs final : public gui::IDialogs {
 public:
  explicit ChoosingDialogs(std::string file) : file_(std::move(file)) { gui::SetDialogs(this); }
  ~ChoosingDialogs() override { gui::SetDialogs(nullptr); }
  int MessageBox(gui::TForm*, const rtl::WideString&, const rtl::WideString&, unsigned) override { return gui::IDOK; }
  bool ExecuteFile(gui::TOpenDialog& dialog, bool) override {
    dialog.FileName = file_;
    return true;
  }
  bool InputQuery(const rtl::WideString&, const rtl::WideString&, rtl::WideString&) override { return false; }
  bool ExecuteColor(gui::TColorDialog&) override { return false; }
  bool ExecuteFont(gui::TFontDialog&) override { return false; }

 private:
  std::string file_;
};

// A boat controller (no race sheet) with four pages of two option lists.
std::string LangIni() {
  std::string ini = "[common]\nlang=0\n[BOAT_ESC]\nname=Boat ESC\ndemo=1\ntab=4\nitem=8\nmax=8\n";
  for (int page = 1; page <= kPages; ++page) {
    const std::string n = std::to_string(page);
    ini += "tab" + n + "_cname=页" + n + "\ntab" + n + "_ename=Page " + n + "\ntab" + n + "_group=" +
           std::to_string(2 * page - 2) + "," + std::to_string(2 * page - 1) + "\n";
  }
  for (int item = 1; item <= 2 * kPages; ++item) {
    const std::string n = std::to_string(item);
    ini += "item" + n + "_cname=参数" + n + "\nitem" + n + "_ename=Setting " + n + "\nitem" + n +
           "_cvalue=低|中(*)|高\nitem" + n + "_evalue=Low|Medium(*)|High\nitem" + n + "_mode=0\n";
  }
  return ini;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

void BM_SettingsReportOfFourPages(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / "esctool_settings_report_bench";
  fs::create_directories(folder);
  rtl::WriteFileBytes((folder / "lang.ini").string(), LangIni());
  setenv("ESCTOOL_PROGRAM_DIR", folder.c_str(), 1);
  app::RegisterProgramClasses();
  hid::VirtualClock clock;
  hid::SimulatedHid hid{clock};
  const app::MainFormPlatform platform{hid, clock, [](app::MainFormDevice&) { return true; }};
  auto* form = new app::TfrmInterface(nullptr, platform);
  form->Params().LoadDeviceDescription("BOAT_ESC");
  form->Params().BuildParameterPages();
  ChoosingDialogs dialogs((folder / "report.pdf").string());
  app::MainFormReport window(*form);

  double reportSeconds = 0, jpegSeconds = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    form->Print1Click(nullptr);
    reportSeconds += Seconds(Clock::now() - start);
    state.PauseTiming();
    for (int page = 0; page < kPages; ++page) {
      window.ShowPage(page + 1, page + 2);
      const rtl::TBitmap picture = window.PagePicture();
      const Clock::time_point compress = Clock::now();
      benchmark::DoNotOptimize(app::ReportJpeg(picture));
      jpegSeconds += Seconds(Clock::now() - compress);
    }
    state.ResumeTiming();
  }
  state.counters["jpeg_share"] = reportSeconds > 0 ? jpegSeconds / reportSeconds : 0;
  state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(folder / "report.pdf"));
  form->Free();
  unsetenv("ESCTOOL_PROGRAM_DIR");
  fs::remove_all(folder);
}
BENCHMARK(BM_SettingsReportOfFourPages)->Unit(benchmark::kMillisecond);

}  // namespace
