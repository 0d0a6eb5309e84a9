#include "device/VersionControl.h"

#include <filesystem>

namespace device {

std::string VersionControl::PathFor(const std::string& databasePath) {
  return (std::filesystem::path(databasePath).parent_path() / "version_control.ini").string();
}

VersionControl::VersionControl(const std::string& databasePath, const std::string& controller,
                               const std::string& hardware)
    : ini_(PathFor(databasePath)), section_(controller + " " + hardware) {}

int VersionControl::Batches() const { return ini_.ReadInteger(section_, "batch", 0); }

int VersionControl::VersionCount(int batch) const {
  return ini_.ReadInteger(section_, "versionnum" + std::to_string(batch), 0);
}

std::string VersionControl::Version(int batch, int index) const {
  return Text("version" + std::to_string(batch) + "_" + std::to_string(index));
}

bool VersionControl::IsBeta(int batch, int index) const {
  return ini_.ReadBool(section_, "verBeta" + std::to_string(batch) + "_" + std::to_string(index), false);
}

int VersionControl::BatchOf(const std::string& version) const {
  for (int batch = 1; batch <= Batches(); ++batch)
    for (int index = 1; index <= VersionCount(batch); ++index)
      if (Version(batch, index) == version) return batch;
  return 0;
}

std::string VersionControl::Text(const std::string& key) const { return ini_.ReadString(section_, key, ""); }

}  // namespace device
