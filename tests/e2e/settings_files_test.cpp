// The settings files a user makes from the File menu, on a simulated car
// controller: the settings exported to a TXT file, a value changed on a
// page and brought back by importing that file (a file of another firmware
// is refused), and the settings report printed to a PDF after the race
// sheet is filled in. The files are checked as their readers see them.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "platform/rtl/Streams.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "tests/support/artifacts.h"
#include "tests/support/tool_run.h"

namespace {

namespace fs = std::filesystem;
using app::TfrmInterface;
using test_support::RunTool;
using test_support::ShellQuoted;

// Parameter pages of the car controller: page 1 holds the option list of
// item 0 and the track bar of item 5 with its value label.
constexpr char kFirstParamPage[] = "ListBoxItem2";
constexpr char kOptionList[] = "cbItem0", kOptionCaption[] = "lItem0";
constexpr char kTrackBar[] = "eItem5", kTrackValue[] = "leItem5", kTrackCaption[] = "lItem5";
constexpr char kPageCaption[] = "tabLabel2", kCurveCaption[] = "lItem18";
constexpr char kSection[] = "[CAR_ESC VALTORINE_456_A V1.0]";

std::string ReadFile(const fs::path& path) {
  const rtl::TBytes bytes = rtl::ReadFileBytes(path.string());
  return std::string(bytes.begin(), bytes.end());
}

// The lines of a text whose every line ends with CR LF; `wellEnded` tells
// whether it does.
std::vector<std::string> CrLfLines(const std::string& text, bool& wellEnded) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  wellEnded = start == text.size();
  return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The line after `line`, empty when there is none.
std::string After(const std::vector<std::string>& lines, const std::string& line, std::size_t skip = 1) {
  auto found = std::find(lines.begin(), lines.end(), line);
  return std::distance(found, lines.end()) > static_cast<std::ptrdiff_t>(skip) ? *(found + skip) : std::string();
}

bool Identified(TfrmInterface& form) {
  return !e2e::Shows(form, "eController").empty() && !gui::TopModalForm() &&
         !e2e::ShownWindow(form, "TfrmProgress") && e2e::Reachable(form, kFirstParamPage);
}

struct Pixbuf {
  std::unique_ptr<GdkPixbuf, void (*)(gpointer)> image{nullptr, g_object_unref};
  explicit Pixbuf(const fs::path& file) : image(gdk_pixbuf_new_from_file(file.c_str(), nullptr), g_object_unref) {}
  // Red, green and blue of (x, y).
  const guchar* At(int x, int y) const {
    return gdk_pixbuf_get_pixels(image.get()) + y * gdk_pixbuf_get_rowstride(image.get()) +
           x * gdk_pixbuf_get_n_channels(image.get());
  }
};

struct Area {
  int x, y, width, height;
};

// The mean difference of the colour channels of two pictures over `area`.
double MeanDifference(const Pixbuf& a, const Pixbuf& b, Area area) {
  double sum = 0;
  for (int y = area.y; y < area.y + area.height; ++y)
    for (int x = area.x; x < area.x + area.width; ++x)
      for (int c = 0; c < 3; ++c) sum += std::abs(a.At(x, y)[c] - b.At(x, y)[c]);
  return sum / (3.0 * area.width * area.height);
}

int Brightness(const guchar* rgb) { return (rgb[0] + rgb[1] + rgb[2]) / 3; }

// Pixels of `area` that stand out from its background (its median
// brightness), as the strokes of a text do, whatever the colours.
int InkPixels(const Pixbuf& picture, Area area) {
  std::vector<int> levels;
  for (int y = area.y; y < area.y + area.height; ++y)
    for (int x = area.x; x < area.x + area.width; ++x) levels.push_back(Brightness(picture.At(x, y)));
  std::vector<int> sorted = levels;
  std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
  const int background = sorted[sorted.size() / 2];
  return static_cast<int>(std::count_if(levels.begin(), levels.end(),
                                        [&](int level) { return std::abs(level - background) > 64; }));
}

struct Shown {
  std::string controller, optionCaption, optionEntry, trackCaption, trackValue, pageCaption, curveCaption;
};

// What every parameter control of the pages shows: the chosen entries of the
// option lists, the texts of the boxes and of the track bars' value labels.
std::map<std::string, std::string> ParameterControls(TfrmInterface& form) {
  std::map<std::string, std::string> shown;
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    if (form.FindComponent("cbItem" + n)) shown["cbItem" + n] = e2e::ShownEntry(form, "cbItem" + n);
    for (const std::string& box : {"eItem" + n, "leItem" + n})
      if (form.FindComponent(box)) shown[box] = e2e::Shows(form, box);
  }
  return shown;
}

TEST(SettingsFiles, ExportImportAndPrintFromTheFileMenu) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  const fs::path folder = fs::path(::testing::TempDir()) / ("settings_files_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path txt = folder / "car settings.txt", otherFirmware = folder / "other firmware.txt",
                 pdf = folder / "spring_cup.pdf";
  app::testing::ProgramRun run;
  run.dialogs.ChooseFile(txt.string()).ChooseFile(txt.string()).ChooseFile(otherFirmware.string());
  run.dialogs.ChooseFile(pdf.string());

  Shown before;
  std::map<std::string, std::string> exported, imported, afterRefusal;
  std::string changedValue, importedValue, refusal, driverShown;
  const std::string event = "Spring Cup 2026", motor = "540 13.5T";
  bool sheetShot = false, mainShot = false;
  int pageBeforePrint = 0, pageAfterPrint = -1;
  std::chrono::steady_clock::time_point sheetSeen, lastEditorClick;
  std::vector<std::string> editorsOpened;
  e2e::TSceneForm* lastEditor = nullptr;
  run.Then("identified", Identified)
      .Then("first parameter page clicked", [](TfrmInterface& form) { return e2e::Click(form, kFirstParamPage); })
      .Then("its controls shown",
            [&](TfrmInterface& form) {
              if (!e2e::Reachable(form, kTrackBar) || !e2e::Reachable(form, kOptionList)) return false;
              before = {e2e::Shows(form, "eController"), e2e::Shows(form, kOptionCaption),
                        e2e::ShownEntry(form, kOptionList), e2e::Shows(form, kTrackCaption),
                        e2e::Shows(form, kTrackValue), e2e::Shows(form, kPageCaption),
                        e2e::Shows(form, kCurveCaption)};
              exported = ParameterControls(form);
              return true;
            })
      .Then("exported", [](TfrmInterface& form) { return e2e::Choose(form, "Export1"); })
      .Then("the file written", [&](TfrmInterface&) { return fs::exists(txt); })
      .Then("track bar clicked near its end",
            [](TfrmInterface& form) {
              vg::TvgVisualObject* track = e2e::Reachable(form, kTrackBar);
              return track && e2e::ClickNodeAt(form, *track, {track->Width() * 0.9f, track->Height() / 2});
            })
      .Then("the new value shown",
            [&](TfrmInterface& form) {
              changedValue = e2e::Shows(form, kTrackValue);
              return changedValue != before.trackValue;
            })
      .Then("imported", [](TfrmInterface& form) { return e2e::Choose(form, "Import1"); })
      .Then("the exported value shown again, no editor opened on the way",
            [&](TfrmInterface& form) {
              if (e2e::TSceneForm* editor = e2e::Front(); editor && editor != gui::MainForm()) {
                const auto now = std::chrono::steady_clock::now();
                // An answered editor is still closing; the next one may take
                // the freed one's address, and a click is carried out later.
                if (editor->ModalResult() != gui::mrNone) return false;
                if (editor == lastEditor && now - lastEditorClick < std::chrono::seconds(3)) return false;
                if (e2e::Click(*editor, "btnCancel")) {
                  editorsOpened.push_back(editor->ClassName());
                  lastEditor = editor;
                  lastEditorClick = now;
                }
                return false;
              }
              importedValue = e2e::Shows(form, kTrackValue);
              imported = ParameterControls(form);
              return importedValue == before.trackValue;
            })
      .Then("a file of another firmware imported",
            [&](TfrmInterface& form) {
              std::string text = ReadFile(txt);
              text.replace(text.find(kSection), sizeof kSection - 1, "[CAR_ESC VALTORINE_456_A V9.9]");
              const std::string trackLine = "\r\n6=" + before.trackValue + ".0\r\n";
              text.replace(text.find(trackLine), trackLine.size(), "\r\n6=50.0\r\n");
              rtl::WriteFileBytes(otherFirmware.string(), text);
              return e2e::Choose(form, "Import1");
            })
      .Then("its refusal answered",
            [&](TfrmInterface&) {
              e2e::TSceneForm* box = e2e::Dialog("TfrmInfo");
              if (!box) return false;
              refusal = e2e::Shows(*box, "Label1");
              return e2e::Click(*box, "btnOk");
            })
      .Then("print chosen",
            [&](TfrmInterface& form) {
              if (gui::TopModalForm()) return false;
              afterRefusal = ParameterControls(form);
              pageBeforePrint = form.VisiblePage();
              return e2e::Choose(form, "Print1");
            })
      .Then("the race sheet shown",
            [&](TfrmInterface&) {
              e2e::TSceneForm* sheet = e2e::Dialog("TfrmInput");
              if (!sheet || sheet->ControlsScene->DrawCount() == 0) return false;
              driverShown = e2e::Shows(*sheet, "eDriver");
              sheetSeen = std::chrono::steady_clock::now();
              return true;
            })
      .Then("the event typed",
            [&](TfrmInterface&) {
              // As a user would, after the radio buttons' check animations.
              if (std::chrono::steady_clock::now() - sheetSeen < std::chrono::milliseconds(500)) return false;
              e2e::TSceneForm* sheet = e2e::Dialog("TfrmInput");
              return sheet && e2e::Enter(*sheet, "eEvent", event);
            })
      .Then("the motor typed",
            [&](TfrmInterface&) {
              e2e::TSceneForm* sheet = e2e::Dialog("TfrmInput");
              return sheet && e2e::Shows(*sheet, "eEvent") == event && e2e::Enter(*sheet, "eMotor", motor);
            })
      .Then("the filled sheet shown",
            [&](TfrmInterface&) {
              e2e::TSceneForm* sheet = e2e::Dialog("TfrmInput");
              return sheet && e2e::Shows(*sheet, "eMotor") == motor;
            })
      .Then("shot of the sheet", e2e::ShotStep("e2e_race_sheet", &sheetShot))
      .Then("OK clicked",
            [](TfrmInterface&) {
              e2e::TSceneForm* sheet = e2e::Dialog("TfrmInput");
              return sheet && e2e::Click(*sheet, "btnOk");
            })
      .Then("the report written",
            [&](TfrmInterface& form) {
              if (gui::TopModalForm() || !fs::exists(pdf) || fs::file_size(pdf) == 0) return false;
              pageAfterPrint = form.VisiblePage();
              return true;
            })
      .Then("shot of the main window", e2e::ShotStep("e2e_after_print", &mainShot))
      .Then("exit", [](TfrmInterface& form) { return e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(60)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  ASSERT_EQ(run.timedOut, "");
  EXPECT_EQ(before.controller, "CAR_ESC");

  // The TXT file: the report part shows the pages' values, the data part
  // holds them as the import reads them.
  const std::string text = ReadFile(txt);
  EXPECT_NE(text.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
  bool wellEnded = false;
  const std::vector<std::string> lines = CrLfLines(text, wellEnded);
  EXPECT_TRUE(wellEnded) << "every line ends with CR LF";
  ASSERT_GT(lines.size(), 6u);
  EXPECT_NE(lines[1].find(before.controller), std::string::npos) << lines[1];
  EXPECT_TRUE(Has(lines, kSection));
  EXPECT_EQ(After(lines, "6.[" + before.trackCaption + "]", 3), "Val:" + before.trackValue + ".0");
  EXPECT_TRUE(Has(lines, "6=" + before.trackValue + ".0"));
  const std::string optionRow = After(lines, "1.[" + before.optionCaption + "]");
  EXPECT_NE(optionRow.find(before.optionEntry + "(+)"), std::string::npos) << optionRow;

  EXPECT_NE(changedValue, before.trackValue);
  EXPECT_EQ(importedValue, before.trackValue);
  EXPECT_GT(exported.size(), 20u);
  EXPECT_EQ(imported, exported);
  EXPECT_EQ(editorsOpened, std::vector<std::string>{});
  EXPECT_FALSE(refusal.empty());
  EXPECT_EQ(afterRefusal, exported);

  // The report: a sound PDF whose captions and header show what the windows did.
  EXPECT_EQ(driverShown, "spring_cup");
  EXPECT_EQ(pageAfterPrint, pageBeforePrint);  // the page the user was on
  EXPECT_NE(pageAfterPrint, 1);                 // not the About page
  EXPECT_TRUE(sheetShot && mainShot);
  const test_support::ToolRun check = RunTool("qpdf --check " + ShellQuoted(pdf.string()));
  EXPECT_EQ(check.exitCode, 0) << check.output;
  const test_support::ToolRun words = RunTool("pdftotext " + ShellQuoted(pdf.string()) + " -");
  EXPECT_EQ(words.exitCode, 0) << words.output;
  EXPECT_NE(words.output.find(before.pageCaption), std::string::npos) << words.output;
  EXPECT_NE(words.output.find(before.curveCaption), std::string::npos) << words.output;
  const fs::path pictures = folder / "picture";
  const test_support::ToolRun images =
      RunTool("pdfimages -j " + ShellQuoted(pdf.string()) + " " + ShellQuoted(pictures.string()));
  ASSERT_EQ(images.exitCode, 0) << images.output;
  const Pixbuf header(pictures.string() + "-000.jpg"), sheet(test_support::ArtifactDir() / "e2e_race_sheet.png");
  ASSERT_TRUE(header.image && sheet.image);
  EXPECT_EQ(gdk_pixbuf_get_width(header.image.get()), 749);
  EXPECT_EQ(gdk_pixbuf_get_height(header.image.get()), 248);
  // The typed event (right of its label) and motor as the sheet showed
  // them; the nation box was left empty.
  const Area eventText{151 + 50, 33, 393 - 50, 25}, motorText{360 + 108, 91 + 2, 140, 22};
  const Area emptyNation{146 + 406 + 66, 8, 188 - 66, 25};
  EXPECT_LT(InkPixels(header, emptyNation), 10);
  for (const Area& typed : {eventText, motorText}) {
    EXPECT_GT(InkPixels(header, typed), 20);
    EXPECT_LT(MeanDifference(header, sheet, typed), 12.0);
  }
  fs::copy_file(pdf, test_support::ArtifactDir() / "e2e_settings_report.pdf", fs::copy_options::overwrite_existing);
  fs::remove_all(folder);
}

}  // namespace
