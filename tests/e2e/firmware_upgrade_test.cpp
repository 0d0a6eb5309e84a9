// Firmware upgrade as a user does it: a classic controller on the simulated
// adapter is identified, the firmware page is opened from the page list, a
// version is chosen from its list and the upgrade button clicked; the boxes
// are answered with their buttons. The program runs once per process, so
// each case is its own test program (FIRMWARE_CASE 0 or 1):
// 0. the package of the program folder's sample database goes up and the
//    controller reports the new version once it is identified again;
// 1. the same package with one enciphered byte flipped is refused before any
//    firmware frame is sent, and the controller keeps its version.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "device/SqliteDb.h"
#include "platform/hid/HidBackendChoice.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "tests/support/window_shot.h"

namespace {

using app::TfrmInterface;

constexpr const char* kAdapter = "/sim/hidraw0";
constexpr std::uint8_t kPartACommand = 12, kPartBCommand = 4, kFrameStart = 0xA5;

bool IdentifiedWith(TfrmInterface& form, const std::string& firmware) {
  return e2e::Settled(form) && e2e::Shows(form, "eController") == "CAR_ESC" && e2e::Shows(form, "eFirmware") == firmware &&
         e2e::Reachable(form, "ListBoxItem8");
}

// Frames of the firmware upload (either part, command or data) that reached
// the simulated controller: what the physical world saw.
int FirmwareFramesSent() {
  hid::SimulatedHid* adapter = hid::SimulatedAdapterOfThisRun();
  if (!adapter) return -1;
  return static_cast<int>(std::count_if(adapter->Written(kAdapter).begin(), adapter->Written(kAdapter).end(),
                                        [](const hid::Bytes& report) {
                                          return report.size() > 2 && report[1] == kFrameStart &&
                                                 (report[2] == kPartACommand || report[2] == kPartBCommand);
                                        }));
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
  std::string box, statusLine;
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
      .Then("upgrade clicked", [](TfrmInterface& form) { return e2e::Click(form, "btnUpgrade"); });
  if (uploads) run.Then("progress seen", ProgressSeen("e2e_firmware_progress", &seen.progressShot));
  run.Then("box shown", [](TfrmInterface& form) { return e2e::Front() != &form; })
      .Then("shot", e2e::ShotStep(uploads ? "e2e_firmware_success" : "e2e_firmware_refused"))
      .Then("box answered", e2e::AnswerBoxStep(&seen.box))
      .Then("frames counted", [&seen](TfrmInterface& form) {
        seen.firmwareFrames = FirmwareFramesSent();
        seen.statusLine = e2e::Shows(form, "eMessage");
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
  // The program folder's descriptions know the settings of V1.0 only: the
  // program says so once for the new firmware.
  std::string unknownSettings;
  run.Then("new firmware's box answered", e2e::AnswerBoxStep(&unknownSettings))
      .Then("identified again with the new version", [](TfrmInterface& form) { return IdentifiedWith(form, "V1.1"); });
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
  EXPECT_EQ(unknownSettings, "The ESC's settings do not match this program; please update the program.");
}

#else

constexpr const char* kDatabase = "CARFAMILY1_settings.db3";

// Flips one byte of the enciphered package of `version`. The cipher keeps
// byte positions, so the flip lands in part A's hex text.
void FlipPackageByte(const std::filesystem::path& database, const std::string& version) {
  device::SqliteDb db;
  ASSERT_TRUE(db.Create(database.string()));  // read-write: the program only reads
  device::SqliteStatement read;
  ASSERT_TRUE(read.Prepare(db, "select bootloader from software where version=?") && read.BindText(1, version));
  ASSERT_EQ(read.Step(), device::kSqliteRow);
  hid::Bytes blob = read.ColumnBlob(0);
  ASSERT_GT(blob.size(), 200u);
  blob[200] ^= 0x01;
  device::SqliteStatement write;
  ASSERT_TRUE(write.Prepare(db, "update software set bootloader=? where version=?") && write.BindBlob(1, blob) &&
              write.BindText(2, version));
  ASSERT_EQ(write.Step(), device::kSqliteDone);
}

TEST(FirmwareUpgrade, APackageWithAFlippedByteIsRefusedBeforeAnyFirmwareIsSent) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  app::testing::ProgramRun run;
  ASSERT_NO_FATAL_FAILURE(ChooseEnglishBeforehand(run.folder));
  ASSERT_NO_FATAL_FAILURE(FlipPackageByte(run.folder / kDatabase, "V1.1A"));
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
  EXPECT_EQ(seen.firmwareFrames, 0) << "nothing of the firmware reached the controller";
  EXPECT_TRUE(reidentifying);
}

#endif

}  // namespace
