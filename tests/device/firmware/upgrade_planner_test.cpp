#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "device/SettingsCatalogue.h"
#include "device/UpgradePlanner.h"
#include "tests/support/DeviceLinkFakes.h"
#include "tests/support/FirmwareFakes.h"
#include "tools/mkfwdb/SettingsDatabaseMaker.h"

namespace device {
namespace {

struct FakeUploader : IFirmwareUploader {
  std::vector<std::pair<std::string, std::string>> calls;  ///< version, title
  std::string message;
  bool raise = false;
  bool busyDuringUpload = false;
  DeviceState* state = nullptr;
  std::string UpgradeFirmware(const std::string& version, const std::string& title) override {
    calls.emplace_back(version, title);
    busyDuringUpload = state->Busy;
    if (raise) throw std::runtime_error("wrong cipher");
    return message;
  }
};

const char* kBaseIni =
    "[CAR_ESC QV4-1BSD]\nbatch=3\nversionnum1=1\nversion1_1=V1.0\n"
    "versionnum2=3\nversion2_1=V2.0A\nversion2_2=V2.1\nversion2_3=V2.5A\nverBeta2_3=1\n"
    "versionnum3=1\nversion3_1=V3.0\n";

struct Planner : ::testing::Test {
  fakes::TempFolder folder;
  fakes::FakePump pump;
  fakes::FakeTexts texts;
  fakes::FakeMessages messages;
  fakes::FakeView view;
  fakes::FakeFirmwareView firmware;
  fakes::FakeFirmwareShell shell;
  FakeUploader uploader;
  DeviceState state;
  UpgradeProgress progress;
  SettingsCatalogue catalogue{state, CatalogueServices{pump, texts, view, firmware, shell}};
  UpgradePlanner planner{state, catalogue, progress,
                         PlannerServices{pump, texts, messages, view, firmware, shell, uploader}};

  void SetUp() override {
    shell.programFolder = folder.path.string();
    uploader.state = &state;
    fwdb::SettingsDatabaseMaker db(folder.File("CARS000001_settings.db3"));
    db.SetDatabaseVersion("V1");
    int hardware = db.AddController("QV4-1BSD", db.AddSplash("CAR_ESC"));
    for (const char* version : {"V1.0", "V2.0A", "V2.1", "V2.5A", "V3.0"})
      db.AddSoftware(version, hardware, fwdb::MakePackage({1}, {2}, version));
  }

  // Identifies the device with firmware V2.0A (batch 2), lists its batch and
  // selects `choice` in the combo.
  void Prepare(const std::string& iniExtra, const std::string& choice) {
    folder.Write("version_control.ini", kBaseIni + iniExtra);
    state = DeviceState{};
    state.DeviceInfoStrings = {"CAR_ESC", "QV4-1BSD", "V2.0A", ""};
    state.Connected = true;
    catalogue.SelectSettingsDatabase();
    catalogue.FillFirmwareList();
    firmware.single.items.push_back(choice);
    firmware.SetFirmwareItemIndex(false, static_cast<int>(firmware.single.items.size()) - 1);
  }
};

TEST_F(Planner, ChoosesThePath) {
  const std::string cannot = "The current version (V2.0) can not be updated to the version (";
  struct Case {
    const char* name;
    std::string iniExtra, choice;
    std::deque<bool> answers;
    std::string uploaded;  ///< empty: nothing uploaded
    std::string message;   ///< the refusal shown, if any
    int questions;
  } cases[] = {
      {"same batch", "", "V2.1", {}, "V2.1", "", 0},
      {"stripped A restored", "", "V2.0", {}, "V2.0A", "", 0},
      {"beta listed without its A", "", "V2.5 (Beta)", {}, "V2.5A", "", 0},
      {"interim down accepted", "down2=V1.5\n", "V1.0", {true}, "V1.5", "", 1},
      {"interim up accepted", "up2=V2.9\n", "V3.0", {true}, "V2.9", "", 1},
      {"interim declined", "up2=V2.9\n", "V3.0", {false}, "", "", 1},
      {"no interim version", "up3=V2.9\n", "V3.0", {}, "", cannot + "V3.0)!", 0},
      {"version in no batch", "", "V7.7", {}, "", cannot + "V7.7)!", 0},
      {"release notes declined", "engV2.1_readme=Read me first\n", "V2.1", {false}, "", "", 1},
      {"release notes accepted", "engV2.1_readme=Read me first\n", "V2.1", {true}, "V2.1", "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uploader.calls.clear();
    messages.shown.clear();
    shell.questions.clear();
    Prepare(c.iniExtra, c.choice);
    shell.answers = c.answers;
    bool upgraded = planner.UpgradeToSelectedVersion();
    EXPECT_EQ(upgraded, !c.uploaded.empty());
    if (c.uploaded.empty()) {
      EXPECT_TRUE(uploader.calls.empty());
    } else {
      ASSERT_EQ(uploader.calls.size(), 1u);
      EXPECT_EQ(uploader.calls[0], std::make_pair(c.uploaded, std::string("0")));
      EXPECT_TRUE(uploader.busyDuringUpload);
    }
    if (!c.message.empty()) {
      EXPECT_EQ(messages.shown.at(0), std::make_pair(c.message, 2));
    }
    EXPECT_EQ(static_cast<int>(shell.questions.size()), c.questions);
    EXPECT_FALSE(state.Busy);
    EXPECT_EQ(state.PendingUpgradeStep, 0);
  }
}

TEST_F(Planner, InterimQuestionAndNotesAreAskedAsWritten) {
  Prepare("up2=V2.9\nengV3.0_readme=Notes of 3.0\n", "V3.0");
  shell.answers = {true, false};
  planner.UpgradeToSelectedVersion();
  EXPECT_EQ(shell.questions,
            (std::vector<std::string>{"Infomation: Notes of 3.0",
                                      "Infomation: The current version (V2.0) can not be  updated to the version "
                                      "(V3.0) directly, do you want to update it to the interim version?"}));
}

TEST_F(Planner, ReportsTheOutcome) {
  struct Case {
    const char* name;
    std::string message;
    bool raise;
    bool connectedAfter;
    std::string shown, key;
  } cases[] = {
      {"success", "", false, false, "upgrade_succ", "upgrade_succ"},
      {"failure", "Hash1 Error.", false, true, "upgrade_fail(Hash1 Error.)", "upgrade_fail"},
      {"exception", "", true, true, "upgrade_fail(fail)", "upgrade_fail"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare("", "V2.1");
    messages.shown.clear();
    uploader.message = c.message;
    uploader.raise = c.raise;
    state.SettingsReadAttempts = 2;
    view.programCard = true;
    firmware.formStyleResets = 0;
    planner.btnUpgradeClick();
    EXPECT_EQ(messages.shown.back(), std::make_pair(c.shown, 2));
    EXPECT_EQ(progress.ResultMessageKey, c.key);
    EXPECT_EQ(state.Connected, c.connectedAfter);
    EXPECT_FALSE(state.Busy);
    EXPECT_EQ(state.PendingUpgradeStep, 0);
    EXPECT_EQ(state.SettingsReadAttempts, 0);
    EXPECT_EQ(firmware.formStyleResets, 2);
    EXPECT_TRUE(view.mainWindowEnabled);
    EXPECT_EQ(view.debug.back(), c.key == "upgrade_succ" ? "更新固件完成" : "更新固件失败");
  }
}

TEST_F(Planner, AnUnreadableVersionFileIsAFailedUpgrade) {
  Prepare("", "V2.1");
  std::filesystem::remove(folder.path / "version_control.ini");
  std::filesystem::create_directory(folder.path / "version_control.ini");
  view.mainWindowEnabled = true;
  planner.btnUpgradeClick();
  EXPECT_TRUE(uploader.calls.empty());
  EXPECT_EQ(messages.shown.back(), std::make_pair(std::string("upgrade_fail(fail)"), 2));
  EXPECT_EQ(progress.ResultMessageKey, "upgrade_fail");
  EXPECT_FALSE(state.Busy);
  EXPECT_EQ(state.PendingUpgradeStep, 0);
  EXPECT_TRUE(view.mainWindowEnabled);
  EXPECT_EQ(view.debug.back(), "更新固件失败");
}

TEST_F(Planner, RefusesWithoutChangingAnything) {
  struct Case {
    const char* name;
    bool demo, busy, connected, buttonEnabled;
  } cases[] = {
      {"demo mode", true, false, true, true},
      {"another job busy", false, true, true, true},
      {"not connected", false, false, false, true},
      {"button disabled", false, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare("", "V2.1");
    firmware.demo = c.demo;
    state.Busy = c.busy;
    state.Connected = c.connected;
    firmware.single.upgradeEnabled = c.buttonEnabled;
    uploader.calls.clear();
    EXPECT_FALSE(planner.UpgradeToSelectedVersion());
    EXPECT_TRUE(uploader.calls.empty());
    EXPECT_EQ(state.Busy, c.busy);
    EXPECT_EQ(state.PendingUpgradeStep, 0);
  }
}

TEST_F(Planner, ChannelTwinRunsUnderTheCallersBusyFlag) {
  Prepare("", "V2.1");
  view.linkMode = 2;
  firmware.link.items = {"V2.1"};
  firmware.SetFirmwareItemIndex(true, 0);
  firmware.link.upgradeEnabled = true;
  state.Busy = true;
  EXPECT_TRUE(planner.UpgradeChannelToSelectedVersion("CH3"));
  ASSERT_EQ(uploader.calls.size(), 1u);
  EXPECT_EQ(uploader.calls[0], std::make_pair(std::string("V2.1"), std::string("CH3")));
  EXPECT_EQ(messages.shown.back(), std::make_pair(std::string("CH3: upgrade_succ"), 0));
  EXPECT_TRUE(state.Busy && state.Connected) << "left to the caller";

  uploader.message = "Return Error.";
  EXPECT_FALSE(planner.UpgradeChannelToSelectedVersion("CH4"));
  EXPECT_EQ(messages.shown.back(), std::make_pair(std::string("CH4: upgrade_fail(Return Error.)"), 0));
}

}  // namespace
}  // namespace device
