// The change rules between parameters, the mode change on the device link,
// the table-editor launch and the mode-name key rule.
#include <gtest/gtest.h>

#include <functional>

#include "params/ParamEditor.h"
#include "tests/support/ParamFakes.h"

namespace params {
namespace {

using fakes::EditorRig;

// Seven option-list parameters on one page ("a|b|c|Custom"), connected to a
// classic device; `modes` and `links` override single items.
void Describe(EditorRig& rig, const std::map<int, int>& modes, const std::map<int, std::string>& links) {
  rig.version.tab = 1;
  rig.version.item = 8;
  rig.version.max = 8;
  rig.version.tabs[0].group = "0,1,2,3,4,5,6,7";
  for (int i = 0; i < 8; ++i) {
    ITEM& item = rig.version.items[static_cast<std::size_t>(i)];
    item.mode = modes.contains(i) ? modes.at(i) : 0;
    item.evalue = "a|b|c|Custom";
    item.mincustom = "0";
    item.maxcustom = "10";
    item.link = links.contains(i) ? links.at(i) : "";
  }
  rig.device.texts = {"CAR_ESC", "VALTORINE_456", "1"};
  rig.BuildPages();
}

TEST(ChangeRulesTest, HideDisableAndSelectFollowTheTrigger) {
  struct Case {
    const char* rule;
    int targetMode;
    int choice;
    bool listVisible, listEnabled;
    int targetIndex;
    bool customVisible, customEnabled;
  };
  const Case cases[] = {
      {"2,0,5,0", 4, 2, false, true, 0, false, true},  // hide: the table box goes with its list
      {"2,0,5,0", 4, 1, true, true, 0, true, true},    // shown again, table box included
      {"1,1,5,0", 1, 1, true, false, 0, true, false},   // disable
      {"1,1,5,0", 1, 2, true, true, 0, true, false},
      {"1,2,5,3", 1, 1, true, true, 3, true, true},     // select the custom entry: the spin box follows
      {"1,2,5,3", 1, 2, true, true, 0, true, false},    // another choice leaves the target alone
      {"1,7,5,3", 1, 1, true, true, 0, true, false},    // an unknown kind does nothing
      {"1,1,9,0", 1, 1, true, true, 0, true, false},    // a missing target is skipped
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.rule) + " choice " + std::to_string(c.choice));
    EditorRig rig;
    Describe(rig, {{5, c.targetMode}}, {{3, c.rule}});
    rig.controls.At("cbItem5").index = 0;
    rig.controls.At("eItem5").visible = true;
    rig.controls.SetItemIndex("cbItem3", c.choice);
    EXPECT_EQ(rig.controls.Visible("cbItem5"), c.listVisible);
    EXPECT_EQ(rig.controls.Enabled("cbItem5"), c.listEnabled);
    EXPECT_EQ(rig.controls.ItemIndex("cbItem5"), c.targetIndex);
    EXPECT_EQ(rig.controls.Visible("eItem5"), c.customVisible);
    EXPECT_EQ(rig.controls.Enabled("eItem5"), c.customEnabled);
  }
}

TEST(ChangeRulesTest, SelectedTargetRunsItsOwnRulesAtOnce) {
  EditorRig rig;
  Describe(rig, {}, {{3, "1,2,4,0|1,1,5,0"}, {4, "0,0,6,0"}});
  rig.controls.SetItemIndex("cbItem3", 1);
  EXPECT_EQ(rig.controls.ItemIndex("cbItem4"), 0);
  EXPECT_FALSE(rig.controls.Visible("cbItem6"));  // item 4's rule
  EXPECT_FALSE(rig.controls.Enabled("cbItem5"));  // the next rule of item 3
}

TEST(ChangeRulesTest, ShortRuleEntryEndsTheHandler) {
  EditorRig rig;
  Describe(rig, {{3, 1}}, {{3, "2,0,5,0|1,1"}});
  rig.controls.SetItemIndex("cbItem3", 3);  // the custom entry
  EXPECT_TRUE(rig.controls.Visible("cbItem5"));
  EXPECT_FALSE(rig.controls.Enabled("eItem3"));  // not even the own custom value
}

TEST(ChangeRulesTest, OwnCustomValueFollowsTheCustomEntry) {
  struct Case {
    int mode;
    const char* link;
    bool busy, switching;
    bool editorOpened;
  };
  const Case cases[] = {
      {1, "", false, false, false},
      {1, "0", false, false, false},  // "0" holds no rules, the custom value still works
      {4, "", false, false, true},
      {3, "3,0,5,0", false, false, true},  // mode 3 ignores its rules
      {8, "", true, false, false},
      {12, "", false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    EditorRig rig;
    Describe(rig, {{2, c.mode}}, {{2, c.link}});
    rig.version.items[0].evalue = "1000rpm";  // the speed range of mode 3
    rig.version.items[1].evalue = "2000rpm";
    rig.BuildPages();
    rig.device.busy = c.busy;
    rig.form.languageSwitching = c.switching;
    rig.controls.SetItemIndex("cbItem2", 3);
    EXPECT_TRUE(rig.controls.Enabled("eItem2"));
    EXPECT_EQ(rig.controls.focused.back(), "eItem2");
    EXPECT_TRUE(rig.controls.Visible("cbItem5"));
    EXPECT_TRUE(rig.editors.requests.empty());  // not inside the list's own event
    rig.form.RunPosted();
    EXPECT_EQ(rig.editors.requests.size(), c.editorOpened ? 1u : 0u);
    rig.controls.SetItemIndex("cbItem2", 0);
    EXPECT_FALSE(rig.controls.Enabled("eItem2"));
  }
}

// The editor opens for the user's own choice only, and only when the
// choice still stands once the list's event has returned.
TEST(ChangeRulesTest, NoEditorOpensForAChoiceNobodyMade) {
  struct Case {
    const char* what;
    bool userChose;
    std::function<void(EditorRig&)> act;
  };
  const Case cases[] = {
      {"a rule selects the custom entry", false, [](EditorRig& rig) { rig.controls.SetItemIndex("cbItem3", 1); }},
      {"the second rule pass visits it", false,
       [](EditorRig& rig) {
         rig.controls.At("cbItem2").index = 3;
         rig.controls.SetItemIndex("cbItem3", 2);
       }},
      {"the link pass visits it", false,
       [](EditorRig& rig) {
         rig.controls.At("cbItem2").index = 3;
         rig.editor.RunLinkPass();
       }},
      {"another entry chosen before the editor opened", true,
       [](EditorRig& rig) {
         rig.controls.SetItemIndex("cbItem2", 3);
         rig.controls.SetItemIndex("cbItem2", 0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditorRig rig;
    // Item 2 is a table with a rule of its own; item 3 selects its custom
    // entry (1) and names it as a target (2).
    Describe(rig, {{2, 4}}, {{2, "0,1,6,0"}, {3, "1,2,2,3|0,1,2,0"}});
    rig.controls.focused.clear();
    c.act(rig);
    rig.form.RunPosted();
    EXPECT_TRUE(rig.editors.requests.empty());
    if (!c.userChose) {
      EXPECT_TRUE(rig.controls.focused.empty());
    }
  }
}

TEST(ChangeRulesTest, RuleCycleEnds) {
  EditorRig rig;
  Describe(rig, {}, {{0, "0,2,1,1|1,2,1,0"}, {1, "0,2,0,1|1,2,0,0"}});
  rig.controls.SetItemIndex("cbItem0", 0);
  EXPECT_EQ(rig.controls.ItemIndex("cbItem0"), 0);  // reached here: no endless recursion
}

TEST(ChangeRulesTest, TrackBarShowsItsValue) {
  EditorRig rig;
  Describe(rig, {}, {});
  rig.version.items[1].mode = 5;
  rig.version.items[1].max = "0";
  rig.version.items[1].evalue = "10-50/10";
  rig.BuildPages();
  EXPECT_EQ(rig.controls.Text("leItem1"), "10");
  rig.controls.SetValue("eItem1", 34);
  EXPECT_EQ(rig.controls.Text("leItem1"), "30");
}

TEST(ModeChangeTest, ReloadsThroughTheDeviceLink) {
  struct Case {
    bool registerProtocol;
    const char* hardware;
    std::vector<std::string> calls;
    int maximum;
  };
  const Case cases[] = {{false, "CV4", {"read"}, 240},
                        {false, "VALTORINE_456", {"read"}, 736},
                        {true, "QV4-ASD-2", {"send 15", "wait 15", "read"}, 4000}};
  for (const Case& c : cases) {
    EditorRig rig;
    Describe(rig, {}, {});
    rig.version.site.enabled = true;
    rig.version.site.evalue = "Race|Crawl";
    rig.BuildPages();
    rig.device.texts = {"Corvanel_V4", c.hardware, "1"};
    rig.device.registerProtocol = c.registerProtocol;
    bool busyWhileReading = false;
    rig.device.readSettings = [&] {
      busyWhileReading = rig.device.busy;
      return std::string();
    };
    rig.controls.SetItemIndex("cbMode", 1);
    EXPECT_EQ(rig.device.calls, c.calls);
    EXPECT_TRUE(busyWhileReading);
    EXPECT_FALSE(rig.device.busy);
    EXPECT_EQ(rig.device.registerWordCounter, c.registerProtocol ? 1024 : 0);
    ASSERT_EQ(rig.form.progress.size(), 1u);
    EXPECT_EQ(rig.form.progress[0].second, c.maximum);
    EXPECT_EQ(rig.form.progressFreed, 1);
    EXPECT_EQ(rig.form.pages.size(), 1u);  // the settings were shown
  }
}

TEST(ModeChangeTest, NothingWithoutDeviceOrDuringAJob) {
  for (auto [connected, busy] : {std::pair{false, false}, std::pair{true, true}}) {
    EditorRig rig;
    Describe(rig, {}, {});
    rig.version.site.enabled = true;
    rig.BuildPages();
    rig.device.connected = connected;
    rig.device.busy = busy;
    rig.controls.SetItemIndex("cbMode", 0);
    EXPECT_TRUE(rig.device.calls.empty());
    EXPECT_TRUE(rig.form.progress.empty());
  }
}

TEST(ModeChangeTest, FailedReadKeepsTheControls) {
  EditorRig rig;
  Describe(rig, {}, {});
  rig.version.site.enabled = true;
  rig.BuildPages();
  rig.device.readSettings = [] { return std::string("Get Settings Fail."); };
  rig.controls.At("cbItem0").index = 2;
  rig.controls.SetItemIndex("cbMode", 0);
  EXPECT_EQ(rig.controls.ItemIndex("cbItem0"), 2);
  EXPECT_TRUE(rig.form.infoBoxes.empty());
  EXPECT_FALSE(rig.device.busy);
  EXPECT_EQ(rig.form.progressFreed, 1);
}

// Parameters 4 and 5 are the low and high speed lists, 3 the lock list, 6 the curve.
void DescribeCurve(EditorRig& rig, int mode) {
  Describe(rig, {{6, mode}}, {});
  rig.version.items[4].evalue = "1000rpm|2000rpm(*)";
  rig.version.items[5].evalue = "8000rpm|10000rpm(*)";
  rig.version.items[3].evalue = "0-70/1";
  rig.BuildPages();
}

TEST(EditorLaunchTest, RpmCurveGetsItsRangeAndLinkDefaults) {
  EditorRig rig;
  DescribeCurve(rig, 9);
  rig.controls.At("cbItem3").index = 70;  // lock beyond 64
  rig.editors.answer = "AB";
  rig.editor.itemClick("eItem6");
  ASSERT_EQ(rig.editors.requests.size(), 1u);
  const TableEditRequest& r = rig.editors.requests[0];
  EXPECT_EQ(r.mode, 9);
  EXPECT_EQ(r.low, 2000);
  EXPECT_EQ(r.high, 10000);
  EXPECT_EQ(r.lockIndex, 64);
  EXPECT_EQ(r.table.size(), 256u);
  EXPECT_EQ(rig.version.items[6].locklink, "3");  // the defaults stay in the description
  EXPECT_EQ(rig.version.items[6].minlink, "4");
  EXPECT_EQ(rig.version.items[6].maxlink, "5");
  EXPECT_EQ(rig.controls.Text("eItem6"), "AB");
}

TEST(EditorLaunchTest, CancelLeavesTheTable) {
  EditorRig rig;
  DescribeCurve(rig, 4);
  const std::string before = rig.controls.Text("eItem6");
  rig.editor.itemClick("eItem6");
  EXPECT_EQ(rig.editors.requests.size(), 1u);
  EXPECT_EQ(rig.controls.Text("eItem6"), before);
}

TEST(EditorLaunchTest, NoEditorWithoutASpeedRange) {
  EditorRig rig;
  DescribeCurve(rig, 3);
  rig.controls.At("cbItem4").index = -1;  // no low speed chosen
  rig.editor.itemClick("eItem6");
  rig.controls.At("cbItem4").index = 1;
  rig.controls.At("cbItem5").entries = {"900rpm"};  // high below low
  rig.controls.At("cbItem5").index = 0;
  rig.editor.itemClick("eItem6");
  EXPECT_TRUE(rig.editors.requests.empty());
  const std::string said = "Choose a lowest and a highest speed (the highest above the lowest) before editing this table.";
  EXPECT_EQ(rig.form.infoBoxes, (std::vector<std::string>{said, said}));
}

TEST(EditorLaunchTest, FrequencyCurveRangeByName) {
  for (auto [name, high] : {std::pair{"刹车频率", 32}, std::pair{"驱动频率", 64}}) {
    EditorRig rig;
    DescribeCurve(rig, 12);
    rig.version.items[6].cname = name;
    rig.form.reportCapture = true;
    rig.editor.itemClick("eItem6");
    ASSERT_EQ(rig.editors.requests.size(), 1u);
    EXPECT_EQ(rig.editors.requests[0].high, high);
    EXPECT_EQ(rig.editors.requests[0].low, high == 32 ? 1 : 2);
  }
}

TEST(ModeNameTest, FifteenthKeyCutsTheName) {
  EditorRig rig;
  Describe(rig, {}, {});
  rig.version.site.enabled = true;
  rig.BuildPages();
  struct Case {
    std::string text, after;
    bool swallowed;
  };
  const Case cases[] = {{"ABCDEFGHIJKLMN", "ABCDEFGHIJKLMN", false},
                        {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMN", true},
                        {"攀爬攀爬攀爬攀爬攀爬攀爬攀爬攀", "攀爬攀爬攀爬攀爬攀爬攀爬攀爬", true}};
  for (const Case& c : cases) {
    rig.controls.SetText("eName", c.text);
    std::uint16_t key = 'X';
    rig.editor.itemKeyDown("eName", key);
    EXPECT_EQ(rig.controls.Text("eName"), c.after);
    EXPECT_EQ(key == 0, c.swallowed);
  }
}

}  // namespace
}  // namespace params
