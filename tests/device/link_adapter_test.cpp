#include <gtest/gtest.h>

#include "device/DeviceJobs.h"
#include "device/FirmwareUpgrade.h"
#include "device/SettingsCatalogue.h"
#include "device/UpgradePlanner.h"
#include "platform/hid/SimFirmware.h"
#include "tests/support/DeviceJobsFakes.h"
#include "tests/support/LinkAdapterFakes.h"
#include "tools/mkfwdb/SettingsDatabaseMaker.h"

namespace device {
namespace {

using fakes::LinkAdapterRig;

// The restart silence of the channels' firmware loaders; no test here sends
// firmware through a channel.
hid::VirtualClock loaderClock;

void ClickMode(LinkAdapter& adapter, int mode) {
  switch (mode) {
    case 1: return adapter.PORTAVEX1Click();
    case 2: return adapter.PORTAVEX2Click();
    case 3: return adapter.PORTAVEX3Click();
    case 4: return adapter.PORTAVEX4Click();
    default: return adapter.PORTAVEX5Click();
  }
}

/// A speed controller on a channel: the classic device, counting the
/// handshakes that reach it.
struct ChannelEsc : hid::ISimDevice {
  explicit ChannelEsc(FrameMarkers markers) { device.start = markers.start, device.end = markers.end; }
  hid::SimClassicDevice device;
  int handshakes = 0;
  void OnOutputReport(const hid::Bytes& report, hid::ISimReplies& replies) override {
    if (report.size() > 2 && report[1] == device.start && report[2] == 0) ++handshakes;
    device.OnOutputReport(report, replies);
  }
};

std::vector<std::string> ModeMenus() {
  return {"English1", "Chinese1", "ESCSpeedController1", "MotorChecker1", "LCDProgramCard1", "PORTAVEX1",
          "PORTAVEX2", "PORTAVEX3", "PORTAVEX4", "PORTAVEX5", "gbChannel"};
}

TEST(LinkModes, EachModeResetsTheLinkAndPreparesItsControls) {
  struct Case {
    int mode;
    const char* caption;
  } cases[] = {{1, "PORTAVEX"}, {2, "PORTAVEX UART->ESC"}, {3, "PORTAVEX CAN"}, {4, "PORTAVEX CAN->ESC"},
               {5, "PORTAVEX 调参"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    LinkAdapterRig r;
    DeviceState& s = r.link.State();
    s.Connected = s.Busy = s.Identifying = s.SettingsValid = true;
    s.DeviceInfoStrings = {"CAR_ESC", "HW", "V1", "x"};
    s.Markers = kEscMarkers;
    r.components.SetChecked("cbChannel4", true);
    r.components.SetChecked("rbChannel3", true);
    r.components.SetChecked("PORTAVEX2", true);

    ClickMode(r.adapter, c.mode);
    EXPECT_EQ(r.view.CheckedLinkMode(), c.mode);
    EXPECT_EQ(r.components.texts["Label1"], c.caption);
    EXPECT_EQ(r.view.sideListIndex, 2);
    EXPECT_EQ(r.pages.shown, std::vector<int>{IPageSwitch::kHome});
    EXPECT_EQ(s.Markers, kLinkMarkers);
    EXPECT_EQ(r.timer.enabled, c.mode != 5);
    EXPECT_FALSE(s.Connected || s.Busy || s.Identifying || s.SettingsValid);
    EXPECT_TRUE(s.DeviceKindChanged);
    EXPECT_EQ(s.DeviceInfoStrings, (std::array<std::string, 4>{}));
    EXPECT_EQ(r.editor.loads, std::vector<std::string>{""});
    EXPECT_EQ(r.editor.builds, 1);
    EXPECT_FALSE(r.components.visible["GroupBox2"] || r.components.visible["btnConnect"]);
    EXPECT_FALSE(r.components.enabled["Export1"] || r.components.enabled["Import1"] || r.components.enabled["Print1"]);
    bool channelsCleared = c.mode >= 2 && c.mode <= 4;
    EXPECT_EQ(r.components.Checked("cbChannel4"), !channelsCleared);
    if (c.mode == 5) {
      EXPECT_TRUE(r.components.enabled["btnRead"]);
      EXPECT_FALSE(r.components.enabled["btnWrite"]);
      EXPECT_TRUE(r.components.Checked("rbChannel1"));
      EXPECT_FALSE(r.components.Checked("rbChannel3"));
    }
    // Identification then tells the adapter the mode, with the sub-mode of the CAN modes.
    r.AnnounceMode();
    EXPECT_EQ(r.sim->Mode(), c.mode);
  }
}

TEST(LinkModes, ChoosingAModeStopsARunningScan) {
  LinkAdapterRig r;
  r.adapter.PORTAVEX3Click();
  r.adapter.btnScanClick();
  ASSERT_TRUE(r.link.State().ScanMode);
  r.adapter.PORTAVEX5Click();
  EXPECT_FALSE(r.link.State().ScanMode);
  EXPECT_EQ(r.components.texts["btnScan"], "Scan");
  for (const std::string& menu : ModeMenus()) EXPECT_TRUE(r.components.enabled[menu]) << menu;
  EXPECT_EQ(r.link.State().Markers, kLinkMarkers);
}

// Channels 3 and 5 answer the scan; the stop selects channel 3 and talks to
// its controller with the markers of the mode.
TEST(ChannelScan, StartsPollsAndStopsOnTheFirstAnsweringChannel) {
  struct Case {
    int mode;
    FrameMarkers scanning, selected;
    int canHandshakes;
  } cases[] = {{2, kLinkMarkers, kEscMarkers, 0}, {3, kScanMarkers, kScanMarkers, 0}, {4, kScanMarkers, kEscMarkers, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    LinkAdapterRig r;
    auto esc3 = std::make_shared<ChannelEsc>(c.selected), esc5 = std::make_shared<ChannelEsc>(c.selected);
    r.Channel(3) = {true, false, esc3};
    r.Channel(5) = {true, false, esc5};
    ClickMode(r.adapter, c.mode);
    r.AnnounceMode();
    r.firmware.link.items = {"V1.2"};
    DeviceState& s = r.link.State();

    r.adapter.btnScanClick();
    EXPECT_TRUE(s.ScanMode && s.Busy);
    EXPECT_EQ(s.Markers, c.scanning);
    EXPECT_EQ(r.components.texts["btnScan"], "Stop");
    EXPECT_FALSE(r.firmware.link.upgradeEnabled);
    for (const std::string& menu : ModeMenus()) EXPECT_FALSE(r.components.enabled[menu]) << menu;

    r.adapter.ScanTick();
    EXPECT_EQ(s.ChannelFlags, (std::array<std::uint8_t, 8>{0, 0, 1, 0, 1, 0, 0, 0}));
    for (int n = 1; n <= 8; ++n) {
      std::string box = ChannelComponent("cbChannel", n);
      EXPECT_EQ(r.components.Checked(box), n == 3 || n == 5) << box;
      EXPECT_EQ(r.components.enabled[box], n == 3 || n == 5) << box;
    }

    r.timer.enabled = true;
    r.adapter.btnScanClick();
    EXPECT_FALSE(s.ScanMode || s.Busy);
    EXPECT_EQ(r.components.texts["btnScan"], "Scan");
    for (const std::string& menu : ModeMenus()) EXPECT_TRUE(r.components.enabled[menu]) << menu;
    EXPECT_EQ(r.sim->SelectionRequests(), std::vector<int>{3});
    EXPECT_EQ(r.sim->SelectedChannel(), 3);
    EXPECT_EQ(s.Markers, c.selected);
    EXPECT_EQ(esc3->handshakes, c.canHandshakes);
    EXPECT_TRUE(r.firmware.link.upgradeEnabled);
    EXPECT_TRUE(r.timer.enabled && s.DeviceKindChanged);

    EXPECT_NE(r.link.SendCommand(0), 0);
    EXPECT_EQ(r.link.WaitAckShort(1), 0) << "channel 3's controller answers";
    EXPECT_EQ(esc5->handshakes, 0);
  }
}

TEST(ChannelScan, AStopWithoutASelectableChannelSelectsNone) {
  struct Case {
    const char* name;
    bool present, refuses;
    std::size_t requests;
  } cases[] = {{"no channel answered", false, false, 0},
               {"the answering channel refuses its selection", true, true, 50}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkAdapterRig r;
    r.Channel(2) = {c.present, c.refuses, nullptr};
    r.adapter.PORTAVEX4Click();
    r.AnnounceMode();
    r.firmware.link.items = {"V1.2"};
    r.adapter.btnScanClick();
    r.adapter.ScanTick();
    r.adapter.btnScanClick();
    EXPECT_EQ(r.sim->SelectionRequests().size(), c.requests);
    EXPECT_EQ(r.sim->SelectedChannel(), 0);
    EXPECT_EQ(r.link.State().Markers, kScanMarkers);
    EXPECT_EQ(r.firmware.link.upgradeEnabled, c.present);
    EXPECT_TRUE(r.timer.enabled && r.link.State().DeviceKindChanged);
  }
}

// The selection retries end as soon as the removal handling has emptied the
// adapter list; the no-adapter state keeps the poll timer off.
TEST(ChannelScan, AnAdapterPulledOutDuringTheStopEndsIt) {
  LinkAdapterRig r;
  r.link.HidCtlDeviceArrival();  // lists the adapter as the program does
  r.Channel(2) = {true, true, nullptr};
  r.adapter.PORTAVEX3Click();
  r.AnnounceMode();
  r.adapter.btnScanClick();
  r.adapter.ScanTick();
  r.hid.Faults(fakes::LinkRig::kPath).unplugAfterWrites = 3;
  r.pump.onPump = [&] {
    if (r.hid.Enumerate().empty() && r.link.AdapterListed()) r.link.HidCtlDeviceRemove();
  };
  r.link.State().DeviceKindChanged = false;
  r.adapter.btnScanClick();
  EXPECT_FALSE(r.link.AdapterListed());
  EXPECT_EQ(r.sim->SelectionRequests().size(), 3u);
  EXPECT_FALSE(r.timer.enabled);
  EXPECT_FALSE(r.link.State().DeviceKindChanged);
}

// Every checked channel counts as upgraded or failed; one that cannot be
// selected is named on a line of its own; a failure is also told in a box.
TEST(ChannelUpdate, SummariesCountSuccessesAndFailures) {
  struct Case {
    const char* name;
    bool chinese;
    std::vector<int> checked;
    std::map<std::string, bool> results;  // of the channels that were selected
    std::vector<std::string> lines;
    int summaryMode;
  } cases[] = {
      {"Chinese", true, {1, 3, 4}, {{"channel 1", true}, {"channel 3", true}, {"channel 4", false}},
       {"2 个通道更新固件完成，1 个通道更新固件失败。"}, IMessageSink::kBoth},
      {"English, all upgraded", false, {1, 3}, {{"channel 1", true}, {"channel 3", true}},
       {"Firmware upgrade: 2 channel(s) upgraded, 0 failed."}, IMessageSink::kStatusLine},
      {"English, channel 2 refuses its selection", false, {1, 2, 3}, {{"channel 1", true}, {"channel 3", true}},
       {"channel 2: could not be selected; not upgraded.", "Firmware upgrade: 2 channel(s) upgraded, 1 failed."},
       IMessageSink::kBoth},
      {"Chinese, only channel 2", true, {2}, {},
       {"channel 2：无法选择该通道，未更新固件", "没有更新任何通道"}, IMessageSink::kBoth},
      {"English, no success", false, {4}, {{"channel 4", false}}, {"No channel was updated."}, IMessageSink::kBoth},
      {"Chinese, nothing checked", true, {}, {}, {"没有更新任何通道"}, IMessageSink::kStatusLine},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkAdapterRig r;
    for (int n = 1; n <= 4; ++n) r.Channel(n) = {true, n == 2, std::make_shared<ChannelEsc>(kEscMarkers)};
    r.adapter.PORTAVEX2Click();
    r.AnnounceMode();
    r.shell.chinese = c.chinese;
    for (int n : c.checked) r.components.SetChecked(ChannelComponent("cbChannel", n), true);
    r.upgradeChannel = [&](const std::string& caption) { return c.results.at(caption); };
    r.messages.shown.clear();
    r.adapter.btnUpgrade2Click();
    std::vector<std::string> lines;
    for (const auto& [text, mode] : r.messages.shown) lines.push_back(text);
    EXPECT_EQ(lines, c.lines);
    ASSERT_FALSE(r.messages.shown.empty());
    EXPECT_EQ(r.messages.shown.back().second, c.summaryMode);
    EXPECT_EQ(r.upgradedChannels.size(), c.results.size());
  }
}

// The real planner and upload behind the adapter: channels 1 and 3 take the
// firmware, channel 2 between them refuses its selection, channel 4's
// controller is silent.
TEST(ChannelUpdate, UpdatesTheCheckedChannelsThroughTheAdapter) {
  LinkAdapterRig r;
  fakes::TempFolder folder;
  fakes::FakeIdentity identity;
  UpgradeProgress progress;
  r.shell.programFolder = folder.path.string();
  fwdb::Bytes a = fwdb::SampleFirmware(300, "a"), b = fwdb::SampleFirmware(100, "b");
  {
    fwdb::SettingsDatabaseMaker db(folder.File("LINKESC001_settings.db3"));
    int hardware = db.AddController("VALTORINE_456_A", db.AddSplash("CAR_ESC"));
    db.AddSoftware("V1.2", hardware, fwdb::MakePackage(a, b, "V1.2"));
  }
  folder.Write("version_control.ini",
               "[CAR_ESC VALTORINE_456_A]\nbatch=1\nversionnum1=2\nversion1_1=V1.0\nversion1_2=V1.2\n");
  SettingsCatalogue catalogue{r.link.State(), CatalogueServices{r.pump, r.texts, r.view, r.firmware, r.shell}};
  FirmwareUpgrade upload{r.link, catalogue, progress,
                         UpgradeServices{r.clock, r.pump, r.texts, r.messages, r.progress, r.firmware, r.shell, identity}};
  UpgradePlanner planner{r.link.State(), catalogue, progress,
                         PlannerServices{r.pump, r.texts, r.messages, r.view, r.firmware, r.shell, upload}};
  r.upgradeChannel = [&](const std::string& caption) { return planner.UpgradeChannelToSelectedVersion(caption); };

  std::shared_ptr<hid::SimClassicFirmware> loaders[] = {std::make_shared<hid::SimClassicFirmware>(r.clock),
                                                        std::make_shared<hid::SimClassicFirmware>(r.clock)};
  for (auto& loader : loaders) loader->restartMs = 300;
  r.Channel(1) = {true, false, loaders[0]};
  r.Channel(2) = {true, true, nullptr};
  r.Channel(3) = {true, false, loaders[1]};
  r.Channel(4) = {true, false, nullptr};
  r.adapter.PORTAVEX2Click();
  r.AnnounceMode();
  r.link.State().DeviceInfoStrings = {"CAR_ESC", "VALTORINE_456_A", "V1.0", ""};  // as identification leaves them
  catalogue.SelectSettingsDatabase();
  r.firmware.link.items = {"V1.2"};
  r.firmware.SetFirmwareItemIndex(true, 0);
  r.firmware.link.upgradeEnabled = true;
  for (int n : {1, 2, 3, 4}) r.components.SetChecked(ChannelComponent("cbChannel", n), true);

  r.adapter.btnUpgrade2Click();
  for (const auto& loader : loaders) {
    EXPECT_EQ(loader->partA, a);
    EXPECT_EQ(loader->partB, b);
  }
  std::vector<int> requests = r.sim->SelectionRequests();
  EXPECT_EQ(requests, (std::vector<int>{1, 2, 2, 2, 2, 2, 2, 3, 4}));
  std::vector<std::string> lines;
  for (const auto& [text, mode] : r.messages.shown)
    if (text.rfind("channel", 0) == 0 || text.rfind("Firmware", 0) == 0) lines.push_back(text);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "channel 1: upgrade_drive(Version V1.2)...", "channel 1: upgrade_succ",
                       "channel 2: could not be selected; not upgraded.",
                       "channel 3: upgrade_drive(Version V1.2)...", "channel 3: upgrade_succ",
                       "channel 4: upgrade_drive(Version V1.2)...", "channel 4: upgrade_fail(Return Error.)",
                       "Firmware upgrade: 2 channel(s) upgraded, 2 failed."}));
  DeviceState& s = r.link.State();
  EXPECT_EQ(s.Markers, kLinkMarkers);
  EXPECT_FALSE(s.Busy);
  EXPECT_TRUE(r.timer.enabled && r.view.mainWindowEnabled);
}

// The adapter of end-to-end runs: identification finds the adapter itself,
// and after a scan the controller on the selected channel, whose settings
// are read through the adapter.
TEST(EndToEnd, IdentificationFollowsTheSelectedChannel) {
  for (int mode : {2, 3, 4}) {
    SCOPED_TRACE(mode);
    LinkAdapterRig r(49, hid::MakeSimLinkAdapter(loaderClock));
    fakes::FakeDescriptionLoader description;
    fakes::FakeCatalogue catalogue;
    DeviceJobs jobs{r.link, description, catalogue};
    DeviceState& s = r.link.State();
    ClickMode(r.adapter, mode);

    jobs.IdentifyDevice();
    ASSERT_TRUE(s.Connected);
    EXPECT_EQ(s.DeviceInfoStrings[kController], "QV_PORTAVEX");
    EXPECT_EQ(r.sim->Mode(), mode);

    r.adapter.btnScanClick();
    r.adapter.ScanTick();
    r.adapter.btnScanClick();
    EXPECT_EQ(r.sim->SelectedChannel(), 1);
    s.Connected = s.DeviceKindChanged = false;  // what the poll tick does after a device-kind change
    jobs.IdentifyDevice();
    ASSERT_TRUE(s.Connected);
    EXPECT_EQ(s.DeviceInfoStrings[kController], "CAR_ESC");
    EXPECT_TRUE(s.SettingsValid) << "the controller's settings were read through the adapter";
    EXPECT_EQ(r.sim->SelectedChannel(), 1);
  }
}

// The motor checker's markers are the adapter's scan markers: outside its
// CAN modes the link adapter does not answer them, so choosing the motor
// checker with only the link adapter plugged in identifies nothing.
TEST(EndToEnd, TheLinkAdapterIsNoMotorChecker) {
  LinkAdapterRig r(49, hid::MakeSimLinkAdapter(loaderClock));
  fakes::FakeDescriptionLoader description;
  fakes::FakeCatalogue catalogue;
  DeviceJobs jobs{r.link, description, catalogue};
  DeviceState& s = r.link.State();
  s.Markers = kScanMarkers;
  jobs.IdentifyDevice();
  EXPECT_FALSE(s.Connected);
  EXPECT_EQ(s.DeviceInfoStrings[kController], "");
}

}  // namespace
}  // namespace device
