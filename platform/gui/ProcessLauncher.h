#pragma once
// Starting processes: the program's restart of its own executable (no
// arguments, the current environment and directory, not waited for).
// Behind an interface so tests can see a restart without starting anything.
#include <string>

namespace gui {

class IProcessLauncher {
 public:
  virtual ~IProcessLauncher() = default;
  /// Starts `executable` with no arguments and returns at once; false when
  /// it could not be started.
  virtual bool Launch(const std::string& executable) = 0;
};

/// The real launcher over g_spawn_async.
class TProcessLauncher final : public IProcessLauncher {
 public:
  bool Launch(const std::string& executable) override;
};

/// The running executable's path (/proc/self/exe resolved); empty when unknown.
std::string ExecutablePath();
/// The folder of the running executable with a trailing "/", or the value
/// of ESCTOOL_PROGRAM_DIR when set (tests point it at a copy).
std::string ProgramFolder();

}  // namespace gui
