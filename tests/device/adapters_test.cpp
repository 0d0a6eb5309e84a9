// Adapters and hot-plug on the simulated adapter: the adapter list and its
// slots, the chooser, the no-adapter reset, reopening and the frame markers.
#include <gtest/gtest.h>

#include "tests/support/DeviceJobsFakes.h"

namespace device {
namespace {

using fakes::JobsRig;

hid::DeviceInfo Adapter(const std::string& path, std::uint16_t vendor, std::uint16_t product,
                        const std::u16string& name) {
  return {path, vendor, product, name, 64, 65, "1-" + path.substr(path.size() - 1)};
}

const hid::DeviceInfo kCp2110 = Adapter("/dev/hidraw1", 0x10C4, 0x82CD, u"CP2110");
const hid::DeviceInfo kLinkAdapter = Adapter("/dev/hidraw2", 0x0483, 0x5720, u"FS PORTAVEX");
const hid::DeviceInfo kMouse = Adapter("/dev/hidraw0", 0x046D, 0xC077, u"Mouse");

std::shared_ptr<hid::ISimDevice> AnEsc() {
  return hid::MakeSimModelDevice(*hid::FindSimModel("AIRPLANE_ESC")).Device();
}

TEST(Adapters, ChooserListsSeveralAndItsAnswerPicksTheSlot) {
  struct Case {
    std::optional<int> doubleClick;
    int modalResult;
    std::string selected;
  };
  const Case cases[] = {
      {1, 0, kLinkAdapter.path},         // double click on the second line: slot 1
      {0, 0, kCp2110.path},              // the first line: slot 0
      {std::nullopt, 0, kCp2110.path},   // closed without a choice: slot 0
      {std::nullopt, 7, kCp2110.path},   // an answer beyond the list: slot 0
  };
  for (const Case& c : cases) {
    JobsRig rig;
    rig.hid.Plug(kMouse, AnEsc());
    rig.hid.Plug(kCp2110, AnEsc());
    rig.hid.Plug(kLinkAdapter, AnEsc());
    rig.chooser.doubleClick = c.doubleClick;
    rig.chooser.modalResult = c.modalResult;
    rig.link.HidCtlDeviceArrival();
    ASSERT_EQ(rig.chooser.shown.size(), 1u);
    EXPECT_EQ(rig.chooser.shown[0], (std::vector<std::string>{"1-1           CP2110    DUR Udazedi Ved",
                                                              "1-2           FS PORTAVEX    PORTAVEX"}));
    EXPECT_EQ(rig.link.SelectedAdapter().path, c.selected);
    EXPECT_TRUE(rig.link.AdapterOpen());
    EXPECT_TRUE(rig.timer.enabled);
  }
}

TEST(Adapters, OneAdapterIsSelectedWithoutChooserAndReopenedWithFreshCounters) {
  JobsRig rig;
  rig.hid.Plug(kMouse, AnEsc());
  rig.hid.Plug(kLinkAdapter, AnEsc());
  rig.link.State().SettingsReadAttempts = 2;
  rig.progress.exists = true;
  rig.link.HidCtlDeviceArrival();
  EXPECT_TRUE(rig.chooser.shown.empty());
  EXPECT_EQ(rig.link.AdapterLines(), std::vector<std::string>{"1-2           FS PORTAVEX"});
  EXPECT_EQ(rig.link.SelectedAdapter().path, kLinkAdapter.path);
  EXPECT_EQ(rig.link.SelectedAdapter().outputReportLength, 65);
  EXPECT_TRUE(rig.link.AdapterOpen());
  EXPECT_EQ(rig.link.State().SettingsReadAttempts, 0);
  EXPECT_FALSE(rig.progress.exists);
  EXPECT_TRUE(rig.timer.enabled);
  EXPECT_EQ(rig.view.debug.front(), "USB设备插入");
}

TEST(Adapters, AThirteenthAdapterGetsNeitherLineNorSlot) {
  JobsRig rig;
  for (int i = 0; i < 13; ++i)
    rig.hid.Plug({"/dev/hidraw" + std::to_string(10 + i), 0x10C4, 0x82CD, u"CP2110", 64, 65, "2-" + std::to_string(i)},
                 AnEsc());
  rig.chooser.doubleClick = 11;
  rig.link.HidCtlDeviceArrival();
  EXPECT_EQ(rig.link.AdapterLines().size(), 12u);
  EXPECT_EQ(rig.chooser.shown.at(0).size(), 12u);
  EXPECT_EQ(rig.link.SelectedAdapter().path, "/dev/hidraw21");
}

TEST(Adapters, OnlyAForeignDeviceResetsToNoAdapterUnlessUpgrading) {
  for (bool upgrading : {false, true}) {
    JobsRig rig;
    rig.hid.Plug(kMouse, AnEsc());
    DeviceState& s = rig.link.State();
    s.Upgrading = upgrading;
    s.Connected = s.Busy = true;
    s.Markers = kScanMarkers;
    rig.view.linkMode = 3;
    rig.view.mainWindowEnabled = false;
    int callsBefore = rig.hid.CallCount();
    rig.link.HidCtlDeviceArrival();
    EXPECT_FALSE(rig.link.AdapterListed());
    EXPECT_FALSE(rig.link.AdapterOpen());
    EXPECT_FALSE(rig.timer.enabled);
    EXPECT_EQ(s.Connected, upgrading);
    EXPECT_EQ(rig.view.mainWindowEnabled, !upgrading) << upgrading;
    EXPECT_EQ(rig.pages.shown, upgrading ? std::vector<int>{} : std::vector<int>{IPageSwitch::kHome});
    EXPECT_EQ(rig.editor.loads, upgrading ? std::vector<std::string>{} : std::vector<std::string>{""});
    EXPECT_EQ(rig.view.channelUnchecks, upgrading ? 0 : 1);
    // Enumerate only, or enumerate plus the library reset (exit and init).
    EXPECT_EQ(rig.hid.CallCount() - callsBefore, upgrading ? 1 : 3);
    EXPECT_EQ(s.Markers, kLinkMarkers);  // link mode 3 checked
  }
}

TEST(Adapters, ArrivalSetsFrameMarkersByDeviceKind) {
  struct Case {
    int linkMode;
    bool programCard;
    FrameMarkers before, expected;
  };
  const Case cases[] = {
      {3, false, kEscMarkers, kLinkMarkers},
      {1, true, kEscMarkers, kLinkMarkers},
      {0, true, kEscMarkers, kCardMarkers},
      {0, false, kScanMarkers, kEscMarkers},  // the motor checker's markers are not kept
  };
  for (const Case& c : cases) {
    JobsRig rig;
    rig.hid.Plug(kCp2110, AnEsc());
    rig.view.linkMode = c.linkMode;
    rig.view.programCard = c.programCard;
    rig.link.State().Markers = c.before;
    rig.link.HidCtlDeviceArrival();
    EXPECT_EQ(rig.link.State().Markers, c.expected) << c.linkMode << c.programCard;
  }
}

TEST(Adapters, RemovalListsWhatIsLeft) {
  JobsRig rig;
  rig.link.HidCtlDeviceRemove();  // before the first arrival: nothing to do
  EXPECT_EQ(rig.hid.CallCount(), 0);

  rig.hid.Plug(kCp2110, AnEsc());
  rig.hid.Plug(kLinkAdapter, AnEsc());
  rig.chooser.doubleClick = 1;
  rig.link.HidCtlDeviceArrival();
  rig.hid.Unplug(kLinkAdapter.path);
  rig.link.HidCtlDeviceRemove();
  EXPECT_EQ(rig.link.AdapterLines(), std::vector<std::string>{"1-1           CP2110"});
  EXPECT_EQ(rig.link.SelectedAdapter().path, kCp2110.path);
  EXPECT_TRUE(rig.link.AdapterOpen());  // the remaining adapter keeps working
  EXPECT_EQ(rig.view.debug.back(), "USB设备移除");

  rig.hid.Unplug(kCp2110.path);
  rig.link.HidCtlDeviceRemove();
  EXPECT_FALSE(rig.link.AdapterListed());
  EXPECT_FALSE(rig.link.AdapterOpen());
}

TEST(Adapters, EnumerateKeepsAnAdapterThatAnswersTheProbe) {
  JobsRig rig;
  rig.PlugModel(*hid::FindSimModel("AIRPLANE_ESC"));
  std::size_t written = rig.Written().size();
  EXPECT_TRUE(rig.link.HidCtlEnumerate());
  EXPECT_TRUE(rig.link.AdapterOpen());
  EXPECT_EQ(rig.Written().size(), written + 5);  // five probes, no new enumeration
}

// A node the user may not open (no udev rule) is listed but stays closed, and
// the user is told why, naming the rule, once per arrival: a reopen of the
// same arrival stays quiet, the next arrival says it again.
TEST(Adapters, AnAdapterThatCannotBeOpenedIsExplainedOncePerArrival) {
  JobsRig rig;
  rig.hid.Plug(kCp2110, AnEsc());
  rig.hid.Faults(kCp2110.path).denyOpen = true;
  const auto boxes = [&rig] { return rig.InfoBoxes().size(); };
  rig.link.HidCtlDeviceArrival();
  EXPECT_EQ(rig.link.SelectedAdapter().path, kCp2110.path);
  EXPECT_FALSE(rig.link.AdapterOpen());
  EXPECT_EQ(rig.link.SelectedAdapter().inputReportLength, 0);
  ASSERT_EQ(boxes(), 1u);
  const std::string told = rig.InfoBoxes().back();
  EXPECT_NE(told.find("70-esctool-adapters.rules"), std::string::npos) << told;
  EXPECT_NE(told.find("/etc/udev/rules.d/"), std::string::npos) << told;
  EXPECT_EQ(rig.messages.shown.front(),
            std::make_pair(std::string("cannot open /dev/hidraw1: Permission denied (is the udev rule "
                                       "70-esctool-adapters.rules installed?)"),
                           int{IMessageSink::kStatusLine}));

  rig.link.ReopenDevice();
  EXPECT_EQ(boxes(), 1u);
  rig.link.HidCtlDeviceArrival();
  EXPECT_EQ(boxes(), 2u);

  rig.hid.Faults(kCp2110.path).denyOpen = false;
  rig.link.ReopenDevice();
  EXPECT_TRUE(rig.link.AdapterOpen());
  EXPECT_EQ(rig.hid.LastOpenFailure().text, "");
}

}  // namespace
}  // namespace device
