// Runs the whole program in the test's process, on a copy of the built
// program folder, while a scripted user acts from the message loop: each
// step is polled every 50 ms until it reports that it is done, then the
// next one runs. Display tests only (the program opens its window).
#pragma once

#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

#include <unistd.h>

#include "app/MainForm.h"
#include "app/ProgramEntry.h"
#include "app/Restart.h"
#include "platform/rtl/Streams.h"
#include "tests/support/gui_fakes.h"

namespace app::testing {

class RecordingLauncher final : public gui::IProcessLauncher {
 public:
  bool Launch(const std::string& executable) override {
    launched.push_back(executable);
    if (onLaunch) onLaunch();
    return true;
  }
  std::vector<std::string> launched;
  std::function<void()> onLaunch;
};

/// The program folder's lang.ini as it is on disk now.
inline std::string ReadLang(const std::filesystem::path& folder) {
  const rtl::TBytes bytes = rtl::ReadFileBytes((folder / "lang.ini").string());
  return std::string(bytes.begin(), bytes.end());
}

class ProgramRun {
 public:
  using Step = std::function<bool(TfrmInterface& form)>;  ///< true when done

  ProgramRun() {
    namespace fs = std::filesystem;
    // One folder per process: several test programs run the program at once.
    folder = fs::path(::testing::TempDir()) / ("program_run_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    const char* binary = std::getenv("ESCTOOL_BINARY_DIR");
    fs::copy(fs::path(binary ? binary : ".") / "esctool", folder, fs::copy_options::recursive);
    fs::remove(folder / "esctool");
    setenv("ESCTOOL_PROGRAM_DIR", folder.c_str(), 1);
    // Where no hot-plug monitor can be had (a container without netlink),
    // the registration error box is answered instead of waiting for a user.
    dialogs.AnswerBox(gui::IDOK);
  }
  ~ProgramRun() {
    unsetenv("ESCTOOL_PROGRAM_DIR");
    std::filesystem::remove_all(folder);
  }

  /// Adds a step; `what` names it when it times out.
  ProgramRun& Then(std::string what, Step step) {
    steps_.push_back({std::move(what), std::move(step)});
    return *this;
  }

  /// Runs the program until its main window closes; the steps must all be
  /// done within `limit` (the window is closed otherwise).
  int Run(std::chrono::seconds limit) {
    deadline_ = std::chrono::steady_clock::now() + limit;
    const guint source = g_timeout_add(50, &ProgramRun::Poll, this);
    const int status = RunProgram(launcher);
    if (!finished_) g_source_remove(source);
    return status;
  }

  std::filesystem::path folder;
  RecordingLauncher launcher;
  test_support::TScriptedDialogs dialogs;
  std::string timedOut;  ///< the step that did not finish in time

 private:
  static gboolean Poll(gpointer data) {
    auto& run = *static_cast<ProgramRun*>(data);
    TfrmInterface* form = frmInterface;
    if (!form) return G_SOURCE_CONTINUE;
    if (std::chrono::steady_clock::now() > run.deadline_) {
      run.timedOut = run.steps_.empty() ? "" : run.steps_.front().first;
      run.finished_ = true;
      form->Close();
      return G_SOURCE_REMOVE;
    }
    while (!run.steps_.empty() && run.steps_.front().second(*form)) run.steps_.pop_front();
    if (!run.steps_.empty()) return G_SOURCE_CONTINUE;
    run.finished_ = true;
    return G_SOURCE_REMOVE;
  }

  std::deque<std::pair<std::string, Step>> steps_;
  std::chrono::steady_clock::time_point deadline_;
  bool finished_ = false;
};

}  // namespace app::testing
