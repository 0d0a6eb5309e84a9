// Checks every simulated device against its description in the lang.ini that
// comes with the program, with the rules by which the settings mapping fills
// the option lists from a device's value, maximum and default bytes: no list
// may raise the parameter error, every value must be selectable, and what is
// selected must be written back as the same byte. The sample settings
// databases list the simulated models and describe what they offer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/MemIniFile.h"
#include "device/DeviceInfoBlock.h"
#include "params/DeviceDescription.h"
#include "params/PagePlan.h"
#include "params/TextFunctions.h"
#include "platform/hid/SimModels.h"
#include "platform/rtl/Streams.h"

namespace {

std::string SourceFile(const std::string& path) {
  const char* source = std::getenv("ESCTOOL_SOURCE_DIR");
  return std::string(source ? source : ".") + "/" + path;
}

const rtl::TMemIniFile& LangIni() {
  static const rtl::TMemIniFile store(SourceFile("data/lang.ini"));
  return store;
}

enum class Family { FixedAirplane, FixedAirplaneV2, Car, Series, General };

bool At(const std::string& text, std::size_t position, const std::string& part) {
  return text.size() >= position - 1 + part.size() && text.compare(position - 1, part.size(), part) == 0;
}

Family FamilyOf(const std::string& c, const std::string& h) {
  if (c == "AIRPLANE" || c == "AIRPLANE_PID") return Family::FixedAirplane;
  if (c == "AIRPLANE_V2" || c == "AIRPLANE_PID_V2") return Family::FixedAirplaneV2;
  bool sd = At(h, 1, "QV4") && (At(h, 6, "SD") || At(h, 7, "SD") || At(h, 6, "BSD") || At(h, 7, "BSD"));
  if (c == "CAR_ESC" && (At(h, 1, "VALTORINE_456") || sd)) return Family::Car;
  for (const char* series : {"Corvanel_HV_V4.1", "Corvanel_HV_V4", "Corvanel_V4", "Corvanel_V4_FL", "TESSIM_V5"})
    if (c == series) return Family::Series;
  return Family::General;
}

// The program's fixed default and maximum of the aircraft families' lists.
struct FixedRow {
  int defaultIndex, maximum;
};
const std::vector<FixedRow> kFixedAirplane = {{0, 2}, {0, 2}, {0, 2}, {2, 3}, {0, 2}, {1, 3}, {0, 2}};
const std::vector<FixedRow> kFixedAirplaneV2 = {{1, 3}, {0, 2}, {0, 3}, {0, 3}, {0, 2}, {1, 3}, {1, 3}, {1, 2}};

// One option list as the mapping leaves it.
struct Filled {
  std::string fault;  // empty when the list fits
  int selected = 0;
  std::vector<std::string> entries;
};

// Trims to max + 1 entries and drops the description's own default mark.
std::vector<std::string> Trimmed(std::vector<std::string> entries, int maximum) {
  if (static_cast<int>(entries.size()) > maximum + 1) entries.resize(static_cast<std::size_t>(maximum + 1));
  auto marked = std::find_if(entries.begin(), entries.end(),
                             [](const std::string& e) { return e.find("(*)") != std::string::npos; });
  if (marked != entries.end()) marked->erase(marked->find("(*)"));
  return entries;
}

Filled FillList(const std::vector<std::string>& options, int defaultIndex, int value, int maximum, bool enabled) {
  if (defaultIndex > maximum) return {"default above maximum", 0, {}};
  Filled f{"", 0, Trimmed(options, maximum)};
  const int count = static_cast<int>(f.entries.size());
  if (enabled && (count < maximum || count < value))
    f.fault = "list of " + std::to_string(count) + " for maximum " + std::to_string(maximum) + ", value " +
              std::to_string(value);
  else if (defaultIndex < 0 || defaultIndex >= count || f.entries[static_cast<std::size_t>(defaultIndex)].empty())
    f.fault = "no default entry " + std::to_string(defaultIndex);
  f.selected = value < count ? value : defaultIndex < count ? defaultIndex : count - 1;
  if (f.selected < 0) f.fault = "negative index " + std::to_string(f.selected);
  return f;
}

int PercentOf(const std::string& entry) { return std::atoi(entry.substr(0, entry.find('%')).c_str()); }

int FirstContaining(const std::vector<std::string>& entries, int percent) {
  const std::string text = std::to_string(percent) + "%";
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].find(text) != std::string::npos) return static_cast<int>(i);
  return -1;
}

Filled FillPercentList(const std::vector<std::string>& options, int defaultPercent, int value, int maximum,
                       bool enabled) {
  if (defaultPercent > maximum) return {"default above maximum", 0, {}};
  Filled f{"", 0, Trimmed(options, maximum)};
  const int limit = PercentOf(f.entries.back());
  if (enabled && (limit < maximum || value > limit)) {
    f.fault = "percent list up to " + std::to_string(limit) + " for maximum " + std::to_string(maximum);
  } else if (FirstContaining(f.entries, defaultPercent) < 0) {
    f.fault = "no default entry " + std::to_string(defaultPercent) + "%";
  } else if (FirstContaining(f.entries, value) < 0) {
    f.fault = "no entry " + std::to_string(value) + "%";
  }
  f.selected = std::max(FirstContaining(f.entries, value), 0);
  return f;
}

// The track bar's range as the page builder sets it.
std::pair<int, int> TrackRange(const params::ITEM& item) {
  if (item.max != "0") return {std::atoi(item.min.c_str()), std::atoi(item.max.c_str())};
  const auto options = params::ExpandValueList(item.evalue);
  return {std::atoi(options.front().c_str()), std::atoi(options.back().c_str())};
}

int Word(const hid::Bytes& image, int offset) {
  return image[static_cast<std::size_t>(offset)] << 8 | image[static_cast<std::size_t>(offset) + 1];
}

class ImageCheck {
 public:
  ImageCheck(const params::VERSION& v, Family family, const hid::SimModel& model, const hid::Bytes& image)
      : v_(v), family_(family), l_(model.layout), image_(image) {}

  std::vector<std::string> Faults() {
    if (family_ == Family::FixedAirplane || family_ == Family::FixedAirplaneV2) {
      CheckFixed(family_ == Family::FixedAirplane ? kFixedAirplane : kFixedAirplaneV2);
      return faults_;
    }
    const int modes = Byte(l_.countOffset) + 1, parameters = Byte(l_.countOffset + 1);
    if (v_.site.enabled && static_cast<int>(params::ExpandValueList(v_.site.evalue).size()) != modes)
      Fault(-1, "the mode selector lists another number of modes than " + std::to_string(modes));
    if (parameters > v_.max)
      Fault(-1, "reports " + std::to_string(parameters) + " parameters, accepts " + std::to_string(v_.max));
    for (int i = 0; i < v_.item; ++i) CheckItem(i, i < parameters);
    return faults_;
  }

 private:
  int Byte(int offset) const { return image_[static_cast<std::size_t>(offset)]; }
  void Fault(int item, const std::string& text) {
    faults_.push_back((item >= 0 ? "item " + std::to_string(item) + ": " : "") + text);
  }

  // Both languages' lists, filled and written back as the selected index plus `offset`.
  void CheckList(int i, int defaultIndex, int maximum, int offset, bool enabled) {
    const params::ITEM& item = v_.items[static_cast<std::size_t>(i)];
    const int value = Byte(l_.valueOffset + i);
    for (const std::string& spec : {item.cvalue, item.evalue}) {
      Filled f = FillList(params::ExpandValueList(spec), defaultIndex, value - offset, maximum, enabled);
      if (!f.fault.empty()) return Fault(i, f.fault);
      if (f.selected + offset != value) return Fault(i, "writes back " + std::to_string(f.selected + offset));
    }
  }

  void CheckPercentList(int i, bool enabled) {
    const params::ITEM& item = v_.items[static_cast<std::size_t>(i)];
    const int value = Byte(l_.valueOffset + i);
    for (const std::string& spec : {item.cvalue, item.evalue}) {
      Filled f = FillPercentList(params::ExpandValueList(spec), Byte(l_.defaultOffset + i), value,
                                 Byte(l_.maximumOffset + i), enabled);
      if (!f.fault.empty()) return Fault(i, f.fault);
      int written = PercentOf(f.entries[static_cast<std::size_t>(f.selected)]);
      if (written != value) return Fault(i, "writes back " + std::to_string(written));
    }
  }

  void CheckTrack(int i) {
    auto [low, high] = TrackRange(v_.items[static_cast<std::size_t>(i)]);
    const int value = Byte(l_.valueOffset + i);
    if (value < low || value > high) Fault(i, "track value " + std::to_string(value) + " outside its range");
  }

  void CheckCustom(int i, int mode) {
    const params::ITEM& item = v_.items[static_cast<std::size_t>(i)];
    const int low = Word(image_, l_.maximumOffset + 16 + 2 * i), high = Word(image_, l_.maximumOffset + 48 + 2 * i);
    const int value = Word(image_, l_.valueOffset + 16 + 2 * i);
    if (low != std::atoi(item.mincustom.c_str()) || high != std::atoi(item.maxcustom.c_str()))
      Fault(i, "custom range differs from the description");
    if (value < low || value > high) Fault(i, "custom value outside its range");
    if (mode != 1 && mode != 2) Fault(i, "custom value on a mode " + std::to_string(mode) + " item");
  }

  void CheckItem(int i, bool enabled) {
    const params::ITEM& item = v_.items[static_cast<std::size_t>(i)];
    const int mode = item.mode, min = std::atoi(item.min.c_str());
    const int maximum = Byte(l_.maximumOffset + i), defaultByte = Byte(l_.defaultOffset + i);
    if (mode == 7 || mode == 10) return;
    if (mode == 13) return CheckPercentList(i, enabled);
    if (family_ == Family::General) {
      CheckList(i, defaultByte, maximum, 0, enabled);
      if (mode == 1 || mode == 2) CheckCustom(i, mode);
      return;
    }
    if (mode == 5 || mode == 6) return CheckTrack(i);
    const bool offsetItem = mode == 0 || mode == 1 || mode == 2 || mode == 11 || mode > 13;
    const int offset = offsetItem ? min : 0;
    const bool offsetDefault = family_ == Family::Car && mode != 1 && mode != 2;
    CheckList(i, offsetDefault ? defaultByte - offset : defaultByte, maximum, offset, enabled);
  }

  void CheckFixed(const std::vector<FixedRow>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
      CheckList(static_cast<int>(i), rows[i].defaultIndex, rows[i].maximum, 0, true);
  }

  const params::VERSION& v_;
  Family family_;
  const hid::SimImageLayout& l_;
  const hid::Bytes& image_;
  std::vector<std::string> faults_;
};

TEST(SimulatedModels, FitTheirDescriptions) {
  for (const hid::SimModel& model : hid::SimModels()) {
    SCOPED_TRACE(model.name);
    params::DescriptionKey device{model.controller, model.hardware, model.firmware};
    params::LoadedDescription loaded;
    params::LoadDeviceDescription(LangIni(), "", device, loaded);
    const params::VERSION& v = loaded.version;
    ASSERT_GT(v.item, 0) << "no description";
    EXPECT_EQ(static_cast<int>(model.parameters.size()), v.item);

    // The boat model reports more parameters than its description accepts.
    std::vector<std::string> expected;
    if (model.name == "BOAT_ESC") expected = {"reports 4 parameters, accepts 3"};
    const Family family = FamilyOf(model.controller, model.hardware);
    for (int mode = 0; mode < model.modes; ++mode) {
      for (bool factory : {false, true}) {
        const hid::Bytes image = hid::SimSettingsImage(model, mode, factory);
        EXPECT_EQ(ImageCheck(v, family, model, image).Faults(), expected)
            << "mode " << mode << (factory ? " factory" : " stored");
      }
    }
  }
}

// The readouts of a simulated car controller's record page are those a
// real one reports: temperatures in whole degrees, voltage in tenths.
TEST(SimulatedModels, ReportReadoutsARealControllerCould) {
  const hid::SimModel& model = *hid::FindSimModel("CAR_ESC");
  params::DescriptionKey device{model.controller, model.hardware, model.firmware};
  params::LoadedDescription loaded;
  params::LoadDeviceDescription(LangIni(), "", device, loaded);
  const hid::Bytes block = hid::SimInfoBlock(model);
  device::InfoBlock info{};
  std::copy(block.begin(), block.end(), info.begin());
  params::PlanInputs inputs;
  inputs.chinese = false;
  std::string extra;
  device::TakeDeviceData(model.controller, model.hardware, info, inputs.deviceData, extra);
  std::vector<std::string> shown;
  for (const auto& control : params::PlanParameterPages(loaded.version, inputs).controls)
    if (control.text.find("°C") != std::string::npos || control.text.ends_with(" V")) shown.push_back(control.text);
  EXPECT_EQ(shown, (std::vector<std::string>{"45 °C / 113.00 °F", "38 °C / 100.40 °F", "12.60 V"}));
}

TEST(SimulatedModels, EveryDescribedModelIsSimulated) {
  for (const std::string& section : LangIni().ReadSections()) {
    if (section == "common") continue;
    const std::string controller = section.substr(0, section.find(' '));
    bool simulated = std::any_of(hid::SimModels().begin(), hid::SimModels().end(), [&](const hid::SimModel& m) {
      params::DescriptionKey device{m.controller, m.hardware, m.firmware};
      return params::ResolveDescriptionSections(LangIni(), "", device).Chosen() == section;
    });
    EXPECT_TRUE(simulated) << section;
  }
}

// A firmware version a sample settings database offers, with the device
// it is offered for.
struct OfferedVersion {
  std::string controller, hardware, version;
};

std::vector<OfferedVersion> SampleDatabaseVersions() {
  const rtl::TBytes bytes = rtl::ReadFileBytes(SourceFile("data/sample_databases.txt"));
  std::istringstream recipe(std::string(bytes.begin(), bytes.end()));
  std::vector<OfferedVersion> offered;
  std::string controller, hardware;
  for (std::string line; std::getline(recipe, line);) {
    std::istringstream words(line);
    std::string verb, name;
    words >> verb >> name;
    if (verb == "splash") controller = name;
    if (verb == "controller") hardware = name;
    if (verb == "software") offered.push_back({controller, hardware, name});
  }
  return offered;
}

// A device that reports a version the sample databases offer finds its
// settings described, before an upgrade and after it; the upgrade planner
// finds the version's release notes in both languages.
TEST(SampleDatabases, EveryVersionOfferedIsDescribedAndHasReleaseNotes) {
  const rtl::TMemIniFile versions(SourceFile("data/version_control.ini"));
  const std::vector<OfferedVersion> offered = SampleDatabaseVersions();
  ASSERT_GE(offered.size(), 10u);
  for (const OfferedVersion& v : offered) {
    const params::DescriptionKey device{v.controller, v.hardware, v.version};
    EXPECT_NE(params::ResolveDescriptionSections(LangIni(), "", device).Chosen(), "")
        << v.controller << " " << v.hardware << " " << v.version;
    const std::string section = v.controller + " " + v.hardware;
    for (const char* language : {"chs", "eng"})
      EXPECT_NE(versions.ReadString(section, language + v.version + "_readme", ""), "")
          << section << " " << language << v.version;
  }
}

// Settings a device's database does not list can never be written: every
// simulated model whose settings are read at identification is listed with
// the firmware it reports. (The fixed-layout aircraft models are not read
// then; the boat model's settings do not fit its description.)
TEST(SampleDatabases, ListEveryModelWhoseSettingsAreRead) {
  const std::vector<OfferedVersion> offered = SampleDatabaseVersions();
  for (const hid::SimModel& model : hid::SimModels()) {
    if (model.name == "AIRPLANE" || model.name == "AIRPLANE_V2" || model.name == "BOAT_ESC") continue;
    EXPECT_TRUE(std::any_of(offered.begin(), offered.end(), [&](const OfferedVersion& v) {
      return v.controller == model.controller && v.hardware == model.hardware && v.version == model.firmware;
    })) << model.name;
  }
}

}  // namespace
