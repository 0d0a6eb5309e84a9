#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "device/FirmwareCrypto.h"
#include "device/FirmwarePackage.h"
#include "device/SettingsCatalogue.h"
#include "device/SqliteDb.h"
#include "device/VersionControl.h"
#include "platform/hid/SimFirmware.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/DeviceLinkFakes.h"
#include "tests/support/FirmwareFakes.h"
#include "tools/mkfwdb/SettingsDatabaseMaker.h"

namespace device {
namespace {

using fakes::FakeFirmwareShell;
using fakes::FakeFirmwareView;

struct LabelTexts : fakes::FakeTexts {
  std::string LangText(const std::string& key, const std::string&) override { return "<" + key + ">"; }
};

const fwdb::Bytes kPackage = fwdb::MakePackage({1}, {2}, "any");

struct Catalogue : ::testing::Test {
  fakes::TempFolder folder;
  fakes::FakePump pump;
  LabelTexts texts;
  fakes::FakeView view;
  FakeFirmwareView firmware;
  FakeFirmwareShell shell;
  DeviceState state;
  SettingsCatalogue catalogue{state, CatalogueServices{pump, texts, view, firmware, shell}};

  void SetUp() override {
    shell.programFolder = folder.path.string();
    state.SettingsValid = true;
    {
      fwdb::SettingsDatabaseMaker other(folder.File("A_OTHERS01_settings.db3"));
      other.SetDatabaseVersion("V9");
      other.AddController("QV4-1BSD", other.AddSplash("BOAT_ESC"));
    }
    fwdb::SettingsDatabaseMaker cars(folder.File("B_CARS_SETTINGS.DB3"));
    cars.SetDatabaseVersion("V2.5");
    int splash = cars.AddSplash("CAR_ESC");
    int hardware = cars.AddController("QV4-1BSD", splash);
    int otherHardware = cars.AddController("QV4-2BSD", splash);
    for (const char* version : {"V3.10", "V3.15A", "V3.16A", "V3.20BETA", "V3.30A", "V3.40@", "V3.4@1", "V3.50$"})
      cars.AddSoftware(version, hardware, kPackage);
    cars.AddSoftware("V9.99", otherHardware, kPackage);
    int card = cars.AddController("ZENKARLOOPV1.0", cars.AddSplash("PROGRAMECARD"));
    cars.AddSoftware("C1.0", card, kPackage);
    cars.AddSoftware("L1.0", cars.AddController("L1", cars.AddSplash("QV_PORTAVEX")), kPackage);
    folder.Write("version_control.ini",
                 "[CAR_ESC QV4-1BSD]\nbatch=2\nversionnum1=1\nversion1_1=V3.10\nversionnum2=8\n"
                 "version2_1=V3.15A\nversion2_2=V3.16A\nversion2_3=V3.20BETA\nversion2_4=V3.30A\nverBeta2_4=1\n"
                 "version2_5=V3.40@\nversion2_6=V3.4@1\nversion2_7=V3.50$\nversion2_8=V3.16A\n"
                 "[PROGRAMECARD ZENKARLOOPV1.0]\nbatch=1\nversionnum1=1\nversion1_1=C1.0\n"
                 "[QV_PORTAVEX L1]\nbatch=1\nversionnum1=1\nversion1_1=L1.0\n");
  }

  void Identify(const std::string& controller, const std::string& hardware, const std::string& firmwareText) {
    state.DeviceInfoStrings = {controller, hardware, firmwareText, ""};
    catalogue.SelectSettingsDatabase();
    catalogue.FillFirmwareList();
  }
};

TEST_F(Catalogue, TheFirstDatabaseNamingTheControllerBecomesActive) {
  Identify("CAR_ESC", "QV4-1BSD", "V3.16A");
  EXPECT_EQ(catalogue.ActiveDatabasePath(), folder.File("B_CARS_SETTINGS.DB3"));
  EXPECT_EQ(firmware.versionLabel, "<Version> V2.5");

  state.DeviceInfoStrings[kController] = "UNKNOWN_ESC";
  catalogue.SelectSettingsDatabase();
  EXPECT_EQ(catalogue.ActiveDatabasePath(), folder.File("B_CARS_SETTINGS.DB3")) << "kept when none matches";
  EXPECT_EQ(firmware.versionLabel, "");
}

TEST_F(Catalogue, DatabasesAreOpenedOnlyToBeRead) {
  Identify("CAR_ESC", "QV4-1BSD", "V3.16A");
  SqliteDb db;
  ASSERT_TRUE(db.Open(catalogue.ActiveDatabasePath()));
  EXPECT_FALSE(db.Execute("create table scratch(a)"));
}

TEST_F(Catalogue, DatabaseVersionWithADashShowsTheLocalVersion) {
  {
    fwdb::SettingsDatabaseMaker dated(folder.File("B_CARS_SETTINGS.DB3"));
    dated.SetDatabaseVersion("2016-03-21");
    dated.AddSplash("CAR_ESC");
  }
  state.DeviceInfoStrings[kController] = "CAR_ESC";
  shell.localDatabaseVersion = "2017-04-30";
  catalogue.SelectSettingsDatabase();
  EXPECT_EQ(firmware.versionLabel, "<Version> 04-30-2017");
  shell.chinese = true;
  catalogue.SelectSettingsDatabase();
  EXPECT_EQ(firmware.versionLabel, "<Version> 2017-04-30");
}

TEST_F(Catalogue, ListsTheDeviceBatchWithoutFinalAAndMarksBetas) {
  Identify("CAR_ESC", "QV4-1BSD", "V3.16A");
  // Newest row first; "@" or "$" closing a version hides it; V3.16A is in the
  // batch twice and listed twice; batch 1's V3.10 and other hardware stay out.
  EXPECT_EQ(firmware.single.items, (std::vector<std::string>{"V3.4@1", "V3.30 (Beta)", "V3.20BETA", "V3.16", "V3.16",
                                                             "V3.15"}));
  EXPECT_EQ(catalogue.StrippedVersions(), (std::vector<std::string>{"V3.30", "V3.16", "V3.16", "V3.15"}));
  EXPECT_EQ(firmware.single.firmware, "V3.16");
  EXPECT_EQ(firmware.single.controller, "CAR_ESC");
  EXPECT_EQ(firmware.single.itemIndex, 0);
  EXPECT_TRUE(firmware.single.comboEnabled && firmware.single.upgradeEnabled && firmware.single.fieldsEnabled);
  EXPECT_TRUE(firmware.settingsButtonsEnabled);
  EXPECT_EQ(view.fill[Led::Link], kLedOn);
  EXPECT_EQ(view.fill[Led::Activity], kLedOn);
}

TEST_F(Catalogue, DeviceFieldsFollowTheDeviceKind) {
  struct Case {
    const char* name;
    std::string controller, hardware, firmwareText;
    int linkMode;
    bool card, settingsValid;
    std::string shownController, shownHardware, shownFirmware;
    bool link, activityLed, upgradeEnabled;
  } cases[] = {
      {"own version a beta", "CAR_ESC", "QV4-1BSD", "V3.30A", 0, false, true, "CAR_ESC", "QV4-1BSD",
       "V3.30 (Beta)", false, true, true},
      {"settings unread", "CAR_ESC", "QV4-1BSD", "V3.10", 0, false, false, "CAR_ESC", "QV4-1BSD", "V3.10", false,
       false, true},
      {"program card", "PROGRAMECARD", "ZENKARLOOPV1.0", "C1.0", 0, true, true, "LCD Program Card", "QV310 V1.0",
       "C1.0", false, true, true},
      {"link mode 3", "CAR_ESC", "QV4-1BSD", "V3.16A", 3, false, true, "CAR_ESC", "QV4-1BSD", "V3.16", true, true,
       true},
      {"link adapter itself", "QV_PORTAVEX", "L1", "L1.0", 2, false, true, "QV_PORTAVEX", "L1", "L1.0", true, true,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    firmware = FakeFirmwareView{};
    view.linkMode = c.linkMode;
    view.programCard = c.card;
    state.SettingsValid = c.settingsValid;
    Identify(c.controller, c.hardware, c.firmwareText);
    fakes::FakeFirmwareWidgets& widgets = firmware.Set(c.link);
    EXPECT_EQ(widgets.controller, c.shownController);
    EXPECT_EQ(widgets.hardware, c.shownHardware);
    EXPECT_EQ(widgets.firmware, c.shownFirmware);
    EXPECT_EQ(view.fill[Led::Activity], c.activityLed ? kLedOn : kLedOff);
    EXPECT_EQ(widgets.upgradeEnabled, c.upgradeEnabled);
    EXPECT_FALSE(firmware.Set(!c.link).upgradeEnabled);
  }
}

TEST_F(Catalogue, AnUnusableDatabaseFileIsSkipped) {
  folder.Write("A_JUNK0000_settings.db3", "not a database, sorted before the others");
  Identify("CAR_ESC", "QV4-1BSD", "V3.16A");
  EXPECT_EQ(catalogue.ActiveDatabasePath(), folder.File("B_CARS_SETTINGS.DB3"));
  EXPECT_FALSE(firmware.single.items.empty());
  EXPECT_EQ(view.debug, std::vector<std::string>{"skipped unusable settings database " +
                                                 folder.File("A_JUNK0000_settings.db3")});
}

// The version file may arrive over plain HTTP: counts up to 2^31 - 1 are read
// once and capped, so listing stays quick and the real entries still count.
TEST_F(Catalogue, HugeCountsInTheVersionFileAreCapped) {
  folder.Write("version_control.ini",
               "[CAR_ESC QV4-1BSD]\nbatch=2147483647\nversionnum1=2147483647\nversion1_1=V3.10\n"
               "versionnum2=2147483647\nversion2_1=V3.15A\nversion2_2=V3.16A\n");
  Identify("CAR_ESC", "QV4-1BSD", "V3.16A");
  EXPECT_EQ(firmware.single.items, (std::vector<std::string>{"V3.16", "V3.15"}));
}

TEST(VersionControlFile, ReadsBatchesWithinTheCaps) {
  fakes::TempFolder folder;
  const std::string database = folder.File("CARS000001_settings.db3");
  const int most = VersionControl::kMaxVersions;
  folder.Write("version_control.ini",
               "[C H]\nbatch=99\nversionnum1=300\nversion1_1=V1\nversion1_" + std::to_string(most) +
                   "=V256\nversion1_" + std::to_string(most + 1) + "=V257\nverBeta1_1=1\n"
                   "versionnum" + std::to_string(VersionControl::kMaxBatches) + "=1\nversion" +
                   std::to_string(VersionControl::kMaxBatches) + "_1=VLAST\n"
                   "versionnum65=1\nversion65_1=VBEYOND\n");
  VersionControl versions(database, "C", "H");
  EXPECT_EQ(versions.BatchKey(), 99);
  struct Case {
    const char* version;
    int batch;
  } cases[] = {{"V1", 1}, {"V256", 1}, {"V257", 0}, {"VLAST", VersionControl::kMaxBatches}, {"VBEYOND", 0},
               {"", 1}};  // the unset entries between read as empty
  for (const Case& c : cases) EXPECT_EQ(versions.BatchOf(c.version), c.batch) << c.version;
  ASSERT_EQ(versions.VersionsOf(1).size(), static_cast<std::size_t>(most));
  EXPECT_TRUE(versions.VersionsOf(1)[0].beta);
  EXPECT_TRUE(versions.VersionsOf(0).empty() && versions.VersionsOf(65).empty());

  std::filesystem::remove(folder.path / "version_control.ini");
  std::filesystem::create_directory(folder.path / "version_control.ini");
  EXPECT_THROW(VersionControl(database, "C", "H"), rtl::EFOpenError);
}

// A device no database knows (the link adapter itself, say) is still named
// on its page; nothing is listed and nothing can be upgraded.
TEST_F(Catalogue, WithoutADatabaseTheDeviceIsNamedButNothingListed) {
  SqliteDb db;
  EXPECT_FALSE(db.Open(""));
  state.DeviceInfoStrings = {"BOAT_ESC", "QV80-_YT", "1.0", ""};
  catalogue.FillFirmwareList();  // no database chosen yet
  EXPECT_EQ(firmware.single.controller, "BOAT_ESC");
  EXPECT_EQ(firmware.single.hardware, "QV80-_YT");
  EXPECT_EQ(firmware.single.firmware, "1.0");
  EXPECT_EQ(firmware.single.itemIndex, -1);
  EXPECT_TRUE(firmware.single.items.empty());
  EXPECT_FALSE(firmware.single.upgradeEnabled);

  Identify("BOAT_ESC", "QV4-1BSD", "1.0");  // the first database has no versions for it
  EXPECT_EQ(catalogue.ActiveDatabasePath(), folder.File("A_OTHERS01_settings.db3"));
  EXPECT_TRUE(firmware.single.items.empty());
  EXPECT_EQ(view.fill[Led::Link], kLedOff);
  EXPECT_FALSE(firmware.single.upgradeEnabled);
}

// The program folder's sample databases: every version of the recipe is
// listed for its device, and its package decrypts and decodes to an image
// naming that version for the simulated loader.
TEST(SampleDatabases, ListAndDecryptOutOfTheBox) {
  const char* sourceDir = std::getenv("ESCTOOL_SOURCE_DIR");
  ASSERT_NE(sourceDir, nullptr) << "ESCTOOL_SOURCE_DIR names the source tree (ctest sets it)";
  const std::filesystem::path source = sourceDir;
  fakes::TempFolder folder;
  fwdb::MakeDatabasesFromRecipe((source / "data/sample_databases.txt").string(), folder.path.string());
  std::filesystem::copy_file(source / "data/version_control.ini", folder.path / "version_control.ini");
  fakes::FakePump pump;
  LabelTexts texts;
  fakes::FakeView view;
  FakeFirmwareView firmware;
  FakeFirmwareShell shell;
  shell.programFolder = folder.path.string();
  DeviceState state;
  SettingsCatalogue catalogue(state, {pump, texts, view, firmware, shell});
  state.DeviceInfoStrings = {"AIRPLANE_ESC", "HW1", "FW1.1A", ""};
  catalogue.SelectSettingsDatabase();
  catalogue.FillFirmwareList();
  EXPECT_EQ(firmware.single.items, (std::vector<std::string>{"FW1.2", "FW1.1"}));
  EXPECT_EQ(firmware.versionLabel, "<Version> V1.3");

  SqliteDb db;
  ASSERT_TRUE(db.Open(catalogue.ActiveDatabasePath()));
  SqliteStatement rows;
  ASSERT_TRUE(rows.Prepare(db, "select version, bootloader from software"));
  int packages = 0;
  while (rows.Step() == kSqliteRow) {
    std::string version = rows.ColumnText(0);
    Bytes blob = rows.ColumnBlob(1), plain(blob.size());
    DecryptPackage(std::to_string(blob.size()) + version, blob.data(), blob.size(), plain.data());
    FirmwareImage image;
    EXPECT_EQ(UnpackFirmware(plain, nullptr, image), "") << version;
    EXPECT_EQ(hid::SimFirmwareVersion(image.partA), version);
    ++packages;
  }
  EXPECT_EQ(packages, 7);
}

}  // namespace
}  // namespace device
