#pragma once
// version_control.ini: the upgrade batches of each device, read from the
// folder of the active settings database. Section: controller, one blank,
// hardware. Keys: batch, versionnum<n>, version<n>_<i>, verBeta<n>_<i>,
// release notes <lang><V>_readme, interim versions down<n> and up<n>.
#include <string>

#include "app/IniStore.h"

namespace device {

class VersionControl {
 public:
  /// The ini file beside the database at `databasePath`, whatever the name
  /// of the database file.
  static std::string PathFor(const std::string& databasePath);

  /// Reads the ini beside `databasePath` (a missing file reads as empty).
  VersionControl(const std::string& databasePath, const std::string& controller, const std::string& hardware);

  /// Number of batches (key batch, 0 when missing).
  int Batches() const;
  int VersionCount(int batch) const;
  std::string Version(int batch, int index) const;
  bool IsBeta(int batch, int index) const;
  /// The smallest batch whose list holds `version` exactly; 0 when none does.
  int BatchOf(const std::string& version) const;
  /// Any other key of the device's section ("down2", "engV1.2_readme"), empty when missing.
  std::string Text(const std::string& key) const;

 private:
  app::IniStore ini_;
  std::string section_;
};

}  // namespace device
