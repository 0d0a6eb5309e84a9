#pragma once
// version_control.ini: the upgrade batches of each device, read from the
// folder of the active settings database. Section: controller, one blank,
// hardware. Keys: batch, versionnum<n>, version<n>_<i>, verBeta<n>_<i>,
// release notes <lang><V>_readme, interim versions down<n> and up<n>.
//
// The file may come with a database update over plain HTTP, so its counts
// are read once and capped: batches beyond kMaxBatches and versions beyond
// kMaxVersions of a batch are not read.
#include <string>
#include <vector>

#include "app/IniStore.h"

namespace device {

class VersionControl {
 public:
  static constexpr int kMaxBatches = 64;
  static constexpr int kMaxVersions = 256;

  /// One listed version of a batch.
  struct Entry {
    std::string version;
    bool beta = false;
  };

  /// The ini file beside the database at `databasePath`, whatever the name
  /// of the database file.
  static std::string PathFor(const std::string& databasePath);

  /// Reads the ini beside `databasePath`: a missing file reads as empty; one
  /// that exists but cannot be read (a folder, say) raises rtl::EFOpenError.
  VersionControl(const std::string& databasePath, const std::string& controller, const std::string& hardware);

  /// The batch key as the file gives it (0 when missing), before the cap.
  int BatchKey() const { return batchKey_; }
  /// The versions of batch `batch` (1-based) in key order; empty for a batch
  /// outside the file or the cap.
  const std::vector<Entry>& VersionsOf(int batch) const;
  /// The smallest batch whose list holds `version` exactly; 0 when none does.
  int BatchOf(const std::string& version) const;
  /// Any other key of the device's section ("down2", "engV1.2_readme"), empty when missing.
  std::string Text(const std::string& key) const;

 private:
  void ReadBatches();

  app::IniStore ini_;
  std::string section_;
  int batchKey_ = 0;
  std::vector<std::vector<Entry>> batches_;  ///< batch n at n - 1
};

}  // namespace device
