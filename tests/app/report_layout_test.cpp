// Where the settings report puts its pictures and lines: the worked example
// of the default layout (page area 429 x 525 over a bar of 80, race-sheet
// header 749 x 248), keys that move elements, and which models get the race
// sheet and the calculator page.
#include <gtest/gtest.h>

#include "app/ReportLayout.h"

namespace app {
namespace {

constexpr PageAreaSize kArea{429, 525, 80};

rtl::TMemIniFile Ini(std::string_view common) { return rtl::TMemIniFile("", "[common]\n" + std::string(common)); }

TEST(ReportLayout, DefaultsGiveTheWorkedExample) {
  const rtl::TMemIniFile ini = Ini("");
  const ReportLayout layout(ini, false);
  EXPECT_EQ(layout.Left(), 138);
  EXPECT_EQ(layout.Top(), 4454);
  EXPECT_EQ(layout.HeaderPicture(749, 248), (ReportBox{138, 3805, 2203, 649}));
  const ReportBox page1 = layout.PagePicture(1, kArea);
  EXPECT_EQ(page1, (ReportBox{143, 3009, 429, 445}));
  EXPECT_EQ(ReportLayout::CaptionOf(page1), (ReportPoint{203, 3454}));
  EXPECT_EQ(layout.PagePicture(2, kArea), (ReportBox{143, 2509, 429, 445}));
  EXPECT_EQ(layout.CalculatorPicture(kArea), (ReportBox{143, 4004, 429, 445}));
  // Curves of page 2 lie 2500 below the top line; a frequency curve one
  // picture height plus 100 lower, its caption on its own top edge.
  EXPECT_EQ(layout.CurvePicture(2, 630, 450, false), (ReportBox{143, 1504, 630, 450}));
  const ReportBox frequency = layout.CurvePicture(1, 630, 300, true);
  EXPECT_EQ(frequency.y, 4454 - 2700);
  EXPECT_EQ(ReportLayout::CaptionOf(frequency).y, 4454 - 2400);
}

TEST(ReportLayout, KeysMoveAndSizeTheElements) {
  const rtl::TMemIniFile ini = Ini(
      "export_left=100\nexport_top=8\nexport_header_x=10\nexport_header_y=20\n"
      "export_tab2_x=50\nexport_tab2_y=60\nexport_tab2_w=300\nexport_tab2_h=200\n"
      "export_img1_w=315\nexport_img1_h=225\nexport_calc_y=700\n");
  const ReportLayout layout(ini, false);
  EXPECT_EQ(layout.Top(), 4500);
  // The header keeps the page's width between the margins.
  EXPECT_EQ(layout.HeaderPicture(749, 248), (ReportBox{110, 4500 - 20 - 674, 2279, 674}));
  EXPECT_EQ(layout.PagePicture(2, kArea), (ReportBox{150, 4500 - 60 - 200, 300, 200}));
  EXPECT_EQ(layout.CurvePicture(1, 630, 450, false), (ReportBox{105, 4500 - 2000 - 225, 315, 225}));
  EXPECT_EQ(layout.CalculatorPicture(kArea).y, 4500 - 700 - 445);
}

TEST(ReportLayout, TitleAndVersionLines) {
  struct Case {
    const char* keys;
    bool chinese;
    ReportFont titleFont;
    ReportPoint title, version;  // the version after a last picture 445 high
  };
  const Case cases[] = {
      {"", false, {"Arial-BoldItalic", 12}, {143, 4449}, {143, 4454 - 600}},
      {"", true, {"Chinese", 12}, {143, 4449}, {143, 4454 - 600}},
      {"export_title_lang=0\nexport_title_size=20\nexport_title_x=40\nexport_version_y=50\n", true,
       {"Arial-BoldItalic", 20}, {178, 4449}, {143, 4454 - 645}},
  };
  for (const Case& c : cases) {
    const rtl::TMemIniFile ini = Ini(c.keys);
    const ReportLayout layout(ini, c.chinese);
    const ReportTextLine title = layout.Title("T");
    EXPECT_EQ(title.font, c.titleFont) << c.keys;
    EXPECT_EQ(title.at, c.title) << c.keys;
    EXPECT_EQ(layout.Version("V", 445).at, c.version) << c.keys;
  }
}

TEST(ReportLayout, CaptionFontFollowsTheLanguage) {
  const rtl::TMemIniFile ini = Ini("");
  EXPECT_EQ(ReportLayout(ini, true).CaptionFont(), (ReportFont{"Chinese", 34}));
  EXPECT_EQ(ReportLayout(ini, false).CaptionFont(), (ReportFont{"Arial-BoldItalic", 38}));
}

TEST(ReportLayout, ModelsWithRaceSheetAndCalculatorPage) {
  struct Case {
    const char* controller;
    bool raceSheet, calculator;
  };
  const Case cases[] = {{"CAR_ESC", true, false},          {"CAR_ESC_QV4", true, false},
                        {"BOAT_ESC", false, false},        {"Corvanel_V4", false, false},
                        {"AIRPLANE_ESC", false, true},     {"AIRPLANE_ESC_HV", false, true},
                        {"airplane_esc", true, false},     {"TESSIM_V5", false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(HasRaceSheet(c.controller), c.raceSheet) << c.controller;
    EXPECT_EQ(HasCalculatorPage(c.controller), c.calculator) << c.controller;
  }
}

}  // namespace
}  // namespace app
