#pragma once
// Where tests leave files for a person to look at (screenshots, rendered
// images, diffs): $ESCTOOL_BINARY_DIR/artifacts, or ./artifacts when the
// variable is not set.
#include <filesystem>

namespace test_support {

// The artifact folder, created on first use.
std::filesystem::path ArtifactDir();

}  // namespace test_support
