// The settings report of a simulated model, printed from the File menu in
// Chinese and again in English with the shipped lang.ini: no text or
// picture of the page lies on another, and after each print the window
// shows the page the user was on; the page list marks the page shown. The
// texts' boxes are read back with `pdftotext -bbox`, the pictures' from the
// page's image placements. One model per run (ESCTOOL_REPORT_CASE, 0 when
// unset); the last case is the car controller with its curves listed on its
// first page instead of its third.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
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

struct ReportCase {
  const char* model;
  bool curvesOnFirstPage;
};

constexpr std::array<ReportCase, 9> kCases = {{{"AIRPLANE", false},
                                                {"AIRPLANE_V2", false},
                                                {"AIRPLANE_ESC", false},
                                                {"Corvanel_V4", false},
                                                {"CAR_ESC", false},
                                                {"CAR_ESC_BSD", false},
                                                {"CAR_ESC_QV4", false},
                                                {"CAR_ESC_KZ", false},
                                                {"CAR_ESC", true}}};

const ReportCase& ThisRunsCase() {
  const char* number = std::getenv("ESCTOOL_REPORT_CASE");
  return kCases.at(number ? std::stoul(number) : 0);
}

constexpr double kPageHeight = 4508, kPageWidth = 2479;
constexpr int kFirstParameterPage = 2;  // the page layout ListBoxItem2 shows

// A rectangle of the page, y growing downwards from the page's top.
struct Element {
  std::string what;
  double left, top, right, bottom;
  bool text;
};

std::string Describe(const Element& e) {
  std::ostringstream out;
  out << (e.text ? "text '" : "picture '") << e.what << "' (" << e.left << ", " << e.top << ")-(" << e.right << ", "
      << e.bottom << ")";
  return out.str();
}

std::string ReadText(const fs::path& path) {
  const rtl::TBytes bytes = rtl::ReadFileBytes(path.string());
  return std::string(bytes.begin(), bytes.end());
}

// The words of the page with their boxes.
std::vector<Element> Words(const fs::path& pdf) {
  const test_support::ToolRun run = RunTool("pdftotext -bbox " + ShellQuoted(pdf.string()) + " -");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  static const std::regex word(
      R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
  std::vector<Element> words;
  for (std::sregex_iterator it(run.output.begin(), run.output.end(), word), end; it != end; ++it)
    words.push_back({(*it)[5], std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]),
                     true});
  return words;
}

// The pictures the page's content places ("w 0 0 h x y cm" then "/Name Do").
std::vector<Element> Pictures(const fs::path& pdf) {
  const fs::path plain = pdf.string() + ".qdf";
  const test_support::ToolRun run = RunTool("qpdf --qdf --object-streams=disable --stream-data=uncompress " +
                                            ShellQuoted(pdf.string()) + " " + ShellQuoted(plain.string()));
  EXPECT_EQ(run.exitCode, 0) << run.output;
  const std::string content = ReadText(plain);
  static const std::regex placement(R"re(([-\d.]+) 0 0 ([-\d.]+) ([-\d.]+) ([-\d.]+) cm\s+/(\S+) Do)re");
  std::vector<Element> pictures;
  for (std::sregex_iterator it(content.begin(), content.end(), placement), end; it != end; ++it) {
    const double width = std::stod((*it)[1]), height = std::stod((*it)[2]);
    const double x = std::stod((*it)[3]), y = std::stod((*it)[4]);
    pictures.push_back({(*it)[5], x, kPageHeight - y - height, x + width, kPageHeight - y, false});
  }
  return pictures;
}

double Overlap(double a0, double a1, double b0, double b1) { return std::min(a1, b1) - std::max(a0, b0); }

// A caption's baseline lies on its picture's top edge, so the part of its
// box below the baseline (at most a third of its height) reaches into the
// picture; anything more is a text lying on a picture.
bool StandsOnTopEdge(const Element& text, const Element& picture, double depth) {
  return text.top < picture.top && depth <= (text.bottom - text.top) / 3;
}

// Every pair of elements that lie on one another (words of one line only
// meet), and every element that leaves the page.
std::vector<std::string> Collisions(const std::vector<Element>& elements) {
  constexpr double kTouch = 0.5;  // edges that meet do not collide
  std::vector<std::string> found;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const Element& a = elements[i];
    if (a.left < 0 || a.top < 0 || a.right > kPageWidth || a.bottom > kPageHeight)
      found.push_back(Describe(a) + " leaves the page");
    for (std::size_t j = i + 1; j < elements.size(); ++j) {
      const Element& b = elements[j];
      const double across = Overlap(a.left, a.right, b.left, b.right), down = Overlap(a.top, a.bottom, b.top, b.bottom);
      if (across <= kTouch || down <= kTouch) continue;
      if (a.text != b.text && StandsOnTopEdge(a.text ? a : b, a.text ? b : a, down)) continue;
      found.push_back(Describe(a) + " lies on " + Describe(b));
    }
  }
  return found;
}

bool Identified(TfrmInterface& form) {
  return e2e::LampOn(form) && e2e::Settled(form) && e2e::Reachable(form, "ListBoxItem2");
}

// The car controller's curves (on its third page) listed on its first page,
// and its first page's parameters on the third.
void MoveCurvesToFirstPage(const fs::path& folder) {
  std::string lang = ReadText(folder / "lang.ini");
  const std::string section = "[CAR_ESC VALTORINE_456_A V1]";
  const std::size_t at = lang.find(section);
  ASSERT_NE(at, std::string::npos);
  const std::regex first("tab1_group=[^\r\n]*"), third("tab3_group=[^\r\n]*");
  std::smatch one, three;
  std::string rest = lang.substr(at);
  ASSERT_TRUE(std::regex_search(rest, one, first) && std::regex_search(rest, three, third));
  const std::string firstGroup = one.str().substr(11), thirdGroup = three.str().substr(11);
  rest = std::regex_replace(rest, first, "tab1_group=" + thirdGroup, std::regex_constants::format_first_only);
  rest = std::regex_replace(rest, third, "tab3_group=" + firstGroup, std::regex_constants::format_first_only);
  rtl::WriteFileBytes((folder / "lang.ini").string(), lang.substr(0, at) + rest);
}

TEST(SettingsReportLayout, NothingLiesOnAnotherAndTheUsersPageStays) {
  const ReportCase& thisCase = ThisRunsCase();
  setenv("ESCTOOL_SIMULATED_HID", thisCase.model, 1);
  app::testing::ProgramRun run;
  if (thisCase.curvesOnFirstPage) MoveCurvesToFirstPage(run.folder);
  const std::string name = std::string(thisCase.model) + (thisCase.curvesOnFirstPage ? "_curves_first" : "");
  const fs::path reports[] = {run.folder / (name + "_zh.pdf"), run.folder / (name + "_en.pdf")};
  for (const fs::path& report : reports) run.dialogs.ChooseFile(report.string());

  // The user prints from the first parameter page, in Chinese, then in
  // English, each time opening it from the page list.
  std::vector<int> pageBefore, pageAfter;
  std::vector<bool> listMarksPage;  // on the page identification or the language switch showed
  std::string chineseCaption;
  std::chrono::steady_clock::time_point sheetSeen{};
  bool sheetAnswered = false;
  for (const fs::path& report : reports) {
    if (&report != &reports[0])
      run.Then("English chosen",
               [&](TfrmInterface& form) {
                 chineseCaption = e2e::MenuCaption(form, "Print1");
                 return e2e::Choose(form, "English1");
               })
          .Then("the window in English", [&](TfrmInterface& form) {
            return Identified(form) && e2e::MenuCaption(form, "Print1") != chineseCaption;
          });
    run.Then("the first parameter page clicked",
             [&](TfrmInterface& form) {
               if (!Identified(form)) return false;
               listMarksPage.push_back(e2e::ListMarksShownPage(form));
               return e2e::Click(form, "ListBoxItem2");
             })
        .Then("print chosen",
              [&](TfrmInterface& form) {
                if (!e2e::Settled(form) || form.VisiblePage() != kFirstParameterPage) return false;
                pageBefore.push_back(form.VisiblePage());
                return e2e::Choose(form, "Print1");
              })
        .Then("the race sheet confirmed, if the model has one; the report written",
              [&, report](TfrmInterface& form) {
                if (e2e::TSceneForm* sheet = e2e::Dialog("TfrmInput")) {
                  // As a user would, after the radio buttons' check animations.
                  const auto now = std::chrono::steady_clock::now();
                  if (sheetSeen == std::chrono::steady_clock::time_point{}) sheetSeen = now;
                  if (!sheetAnswered && now - sheetSeen > std::chrono::milliseconds(500))
                    sheetAnswered = e2e::Click(*sheet, "btnOk");
                  return false;
                }
                if (gui::TopModalForm() || !fs::exists(report) || fs::file_size(report) == 0) return false;
                sheetSeen = {};
                sheetAnswered = false;
                pageAfter.push_back(form.VisiblePage());
                return true;
              });
  }
  run.Then("exit", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(150)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  ASSERT_EQ(run.timedOut, "");

  EXPECT_EQ(listMarksPage, (std::vector<bool>{true, true}));
  EXPECT_EQ(pageAfter, pageBefore);
  EXPECT_EQ(pageAfter, (std::vector<int>{kFirstParameterPage, kFirstParameterPage}));
  for (const fs::path& report : reports) {
    std::vector<Element> elements = Words(report);
    const std::vector<Element> pictures = Pictures(report);
    EXPECT_GE(pictures.size(), 1u) << report;
    EXPECT_GE(elements.size(), 1u) << report;
    elements.insert(elements.end(), pictures.begin(), pictures.end());
    const std::vector<std::string> collisions = Collisions(elements);
    std::string listed;
    for (const std::string& collision : collisions) listed += collision + "\n";
    EXPECT_TRUE(collisions.empty()) << report.filename() << ":\n" << listed;
    const fs::path kept = test_support::ArtifactDir() / ("report_layout_" + report.filename().string());
    fs::copy_file(report, kept, fs::copy_options::overwrite_existing);
    RunTool("pdftoppm -r 8 -png -singlefile " + ShellQuoted(kept.string()) + " " +
            ShellQuoted(fs::path(kept).replace_extension().string()));
  }
}

}  // namespace
