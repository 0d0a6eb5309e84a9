// The link adapter's channel firmware upgrade as its owner does it: in the
// UART mode the channels are scanned, only channel 1 is left checked, a
// version is chosen from the channel firmware list and the channel upgrade
// button clicked, its release notes confirmed. Each case is its own test
// program (CHANNEL_CASE 0 or 1):
// 0. the package of the program folder's sample database goes up, and the
//    channel's controller reports the new version when scanned again;
// 1. the same package with one enciphered byte flipped is refused before any
//    firmware frame is sent, and the controller keeps its version.
// Either way the CAN mode chosen next offers no upgrade: the adapter itself
// has no firmware in the databases.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/MainForm.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"

namespace {

using app::TfrmInterface;
using app::testing::ProgramRun;

constexpr const char* kAdapter = "/sim/hidraw0";

bool Connected(TfrmInterface& form) { return e2e::Settled(form) && e2e::LampOn(form); }

struct Seen {
  std::string before, after, releaseNotes, statusLog, summary;
  bool upgradeOffered = false, jobRan = false, canUpgradeOffered = true;
  int firmwareFrames = -1;
};

// Scans the channels and stops: channel 1's controller is identified anew
// and shows the firmware version `expected`; `firmware` keeps what the page
// showed last.
void Scan(ProgramRun& run, const std::string& what, const std::string& expected, std::string* firmware) {
  auto scanCaption = std::make_shared<std::string>();
  run.Then(what + ": scan started", e2e::ClickUntil("btnScan",
                                                    [scanCaption](TfrmInterface& form) {
                                                      if (scanCaption->empty()) *scanCaption = e2e::Shows(form, "btnScan");
                                                      return e2e::Shows(form, "btnScan") != *scanCaption;
                                                    }))
      .Then(what + ": channel 1 listed", [](TfrmInterface& form) { return e2e::Checked(form, "cbChannel1"); })
      .Then(what + ": scan stopped", [](TfrmInterface& form) { return e2e::Click(form, "btnScan"); })
      .Then(what + ": controller identified", [firmware, scanCaption, expected](TfrmInterface& form) {
        if (!Connected(form) || e2e::Shows(form, "btnScan") != *scanCaption) return false;
        *firmware = e2e::Shows(form, "tbFirmware");
        return e2e::Shows(form, "tbController") == "CAR_ESC" && *firmware == expected;
      });
}

TEST(ChannelUpgrade, TheCheckedChannelGoesUpOrATamperedPackageIsRefused) {
  setenv("ESCTOOL_SIMULATED_HID", "PORTAVEX", 1);
  ProgramRun run;
  e2e::ShowEveryFeature(run.folder);
  const bool tampered = CHANNEL_CASE == 1;
  if (tampered) {
    ASSERT_NO_FATAL_FAILURE(e2e::FlipPackageByte(run.folder / "CARFAMILY1_settings.db3", "V1.1A"));
  }
  Seen seen;
  run.Then("UART mode chosen", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "PORTAVEX2"); })
      .Then("adapter identified", Connected)
      .Then("channel page opened", e2e::ClickUntil("ListBoxItem8", [](TfrmInterface& form) {
              return e2e::Reachable(form, "btnScan") != nullptr;
            }));
  Scan(run, "first scan", "V1.0", &seen.before);
  run.Then("channels 2 and 3 unchecked",
           [](TfrmInterface& form) {
             for (const char* box : {"cbChannel2", "cbChannel3"})
               if (e2e::Checked(form, box)) e2e::Click(form, box);
             return !e2e::Checked(form, "cbChannel2") && !e2e::Checked(form, "cbChannel3");
           })
      .Then("version chosen", e2e::ChooseEntryStep("scbFirmware", "V1.1"))
      .Then("channel upgrade clicked",
            [&](TfrmInterface& form) {
              if (!Connected(form)) return false;
              seen.upgradeOffered = e2e::Reachable(form, "btnUpgrade2") != nullptr;
              run.dialogs.ForgetBoxAnswers().AnswerBox(gui::IDYES);  // the release notes
              return e2e::Click(form, "btnUpgrade2");
            })
      .Then("upgrade running", [&](TfrmInterface& form) { return seen.jobRan = !form.Enabled(); });
  if (tampered) run.Then("the failure summed up in a box", e2e::AnswerBoxStep(&seen.summary));
  run.Then("upgrade ended",
            [&](TfrmInterface& form) {
              if (!e2e::Settled(form)) return false;
              seen.firmwareFrames = e2e::FirmwareFramesSent(kAdapter);
              seen.statusLog = e2e::Shows(form, "vgmMessage");
              for (const auto& box : run.dialogs.Messages)
                if (box.Flags & gui::MB_YESNO) seen.releaseNotes = rtl::Utf16ToUtf8(box.Text);
              return true;
            })
      .Then("upgrade shot", e2e::ShotStep(tampered ? "e2e_channel_upgrade_refused" : "e2e_channel_upgraded"));
  Scan(run, "second scan", tampered ? "V1.0" : "V1.1", &seen.after);
  // The CAN mode: the adapter itself has no firmware to offer (after the
  // upgrade that went through).
  if (!tampered)
    run.Then("CAN mode chosen", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "PORTAVEX3"); })
      // Its lamp may stay dark: the database still chosen lists nothing for it.
      .Then("adapter identified in the CAN mode",
            [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Shows(form, "tbController") == "QV_PORTAVEX"; })
      .Then("CAN mode: channel page opened",
            e2e::ClickUntil("ListBoxItem8",
                            [&](TfrmInterface& form) {
                              if (!e2e::Reachable(form, "btnScan")) return false;
                              seen.canUpgradeOffered = e2e::Reachable(form, "btnUpgrade2") != nullptr;
                              return true;
                            }));
  run.Then("exit", [](TfrmInterface& form) { return e2e::Settled(form) && e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(120)), 0);
  EXPECT_EQ(run.timedOut, "");

  EXPECT_EQ(seen.before, "V1.0");
  EXPECT_TRUE(seen.upgradeOffered);
  EXPECT_TRUE(seen.jobRan);
  EXPECT_EQ(seen.releaseNotes, "V1.1：刹车更平顺，设置不变。");
  if (tampered) {
    EXPECT_EQ(seen.firmwareFrames, 0) << "nothing of the firmware reached the controller";
    EXPECT_NE(seen.statusLog.find("Hash1 Error."), std::string::npos) << seen.statusLog;
    EXPECT_EQ(seen.summary, "没有更新任何通道") << "the failure said in a box";
    EXPECT_EQ(seen.after, "V1.0");
  } else {
    EXPECT_GT(seen.firmwareFrames, 1000) << "both parts went to the controller";
    EXPECT_FALSE(seen.canUpgradeOffered) << "an upgrade offered with nothing to upload";
    EXPECT_EQ(seen.after, "V1.1");
  }
}

}  // namespace
