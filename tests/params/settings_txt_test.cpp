// The TXT settings file: the export byte for byte, the refusal of files
// that do not fit, and export followed by import.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "params/ParamEditor.h"
#include "tests/support/ParamFakes.h"

namespace params {
namespace {

using fakes::EditorRig;
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every kind of row: an option list of four, a long entry and Chinese
// entries, a custom value, a track bar, a hidden and a readout parameter,
// and a table; with the mode selector.
void DescribeEverything(EditorRig& rig) {
  VERSION& v = rig.version;
  v.tab = 2;
  v.item = 8;
  v.max = 8;
  v.site.enabled = true;
  v.site.evalue = "Race(*)|Crawl";
  v.tabs[0].group = "0,1,2,3";
  v.tabs[1].group = "-,4,5,6,7";
  const std::pair<int, std::string> items[] = {
      {0, "A|B|C|D"},
      {0, "Short|" + std::string(70, 'L') + "|End"},
      {0, "前进带刹车|前进后退|前进后退带刹车|关"},
      {1, "Off|10%|Custom"},
      {5, "10-50/5"},
      {7, ""},
      {10, ""},
      {4, "Linear(*)|Custom"},
  };
  for (int i = 0; i < 8; ++i) {
    ITEM& item = v.items[static_cast<std::size_t>(i)];
    item.mode = items[i].first;
    item.evalue = items[i].second;
    item.ename = "Param " + std::to_string(i);
    item.max = "0";
    item.mincustom = "1";
    item.maxcustom = "100";
  }
  rig.device.texts = {"CAR_ESC", "VALTORINE_456_A", "V1.0"};
  rig.BuildPages();
  for (int i : {0, 1, 2, 3, 7}) {
    const std::string list = "cbItem" + std::to_string(i);
    rig.controls.SetItemIndex(list, rig.controls.ItemIndex(list));  // as the settings mapping selects them
  }
  rig.controls.SetItemIndex("cbItem0", 1);
  rig.controls.SetItemIndex("cbItem3", 2);
  rig.controls.SetItemIndex("cbItem7", 1);  // the custom table
  rig.controls.SetValue("eItem3", 42);
  rig.controls.SetValue("eItem4", 35);
  rig.controls.SetText("eName", "My car");
}

class SettingsTxtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("settings_txt_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    DescribeEverything(rig);
  }
  void TearDown() override { fs::remove_all(folder); }

  // Selections, values, texts and states of every control.
  std::string Snapshot() {
    std::string s;
    for (const auto& [name, c] : rig.controls.controls)
      s += name + ":" + std::to_string(c.index) + "," + std::to_string(c.value) + "," + c.text + "," +
           std::to_string(c.enabled) + std::to_string(c.visible) + ";";
    return s;
  }

  fs::path folder;
  EditorRig rig;
};

TEST_F(SettingsTxtTest, ExportIsTheFixtureByteForByte) {
  rig.form.saveFile = (folder / "out.txt").string();
  rig.editor.Export1Click();
  EXPECT_EQ(rig.form.saveFilter, "TXT Config File|*.txt");
  EXPECT_EQ(rig.form.saveExt, ".txt");
  const std::string written = ReadFile(folder / "out.txt");
  const std::string fixture =
      ReadFile(fs::path(std::getenv("ESCTOOL_SOURCE_DIR")) / "tests/params/data/settings_export.txt");
  EXPECT_EQ(written, fixture);
  if (written != fixture) std::ofstream(folder.parent_path() / "settings_export.actual.txt", std::ios::binary) << written;
}

TEST_F(SettingsTxtTest, ExportWithoutPagesOrChoiceWritesNothing) {
  rig.form.saveFile.reset();
  rig.editor.Export1Click();
  rig.version.tab = 0;
  rig.form.saveFile = (folder / "out.txt").string();
  rig.editor.Export1Click();
  EXPECT_FALSE(fs::exists(folder / "out.txt"));
  EXPECT_TRUE(rig.form.infoBoxes.empty());
}

TEST_F(SettingsTxtTest, ExportThatCannotBeSavedSaysSo) {
  fs::create_directory(folder / "taken.txt");
  for (const fs::path& path : {folder / "no" / "such" / "folder.txt", folder / "taken.txt"}) {
    rig.form.infoBoxes.clear();
    rig.form.saveFile = path.string();
    rig.editor.Export1Click();
    EXPECT_EQ(rig.form.infoBoxes, std::vector<std::string>{"The settings file could not be saved: " + path.string()});
  }
}

TEST_F(SettingsTxtTest, ExportThenImportRestoresEveryControl) {
  rig.form.saveFile = (folder / "s.txt").string();
  rig.editor.Export1Click();
  const std::string exported = Snapshot();

  rig.controls.SetItemIndex("cbItem0", 3);
  rig.controls.SetItemIndex("cbItem3", 0);
  rig.controls.SetValue("eItem4", 50);
  rig.controls.SetText("eName", "Other");
  rig.controls.SetText("eItem7", "00");
  rig.editors.answer = std::string(512, 'F');  // what an editor opened on the way would hand back
  rig.form.posted = nullptr;
  rig.controls.focused.clear();
  rig.form.openFile = (folder / "s.txt").string();
  rig.editor.Import1Click();
  EXPECT_EQ(rig.form.openFilter, "INI File (*.txt)|*.txt");
  EXPECT_TRUE(rig.form.infoBoxes.empty());
  EXPECT_EQ(Snapshot(), exported);
  // Nobody chose anything: no editor opens, now or later, and the focus stays.
  rig.form.RunPosted();
  EXPECT_TRUE(rig.editors.requests.empty());
  EXPECT_TRUE(rig.controls.focused.empty());
}

TEST_F(SettingsTxtTest, FileThatDoesNotFitChangesNothing) {
  rig.form.saveFile = (folder / "s.txt").string();
  rig.editor.Export1Click();
  const std::string good = ReadFile(folder / "s.txt");
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::string files[] = {
      replaced("[CAR_ESC VALTORINE_456_A V1.0]", "[CAR_ESC VALTORINE_456_A V1.1]"),  // another firmware
      replaced("\r\n4=3", "\r\n4=9"),                                             // no such option
      replaced("\r\n5=35.0", "\r\n5=x"),                                          // not a number
      replaced("\r\n5=35.0", "\r\n5=nan"),                                        // not finite
      replaced("\r\n5=35.0", "\r\n5=-inf"),
      replaced("\r\n5=35.0", "\r\n5=9.5"),                                        // track 10..50
      replaced("\r\n5=35.0", "\r\n5=1e300"),
      replaced("\r\n4t=42.0", "\r\n4t=inf"),                                      // custom 1..100
      replaced("\r\n4t=42.0", "\r\n4t=nan"),
      replaced("\r\n4t=42.0", "\r\n4t=0"),
      replaced("\r\n4t=42.0", "\r\n4t=100.5"),
      replaced("\r\n8t=00", "\r\n8t=0"),                                          // a table cut short
      replaced("\r\n2=", "\r\nkey2="),                                            // a missing key
      "",
  };
  for (const std::string& file : files) {
    std::ofstream(folder / "bad.txt", std::ios::binary) << file;
    rig.controls.SetItemIndex("cbItem0", 3);
    const std::string before = Snapshot();
    rig.form.infoBoxes.clear();
    rig.form.openFile = (folder / "bad.txt").string();
    rig.editor.Import1Click();
    EXPECT_EQ(rig.form.infoBoxes, std::vector<std::string>{"can't import differ version's setting"});
    EXPECT_EQ(Snapshot(), before);
  }
  rig.form.infoBoxes.clear();
  rig.form.openFile = (folder / "missing.txt").string();
  rig.editor.Import1Click();
  EXPECT_EQ(rig.form.infoBoxes.size(), 1u);
}

}  // namespace
}  // namespace params
