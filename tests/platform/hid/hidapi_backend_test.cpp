// The real hidraw back end's account of a device it cannot open.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/hid/HidapiBackend.h"

namespace {

TEST(HidapiBackend, OpenFailureNamesThePathAndTheSystemReason) {
  namespace fs = std::filesystem;
  const fs::path missing = fs::temp_directory_path() / "esctool_no_such_hidraw";
  const fs::path folder = fs::temp_directory_path();
  hid::HidapiBackend api;
  const struct {
    std::string path, reason;
  } cases[] = {
      {missing.string(), "cannot open " + missing.string() + ": No such file or directory"},
      {folder.string(), "cannot open " + folder.string() + ": Is a directory"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(api.OpenPath(c.path), nullptr);
    EXPECT_EQ(api.LastOpenFailure().text, c.reason);
    EXPECT_FALSE(api.LastOpenFailure().Denied());
  }
}

}  // namespace
