// The settings report run against a scripted main window: what lands on the
// page and where, which pages are shown, and that a cancelled race sheet or
// a failure leaves the chosen path as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/ScenePicture.h"
#include "app/SettingsReport.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

namespace app {
namespace {

namespace fs = std::filesystem;

rtl::TBitmap Solid(int width, int height, rtl::TPaletteEntry color) {
  rtl::TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixelColor(x, y, color);
  return bitmap;
}

class FakeReportWindow final : public IReportWindow {
 public:
  const params::VERSION& Description() override { return description; }
  std::string Controller() override { return controller; }
  bool Chinese() override { return chinese; }
  rtl::TMemIniFile& LangIni() override { return ini; }
  std::string LangText(const std::string& key, const std::string& fallback) override {
    const auto text = texts.find(key);
    return text == texts.end() ? fallback : text->second;
  }
  std::optional<std::string> ChooseReportFile() override {
    ++dialogs;
    return file;
  }
  std::optional<RaceSheetHeader> RunRaceSheet(const std::string& reportFile) override {
    raceSheets.push_back(reportFile);
    if (!confirmRaceSheet) return std::nullopt;
    return RaceSheetHeader{ReportJpeg(Solid(749, 248, {20, 20, 200})), 749, 248};
  }
  void ShowPage(int position, int entry) override {
    shown.emplace_back(position, entry);
    current = {position, entry};
  }
  ShownPagePlace ShownPage() override { return current; }
  PageAreaSize PageArea() override { return {429, 525, 80}; }
  rtl::TBitmap PagePicture() override { return Solid(429, 525, {240, 240, 240}); }
  std::optional<rtl::TBitmap> CurvePicture(int item) override {
    const auto editor = editors.find(item);
    if (editor == editors.end()) return std::nullopt;
    return Solid(editor->second.first, editor->second.second, {0, 0, 0});
  }

  // A description of `pages` pages named "Page 1", "Page 2"...
  void Describe(int pages) {
    description.tab = pages;
    description.item = params::MaxItems;
    for (int i = 0; i < pages; ++i) {
      description.tabs[i].ename = "Page " + std::to_string(i + 1);
      description.tabs[i].cname = "页" + std::to_string(i + 1);
    }
  }

  params::VERSION description;
  std::string controller = "CAR_ESC";
  bool chinese = false;
  rtl::TMemIniFile ini{"", "[common]\n"};
  std::map<std::string, std::string> texts;
  std::optional<std::string> file;
  bool confirmRaceSheet = true;
  std::map<int, std::pair<int, int>> editors;  // parameter → editor window size
  int dialogs = 0;
  std::vector<std::string> raceSheets;
  std::vector<std::pair<int, int>> shown;  // (list position, page item)
  ShownPagePlace current{4, 8};            // the user's page: not a parameter page
};

class SettingsReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) / "settings_report";
    fs::remove_all(folder);
    fs::create_directories(folder);
    window.file = (folder / "race day.pdf").string();
    window.Describe(2);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string Written() {
    const rtl::TBytes bytes = rtl::ReadFileBytes(*window.file);
    return {bytes.begin(), bytes.end()};
  }
  std::vector<std::string> FolderFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    return names;
  }
  static int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
  }

  fs::path folder;
  FakeReportWindow window;
};

TEST_F(SettingsReportTest, CarModelGetsHeaderPagesAndCaptionsAtTheWorkedExample) {
  PrintSettingsReport(window);
  const std::string pdf = Written();
  ASSERT_TRUE(pdf.starts_with("%PDF-1.2"));
  EXPECT_EQ(window.raceSheets, std::vector<std::string>{*window.file});
  EXPECT_NE(pdf.find("/MediaBox [0 0 2479 4508 ]"), std::string::npos);
  EXPECT_NE(pdf.find("2203 0 0 649 138 3805 cm"), std::string::npos);
  EXPECT_NE(pdf.find("429 0 0 445 143 3009 cm"), std::string::npos);
  EXPECT_NE(pdf.find("429 0 0 445 143 2509 cm"), std::string::npos);
  EXPECT_NE(pdf.find("203 3454 Td\n(Page 1) Tj"), std::string::npos);
  EXPECT_NE(pdf.find("203 2954 Td\n(Page 2) Tj"), std::string::npos);
  EXPECT_NE(pdf.find(" 38 Tf"), std::string::npos);
  EXPECT_EQ(pdf.find(" 34 Tf"), std::string::npos);
  EXPECT_EQ(Count(pdf, "/Subtype /Image"), 3);
  // The pages pictured, then the page the user was on.
  const std::vector<std::pair<int, int>> shown = {{1, 2}, {2, 3}, {4, 8}};
  EXPECT_EQ(window.shown, shown);
}

TEST_F(SettingsReportTest, BoatInChineseHasNoRaceSheetTitleOrVersion) {
  window.controller = "BOAT_ESC";
  window.chinese = true;
  PrintSettingsReport(window);
  const std::string pdf = Written();
  EXPECT_TRUE(window.raceSheets.empty());
  EXPECT_NE(pdf.find("429 0 0 445 143 3009 cm"), std::string::npos);
  EXPECT_NE(pdf.find("429 0 0 445 143 2509 cm"), std::string::npos);
  EXPECT_NE(pdf.find(" 34 Tf"), std::string::npos);
  EXPECT_EQ(pdf.find(" 38 Tf"), std::string::npos);
  EXPECT_EQ(Count(pdf, "BT"), 2);  // the two captions only
  EXPECT_EQ(Count(pdf, "/Subtype /Image"), 2);
}

// The first curve of a page lies at the page's curve offset (a frequency
// curve one picture height plus 100 lower); each further one 100 below the
// one before it.
TEST_F(SettingsReportTest, CurvesOfAPageStackBelowOneAnother) {
  window.controller = "BOAT_ESC";
  window.description.tabs[0].group = "-,0,-,3,5,7,8";
  const std::pair<int, std::pair<const char*, int>> items[] = {
      {0, {"Throttle curve", 8}}, {3, {"Rpm curve", 9}}, {5, {"Brake frequency", 12}},
      {7, {"No editor", 8}},      {8, {"Option", 0}}};
  for (const auto& [k, item] : items) {
    window.description.items[k].ename = item.first;
    window.description.items[k].mode = item.second;
  }
  window.editors = {{0, {630, 450}}, {3, {630, 450}}, {5, {630, 300}}, {8, {630, 450}}};
  window.texts = {{"export_version", "Software V4"}};
  PrintSettingsReport(window);
  const std::string pdf = Written();
  EXPECT_EQ(Count(pdf, "630 0 0 450 143 2004 cm"), 1);
  EXPECT_NE(pdf.find("630 0 0 450 143 1454 cm"), std::string::npos);
  EXPECT_NE(pdf.find("203 1904 Td\n(Rpm curve) Tj"), std::string::npos);
  EXPECT_NE(pdf.find("630 0 0 300 143 1054 cm"), std::string::npos);
  EXPECT_NE(pdf.find("203 1354 Td\n(Brake frequency) Tj"), std::string::npos);
  EXPECT_EQ(pdf.find("No editor"), std::string::npos);
  EXPECT_EQ(pdf.find("Option"), std::string::npos);
  for (const char* name : {"/item0", "/item3", "/item5"}) EXPECT_NE(pdf.find(name), std::string::npos) << name;
  // The version line lies 150 below the last picture, the 300 high one.
  EXPECT_NE(pdf.find("143 3999 Td\n(Software V4) Tj"), std::string::npos);
}

TEST_F(SettingsReportTest, AircraftModelGetsTheCalculatorPageAndATitle) {
  window.controller = "AIRPLANE_ESC";
  window.texts = {{"TabCale", "Speed Calculator"}, {"export_title", "Settings Report"}};
  window.ini.WriteInteger("common", "export_title_lang", 0);
  PrintSettingsReport(window);
  const std::string pdf = Written();
  EXPECT_TRUE(window.raceSheets.empty());
  EXPECT_NE(pdf.find("429 0 0 445 143 4004 cm"), std::string::npos);
  EXPECT_NE(pdf.find("/ListBoxItem10"), std::string::npos);
  EXPECT_NE(pdf.find("203 4449 Td\n(Speed Calculator) Tj"), std::string::npos);
  EXPECT_NE(pdf.find(" 12 Tf\nBT\n143 4449 Td\n(Settings Report) Tj"), std::string::npos);
  EXPECT_EQ(window.shown.at(2), (std::pair<int, int>{4, 10}));
}

TEST_F(SettingsReportTest, CancelledRaceSheetLeavesNoFileAndKeepsAnOldOne) {
  window.confirmRaceSheet = false;
  PrintSettingsReport(window);
  EXPECT_TRUE(FolderFiles().empty());

  rtl::WriteFileBytes(*window.file, "an older report");
  PrintSettingsReport(window);
  EXPECT_EQ(Written(), "an older report");
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"race day.pdf"});
  EXPECT_TRUE(window.shown.empty());  // no page was shown
}

TEST_F(SettingsReportTest, FailureLeavesNoFileAndTheUsersPageShown) {
  window.description.tabs[1].group = "1,x";
  rtl::WriteFileBytes(*window.file, "an older report");
  EXPECT_THROW(PrintSettingsReport(window), rtl::EConvertError);
  EXPECT_EQ(Written(), "an older report");
  EXPECT_EQ(FolderFiles(), std::vector<std::string>{"race day.pdf"});
  EXPECT_EQ(window.shown.back(), (std::pair<int, int>{4, 8}));

  window.file = (folder / "missing" / "report.pdf").string();
  EXPECT_THROW(PrintSettingsReport(window), rtl::EFCreateError);
  EXPECT_EQ(window.raceSheets.size(), 1u);  // the new file fails before the race sheet
}

TEST_F(SettingsReportTest, NothingIsWrittenWithoutDescriptionOrFile) {
  window.file.reset();
  PrintSettingsReport(window);
  EXPECT_EQ(window.dialogs, 1);
  window.description.tab = 0;
  PrintSettingsReport(window);
  EXPECT_EQ(window.dialogs, 1);
  EXPECT_TRUE(FolderFiles().empty());
  EXPECT_TRUE(window.shown.empty());
}

}  // namespace
}  // namespace app
