#include "platform/gui/ProcessLauncher.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace gui {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
  unsetenv("ESCTOOL_PROGRAM_DIR");
  EXPECT_EQ(fs::path(ExecutablePath()).filename(), "gui_core_tests");
  EXPECT_EQ(ProgramFolder(), fs::path(ExecutablePath()).parent_path().string() + "/");
  setenv("ESCTOOL_PROGRAM_DIR", "/tmp/somewhere", 1);
  EXPECT_EQ(ProgramFolder(), "/tmp/somewhere/");
  unsetenv("ESCTOOL_PROGRAM_DIR");
}

TEST(ProcessLauncher, StartsAnExecutableWithoutWaiting) {
  const fs::path folder = fs::path(::testing::TempDir()) / "launcher";
  fs::create_directories(folder);
  const fs::path script = folder / "touch.sh", mark = folder / "started";
  fs::remove(mark);
  {
    std::FILE* file = std::fopen(script.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "#!/bin/sh\ntouch '%s'\n", mark.c_str());
    std::fclose(file);
  }
  fs::permissions(script, fs::perms::owner_all);
  TProcessLauncher launcher;
  EXPECT_TRUE(launcher.Launch(script.string()));
  EXPECT_FALSE(launcher.Launch((folder / "missing").string()));
  for (int i = 0; i < 200 && !fs::exists(mark); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(fs::exists(mark));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace gui
