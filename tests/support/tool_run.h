#pragma once
// Runs an external tool (a PDF reader, an image tool) as a child process
// through the shell and collects what it printed.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace test_support {

struct ToolRun {
  int exitCode = -1;   // -1 when the tool could not be run or did not exit
  std::string output;  // standard output and standard error
};

inline ToolRun RunTool(const std::string& command) {
  ToolRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, read);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline bool HaveTool(const char* tool) { return RunTool(std::string("command -v ") + tool).exitCode == 0; }

/// `text` in single quotes for the shell (a quote inside is closed, escaped
/// and reopened).
inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace test_support
