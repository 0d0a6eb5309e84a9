// The program started from its program folder when that folder or the
// system holds something unexpected: a size limit on files, temporary files
// a crash left behind, a lang.ini that cannot be read, a device description
// whose numbers are none. The program runs once per process: the build makes
// one test program for each run (ESCTOOL_FILES_RUN), which runs one test.
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/MainFormDevice.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"

namespace app {
namespace {

namespace fs = std::filesystem;

bool ShownInABox(const testing::ProgramRun& run, const std::string& part) {
  for (const auto& message : run.dialogs.Messages)
    if (rtl::Utf16ToUtf8(message.Text).find(part) != std::string::npos) return true;
  return false;
}

std::vector<std::string> TemporariesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".lang.ini.")) names.push_back(entry.path().filename());
  return names;
}

// A write-back past a file-size limit is an error the user is told of, not
// the end of the process; temporaries of writers long gone are cleared at
// start, those of a running writer are not.
TEST(ProgramFiles, ASizeLimitIsAWriteErrorAndLeftTemporariesGo) {
  if (ESCTOOL_FILES_RUN != 0) GTEST_SKIP() << "another run's test";
  unsetenv("ESCTOOL_SIMULATED_HID");
  testing::ProgramRun run;
  const fs::path stale = run.folder / ".lang.ini.999999999-0.tmp";  // above any process id
  const std::string live = ".lang.ini." + std::to_string(getpid()) + "-999.tmp";
  rtl::WriteFileBytes(stale.string(), "left by a crash");
  rtl::WriteFileBytes((run.folder / live).string(), "being written");
  const std::string lang = testing::ReadLang(run.folder);
  run.dialogs.AnswerBox(gui::IDOK);  // the failed write-back's box
  rlimit unlimited{};
  getrlimit(RLIMIT_FSIZE, &unlimited);
  bool staleAtStart = true;
  run.Then("the window shows", [](TfrmInterface& form) { return form.ControlsScene->DrawCount() > 0; })
      .Then("files are limited to 4 KiB and the window closes in English", [&](TfrmInterface& form) {
        staleAtStart = fs::exists(stale);
        const rlimit limit{4096, unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        form.English1->SetChecked(true);  // lang.ini is written back
        form.Close();
        return true;
      });
  const int status = run.Run(std::chrono::seconds(20));
  setrlimit(RLIMIT_FSIZE, &unlimited);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_FALSE(staleAtStart);
  EXPECT_TRUE(ShownInABox(run, "File too large"));
  EXPECT_EQ(testing::ReadLang(run.folder), lang);
  EXPECT_EQ(TemporariesOf(run.folder), std::vector<std::string>{live});
}

// A start that fails tells the user, then ends with a failure status.
TEST(ProgramFiles, AFailedStartEndsWithAFailureStatus) {
  if (ESCTOOL_FILES_RUN != 1) GTEST_SKIP() << "another run's test";
  unsetenv("ESCTOOL_SIMULATED_HID");
  testing::ProgramRun run;
  fs::remove(run.folder / "lang.ini");
  fs::create_directory(run.folder / "lang.ini");
  run.dialogs.AnswerBox(gui::IDOK);
  EXPECT_NE(run.Run(std::chrono::seconds(20)), 0);
  EXPECT_TRUE(ShownInABox(run, "Not a regular file"));
}

// The identified controller's description holds a track range that is no
// number: its pages are not built, a translated box names the parameter,
// the progress box goes and neither settings button can be used.
TEST(ProgramFiles, AnUnreadableDescriptionBuildsNoPagesAndAllowsNoWrite) {
  if (ESCTOOL_FILES_RUN != 2) GTEST_SKIP() << "another run's test";
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  testing::ProgramRun run;
  std::string lang = testing::ReadLang(run.folder);
  for (const char* key : {"item5_cvalue=", "item5_evalue="}) {
    const std::size_t at = lang.find(std::string(key) + "10-50/10");
    ASSERT_NE(at, std::string::npos);
    lang.replace(at, std::string(key).size() + 8, std::string(key) + "fast|slow");
  }
  rtl::WriteFileBytes((run.folder / "lang.ini").string(), lang);
  std::string shown, expected;
  bool progressWithBox = true, progressAfter = true, writable = true, defaults = true;
  run.Then("the description's box shows",
           [&](TfrmInterface& form) {
             TfrmInfo* box = form.Info().Form();
             if (!box || !box->IsModal()) return false;
             shown = rtl::Utf16ToUtf8(box->Label1->Text());
             expected = form.LangText("description_parameter_error", "?") + " " +
                        (form.IsChinese() ? "油门力度" : "Punch");
             progressWithBox = form.Progress().Exists();
             box->btnOkClick(nullptr);
             return true;
           })
      .Then("identification ends, then the window closes", [&](TfrmInterface& form) {
        const device::DeviceState& link = form.Device().State();
        if (link.Busy || link.Identifying) return false;
        progressAfter = form.Progress().Exists();
        writable = form.Node<vg::TvgVisualObject>("btnUpdate")->Enabled();
        defaults = form.Node<vg::TvgVisualObject>("btnDefault")->Enabled();
        form.Close();
        return true;
      });
  EXPECT_EQ(run.Run(std::chrono::seconds(40)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  EXPECT_EQ(run.timedOut, "");
  EXPECT_EQ(shown, expected);
  EXPECT_FALSE(expected.starts_with("?")) << "the text is in lang.ini";
  EXPECT_FALSE(progressWithBox);
  EXPECT_FALSE(progressAfter);
  EXPECT_FALSE(writable);
  EXPECT_FALSE(defaults);
}

}  // namespace
}  // namespace app
