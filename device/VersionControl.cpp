#include "device/VersionControl.h"

#include <algorithm>
#include <filesystem>

#include "platform/rtl/Exceptions.h"

namespace device {
namespace {

// The store of `path`; only a regular file (or none) is read.
std::string ReadablePath(const std::string& path) {
  std::error_code error;
  auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    throw rtl::EFOpenError(rtl::Format("Cannot open file \"%s\". Not a regular file", path.c_str()));
  return path;
}

}  // namespace

std::string VersionControl::PathFor(const std::string& databasePath) {
  return (std::filesystem::path(databasePath).parent_path() / "version_control.ini").string();
}

VersionControl::VersionControl(const std::string& databasePath, const std::string& controller,
                               const std::string& hardware)
    : ini_(ReadablePath(PathFor(databasePath))), section_(controller + " " + hardware) {
  ReadBatches();
}

void VersionControl::ReadBatches() {
  batchKey_ = ini_.ReadInteger(section_, "batch", 0);
  batches_.resize(static_cast<std::size_t>(std::clamp(batchKey_, 0, kMaxBatches)));
  for (std::size_t n = 1; n <= batches_.size(); ++n) {
    std::string batch = std::to_string(n);
    int count = std::clamp(ini_.ReadInteger(section_, "versionnum" + batch, 0), 0, kMaxVersions);
    for (int i = 1; i <= count; ++i) {
      std::string suffix = batch + "_" + std::to_string(i);
      Entry entry{Text("version" + suffix), false};
      if (!entry.version.empty()) entry.beta = ini_.ReadBool(section_, "verBeta" + suffix, false);
      batches_[n - 1].push_back(std::move(entry));
    }
  }
}

const std::vector<VersionControl::Entry>& VersionControl::VersionsOf(int batch) const {
  static const std::vector<Entry> none;
  if (batch < 1 || static_cast<std::size_t>(batch) > batches_.size()) return none;
  return batches_[static_cast<std::size_t>(batch - 1)];
}

int VersionControl::BatchOf(const std::string& version) const {
  for (std::size_t n = 0; n < batches_.size(); ++n)
    for (const Entry& entry : batches_[n])
      if (entry.version == version) return static_cast<int>(n + 1);
  return 0;
}

std::string VersionControl::Text(const std::string& key) const { return ini_.ReadString(section_, key, ""); }

}  // namespace device
