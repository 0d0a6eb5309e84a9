// The program on the simulated car controller prints its settings report
// from the File menu: the race sheet comes up over the main window, is
// filled in and confirmed, and the PDF file it leaves is checked by real
// readers (qpdf, poppler) and rendered for a person to look at.
#include <glib.h>

#include <filesystem>
#include <sstream>

#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/RaceSheetForm.h"
#include "platform/gui/Menus.h"
#include "tests/app/program_run.h"
#include "tests/support/artifacts.h"
#include "tests/support/tool_run.h"
#include "tests/support/window_shot.h"

namespace app {
namespace {

namespace fs = std::filesystem;

using test_support::RunTool;
using test_support::ToolRun;

std::string Quoted(const fs::path& path) { return test_support::ShellQuoted(path.string()); }

// The rows of `pdfimages -list` as "width x height".
std::vector<std::string> ImageSizes(const std::string& listing) {
  std::vector<std::string> sizes;
  std::istringstream lines(listing);
  std::string line;
  std::getline(lines, line);  // the heading and its rule
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string page, number, type, width, height;
    if (fields >> page >> number >> type >> width >> height) sizes.push_back(width + " x " + height);
  }
  return sizes;
}

void ClickPrintLater(TfrmInterface& form) {
  g_idle_add(
      [](gpointer data) {
        static_cast<TfrmInterface*>(data)->Node<gui::TMenuItem>("Print1")->Click();
        return G_SOURCE_REMOVE;
      },
      &form);
}

TEST(ProgramReport, PrintsTheCarControllersReportWithItsRaceSheet) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  testing::ProgramRun run;
  const fs::path report = run.folder / "race day.pdf";
  run.dialogs.ChooseFile(report.string());
  bool sheetShot = false;
  std::chrono::steady_clock::time_point sheetShown;
  int pageBefore = 0, pageAfter = -1;
  run.Then("the pages are built",
           [](TfrmInterface& form) {
             const device::DeviceState& link = form.Device().State();
             return link.Connected && !link.Busy && !form.Progress().Exists() && form.FindComponent("cbItem1");
           })
      .Then("the report is asked for",
            [&](TfrmInterface& form) {
              pageBefore = form.VisiblePage();
              ClickPrintLater(form);
              return true;
            })
      .Then("the race sheet is shown",
            [&](TfrmInterface& form) {
              auto* sheet = form.Node<TfrmInput>("frmInput");
              if (!sheet || !sheet->IsModal() || sheet->ControlsScene->DrawCount() == 0) return false;
              sheetShown = std::chrono::steady_clock::now();
              return true;
            })
      .Then("the race sheet is filled in and confirmed",
            [&](TfrmInterface& form) {
              // As a user would, after the radio buttons' check animations.
              if (std::chrono::steady_clock::now() - sheetShown < std::chrono::milliseconds(500)) return false;
              auto* sheet = form.Node<TfrmInput>("frmInput");
              sheet->eEvent->SetText(u"Spring Cup");
              sheet->eMotor->SetText(u"540 13.5T");
              sheet->ControlsScene->UpdateBuffer();
              sheetShot = test_support::SaveWindowShot(sheet->Handle(), "race_sheet").has_value();
              sheet->btnOk->Click();
              return true;
            })
      .Then("the report is written",
            [&](TfrmInterface& form) {
              if (!fs::exists(report) || form.FindComponent("frmInput")) return false;
              pageAfter = form.VisiblePage();
              return true;
            })
      .Then("the window is closed", [](TfrmInterface& form) {
        form.Close();
        return true;
      });
  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  ASSERT_EQ(run.timedOut, "");
  EXPECT_TRUE(sheetShot);
  EXPECT_EQ(pageAfter, pageBefore);  // back on the page shown before
  EXPECT_EQ(run.dialogs.FileDialogs, std::vector<std::string>{"save"});

  const ToolRun check = RunTool("qpdf --check " + Quoted(report));
  EXPECT_EQ(check.exitCode, 0) << check.output;
  const ToolRun info = RunTool("pdfinfo " + Quoted(report));
  EXPECT_NE(info.output.find("Pages:           1"), std::string::npos) << info.output;
  EXPECT_NE(info.output.find("2479 x 4508 pts"), std::string::npos) << info.output;
  const ToolRun images = RunTool("pdfimages -list " + Quoted(report));
  const std::vector<std::string> sizes = ImageSizes(images.output);
  ASSERT_GE(sizes.size(), 3u) << images.output;
  EXPECT_EQ(sizes.front(), "749 x 248") << images.output;  // the header, then the pages
  const ToolRun fonts = RunTool("pdffonts " + Quoted(report));
  // The program starts in Chinese: captions, title and version in the Chinese font.
  EXPECT_NE(fonts.output.find("Chinese"), std::string::npos) << fonts.output;
  const fs::path rendered = test_support::ArtifactDir() / "settings_report";
  const ToolRun render = RunTool("pdftoppm -r 12 -png -singlefile " + Quoted(report) + " " + Quoted(rendered));
  EXPECT_EQ(render.exitCode, 0) << render.output;
  EXPECT_TRUE(fs::exists(rendered.string() + ".png"));
  fs::copy_file(report, test_support::ArtifactDir() / "settings_report.pdf", fs::copy_options::overwrite_existing);
}

}  // namespace
}  // namespace app
