#include "platform/gui/ProcessLauncher.h"

#include <glib.h>

#include <cstdlib>
#include <filesystem>

namespace gui {

bool TProcessLauncher::Launch(const std::string& executable) {
  gchar* argv[] = {const_cast<gchar*>(executable.c_str()), nullptr};
  GError* error = nullptr;
  const bool started = g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &error);
  if (error) g_error_free(error);
  return started;
}

std::string ExecutablePath() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string ProgramFolder() {
  if (const char* overridden = std::getenv("ESCTOOL_PROGRAM_DIR"); overridden && *overridden) {
    std::string folder = overridden;
    if (folder.back() != '/') folder += '/';
    return folder;
  }
  const std::string exe = ExecutablePath();
  return exe.empty() ? std::string("./") : std::filesystem::path(exe).parent_path().string() + "/";
}

}  // namespace gui
