#include "device/SettingsCatalogue.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include "device/SqliteDb.h"
#include "device/VersionControl.h"
#include "platform/rtl/TextCompare.h"

namespace device {
namespace {

constexpr std::string_view kDatabaseSuffix = "_settings.db3";

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

bool EndsAtFirst(const std::string& text, char mark) {
  std::size_t at = text.find(mark);
  return at != std::string::npos && at + 1 == text.size();
}

bool SkippedVersion(const std::string& version) {
  return version.empty() || EndsAtFirst(version, '@') || EndsAtFirst(version, '$');
}

bool LinkWidgets(int linkMode) { return linkMode >= 2 && linkMode <= 4; }

}  // namespace

std::string WithoutFinalA(const std::string& version) {
  if (!version.empty() && version.back() == 'A' && !Contains(version, "BETA"))
    return version.substr(0, version.size() - 1);
  return version;
}

bool MentionsBeta(const std::string& version) { return Contains(version, "Beta") || Contains(version, "BETA"); }

SettingsCatalogue::SettingsCatalogue(DeviceState& state, const CatalogueServices& services)
    : state_(state), services_(services) {}

std::vector<std::string> SettingsCatalogue::DatabaseFiles() {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(services_.shell.ProgramFolder(), error)) {
    std::string name = rtl::LowerCase(entry.path().filename().string());
    if (name.ends_with(kDatabaseSuffix) && entry.is_regular_file(error))
      found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return rtl::LowerCase(a.filename().string()) < rtl::LowerCase(b.filename().string());
  });
  std::vector<std::string> paths;
  for (const auto& path : found) paths.push_back(path.string());
  return paths;
}

// Opens `path` and asks its splash table for the controller; on a match the
// database becomes the active one and `versionName` its dbversion name.
SettingsCatalogue::Search SettingsCatalogue::AskDatabase(const std::string& path, std::string& versionName) {
  SqliteDb db;
  SqliteStatement query;
  if (!db.Open(path) || !query.Prepare(db, sql::kFindDatabase)) return Search::Unusable;
  query.BindText(1, state_.DeviceInfoStrings[kController]);
  bool found = query.Step() == kSqliteRow;
  query.Finalize();
  if (!found) return Search::NotHere;
  activeDatabasePath_ = path;
  if (query.Prepare(db, sql::kDatabaseVersion) && query.Step() == kSqliteRow) versionName = query.ColumnText(0);
  return Search::Found;
}

std::string SettingsCatalogue::VersionLabel(const std::string& name) {
  std::string label = services_.texts.LangText("Version", "") + " ";
  if (!Contains(name, "-")) return label + name;
  std::string local = services_.shell.LocalDatabaseVersion();
  if (services_.shell.IsChinese()) return label + local;
  // 2016-03-21 reads 03-21-2016 in English.
  std::size_t dash = local.find('-');
  if (dash == std::string::npos) return label + local;
  return label + local.substr(dash + 1, 5) + "-" + local.substr(0, 4);
}

void SettingsCatalogue::SelectSettingsDatabase() {
  if (state_.DeviceInfoStrings[kController].empty()) return;
  try {
    services_.firmware.SetVersionLabel("");
    for (const std::string& path : DatabaseFiles()) {
      std::string versionName;
      Search result = AskDatabase(path, versionName);
      if (result == Search::Unusable) {
        // A stray or half-written file must not hide the databases after it.
        services_.view.DebugOutput("skipped unusable settings database " + path);
        continue;
      }
      if (result == Search::Found) {
        if (!versionName.empty()) services_.firmware.SetVersionLabel(VersionLabel(versionName));
        return;
      }
    }
  } catch (const std::exception&) {
    // A broken database leaves the previous choice.
  }
}

void SettingsCatalogue::AddListedVersion(bool link, const std::string& version, bool beta) {
  std::string shown = version;
  if (!shown.empty() && shown.back() == 'A' && !MentionsBeta(shown)) {
    shown.pop_back();
    strippedVersions_.push_back(shown);
  }
  services_.firmware.AddFirmwareItem(link, beta ? shown + " (Beta)" : shown);
}

// Lists the versions of the firmware query that belong to the device's
// batch. Returns whether any version was listed; `display` becomes the
// firmware display text when the device's own version is a beta.
bool SettingsCatalogue::ListFirmware(SqliteStatement& query, bool link, std::string& display) {
  const auto& info = state_.DeviceInfoStrings;
  const std::string& firmware = info[kFirmware];
  VersionControl versions(activeDatabasePath_, info[kController], info[kHardware]);
  int deviceBatch = versions.BatchOf(firmware);
  bool listed = false;
  while (query.Step() == kSqliteRow) {
    services_.pump.ProcessMessages();
    std::string version = query.ColumnText(1);
    if (SkippedVersion(version)) continue;
    listed = true;
    if (deviceBatch == 0) continue;
    for (const VersionControl::Entry& entry : versions.VersionsOf(deviceBatch)) {
      if (entry.version == version) AddListedVersion(link, version, entry.beta);
      if (entry.version == firmware && entry.beta) display = WithoutFinalA(firmware) + " (Beta)";
    }
  }
  return listed;
}

void SettingsCatalogue::ShowDeviceFields(bool link) {
  const auto& info = state_.DeviceInfoStrings;
  std::string controller = services_.view.ProgramCardChecked() ? services_.firmware.ProgramCardCaption()
                                                               : info[kController];
  std::string hardware = info[kController] == "PROGRAMECARD" && info[kHardware] == "ZENKARLOOPV1.0"
                             ? "QV310 V1.0"
                             : info[kHardware];
  services_.firmware.SetDeviceFields(link, controller, hardware);
}

void SettingsCatalogue::ShowFirmwareField(bool link, const std::string& display) {
  const auto& info = state_.DeviceInfoStrings;
  const std::string& extra = info[kExtraText];
  if (info[kController] == "QZ_FOC_ESC_V5" && !extra.empty() && !services_.shell.HasInvalidChars(extra))
    services_.firmware.SetFirmwareField(link, extra);
  else
    services_.firmware.SetFirmwareField(link, WithoutFinalA(display));
}

void SettingsCatalogue::ShowPageAndFields(int linkMode) {
  const auto& info = state_.DeviceInfoStrings;
  IFirmwareView& firmware = services_.firmware;
  if (services_.view.ProgramCardChecked()) {
    ShowDeviceFields(false);
    firmware.ShowSidePage(IPageSwitch::kRecorder);
  } else if (LinkWidgets(linkMode)) {
    firmware.SetDeviceFields(true, info[kController], info[kHardware]);
    firmware.ShowSidePage(IPageSwitch::kRecorder);
  } else if (linkMode == 5) {
    firmware.ShowSidePage(IPageSwitch::kLink);
  } else {
    ShowDeviceFields(false);
    if (firmware.MotorCheckerChecked()) {
      firmware.ClickMotorChecker();
      firmware.ShowSidePage(IPageSwitch::kRecorder);
    } else if (linkMode == 1) {
      firmware.ShowSidePage(IPageSwitch::kRecorder);
    }
  }
}

void SettingsCatalogue::SetLedsAndButtons(bool link, bool listed) {
  IFirmwareView& firmware = services_.firmware;
  bool settingsValid = state_.SettingsValid;
  bool editable = listed && settingsValid && firmware.DescriptionTabCount() > 0;
  services_.view.SetLedFill(Led::Link, listed ? kLedOn : kLedOff);
  services_.view.SetLedFill(Led::Activity, listed && settingsValid ? kLedOn : kLedOff);
  firmware.SetFirmwareItemIndex(link, 0);
  firmware.SetDeviceFieldsEnabled(link, listed);
  firmware.SetSettingsButtonsEnabled(editable);
  bool hasItems = firmware.FirmwareItemCount(link) > 0;
  firmware.SetFirmwareComboEnabled(link, hasItems);
  bool linkAdapterItself = link && Contains(state_.DeviceInfoStrings[kController], "PORTAVEX");
  firmware.SetUpgradeButtonEnabled(link, hasItems && !linkAdapterItself);
}

void SettingsCatalogue::FillFirmwareList() {
  const auto& info = state_.DeviceInfoStrings;
  int linkMode = services_.view.CheckedLinkMode();
  bool link = LinkWidgets(linkMode);
  strippedVersions_.clear();
  try {
    services_.pump.ProcessMessages();
    SqliteDb db;
    SqliteStatement query;
    // Without a database to open (a device no database knows, such as the
    // link adapter itself) the device is still named, as with one that
    // cannot be queried.
    if (!db.Open(activeDatabasePath_) || !query.Prepare(db, sql::kFirmwareList)) {
      if (!info[kController].empty() && !info[kHardware].empty() && !info[kFirmware].empty()) {
        ShowDeviceFields(link);
        ShowFirmwareField(link, info[kFirmware]);
      }
      return;
    }
    query.BindText(1, info[kHardware]);
    query.BindText(2, info[kController]);
    services_.firmware.ClearFirmwareCombo(link);
    std::string display = info[kFirmware];
    bool listed = ListFirmware(query, link, display);
    query.Finalize();
    ShowPageAndFields(linkMode);
    ShowFirmwareField(link, display);
    SetLedsAndButtons(link, listed);
  } catch (const std::exception&) {
    // The list stays as far as it got.
  }
}

}  // namespace device
