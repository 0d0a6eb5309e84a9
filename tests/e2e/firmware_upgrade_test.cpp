// Firmware upgrade as a user does it: a classic controller on the simulated
// adapter is identified, the firmware page is opened from the page list, a
// version is chosen from its list and the upgrade button clicked, its
// release notes confirmed; the boxes are answered with their buttons. The program runs once per process, so
// each case is its own test program (FIRMWARE_CASE 0 or 1):
// 0. the package of the program folder's sample database goes up and the
//    controller reports the new version once it is identified again, its
//    settings pages shown as before;
// 1. the same package with one enciphered byte flipped is refused before any
//    firmware frame is sent, and the controller keeps its version.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "tests/support/window_shot.h"

namespace {

using app::TfrmInterface;

constexpr const char* kAdapter = "/sim/hidraw0";

bool IdentifiedWith(TfrmInterface& form, const std::string& firmware) {
  return e2e::Settled(form) && e2e::Shows(form, "eController") == "CAR_ESC" && e2e::Shows(form, "eFirmware") == firmware &&
         e2e::Reachable(form, "ListBoxItem8");
}

// The saved language of an earlier session: English, so the texts checked
// are those of lang.ini's English column.
void ChooseEnglishBeforehand(const std::filesystem::path& folder) {
  std::string text = app::testing::ReadLang(folder);
  const std::size_t at = text.find("lang=1");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 6, "lang=0");
  std::ofstream out(folder / "lang.ini", std::ios::binary);
  out << text;
  ASSERT_TRUE(out.good());
}

// The progress box with a bar that has moved, saved once.
app::testing::ProgramRun::Step ProgressSeen(std::string shot, bool* saved) {
  return [shot = std::move(shot), saved](TfrmInterface& form) {
    e2e::TSceneForm* box = e2e::ShownWindow(form, "TfrmProgress");
    rtl::TComponent* bar = box ? box->FindComponent("ProgressBar1") : nullptr;
    if (!bar || std::stof(rtl::GetPropText(bar, "Value")) <= 0) return false;
    *saved = test_support::SaveWindowShot(box->Handle(), shot).has_value();
    return true;
  };
}

struct Seen {
  std::vector<std::string> offered, fieldNames;
  std::string box, statusLine, releaseNotes;
  bool progressShot = false;
  int firmwareFrames = -1;
};

// Identification, the firmware page, the version chosen and the upgrade
// clicked; then the progress (when the upload runs) and the box answered.
void UpgradeSteps(app::testing::ProgramRun& run, Seen& seen, bool uploads) {
  run.Then("identified", [](TfrmInterface& form) { return IdentifiedWith(form, "V1.0"); })
      .Then("firmware page opened", [](TfrmInterface& form) { return e2e::Click(form, "ListBoxItem8"); })
      .Then("firmware page shown",
            [&seen](TfrmInterface& form) {
              if (!e2e::Reachable(form, "btnUpgrade")) return false;
              for (const char* field : {"eController", "eHardware", "eFirmware", "cbFirmware"})
                seen.fieldNames.push_back(e2e::LabelBeside(form, field));
              return true;
            })
      .Then("shot", e2e::ShotStep("e2e_firmware_page"))
      .Then("version chosen", e2e::ChooseEntryStep("cbFirmware", "V1.1", &seen.offered))
      .Then("upgrade clicked", [&run](TfrmInterface& form) {
        // The version's release notes are confirmed with Yes.
        run.dialogs.ForgetBoxAnswers().AnswerBox(gui::IDYES);
        return e2e::Click(form, "btnUpgrade");
      });
  if (uploads) run.Then("progress seen", ProgressSeen("e2e_firmware_progress", &seen.progressShot));
  run.Then("box shown", [](TfrmInterface& form) { return e2e::Front() != &form; })
      .Then("shot", e2e::ShotStep(uploads ? "e2e_firmware_success" : "e2e_firmware_refused"))
      .Then("box answered", e2e::AnswerBoxStep(&seen.box))
      .Then("frames counted", [&seen](TfrmInterface& form) {
        seen.firmwareFrames = e2e::FirmwareFramesSent(kAdapter);
        seen.statusLine = e2e::Shows(form, "eMessage");
        return true;
      });
  run.Then("release notes noted", [&run, &seen](TfrmInterface&) {
    for (const auto& box : run.dialogs.Messages)
      if (box.Flags & gui::MB_YESNO) seen.releaseNotes = rtl::Utf16ToUtf8(box.Text);
    return true;
  });
}

// The firmware page opened again from the page list, to see the version.
void ReopenFirmwarePage(app::testing::ProgramRun& run, std::string shot) {
  run.Then("firmware page opened again", [](TfrmInterface& form) { return e2e::Click(form, "ListBoxItem8"); })
      .Then("firmware field shown", [](TfrmInterface& form) { return e2e::Reachable(form, "eFirmware") != nullptr; })
      .Then("shot", e2e::ShotStep(std::move(shot)));
}

void Exit(app::testing::ProgramRun& run) {
  run.Then("exit", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "Exit1"); });
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

#if FIRMWARE_CASE == 0

TEST(FirmwareUpgrade, TheChosenVersionGoesUpAndIsReportedAfterwards) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  app::testing::ProgramRun run;
  ASSERT_NO_FATAL_FAILURE(ChooseEnglishBeforehand(run.folder));
  Seen seen;
  UpgradeSteps(run, seen, true);
  // The new firmware keeps the settings: its pages come back with them.
  // Identified again, the controller's first settings page is shown, as
  // after any identification, and the page list marks it.
  bool pagesAfter = false, listMarksPage = false;
  int pageIdentified = -1;
  run.Then("identified again with the new version",
           [&](TfrmInterface& form) {
             if (!IdentifiedWith(form, "V1.1")) return false;
             pageIdentified = form.VisiblePage();
             listMarksPage = e2e::ListMarksShownPage(form);
             return true;
           })
      .Then("settings page opened", [](TfrmInterface& form) { return e2e::Click(form, "ListBoxItem2"); })
      .Then("settings page shown",
            [&](TfrmInterface& form) {
              pagesAfter = e2e::Reachable(form, "cbItem0") && e2e::Reachable(form, "btnUpdate");
              return pagesAfter;
            })
      .Then("pages shot", e2e::ShotStep("e2e_firmware_upgraded_pages"));
  ReopenFirmwarePage(run, "e2e_firmware_upgraded");
  Exit(run);
  EXPECT_EQ(run.Run(std::chrono::seconds(80)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_EQ(seen.fieldNames,
            (std::vector<std::string>{"Controller", "Hardware Version", "Firmware Version", "Firmware Upgrade"}));
  EXPECT_EQ(seen.offered, (std::vector<std::string>{"V1.1", "V1.0"}));
  EXPECT_TRUE(seen.progressShot);
  EXPECT_EQ(seen.box, "Upgrade succeeded.");
  EXPECT_EQ(FirstLine(seen.statusLine), "Upgrade succeeded.");
  EXPECT_GT(seen.firmwareFrames, 1000) << "both parts went to the controller";
  EXPECT_EQ(seen.releaseNotes, "V1.1: smoother brake; the settings stay as they are.");
  EXPECT_TRUE(pagesAfter);
  EXPECT_EQ(pageIdentified, 2);
  EXPECT_TRUE(listMarksPage);
}

#else

TEST(FirmwareUpgrade, APackageWithAFlippedByteIsRefusedBeforeAnyFirmwareIsSent) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  app::testing::ProgramRun run;
  ASSERT_NO_FATAL_FAILURE(ChooseEnglishBeforehand(run.folder));
  ASSERT_NO_FATAL_FAILURE(e2e::FlipPackageByte(run.folder / "CARFAMILY1_settings.db3", "V1.1A"));
  Seen seen;
  UpgradeSteps(run, seen, false);
  // Disconnect and connect again: the controller is identified anew.
  bool reidentifying = false;
  run.Then("disconnected", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Click(form, "btnConnect"); })
      .Then("connect offered", [](TfrmInterface& form) { return e2e::Shows(form, "btnConnect") == "Connect"; })
      .Then("connected", [](TfrmInterface& form) { return e2e::Click(form, "btnConnect"); })
      .Then("identification seen",
            [&](TfrmInterface& form) {
              return reidentifying = !form.Enabled() || e2e::ShownWindow(form, "TfrmProgress") != nullptr;
            })
      .Then("identified again", [](TfrmInterface& form) { return IdentifiedWith(form, "V1.0"); });
  ReopenFirmwarePage(run, "e2e_firmware_unchanged");
  Exit(run);
  EXPECT_EQ(run.Run(std::chrono::seconds(80)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_EQ(seen.box, "Upgrade failed, please try again!(Hash1 Error.)");
  EXPECT_EQ(FirstLine(seen.statusLine), seen.box);
  EXPECT_EQ(seen.releaseNotes, "V1.1: smoother brake; the settings stay as they are.");
  EXPECT_EQ(seen.firmwareFrames, 0) << "nothing of the firmware reached the controller";
  EXPECT_TRUE(reidentifying);
}

#endif

}  // namespace
