#include "params/DeviceDescription.h"
#include "params/PageEntries.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace params {
namespace {

LoadedDescription Load(const std::string& ini, const std::string& name = {},
                       DescriptionKey device = {"C", "H1", "F123"}) {
  const app::IniStore store("", ini);
  LoadedDescription loaded;
  LoadDeviceDescription(store, name, device, loaded);
  return loaded;
}

TEST(DeviceDescription, ChoosesTheSectionFourWays) {
  struct Case {
    const char* what;
    std::string ini;
    std::string name;
    DescriptionKey device;
    DescriptionSections expected;
  };
  const std::string prefixAndController = "[C H1 F12]\ntab=1\n[C]\ntab=2\nitem=3\n";
  const Case cases[] = {
      {"firmware prefix and controller", prefixAndController, "", {"C", "H1", "F123"},
       {"", "C H1 F12", "", "C"}},
      {"exact", prefixAndController + "[C H1 F123]\n", "", {"C", "H1", "F123"},
       {"C H1 F123", "C H1 F123", "", "C"}},
      {"longest firmware prefix, also as first section", "[C H1 F12]\n[C H1 F1]\n", "", {"C", "H1", "F123"},
       {"", "C H1 F12", "", ""}},
      {"letter case", "[c h1 f123]\n", "", {"C", "H1", "F123"}, {"C H1 F123", "C H1 F123", "", ""}},
      {"hardware prefix of two characters or more", "[C H1]\n[C H]\n", "", {"C", "H1X", "F9"},
       {"", "", "C H1", ""}},
      {"one-character firmware gives no prefix", "[C H1 F]\n[C H1]\n", "", {"C", "H1", "F"},
       {"C H1 F", "", "C H1", ""}},
      {"no controller", prefixAndController, "", {"", "H1", "F123"}, {"", "", "", ""}},
      {"a name is taken as it stands", prefixAndController, "Missing", {"C", "H1", "F123"},
       {"Missing", "", "", ""}},
  };
  for (const Case& c : cases) {
    const app::IniStore store("", c.ini);
    const DescriptionSections got = ResolveDescriptionSections(store, c.name, c.device);
    EXPECT_EQ(got.exact, c.expected.exact) << c.what;
    EXPECT_EQ(got.firmwarePrefix, c.expected.firmwarePrefix) << c.what;
    EXPECT_EQ(got.hardwarePrefix, c.expected.hardwarePrefix) << c.what;
    EXPECT_EQ(got.controller, c.expected.controller) << c.what;
  }
}

TEST(DeviceDescription, ReadsOnlyTheChosenSection) {
  const std::string ini = "[C H1 F12]\ntab=1\ntab1_cname=Prefix\n[C]\ntab=2\nitem=3\n";
  const LoadedDescription fromPrefix = Load(ini);
  EXPECT_EQ(fromPrefix.version.tab, 1);
  EXPECT_EQ(fromPrefix.version.item, 0);  // not the 3 of section C
  EXPECT_EQ(fromPrefix.version.tabs[0].cname, "Prefix");

  DescriptionKey device{"C", "H1", "F123"};
  const app::IniStore store("", ini);
  LoadedDescription byName;
  LoadDeviceDescription(store, "Missing", device, byName);
  EXPECT_EQ(device.controller, "Missing");
  EXPECT_EQ(byName.version.tab, 0);

  const LoadedDescription noDevice = Load(ini, "", {"", "", ""});
  EXPECT_EQ(noDevice.version.tab, 0);
  EXPECT_EQ(noDevice.version.item, 0);
  EXPECT_EQ(noDevice.version.max, 0);
}

TEST(DeviceDescription, FillsDefaultsAndTheDefaultGroup) {
  const LoadedDescription loaded = Load(
      "[C]\ntab=2\nitem=6\nabouticon=images/about.png\nsite_enabled=2\n"
      "item2_mode=8\nitem3_mode=12\nitem4_mode=9\nitem5_mode=9\nitem5_maxnode=32\nitem6_mode=0x0A\n");
  const VERSION& v = loaded.version;
  EXPECT_EQ(loaded.icons.about, "images/about.png");
  EXPECT_EQ(v.max, 6);
  EXPECT_TRUE(v.site.enabled);
  EXPECT_EQ(v.tabs[0].group, "0,1,2,3,4,5");
  EXPECT_EQ(v.tabs[1].group, "");
  EXPECT_EQ(v.tabs[0].cname, "标签 1");
  EXPECT_EQ(v.tabs[1].edetail, "Detail 2");
  EXPECT_EQ(v.items[0].chelp, "帮助 1");
  EXPECT_EQ(v.items[2].ename, "Item 3");
  EXPECT_EQ(v.items[0].min, "0");
  EXPECT_EQ(v.items[0].maxcustom, "0");
  const int modes[] = {7, 8, 12, 9, 9, 10};
  const int maxnodes[] = {0, 16, 16, 64, 32, 0};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(v.items[i].mode, modes[i]) << i;
    EXPECT_EQ(v.items[i].maxnode, maxnodes[i]) << i;
  }

  const LoadedDescription other = Load("[C]\ntab=1\nitem=2\nmax=0x14\nsite_enabled=yes\ntab1_group=1\n");
  EXPECT_EQ(other.version.max, 20);
  EXPECT_FALSE(other.version.site.enabled);
  EXPECT_EQ(other.version.tabs[0].group, "1");
}

TEST(DeviceDescription, ClampsCountsAndKeepsOnlyValidGroupEntries) {
  const VERSION big = Load("[C]\ntab=9\nitem=55\ntab1_group=-,0,-3,1,-,-12\n").version;
  EXPECT_EQ(big.tab, MaxPages);
  EXPECT_EQ(big.item, MaxItems);
  EXPECT_EQ(big.max, MaxItems);
  EXPECT_EQ(big.tabs[0].group, "-,0,1,-");
  EXPECT_EQ(big.items[MaxItems - 1].ename, "Item 40");

  const VERSION negative = Load("[C]\ntab=-1\nitem=-4\n").version;
  EXPECT_EQ(negative.tab, 0);
  EXPECT_EQ(negative.item, 0);
  EXPECT_EQ(negative.tabs[0].group, "");

  // Counts beyond 32 bits clamp like any other large count.
  const VERSION huge = Load("[C]\ntab=99999999999\nitem=99999999999\nmax=99999999999\n").version;
  EXPECT_EQ(huge.tab, MaxPages);
  EXPECT_EQ(huge.item, MaxItems);
  EXPECT_EQ(huge.max, std::numeric_limits<int>::max());

  const VERSION junk = Load("[C]\ntab=2\nitem=3\ntab1_group= 0, 1 ,a,99,-1,--2,-\ntab2_group=x\n").version;
  EXPECT_EQ(junk.tabs[0].group, "0,1,-");
  EXPECT_EQ(junk.tabs[1].group, "");
}

TEST(PageEntries, KeepsOpenersAndIndicesBelowTheItemCount) {
  const PageEntry box{true, -1};
  auto at = [](int index) { return PageEntry{false, index}; };
  struct Case {
    const char* group;
    std::vector<PageEntry> entries;
  } cases[] = {
      {"-,0,1,-,2", {box, at(0), at(1), box, at(2)}},
      {" 0 , 1 ,\t-\t", {at(0), at(1), box}},       // trimmed
      {"0,,a,1a,1 2,+1,-1,--,5,3", {at(0)}},           // empty, letters, inner blank, signs, 5 and 3 not below 3
      {"99999999999,02", {at(2)}},                     // beyond 32 bits; leading zero is still an index
      {"", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageEntries(c.group, 3), c.entries) << c.group;
  }
  EXPECT_EQ(PageGroupText({box, at(0), at(12)}), "-,0,12");
}

TEST(DeviceDescription, KeepsRecordsBeyondTheNewCounts) {
  DescriptionKey device{"C", "", ""};
  LoadedDescription loaded;
  const app::IniStore five("", "[C]\ntab=5\nitem=1\ntab4_cname=Four\ntab5_cname=Five\n");
  LoadDeviceDescription(five, "", device, loaded);
  const app::IniStore three("", "[C]\ntab=3\nitem=1\n");
  LoadDeviceDescription(three, "", device, loaded);
  EXPECT_EQ(loaded.version.tab, 3);
  EXPECT_EQ(loaded.version.tabs[3].cname, "Four");
  EXPECT_EQ(loaded.version.tabs[4].cname, "Five");
}

std::string DeviceSection(int tabs) {
  std::string ini = "[common]\nlang=1\n[ESC HW1]\ncalcicon=calc.png\nitem=40\ntab=" + std::to_string(tabs) + "\n";
  for (int i = 1; i <= 40; ++i) ini += "item" + std::to_string(i) + "_ename=Param " + std::to_string(i) + "\n";
  return ini;
}

// The worker loads into its copy while the UI thread keeps reading the
// description, writes to the store and replaces it (a language switch).
TEST(DeviceDescription, BackgroundLoadIsTakenInOnTheUiThread) {
  auto store = std::make_shared<app::IniStore>("", DeviceSection(2));
  std::vector<std::string> appliedIcons;
  const std::thread::id uiThread = std::this_thread::get_id();
  DeviceDescription description([&store] { return store; },
                                [&](const DescriptionIcons& icons) {
                                  EXPECT_EQ(std::this_thread::get_id(), uiThread);
                                  appliedIcons.push_back(icons.calc);
                                });

  for (int round = 0; round < 20; ++round) {
    description.StartBackgroundLoad({"ESC", "HW1", "FW1"});
    EXPECT_EQ(description.Version().item, round == 0 ? 0 : 40);  // untouched until taken in
    store->WriteInteger("common", "cacl1", round);
    store = std::make_shared<app::IniStore>("", DeviceSection(2 + round % 3));
    while (!description.DescriptionLoaded()) std::this_thread::yield();
    EXPECT_EQ(description.Version().item, 40);
    EXPECT_EQ(description.Version().items[39].ename, "Param 40");
  }
  EXPECT_EQ(appliedIcons.size(), 20u);
  EXPECT_EQ(appliedIcons.back(), "calc.png");
}

TEST(DeviceDescription, LoadsDoNotOverlap) {
  auto store = std::make_shared<app::IniStore>("", DeviceSection(3));
  DeviceDescription description([&store] { return store; }, {});
  DescriptionKey device{"ESC", "HW1", "FW1"};
  description.StartBackgroundLoad(device);
  description.StartBackgroundLoad(device);  // waits for the first
  description.LoadDeviceDescription("common", device);  // ends the second, then loads at once
  EXPECT_TRUE(description.DescriptionLoaded());
  EXPECT_EQ(device.controller, "common");
  EXPECT_EQ(description.Version().tab, 0);
  EXPECT_EQ(description.Version().items[39].ename, "Param 40");  // left from the background load
}

}  // namespace
}  // namespace params
