#include "tests/support/artifacts.h"

#include <cstdlib>

namespace test_support {

std::filesystem::path ArtifactDir() {
  const char* binary = std::getenv("ESCTOOL_BINARY_DIR");
  const std::filesystem::path dir = std::filesystem::path(binary ? binary : ".") / "artifacts";
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace test_support
