// Checks the lang.ini that comes with the program: every text in both
// languages, and device descriptions that load, expand and link cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/MemIniFile.h"
#include "params/DeviceDescription.h"
#include "params/PageEntries.h"
#include "params/TextFunctions.h"
#include "platform/rtl/Streams.h"

namespace {

std::string LangIniPath() {
  const char* source = std::getenv("ESCTOOL_SOURCE_DIR");
  return std::string(source ? source : ".") + "/data/lang.ini";
}

const rtl::TMemIniFile& LangIni() {
  static const rtl::TMemIniFile store(LangIniPath());
  return store;
}

std::vector<std::string> DeviceSections() {
  std::vector<std::string> sections = LangIni().ReadSections();
  std::erase_if(sections, [](const std::string& s) { return s == "common"; });
  return sections;
}

// Key and section of every pair, as the file spells them.
struct Pair {
  std::string section, key;
};
std::vector<Pair> PairsOfFile() {
  const rtl::TBytes bytes = rtl::ReadFileBytes(LangIniPath());
  std::istringstream lines(std::string(bytes.begin(), bytes.end()));
  std::vector<Pair> pairs;
  std::string line, section;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
    } else if (const auto equals = line.find('='); equals != std::string::npos) {
      pairs.push_back({section, line.substr(0, equals)});
    }
  }
  return pairs;
}

bool IsBooleanText(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), ::tolower);
  if (text == "true" || text == "false") return true;
  if (!text.empty() && text[0] == '-') text.erase(0, 1);
  return !text.empty() && std::all_of(text.begin(), text.end(), ::isdigit);
}

// "tab3_group" with prefix "tab", numbers 1..6 and the suffix set.
bool IsNumberedKey(const std::string& key, const std::string& prefix, int most,
                   const std::set<std::string>& suffixes) {
  if (!key.starts_with(prefix)) return false;
  const std::size_t underscore = key.find('_');
  if (underscore == std::string::npos || underscore == prefix.size()) return false;
  const std::string number = key.substr(prefix.size(), underscore - prefix.size());
  if (!std::all_of(number.begin(), number.end(), ::isdigit) || number[0] == '0') return false;
  const int n = std::stoi(number);
  return n >= 1 && n <= most && suffixes.contains(key.substr(underscore + 1));
}

bool IsDescriptionKey(const std::string& key) {
  static const std::set<std::string> plain = {"name", "demo", "abouticon", "firmwareicon", "dataicon",
                                              "calcicon", "tab", "item", "max", "addon",
                                              "site_enabled", "site_cvalue", "site_evalue", "site_link",
                                              "site_chelp", "site_ehelp"};
  static const std::set<std::string> page = {"cname", "cdetail", "ename", "edetail", "icon", "group"};
  static const std::set<std::string> item = {
      "chelp", "cname", "cvalue", "ehelp", "ename", "evalue", "min", "max", "link", "locklink",
      "minlink", "maxlink", "cunit", "eunit", "cunit1", "eunit1", "cunit2", "eunit2", "mincustom",
      "maxcustom", "mode", "maxnode", "cdetail", "edetail"};
  return plain.contains(key) || IsNumberedKey(key, "tab", params::MaxPages, page) ||
         IsNumberedKey(key, "item", params::MaxItems, item);
}

TEST(SampleLangIni, EveryTextKeyExistsInBothLanguages) {
  // The text keys the program reads through the language prefix.
  const char* const keys[] = {
      "Title", "TabAbout", "TabFirmware", "TabData", "TabCale", "Basic", "StateGroup", "Esc", "Busy",
      "RecorderTable", "RecorderChart", "RecorderRpm", "RecorderVoltage", "RecorderCurrent", "RecorderAverage",
      "RecorderMaximum", "RecorderMinimum", "RecorderStart", "RecorderLoad", "RecorderPrint", "RecorderSave",
      "RecordTooLong",
      "SettingGroup", "Update", "Default", "UpdateHelp", "DefaultHelp", "Connect", "DisConnect",
      "Upgrade", "Version", "Info", "Controller", "Hardware", "Firmware", "UpgradeFirmware", "Process",
      "PORTAVEX1", "PORTAVEX2", "PORTAVEX3", "PORTAVEX4", "PORTAVEX5", "Color", "Rotation", "CW", "CCW",
      "Red", "Blue", "Green", "StartScan", "StopScan", "ReadChannel", "WriteChannel", "Channel1",
      "Channel8", "ChannelUF", "ChannelNotSelected", "ChannelSummary", "ReadSuccess", "File",
      "File_menu_english", "File_menu_chinese",
      "File_menu_export", "File_menu_import", "File_menu_print", "File_menu_style", "File_menu_version",
      "File_menu_demo", "File_menu_exit", "Device", "Device_menu_esc", "Device_menu_motor",
      "Device_menu_lcd", "Help", "Help_menu_help", "Help_menu_about", "Help_menu_history",
      "Help_menu_update", "Help_menu_dbupdate", "Desired_head_speed", "Teeth_of_main_gear",
      "Teeth_of_pinion", "Magnetic_poles", "Kv_of_motor", "Number_of_cells",
      "Battery_type_for_voltage_cell", "Battery_voltage", "Head_remainder_enough",
      "Should_set_governor_area", "Should_set_throttle_value", "Warning", "calc_help",
      "setting_suggestion", "ThrottleAmount", "MbRPM", "MotorPoles", "MainDriveGear", "DriveGearRatio",
      "RequiredRPM", "RequiredTH", "MotorDriveGear", "SettingDGR", "ThHigh", "ThLow", "InfoTitle",
      "btn_Ok", "btn_Cancel", "btn_Init", "btn_liner", "Mode", "parameter_error", "please_upgrade_soft",
      "setting_succ", "setting_fail", "default_succ", "default_fail", "upgrade_drive", "upgrade_succ",
      "upgrade_fail", "network_connect_fail", "importerror", "upgrade_controller_help",
      "exporterror", "description_parameter_error", "speed_range_error",
      "upgrade_hardware_help", "upgrade_firmware_help", "upgrade_version_help",
      "lcd_upgrade_controller_help", "lcd_upgrade_hardware_help", "lcd_upgrade_firmware_help",
      "lcd_upgrade_version_help", "export_top", "export_bottom", "export_title", "export_version",
      "export_input", "export_event", "export_driver", "export_date", "export_chassis", "export_nation",
      "export_tyres", "export_track", "export_track_items", "export_traction", "export_traction_items",
      "export_surface", "export_surface_items", "export_type", "export_type_items", "export_note",
      "export_ecs", "export_ecs_items", "export_motor", "export_rotor", "export_rotor_items",
      "export_endbell", "export_final", "export_battery", "About_title", "About_label1", "About_label2",
      "About_label3", "About_btncredits", "About_btnok", "UpdateTitle", "DBUpdateTitle", "UpdateNew",
      "DBUpdateNew", "UpdateAlready", "DBUpdateAlready", "UpdateInstall", "UpdateCancel"};
  const rtl::TMemIniFile& ini = LangIni();
  for (const char* key : keys) {
    for (const char* prefix : {"chs", "eng"}) {
      EXPECT_NE(ini.ReadString("common", std::string(prefix) + key, "<missing>"), "<missing>")
          << prefix << key;
    }
  }
  // Chinese keys whose English text is built in because it ends in a blank.
  const std::set<std::string> chineseOnly = {"export_controller", "export_hardware", "export_firmware", "lMode",
                                             "lName"};
  std::set<std::string> chs, eng;
  for (const Pair& pair : PairsOfFile()) {
    if (pair.section != "common") continue;
    if (pair.key.starts_with("chs")) chs.insert(pair.key.substr(3));
    if (pair.key.starts_with("eng")) eng.insert(pair.key.substr(3));
  }
  for (const std::string& key : chs) {
    EXPECT_TRUE(eng.contains(key) || chineseOnly.contains(key)) << "no English text for " << key;
  }
  for (const std::string& key : eng) EXPECT_TRUE(chs.contains(key)) << "no Chinese text for " << key;
}

TEST(SampleLangIni, DeviceSectionsUseOnlyDescriptionKeys) {
  for (const Pair& pair : PairsOfFile()) {
    if (pair.section == "common") continue;
    EXPECT_TRUE(IsDescriptionKey(pair.key)) << pair.section << ": " << pair.key;
  }
}

void CheckOptionLists(const std::string& section, int index, const std::string& chinese,
                      const std::string& english) {
  const auto cn = params::ExpandValueList(chinese);
  const auto en = params::ExpandValueList(english);
  EXPECT_FALSE(en.empty()) << section << " item " << index;
  EXPECT_EQ(cn.size(), en.size()) << section << " item " << index << ": the languages differ";
}

void CheckLinkRules(const std::string& section, const params::VERSION& v, int index) {
  for (const std::string& rule : params::ExpandValueList(v.items[index].link)) {
    const auto fields = params::SplitString(",", rule);
    ASSERT_EQ(fields.size(), 4u) << section << " item " << index << ": " << rule;
    const int target = std::stoi(fields[2]);
    ASSERT_TRUE(target >= 0 && target < v.item) << section << ": " << rule;
    const int targetMode = v.items[target].mode;
    EXPECT_TRUE(targetMode != 5 && targetMode != 6 && targetMode != 7 && targetMode != 10)
        << section << ": rule " << rule << " targets a parameter without an option list";
  }
}

// The 64-point curve editor needs a lock index from 2 to 64: the default
// entry of the list a mode 9 parameter takes its lock from.
void CheckLockDefault(const std::string& section, const params::VERSION& v, int index) {
  const params::ITEM& item = v.items[index];
  if (item.mode != 9) return;
  const int lock = item.locklink.empty() ? index - 3 : std::stoi(item.locklink);
  ASSERT_TRUE(lock >= 0 && lock < v.item) << section << " item " << index;
  for (const std::string& spec : {v.items[lock].cvalue, v.items[lock].evalue}) {
    const auto options = params::ExpandValueList(spec);
    const auto marked = std::find_if(options.begin(), options.end(),
                                     [](const std::string& o) { return o.find("(*)") != std::string::npos; });
    const long defaultIndex = marked == options.end() ? 0 : marked - options.begin();
    EXPECT_TRUE(defaultIndex >= 2 && defaultIndex <= 64) << section << " item " << index << ": lock " << defaultIndex;
  }
}

TEST(SampleLangIni, EverySectionLoadsAndAllItemModesAreUsed) {
  std::set<int> modes;
  const std::vector<std::string> sections = DeviceSections();
  ASSERT_FALSE(sections.empty());
  for (const std::string& section : sections) {
    SCOPED_TRACE(section);
    EXPECT_TRUE(IsBooleanText(LangIni().ReadString(section, "demo", "")));
    params::DescriptionKey device;
    params::LoadedDescription loaded;
    params::LoadDeviceDescription(LangIni(), section, device, loaded);
    const params::VERSION& v = loaded.version;
    EXPECT_GE(v.tab, 1);
    EXPECT_GE(v.item, 1);
    EXPECT_EQ(LangIni().ReadInteger(section, "item", -1), v.item);  // not clamped
    if (v.site.enabled) CheckOptionLists(section, -1, v.site.cvalue, v.site.evalue);

    std::set<int> listed;
    for (int t = 0; t < v.tab; ++t) {
      const std::string written = LangIni().ReadString(section, "tab" + std::to_string(t + 1) + "_group", "");
      if (!written.empty()) {
        EXPECT_EQ(v.tabs[t].group, written) << "page " << t + 1 << " has entries to skip";
      }
      for (const params::PageEntry& entry : params::PageEntries(v.tabs[t].group, v.item))
        if (!entry.opensGroupBox) listed.insert(entry.index);
    }
    for (int i = 0; i < v.item; ++i) {
      const params::ITEM& item = v.items[i];
      modes.insert(item.mode);
      EXPECT_TRUE(listed.contains(i)) << "item " << i << " is on no page";
      const bool trackWithBounds = (item.mode == 5 || item.mode == 6) && item.max != "0";
      if (item.mode != 7 && item.mode != 10 && !trackWithBounds) {
        CheckOptionLists(section, i, item.cvalue, item.evalue);
      }
      CheckLinkRules(section, v, i);
      CheckLockDefault(section, v, i);
    }
  }
  std::string used;
  for (const int mode : modes) used += (used.empty() ? "" : " ") + std::to_string(mode);
  RecordProperty("ItemModes", used);
  std::cout << "ItemMode values used: " << used << "\n";
  for (int mode = 0; mode <= 13; ++mode) EXPECT_TRUE(modes.contains(mode)) << "mode " << mode;
  EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [](int m) { return m < 0 || m > 13; }))
      << "no mode outside 0 to 13";
}

TEST(SampleLangIni, DevicesFindTheirSectionsEveryWay) {
  struct Case {
    params::DescriptionKey device;
    const char* section;
  };
  const Case cases[] = {
      {{"CAR_ESC", "QV4-1BSD", "V3.1"}, "CAR_ESC QV4-1BSD V3.1"},                // exact
      {{"CAR_ESC", "QV4-1BSD", "V3.15"}, "CAR_ESC QV4-1BSD V3.1"},               // firmware prefix
      {{"CAR_ESC", "VALTORINE_456_A", "V1.0"}, "CAR_ESC VALTORINE_456_A V1"},
      {{"CAR_ESC", "VALTORINE_456_A", "V1.1A"}, "CAR_ESC VALTORINE_456_A V1"},
      {{"CAR_ESC", "QV4-ASD-2", "2.01"}, "CAR_ESC QV4-ASD"},                     // hardware prefix
      {{"AIRPLANE_V2", "A2.3", "2.0"}, "AIRPLANE_V2 A2"},                        // hardware prefix
      {{"AIRPLANE", "A1", "1.0"}, "AIRPLANE"},                                   // controller
      {{"AIRPLANE_ESC", "HW1", "FW1.0"}, "AIRPLANE_ESC"},
      {{"Corvanel_V4", "CV4", "1.2"}, "Corvanel_V4"},
      {{"BOAT_ESC", "B1", "1.0"}, "BOAT_ESC"},
      {{"CAR_ESC", "QV4-KZ", "1.0"}, ""},  // no description: defaults, no pages
  };
  for (const Case& c : cases) {
    const auto sections = params::ResolveDescriptionSections(LangIni(), "", c.device);
    EXPECT_EQ(sections.Chosen(), c.section) << c.device.controller << " " << c.device.hardware;
  }
}

}  // namespace
