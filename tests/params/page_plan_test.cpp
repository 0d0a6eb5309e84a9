// The parameter pages a description makes: places, names, starting values
// and the side list.
#include <gtest/gtest.h>

#include "params/PagePlan.h"
#include "platform/rtl/Exceptions.h"

namespace params {
namespace {

// A description of `items` option lists with one page of `group`.
VERSION Description(const std::string& group, int items = 6) {
  VERSION v;
  v.tab = 1;
  v.item = items;
  v.tabs[0].group = group;
  v.tabs[0].ename = "Basic";
  for (int i = 0; i < items; ++i) {
    v.items[static_cast<std::size_t>(i)].mode = 0;
    v.items[static_cast<std::size_t>(i)].evalue = "a|b(*)|c";
    v.items[static_cast<std::size_t>(i)].ename = "Item " + std::to_string(i);
  }
  return v;
}

PagePlan Plan(const VERSION& v, PlanInputs inputs = {}) { return PlanParameterPages(v, inputs); }

TEST(PagePlanTest, RowsOnThePage) {
  PagePlan plan = Plan(Description("0,1,2"));
  for (int r = 0; r < 3; ++r) {
    const PlannedControl* label = plan.Find("lItem" + std::to_string(r));
    const PlannedControl* combo = plan.Find("cbItem" + std::to_string(r));
    ASSERT_TRUE(label && combo);
    EXPECT_EQ(label->x, 25);
    EXPECT_EQ(label->y, 25 + 40 * r);
    EXPECT_EQ(label->width, 170);
    EXPECT_TRUE(label->captionStyle);
    EXPECT_EQ(label->text, "Item " + std::to_string(r));
    EXPECT_EQ(combo->x, 195);
    EXPECT_EQ(combo->y, 22 + 40 * r);
    EXPECT_EQ(combo->width, 200);
    EXPECT_EQ(combo->tag, r);
    EXPECT_EQ(combo->selected, 1);  // the "(*)" entry
    EXPECT_EQ(combo->groupBox, -1);
  }
  EXPECT_EQ(plan.captions, std::vector<std::string>{"Basic"});
}

TEST(PagePlanTest, GroupBoxesStackWithTheirFinalHeight) {
  PagePlan plan = Plan(Description("-,0,1,-,2,-,3"));
  ASSERT_EQ(plan.groupBoxes.size(), 3u);
  EXPECT_EQ(plan.groupBoxes[0].y, 8);
  EXPECT_EQ(plan.groupBoxes[0].height, 100);
  EXPECT_EQ(plan.groupBoxes[1].y, 128);
  EXPECT_EQ(plan.groupBoxes[1].height, 60);
  EXPECT_EQ(plan.groupBoxes[2].y, 208);
  EXPECT_EQ(plan.groupBoxes[0].x, 9);
  EXPECT_EQ(plan.groupBoxes[0].width, 390);
  const PlannedControl* second = plan.Find("cbItem1");
  EXPECT_EQ(second->groupBox, 0);
  EXPECT_EQ(second->x, 180);
  EXPECT_EQ(second->y, 62);
  EXPECT_EQ(plan.Find("lItem1")->x, 10);
}

TEST(PagePlanTest, ModeSelectorTakesTwoRowsOnce) {
  VERSION v = Description("-,0,-,1");
  v.site.enabled = true;
  v.site.evalue = "Race|Crawl(*)";
  v.tab = 2;
  v.tabs[1].group = "2";
  PagePlan plan = Plan(v, {.modeCaption = "Mode"});
  EXPECT_EQ(plan.groupBoxes[0].height, 140);
  const PlannedControl* mode = plan.Find("cbMode");
  ASSERT_TRUE(mode);
  EXPECT_EQ(mode->x, 110);
  EXPECT_EQ(mode->y, 22);
  EXPECT_EQ(mode->tag, 99);
  EXPECT_EQ(mode->selected, 1);
  EXPECT_EQ(plan.Find("lMode")->text, "Mode");
  EXPECT_EQ(plan.Find("eName")->x, 240);
  EXPECT_EQ(plan.Find("cbItem0")->y, 102);
  EXPECT_EQ(std::count_if(plan.controls.begin(), plan.controls.end(),
                          [](const PlannedControl& c) { return c.name == "cbMode"; }),
            1);
}

TEST(PagePlanTest, HiddenAndUnknownParametersTakeNoRow) {
  VERSION v = Description("0,3,1,6,9");
  v.items[3].mode = 7;
  PagePlan plan = Plan(v);
  EXPECT_EQ(plan.Find("cbItem1")->y, 62);
  EXPECT_FALSE(plan.Find("lItem3"));
  EXPECT_FALSE(plan.Find("cbItem6"));
}

TEST(PagePlanTest, CustomValueAndTrackRanges) {
  VERSION v = Description("0,1,2");
  v.items[0].mode = 2;
  v.items[0].mincustom = "5";
  v.items[0].maxcustom = "250";
  v.items[0].eunit = "°";
  v.items[1].mode = 5;
  v.items[1].max = "0";
  v.items[1].evalue = "10-50/10";
  v.items[2].mode = 6;
  v.items[2].max = "0";
  v.items[2].evalue = "0|1(*)|2";
  PagePlan plan = Plan(v);
  const PlannedControl* spin = plan.Find("eItem0");
  EXPECT_EQ(spin->kind, ControlKind::SpinBox);
  EXPECT_DOUBLE_EQ(spin->min, 0.5);
  EXPECT_DOUBLE_EQ(spin->max, 25.0);
  EXPECT_DOUBLE_EQ(spin->step, 0.1);
  EXPECT_FALSE(spin->enabled);
  EXPECT_EQ(spin->postfix, "°");
  EXPECT_EQ(spin->x, 25 + 292);
  EXPECT_EQ(plan.Find("cbItem0")->width, 120);
  const PlannedControl* track = plan.Find("eItem1");
  EXPECT_EQ(track->kind, ControlKind::TrackBar);
  EXPECT_EQ(track->min, 10);
  EXPECT_EQ(track->max, 50);
  EXPECT_EQ(track->step, 10);
  EXPECT_EQ(track->value, 10);  // no mark: the first option
  EXPECT_EQ(plan.Find("leItem1")->text, "10");
  EXPECT_EQ(plan.Find("leItem1")->x, 25 + 320);
  EXPECT_EQ(plan.Find("eItem2")->value, 1);
  v.items[2].evalue = "0|1|2(*)";  // the mark does not stop the build
  EXPECT_EQ(Plan(v).Find("eItem2")->max, 2);
  v.items[1].evalue = "10-20/10|30(*)|40-50/10";
  plan = Plan(v);
  EXPECT_EQ(plan.Find("eItem1")->value, 30);  // the marked option's value, not its index
  EXPECT_EQ(plan.Find("leItem1")->text, "30");
}

TEST(PagePlanTest, UnreadableDescriptionNamesItsParameter) {
  struct Case {
    int mode;
    const char *evalue, *min, *max, *mincustom, *site;
    const char* named;
  };
  const Case cases[] = {
      {5, "fast|slow", "", "0", "0", "", "Item 1"},    // track options that are no numbers
      {5, "10", "", "0", "0", "", "Item 1"},           // a track of one option
      {6, "", "1", "y", "0", "", "Item 1"},            // a track bound
      {1, "a|Custom", "", "", "z", "", "Item 1"},      // a custom range
      {0, "1-5", "", "", "0", "", "Item 1"},           // a range without its step
      {0, "a|b", "", "", "0", "1-5", "Mode"},          // the mode selector's list
  };
  for (const Case& c : cases) {
    VERSION v = Description("0,1,2");
    ITEM& item = v.items[1];
    item.mode = c.mode;
    item.evalue = c.evalue;
    item.min = c.min;
    item.max = c.max;
    item.mincustom = c.mincustom;
    item.maxcustom = "100";
    v.site.enabled = *c.site != 0;
    v.site.evalue = c.site;
    PlanInputs inputs;
    inputs.modeCaption = "Mode";
    try {
      Plan(v, inputs);
      ADD_FAILURE() << c.evalue << " was planned";
    } catch (const EUnreadableParameter& e) {
      EXPECT_EQ(e.Parameter(), c.named) << c.evalue;
    }
  }
}

TEST(PagePlanTest, DefaultTables) {
  VERSION v = Description("0,1,2,3,4,5");
  v.items[0].evalue = "1000rpm|2000rpm(*)";
  v.items[1].evalue = "8000rpm(*)|10000rpm";
  v.items[2].mode = 9;  // speeds from parameters 0 and 1
  v.items[3].mode = 12;
  v.items[4].mode = 4;
  v.items[5].mode = 3;  // parameters 3 and 4 hold no speeds: a flat table
  PagePlan plan = Plan(v);
  const std::string curve = plan.Find("eItem2")->text;
  ASSERT_EQ(curve.size(), 256u);
  EXPECT_EQ(curve.substr(0, 4), "07D0");  // 2000
  EXPECT_EQ(curve.substr(4, 4), "082D");  // 2000 + 4 x 6000 / 256 = 2093.75
  std::string fours;
  for (int k = 0; k < 64; ++k) fours += "04";
  EXPECT_EQ(plan.Find("eItem3")->text, fours);
  const std::string bytes = plan.Find("eItem4")->text;
  EXPECT_EQ(bytes.substr(0, 6), "000102");
  EXPECT_EQ(bytes.substr(506), "FDFEFF");
  EXPECT_EQ(plan.Find("eItem5")->text, std::string(256, '0'));
  EXPECT_FALSE(plan.Find("eItem4")->visible);
  EXPECT_EQ(plan.Find("eItem4")->x, 25 + 290);
}

TEST(PagePlanTest, Readouts) {
  struct Case {
    const char* name;
    const char* data;  // device data from byte 1
    bool demo;
    const char* text;
  };
  const Case cases[] = {
      {"Max. ESC Temperature", "045", false, "45 C / 113.00 F"},
      {"Max. ESC Temperature", "   ", false, ""},
      {"Max. ESC Temperature", "   ", true, "0 C / 32.00 F"},
      {"Max. ESC Temperature", "4x5", false, ""},  // not a number
      {"Max. Motor Temperature", "000038", false, "38 C / 100.40 F"},
      {"Min. Battery Voltage", "000000126", false, "12.60 V"},
      {"Max. Motor RPM", "000000000012345", false, "12345 V"},
      {"KV Rating", "", false, "4660 V"},
      {"Something else", "045", false, ""},
  };
  for (const Case& c : cases) {
    VERSION v = Description("0", 1);
    v.items[0].mode = 10;
    v.items[0].ename = c.name;
    v.items[0].eunit = "V";
    v.items[0].eunit1 = "C";
    v.items[0].eunit2 = "F";
    PlanInputs inputs;
    inputs.demo = c.demo;
    std::string data = c.data;
    std::copy(data.begin(), data.end(), inputs.deviceData.begin() + 1);
    std::vector<std::uint8_t> image(64, 0);
    image[10] = 0x12;
    image[11] = 0x34;
    inputs.settingsImage = image;
    inputs.valueOffset = 10;
    PagePlan plan = Plan(v, inputs);
    const PlannedControl* readout = plan.Find("eItem0");
    EXPECT_TRUE(readout->readOnly);
    EXPECT_EQ(readout->text, c.text) << c.name << " '" << c.data << "'";
  }
}

TEST(SideListTest, EntriesShownAndArranged) {
  struct Case {
    SideListInputs in;
    std::vector<int> visible;
  };
  const Case cases[] = {
      {{.tab = 2, .escKind = true, .connected = true, .controller = "AIRPLANE_ESC"}, {2, 3, 8, 10}},
      {{.tab = 2, .escKind = true, .controller = "AIRPLANE_ESC"}, {8}},  // neither connected nor demo
      {{.tab = 0, .escKind = true, .demo = true, .controller = ""}, {}},
      {{.tab = 1, .motorChecker = true}, {8, 9}},
      {{.tab = 1, .programCard = true, .controller = "X_PROGRAMECARD"}, {8}},
      {{.tab = 1, .linkMode = 1, .controller = "PORTAVEX"}, {8}},
      {{.tab = 1, .linkMode = 5, .controller = "HUB"}, {11}},
  };
  for (const Case& c : cases) EXPECT_EQ(VisibleSideEntries(c.in), c.visible) << c.in.controller;

  EXPECT_EQ(ArrangeSideList({1}, {2, 3, 8, 9, 10, 11}, 2), (std::vector<int>{1, 2, 3, 11, 8, 10, 9}));
  EXPECT_EQ(ArrangeSideList({1, 3, 2, 8}, {2, 3}, 2), (std::vector<int>{1, 3, 2}));  // kept places
  EXPECT_EQ(ArrangeSideList({1}, {8, 9}, 4), (std::vector<int>{1, 8, 9}));           // clamped to the end
}

}  // namespace
}  // namespace params
