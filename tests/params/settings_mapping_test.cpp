// The settings image mapping on the simulated models' images and on small
// descriptions that show one rule each.
#include <gtest/gtest.h>

#include <cmath>

#include "params/PagePlan.h"
#include "params/ParamEditor.h"
#include "tests/support/ParamFakes.h"

namespace params {
namespace {

using fakes::EditorRig;

TEST(MappingFamilyTest, ChosenByControllerAndHardware) {
  struct Case {
    const char *controller, *hardware;
    MappingFamily family;
  };
  const Case cases[] = {
      {"AIRPLANE_PID", "X", MappingFamily::FixedAirplane},
      {"AIRPLANE_PID_V2", "X", MappingFamily::FixedAirplaneV2},
      {"CAR_ESC", "VALTORINE_456", MappingFamily::CarFamily},
      {"CAR_ESC", "QV4-ASD-2", MappingFamily::CarFamily},    // "SD" at 6
      {"CAR_ESC", "QV4-1BSD", MappingFamily::CarFamily},     // "BSD" at 6
      {"CAR_ESC", "QV4-12SD", MappingFamily::CarFamily},     // "SD" at 7
      {"CAR_ESC", "QV4SD", MappingFamily::GeneralFamily},    // "SD" too early
      {"CAR_ESC", "qv4-asd", MappingFamily::GeneralFamily},  // case counts
      {"TESSIM_V5", "", MappingFamily::SeriesFamily},
      {"Corvanel_V4_FL", "", MappingFamily::SeriesFamily},
      {"AIRPLANE_ESC", "HW1", MappingFamily::GeneralFamily},
  };
  for (const Case& c : cases) EXPECT_EQ(FamilyOf(c.controller, c.hardware), c.family) << c.controller << " " << c.hardware;
}

// Every simulated model in two of its images: the pages show the image
// without error and collecting them gives the image back. (AIRPLANE_ESC's
// image 0 and CAR_ESC's image 1 hold a choice that a select rule of the
// description overrides as soon as it is shown, so they cannot come back.)
TEST(SettingsMappingTest, EveryFamilyCollectsWhatItShows) {
  const std::pair<const char*, std::array<int, 2>> images[] = {
      {"AIRPLANE", {0, 1}},     {"AIRPLANE_V2", {0, 1}}, {"AIRPLANE_ESC", {1, 2}}, {"Corvanel_V4", {0, 1}},
      {"CAR_ESC", {0, 2}},      {"CAR_ESC_BSD", {0, 1}}, {"CAR_ESC_QV4", {0, 1}},  {"CAR_ESC_KZ", {0, 1}}};
  for (const auto& [model, modes] : images) {
    for (int mode : modes) {
      SCOPED_TRACE(std::string(model) + " image " + std::to_string(mode));
      EditorRig rig;
      rig.UseFixture(fakes::MakeSettingsFixture(model, mode));
      rig.BuildPages();
      rig.device.busy = true;  // as inside the identification job
      rig.editor.ShowSettings();
      EXPECT_FALSE(rig.editor.ParamError());
      EXPECT_TRUE(rig.form.infoBoxes.empty());
      EXPECT_EQ(rig.form.pages.size(), 1u);
      const std::vector<std::uint8_t> shown = rig.device.image;
      rig.editor.CollectSettings();
      EXPECT_TRUE(rig.device.image == shown);
    }
  }
}

// Shown outside a device job, a table parameter on its custom entry gets
// its box enabled, but no editor opens unasked and the focus stays.
TEST(SettingsMappingTest, ShowingACustomTableOpensNoEditor) {
  EditorRig rig;
  rig.UseFixture(fakes::MakeSettingsFixture("CAR_ESC_QV4", 0));
  int table = -1;
  for (int i = 0; i < rig.version.item; ++i)
    if (rig.version.items[static_cast<std::size_t>(i)].mode == 4) table = i;
  ASSERT_GE(table, 0);
  rig.BuildPages();
  rig.device.busy = true;
  rig.editor.ShowSettings();  // trims the lists to what the device offers
  rig.device.busy = false;
  const std::string list = "cbItem" + std::to_string(table);
  const int custom = static_cast<int>(rig.controls.Entries(list).size()) - 1;
  rig.device.image[static_cast<std::size_t>(rig.device.layout.valueOffset + table)] = static_cast<std::uint8_t>(custom);
  rig.editor.ShowSettings();
  ASSERT_EQ(rig.controls.ItemIndex(list), custom);
  EXPECT_TRUE(rig.controls.Enabled("eItem" + std::to_string(table)));
  rig.form.RunPosted();
  EXPECT_TRUE(rig.editors.requests.empty());
  EXPECT_TRUE(rig.controls.focused.empty());
  rig.controls.SetItemIndex(list, custom);  // the user's choice opens it
  rig.form.RunPosted();
  EXPECT_EQ(rig.editors.requests.size(), 1u);
}

TEST(SettingsMappingTest, DeviceWithMoreParametersThanItsDescriptionIsRefused) {
  EditorRig rig;
  rig.UseFixture(fakes::MakeSettingsFixture("BOAT_ESC"));
  rig.BuildPages();
  rig.editor.ShowSettings();
  EXPECT_TRUE(rig.editor.ParamError());
  EXPECT_EQ(rig.form.infoBoxes, std::vector<std::string>{"please_upgrade_soft"});
}

TEST(SettingsMappingTest, CollectWritesWhatTheUserChose) {
  EditorRig rig;
  rig.UseFixture(fakes::MakeSettingsFixture("CAR_ESC"));
  rig.BuildPages();
  rig.device.busy = true;
  rig.editor.ShowSettings();
  const ImageLayout l = rig.device.layout;
  rig.controls.SetValue("eItem4", 40);          // track bar 10-50/10
  rig.controls.SetItemIndex("cbItem6", 2);      // percent list: its number is stored
  rig.controls.SetText("eName", " Crawl ");
  rig.editor.CollectSettings();
  EXPECT_EQ(rig.device.image[l.valueOffset + 4], 40);
  const std::string percent = rig.controls.Entries("cbItem6")[2];
  EXPECT_EQ(rig.device.image[l.valueOffset + 6], std::stoi(percent));
  const std::string name(rig.device.image.begin() + l.writeOffset + 1, rig.device.image.begin() + l.writeOffset + 16);
  EXPECT_EQ(name, "Crawl          ");
}

// One option list of `entries` on a general-family device.
struct ListCase {
  std::vector<std::string> entries;
  int defaultIndex, value, max;
  bool enabled;
  bool error;
  std::vector<std::string> after;
  int selected;
  bool listEnabled;
};

TEST(SettingsMappingTest, SetComboParamCutsMarksAndSelects) {
  const ListCase cases[] = {
      {{"a", "b(*)", "c", "d", "e", "f"}, 2, 1, 3, true, false, {"a", "b", "c(*)", "d"}, 1, true},
      {{"a", "b", "c", "d"}, 1, 5, 3, true, true, {"a", "b", "c", "d"}, 1, true},  // too short for the value
      {{"a", "b"}, 0, 2, 2, true, false, {"a(*)", "b"}, 0, true},                   // 2 entries are not fewer than 2
      {{"a", "b", "c"}, 0, 1, 0, true, false, {"a(*)"}, 0, false},                  // maximum 0 disables
      {{"a", "", "c"}, 1, 0, 2, true, true, {"a", "", "c"}, 0, true},               // empty default entry
      {{"a", "b", "c"}, 1, -1, 2, true, false, {"a", "b(*)", "c"}, 1, true},        // below 0: the default
  };
  for (const ListCase& c : cases) {
    EditorRig rig;
    rig.controls.controls["cbItem0"] = fakes::OptionList(c.entries, 0);
    rig.editor.SetComboParam("cbItem0", c.defaultIndex, c.value, c.max, c.enabled);
    EXPECT_EQ(rig.editor.ParamError(), c.error) << c.entries.size() << " " << c.value;
    EXPECT_EQ(rig.controls.At("cbItem0").entries, c.after);
    EXPECT_EQ(rig.controls.At("cbItem0").index, c.selected);
    EXPECT_EQ(rig.controls.At("cbItem0").enabled, c.listEnabled);
  }
}

TEST(SettingsMappingTest, DefaultAboveMaximumShowsParameterErrorAndKeepsTheList) {
  EditorRig rig;
  rig.controls.controls["cbItem0"] = fakes::OptionList({"a", "b"}, 1);
  rig.editor.SetComboParam("cbItem0", 3, 0, 1, true);
  EXPECT_EQ(rig.form.infoBoxes, std::vector<std::string>{"Error to Read Parameter."});
  EXPECT_EQ(rig.controls.At("cbItem0").index, 1);
}

TEST(SettingsMappingTest, PercentListsMatchByContainedNumber) {
  EditorRig rig;
  rig.controls.controls["cbItem0"] = fakes::OptionList({"0%", "15%", "5%", "30%"}, -1);
  rig.editor.SetPercentComboParam("cbItem0", 30, 5, 30, true);
  EXPECT_FALSE(rig.editor.ParamError());
  EXPECT_EQ(rig.controls.At("cbItem0").index, 1);  // "15%" holds "5%"
  EXPECT_EQ(rig.controls.At("cbItem0").entries.back(), "30%(*)");

  rig.editor.SetPercentComboParam("cbItem0", 0, 40, 30, true);  // value above the last entry
  EXPECT_TRUE(rig.editor.ParamError());
  EXPECT_EQ(rig.controls.At("cbItem0").index, 0);
}

// A car or series device with one item of `mode` and min `min`.
void DescribeOneItem(EditorRig& rig, const char* controller, const char* hardware, int mode, const char* min,
                     const char* values) {
  rig.version.tab = 1;
  rig.version.item = 1;
  rig.version.max = 1;
  rig.version.tabs[0].group = "0";
  rig.version.items[0].mode = mode;
  rig.version.items[0].min = min;
  rig.version.items[0].evalue = values;
  rig.version.items[0].mincustom = "0";
  rig.version.items[0].maxcustom = "100";
  rig.device.texts = {controller, hardware, "1"};
  rig.device.layout = {48, 96, 64, 96, 144, 16};
  rig.device.image[97] = 1;  // N
  rig.BuildPages();
}

TEST(SettingsMappingTest, ItemOffsetShiftsValueAndCarDefault) {
  struct Case {
    const char* controller;
    int mode, value, defaultByte;
    int selected;
    int marked;
  };
  const Case cases[] = {
      {"CAR_ESC", 0, 3, 2, 2, 1},      // car: the default is shifted too
      {"Corvanel_V4", 0, 3, 2, 2, 2},  // series: the default is not
      {"CAR_ESC", 1, 12, 3, 7, 3},     // mode 1 min 5 (below): value 12 is entry 7
  };
  for (const Case& c : cases) {
    EditorRig rig;
    DescribeOneItem(rig, c.controller, "VALTORINE_456_X", c.mode, c.mode == 1 ? "5" : "1",
                                  "a|b|c|d|e|f|g|h|i");
    rig.device.image[64] = static_cast<std::uint8_t>(c.value);
    rig.device.image[144] = 8;
    rig.device.image[16] = static_cast<std::uint8_t>(c.defaultByte);
    rig.editor.ShowSettings();
    EXPECT_EQ(rig.controls.At("cbItem0").index, c.selected) << c.controller << c.mode;
    EXPECT_EQ(rig.controls.At("cbItem0").entries[c.marked].find("(*)") != std::string::npos, true);
    rig.device.image[64] = 0;
    rig.editor.CollectSettings();
    EXPECT_EQ(rig.device.image[64], c.value);
  }
}

TEST(SettingsMappingTest, GeneralCustomValueInTenths) {
  EditorRig rig;
    DescribeOneItem(rig, "AIRPLANE_ESC", "HW1", 2, "0", "Auto|Low|Custom");
  rig.device.layout = {176, 64, 192, 0, 96, 32};
  rig.device.image = std::vector<std::uint8_t>(32768, 0);
  rig.device.image[1] = 1;
  rig.device.image[192] = 2;   // the custom entry
  rig.device.image[96] = 2;    // maximum
  rig.device.image[96 + 48 + 1] = 200;  // upper bound 20.0
  rig.device.image[192 + 16 + 1] = 13;
  rig.editor.ShowSettings();
  EXPECT_DOUBLE_EQ(rig.controls.At("eItem0").value, 1.3);
  EXPECT_TRUE(rig.controls.At("eItem0").enabled);  // the custom entry is chosen
  rig.device.image[192 + 16 + 1] = 0;
  rig.editor.CollectSettings();
  EXPECT_EQ(rig.device.image[192 + 16], 0x00);
  EXPECT_EQ(rig.device.image[192 + 16 + 1], 0x0D);
}

TEST(SettingsMappingTest, ValueThatIsNotFiniteLeavesItsImageBytesAlone) {
  struct Case {
    int mode;  // 5: the car fixture's track bar "eItem4"; 1, 2: a general custom value
    std::size_t bytes;
  };
  for (const Case& c : {Case{5, 1}, Case{1, 2}, Case{2, 2}}) {
    for (double junk : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
      EditorRig rig;
      std::string edit = "eItem0";
      if (c.mode == 5) {
        rig.UseFixture(fakes::MakeSettingsFixture("CAR_ESC"));
        rig.BuildPages();
        edit = "eItem4";
      } else {
        DescribeOneItem(rig, "AIRPLANE_ESC", "HW1", c.mode, "0", "Auto|Custom");
        rig.controls.SetItemIndex("cbItem0", 1);
      }
      const std::size_t at = static_cast<std::size_t>(rig.device.layout.valueOffset) + (c.mode == 5 ? 4 : 16);
      rig.controls.At(edit).value = junk;
      std::fill_n(rig.device.image.begin() + static_cast<std::ptrdiff_t>(at), c.bytes, std::uint8_t{0x11});
      rig.editor.CollectSettings();
      for (std::size_t k = 0; k < c.bytes; ++k)
        EXPECT_EQ(rig.device.image[at + k], 0x11) << "mode " << c.mode << " value " << junk;
    }
  }
}

// One list parameter and the mode selector with two modes, Race and Crawl.
void DescribeRaceAndCrawl(EditorRig& rig) {
  DescribeOneItem(rig, "CAR_ESC", "VALTORINE_456", 0, "0", "a|b");
  rig.version.site.enabled = true;
  rig.version.site.evalue = "Race|Crawl";
  rig.BuildPages();
}

TEST(SettingsMappingTest, ModeNameTravelsAsUtf8InFifteenBytes) {
  struct Case {
    std::string typed, stored;
  };
  const Case cases[] = {
      {"Race", "Race           "},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNO"},
      {"Mode 攀爬攀爬攀", "Mode 攀爬攀\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20\x20" + std::string()},
  };
  for (const Case& c : cases) {
    EditorRig rig;
    DescribeRaceAndCrawl(rig);
    rig.controls.SetText("eName", c.typed);
    rig.editor.CollectSettings();
    std::string stored(rig.device.image.begin() + 49, rig.device.image.begin() + 64);
    EXPECT_EQ(stored.substr(0, c.stored.size()), c.stored.substr(0, 15));
    rig.editor.ShowSettings();
    EXPECT_EQ(rig.controls.Text("eName"), stored);  // all 15 bytes when none is zero
  }
}

TEST(SettingsMappingTest, ModeNameFromTheDeviceIsUtf8ElseGbk) {
  struct Case {
    std::string stored, shown;
  };
  const Case cases[] = {
      {"Race", "Race"},
      {"Mode \xE6\x94\x80\xE7\x88\xAC", "Mode 攀爬"},  // UTF-8
      {"\xC9\xB2\xB3\xB5 2", "刹车 2"},                  // GBK
  };
  for (const Case& c : cases) {
    EditorRig rig;
    DescribeRaceAndCrawl(rig);
    std::fill_n(rig.device.image.begin() + 49, 15, std::uint8_t{0});
    std::copy(c.stored.begin(), c.stored.end(), rig.device.image.begin() + 49);
    rig.editor.ShowSettings();
    EXPECT_EQ(rig.controls.Text("eName"), c.shown);
  }
}

TEST(SettingsMappingTest, ModeSelectorIsRebuiltOnlyWhenTheCountDiffers) {
  EditorRig rig;
    DescribeOneItem(rig, "CAR_ESC", "VALTORINE_456", 0, "0", "a|b");
  rig.version.site.enabled = true;
  rig.version.site.evalue = "Race|Practice(*)|Crawler";
  rig.BuildPages();
  rig.device.image[96] = 2;
  rig.device.image[48] = 1;
  rig.editor.ShowSettings();
  EXPECT_EQ(rig.controls.Entries("cbMode"), (std::vector<std::string>{"Race", "Practice", "Crawler"}));  // no mark
  EXPECT_EQ(rig.controls.ItemIndex("cbMode"), 1);
  rig.device.image[96] = 3;
  rig.editor.ShowSettings();
  EXPECT_EQ(rig.controls.Entries("cbMode"), (std::vector<std::string>{"Mode 1", "Mode 2", "Mode 3", "Mode 4"}));
}

TEST(SettingsMappingTest, MoreParametersThanDescribedAsksForAnUpgrade) {
  EditorRig rig;
    DescribeOneItem(rig, "CAR_ESC", "VALTORINE_456", 0, "0", "a|b");
  rig.device.image[97] = 2;
  rig.device.image[144] = 1;
  rig.editor.ShowSettings();
  EXPECT_TRUE(rig.editor.ParamError());
  EXPECT_EQ(rig.form.infoBoxes, std::vector<std::string>{"please_upgrade_soft"});
  EXPECT_EQ(rig.form.updateButton, false);
  EXPECT_EQ(rig.form.pages, std::vector<SidePage>{kAboutPage});
}

TEST(SettingsMappingTest, DescriptionReachingPastTheImageIsRefused) {
  EditorRig rig;
    DescribeOneItem(rig, "CAR_ESC", "VALTORINE_456", 4, "0", "Linear|Custom");
  rig.device.layout.valueOffset = 32768 - 100;  // the table would lie past the end
  const auto before = rig.device.image;
  const auto controlsBefore = rig.controls.controls.at("eItem0").text;
  rig.editor.ShowSettings();
  rig.editor.CollectSettings();
  EXPECT_EQ(rig.device.image, before);
  EXPECT_EQ(rig.controls.controls.at("eItem0").text, controlsBefore);
  ASSERT_EQ(rig.form.infoBoxes.size(), 2u);
  EXPECT_NE(rig.form.infoBoxes[0].find("does not fit"), std::string::npos);
  EXPECT_EQ(rig.form.updateButton, false);
}

TEST(SettingsMappingTest, OutcomeChoosesThePage) {
  struct Case {
    bool escKind;
    int attempts, linkMode;
    const char* hardware;
    SidePage page;
  };
  const Case cases[] = {{true, 0, 0, "VALTORINE_456", kFirstParamPage},
                        {true, 3, 0, "VALTORINE_456", kSoftwareInfoPage},
                        {false, 0, 5, "VALTORINE_456", kChannelParamPage},
                        {false, 0, 0, "VALTORINE_456", kSoftwareInfoPage}};
  for (const Case& c : cases) {
    EditorRig rig;
    DescribeOneItem(rig, "CAR_ESC", c.hardware, 0, "0", "a|b");
    rig.form.escKind = c.escKind;
    rig.form.linkMode = c.linkMode;
    rig.device.readAttempts = c.attempts;
    rig.device.image[144] = 1;
    rig.editor.ShowSettings();
    EXPECT_EQ(rig.form.pages, std::vector<SidePage>{c.page});
  }
}

TEST(SettingsMappingTest, ControlsSwitchedOffTogether) {
  EditorRig rig;
  rig.UseFixture(fakes::MakeSettingsFixture("CAR_ESC"));
  rig.BuildPages();
  rig.editor.SetParamControlsEnabled(false);
  for (const char* name : {"cbItem0", "cbItem2", "eItem2", "cbItem13", "eItem13"})
    EXPECT_FALSE(rig.controls.Enabled(name)) << name;
  EXPECT_TRUE(rig.controls.Enabled("eItem4"));  // track bars are left alone
  rig.controls.At("cbItem13").index = 1;        // the custom entry
  rig.editor.SetParamControlsEnabled(true);
  EXPECT_TRUE(rig.controls.Enabled("cbItem0"));
  EXPECT_TRUE(rig.controls.Enabled("eItem13"));
}

}  // namespace
}  // namespace params
