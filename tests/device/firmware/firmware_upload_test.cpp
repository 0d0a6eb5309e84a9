#include <gtest/gtest.h>

#include "device/FirmwareUpgrade.h"
#include "device/SettingsCatalogue.h"
#include "platform/hid/SimFirmware.h"
#include "tests/support/DeviceLinkFakes.h"
#include "tests/support/FirmwareFakes.h"
#include "tools/mkfwdb/SettingsDatabaseMaker.h"

namespace device {
namespace {

using fwdb::Bytes;

Bytes Masked(Bytes part, const XorMask& mask, bool bound) {
  if (bound) ApplyXorMask(part, mask);
  return part;
}

Bytes Flipped(Bytes blob, std::size_t at, std::uint8_t bits) {
  blob[at] ^= bits;
  return blob;
}

// A device on the simulated adapter, one settings database in the program
// folder, and the upload wired to both.
struct Upload : ::testing::Test {
  fakes::LinkRig rig;
  fakes::TempFolder folder;
  fakes::FakeFirmwareView firmware;
  fakes::FakeFirmwareShell shell;
  fakes::FakeIdentity identity;
  UpgradeProgress progress;
  SettingsCatalogue catalogue{rig.link.State(),
                              CatalogueServices{rig.pump, rig.texts, rig.view, firmware, shell}};
  FirmwareUpgrade upgrade{rig.link, catalogue, progress,
                          UpgradeServices{rig.clock, rig.pump, rig.texts, rig.messages, rig.progress, firmware, shell, identity}};
  std::unique_ptr<fwdb::SettingsDatabaseMaker> db;
  int hardwareKey = 0;

  void SetUp() override {
    shell.programFolder = folder.path.string();
    for (std::size_t i = 0; i < identity.deviceData.size(); ++i)
      identity.deviceData[i] = static_cast<std::uint8_t>(0x30 + 7 * i);
  }

  void Device(const std::string& controller, const std::string& hardware) {
    db = std::make_unique<fwdb::SettingsDatabaseMaker>(folder.File("FAMILY0001_settings.db3"));
    hardwareKey = db->AddController(hardware, db->AddSplash(controller));
    DeviceState& state = rig.link.State();
    state.DeviceInfoStrings = {controller, hardware, "V0.9", ""};
    state.Connected = state.Busy = true;
    catalogue.SelectSettingsDatabase();
  }
  void Offer(const std::string& version, const Bytes& blob) { db->AddSoftware(version, hardwareKey, blob); }
};

TEST_F(Upload, PackagesArriveDecodedInBothProtocols) {
  struct Case {
    const char* name;
    bool classic;
    std::string controller, hardware;
    std::size_t sizeA, sizeB;
    bool bound;
  } cases[] = {
      {"classic", true, "CAR_ESC", "VALTORINE_456_A", 1000, 333, false},
      {"classic, XOR model, 40-byte part", true, "Corvanel_V3", "V3", 40, 4096, true},
      {"register", false, "CAR_ESC", "QV4-ASK-2", 3000, 1096, false},
      {"register, XOR model", false, "CAR_ESC", "QV4-1SD", 2008, 40, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::LinkRig& r = rig;
    Device(c.controller, c.hardware);
    Bytes a = fwdb::SampleFirmware(c.sizeA, "a"), b = fwdb::SampleFirmware(c.sizeB, "b");
    if (!c.bound) hid::NameSimFirmwareVersion(a, "V1.2A");
    Offer("V1.2A", fwdb::MakePackage(a, b, "V1.2A"));
    XorMask mask = MakeXorMask(identity.deviceData);
    ASSERT_EQ(IsXorModel(c.controller, c.hardware), c.bound);
    if (c.classic) {
      auto device = r.Attach(std::make_shared<hid::SimClassicFirmware>(r.clock));
      r.link.State().ProtocolSelector = 1;
      EXPECT_EQ(upgrade.UpgradeFirmware("V1.2A", "0"), "");
      EXPECT_EQ(device->restarts, 1);
      EXPECT_EQ(device->partA, Masked(a, mask, c.bound));
      EXPECT_EQ(device->partB, Masked(b, mask, c.bound));
      EXPECT_TRUE(device->partBComplete);
      if (!c.bound) {
        EXPECT_EQ(hid::SimFirmwareVersion(device->device.infoBlock), "V1.2A") << "the new firmware runs";
      }
    } else {
      auto device = r.Attach(std::make_shared<hid::SimRegisterFirmware>());
      r.link.State().ProtocolSelector = 0;
      EXPECT_EQ(upgrade.UpgradeFirmware("V1.2A", "0"), "");
      Bytes whole = Masked(a, mask, c.bound);
      Bytes maskedB = Masked(b, mask, c.bound);
      whole.insert(whole.end(), maskedB.begin(), maskedB.end());
      EXPECT_EQ(device->image, whole);
      EXPECT_TRUE(device->ended);
    }
    EXPECT_FALSE(r.link.State().Upgrading);
    EXPECT_EQ(rig.progress.maximum, static_cast<int>(c.sizeA + c.sizeB));
    EXPECT_EQ(progress.ResultMessageKey, "upgrade_drive");
    EXPECT_EQ(r.messages.shown.back(), std::make_pair(std::string("upgrade_drive(Version V1.2)..."), 0));
  }
}

TEST_F(Upload, ChannelTitleLeadsTheStatusLine) {
  Device("CAR_ESC", "VALTORINE_456_A");
  Offer("V1.3BETA", fwdb::MakePackage(Bytes(20, 1), Bytes(20, 2), "V1.3BETA"));
  rig.Attach(std::make_shared<hid::SimClassicFirmware>(rig.clock));
  EXPECT_EQ(upgrade.UpgradeFirmware("V1.3BETA", "CH2"), "");
  EXPECT_EQ(rig.messages.shown.back(), std::make_pair(std::string("CH2: upgrade_drive(Version V1.3BETA)..."), 0));
}

// Every check passes before the first firmware byte goes out.
TEST_F(Upload, BrokenPackagesNeverReachTheDevice) {
  Device("CAR_ESC", "VALTORINE_456_A");
  const std::string textA = fwdb::FirmwareHexText(Bytes(100, 0xAB)), textB = fwdb::FirmwareHexText(Bytes(50, 0xCD));
  Bytes good = fwdb::MakePackage(Bytes(100, 0xAB), Bytes(50, 0xCD), "V1");
  struct Case {
    std::string version;
    Bytes blob;
    std::string message;
  } cases[] = {
      {"V1", Flipped(good, 3, 0x01), "File Error."},
      {"V1", Flipped(good, 20, 0x01), "Hash1 Error."},
      {"V1", Flipped(good, good.size() - 1, 0x01), "Hash2 Error."},
      {"V1", fwdb::EncryptPackage(fwdb::PackFirmware(textA, textB + "F"), "V1"), "HtoD Error."},
      {"V1", fwdb::MakePackage(Bytes(100, 0xAB), Bytes(50, 0xCD), "V2"), "File Error."},  // another key
      {"V2", good, "Program not found."},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.message);
    Device("CAR_ESC", "VALTORINE_456_A");
    if (c.version == "V1") Offer(c.version, c.blob);
    auto device = rig.Attach(std::make_shared<hid::SimClassicFirmware>(rig.clock));
    EXPECT_EQ(upgrade.UpgradeFirmware("V1", "0"), c.message);
    EXPECT_TRUE(device->partA.empty() && device->partB.empty());
    EXPECT_EQ(rig.progress.creates, 0);
    EXPECT_FALSE(rig.link.State().Upgrading);
  }
}

TEST_F(Upload, EarlyEndsKeepTheDeviceUntouched) {
  struct Case {
    const char* name;
    std::string message;
    std::function<void(Upload&)> arrange;
  } cases[] = {
      {"link LED off", "USB Error", [](Upload& u) { u.firmware.linkLed = false; }},
      {"hardware unknown", "USB Error", [](Upload& u) { u.rig.link.State().DeviceInfoStrings[kHardware].clear(); }},
      {"information read fails", "ESC Error.", [](Upload& u) { u.identity.readMessage = "Return Fail."; }},
      {"database gone", "Open Database Fail.",
       [](Upload& u) { std::filesystem::remove(u.folder.File("FAMILY0001_settings.db3")); }},
      {"odd register image", "Program Error.", [](Upload& u) {
         u.Offer("V1", fwdb::MakePackage(Bytes(5, 1), Bytes(2, 2), "V1"));
         u.rig.link.State().ProtocolSelector = 0;
       }},
      {"link lost before the upload", "Connect Error.", [](Upload& u) {
         u.Offer("V1", fwdb::MakePackage(Bytes(5, 1), Bytes(3, 2), "V1"));
         u.rig.link.State().Busy = false;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    firmware.linkLed = true;
    identity.readMessage.clear();
    Device("CAR_ESC", "VALTORINE_456_A");
    auto device = rig.Attach(std::make_shared<hid::SimRegisterFirmware>());
    rig.link.State().ProtocolSelector = 1;
    c.arrange(*this);
    db.reset();
    EXPECT_EQ(upgrade.UpgradeFirmware("V1", "0"), c.message);
    EXPECT_FALSE(device->started);
    EXPECT_FALSE(rig.link.State().Upgrading);
    EXPECT_FALSE(rig.progress.exists);
  }
}

// The adapter leaves and comes back while the device restarts into its
// loader; the upload goes on with part B once the adapter is open again.
TEST_F(Upload, PartBFollowsTheAdapterBackAfterTheLoaderRestart) {
  Device("CAR_ESC", "VALTORINE_456_A");
  Bytes a = fwdb::SampleFirmware(500, "a"), b = fwdb::SampleFirmware(300, "b");
  Offer("V1", fwdb::MakePackage(a, b, "V1"));
  auto device = rig.Attach(std::make_shared<hid::SimClassicFirmware>(rig.clock));
  device->restartMs = 0;
  std::uint32_t backAt = 0;
  bool gone = false, back = false;
  rig.pump.onPump = [&] {
    if (device->partAComplete && !gone) {
      rig.hid.Unplug(fakes::LinkRig::kPath);
      gone = true;
      backAt = rig.clock.GetTickCount() + 800;
    } else if (gone && !back && rig.clock.GetTickCount() >= backAt) {
      rig.hid.Plug({fakes::LinkRig::kPath, 0x10C4, 0x82CD, u"CP2110 HID USB-to-UART", 64, 65, "1-1"}, device);
      rig.link.SelectAdapter(rig.hid.Enumerate().back());  // what the arrival handling does
      back = true;
    }
  };
  EXPECT_EQ(upgrade.UpgradeFirmware("V1", "0"), "");
  EXPECT_TRUE(back);
  EXPECT_EQ(rig.handlers.arrivals, 1) << "the lost adapter ran the unplug path";
  EXPECT_EQ(device->partA, a);
  EXPECT_EQ(device->partB, b);
  EXPECT_TRUE(rig.link.State().Connected && rig.link.State().Busy);
  EXPECT_FALSE(rig.link.State().Upgrading);
}

TEST_F(Upload, LoadersThatGiveUpEndTheUpload) {
  Device("CAR_ESC", "VALTORINE_456_A");
  Offer("V1", fwdb::MakePackage(Bytes(64, 1), Bytes(64, 2), "V1"));
  auto classic = rig.Attach(std::make_shared<hid::SimClassicFirmware>(rig.clock));
  classic->restartMs = 60000;  // the loader never comes back
  EXPECT_EQ(upgrade.UpgradeFirmware("V1", "0"), "Max Fail Error.");
  EXPECT_EQ(classic->partA.size(), 64u);
  EXPECT_TRUE(classic->partB.empty());

  Device("CAR_ESC", "VALTORINE_456_A");
  Offer("V1", fwdb::MakePackage(Bytes(2048, 1), Bytes(64, 2), "V1"));
  auto registers = rig.Attach(std::make_shared<hid::SimRegisterFirmware>());
  rig.link.State().ProtocolSelector = 0;
  registers->commitStatus = 14;
  EXPECT_EQ(upgrade.UpgradeFirmware("V1", "0"), "Program Error. Please restart the ESC.");
  EXPECT_FALSE(registers->ended);
}

}  // namespace
}  // namespace device

namespace device {
namespace {

// The adapter leaves during the upload (its removal noticed by the message
// loop, or first by a read that finds it gone) and never comes back: once
// Upgrading is clear the form gets the no-adapter reset the upgrade deferred.
TEST_F(Upload, AnAdapterThatNeverReturnsEndsInTheNoAdapterState) {
  for (int unplugAt : {1, 3, 20, 60, 140, 160}) {
    SCOPED_TRACE(unplugAt);
    fakes::LinkRig& r = rig;
    r.handlers.onArrival = [&r] { r.link.HidCtlDeviceArrival(); };  // the unplug path's re-enumeration
    r.hid.Plug({fakes::LinkRig::kPath, 0x10C4, 0x82CD, u"CP2110", 64, 65, "1-1"},
               std::make_shared<hid::SimClassicFirmware>(r.clock));
    r.link.HidCtlDeviceArrival();
    Device("CAR_ESC", "VALTORINE_456_A");
    Offer("V1.2A", fwdb::MakePackage(fwdb::SampleFirmware(2000, "a"), fwdb::SampleFirmware(500, "b"), "V1.2A"));
    r.view.fill[Led::Link] = kLedOn;
    r.view.mainWindowEnabled = false;
    r.editor.loads.clear();
    r.hid.Faults(fakes::LinkRig::kPath).unplugAfterWrites = unplugAt;
    bool noticed = false;
    r.pump.onPump = [&] {
      if (!noticed && r.hid.Enumerate().empty()) {
        noticed = true;
        r.link.HidCtlDeviceRemove();
      }
    };

    EXPECT_NE(upgrade.UpgradeFirmware("V1.2A", "0"), "");
    const DeviceState& s = r.link.State();
    EXPECT_FALSE(s.Upgrading || s.Connected || s.Busy);
    EXPECT_FALSE(r.link.AdapterListed() || r.link.AdapterOpen());
    EXPECT_TRUE(s.DeviceInfoStrings[kController].empty());
    EXPECT_EQ(r.view.fill[Led::Link], kLedOff);
    EXPECT_FALSE(r.editor.loads.empty()) << "the description of no device is loaded";
    EXPECT_EQ(r.pages.shown.back(), IPageSwitch::kHome);
    EXPECT_TRUE(r.view.mainWindowEnabled);
    r.pump.onPump = nullptr;
  }
}

}  // namespace
}  // namespace device
