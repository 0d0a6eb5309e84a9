#pragma once
// Seeds for libFuzzer targets: written into the corpus folder named on the
// command line when that folder is empty, so a short run starts from inputs
// that reach past the first checks.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/rtl/AtomicFile.h"

namespace test_support {

// The first argument that is not an option: the corpus folder.
inline std::filesystem::path CorpusFolder(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] != '-') return argv[i];
  return {};
}

// Writes each seed as seed0, seed1, ... into an existing, empty corpus folder.
inline void WriteSeedsIfEmpty(int argc, char** argv, const std::vector<std::string>& seeds) {
  const std::filesystem::path folder = CorpusFolder(argc, argv);
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error) || !std::filesystem::is_empty(folder, error))
    return;
  int index = 0;
  for (const std::string& seed : seeds)
    rtl::WriteFileBytes((folder / ("seed" + std::to_string(index++))).string(), seed.data(), seed.size());
}

}  // namespace test_support
