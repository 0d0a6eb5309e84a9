#pragma once
// The settings databases beside the program ("*_settings.db3", one per
// product family): which one serves the connected controller, its version
// label, and the firmware versions offered to the device, filtered by the
// upgrade batches of version_control.ini.
#include <string>
#include <vector>

#include "device/DeviceState.h"
#include "device/FirmwareServices.h"
#include "device/LinkServices.h"

namespace device {

class SqliteStatement;

/// The queries sent to a settings database, as the databases expect them.
namespace sql {
inline constexpr const char* kFindDatabase = "select * from splash where title=?";
inline constexpr const char* kDatabaseVersion = "select a.name, 'ok' as value from dbversion a";
inline constexpr const char* kFirmwareList =
    "select a.key, a.version from software a left join controller b on a.controller_key=b.key left join splash c "
    "on b.splash_key=c.key where b.name=? and c.title=? order by a.key desc";
inline constexpr const char* kFirmwarePackage =
    "select a.version, a.bootloader from software a left join controller b on a.controller_key=b.key left join "
    "splash c on b.splash_key=c.key where b.name=? and c.title=?  and a.version=? order by a.key desc";
}  // namespace sql

struct CatalogueServices {
  IMessagePump& pump;
  ITexts& texts;
  IDeviceView& view;
  IFirmwareView& firmware;
  IFirmwareShell& shell;
};

/// "V1.2A" -> "V1.2": a final "A" goes unless the text holds "BETA".
std::string WithoutFinalA(const std::string& version);
/// Whether a version text holds "Beta" or "BETA".
bool MentionsBeta(const std::string& version);

class SettingsCatalogue {
 public:
  SettingsCatalogue(DeviceState& state, const CatalogueServices& services);

  /// Makes the first database (by file name) whose splash table names the
  /// connected controller the active one, and shows its version in lVersion.
  /// A file that cannot be opened or queried is skipped with a debug line.
  /// Does nothing while the controller is unknown; never throws.
  void SelectSettingsDatabase();
  /// Lists the firmware versions of the active database for the device's
  /// batch, fills the device fields, sets the LEDs and buttons; never throws.
  void FillFirmwareList();

  /// UTF-8 path of the active database; empty until one is found.
  const std::string& ActiveDatabasePath() const { return activeDatabasePath_; }
  /// Listed versions whose final "A" was removed for display (as listed).
  const std::vector<std::string>& StrippedVersions() const { return strippedVersions_; }

 private:
  enum class Search { Unusable, NotHere, Found };
  std::vector<std::string> DatabaseFiles();
  Search AskDatabase(const std::string& path, std::string& versionName);
  std::string VersionLabel(const std::string& name);
  bool ListFirmware(SqliteStatement& query, bool link, std::string& display);
  void AddListedVersion(bool link, const std::string& version, bool beta);
  void ShowDeviceFields(bool link);
  void ShowFirmwareField(bool link, const std::string& display);
  void ShowPageAndFields(int linkMode);
  void SetLedsAndButtons(bool link, bool listed);

  DeviceState& state_;
  CatalogueServices services_;
  std::string activeDatabasePath_;
  std::vector<std::string> strippedVersions_;
};

}  // namespace device
