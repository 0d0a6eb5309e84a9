// Identification and the settings jobs end to end on the simulated adapter,
// for every model family the settings image layout tells apart.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "tests/support/DeviceJobsFakes.h"

namespace device {
namespace {

using fakes::JobsRig;
using hid::Bytes;
using hid::SimModel;
using hid::SimModels;

const SimModel& Model(const std::string& name) { return *hid::FindSimModel(name); }

SettingsImageLayout LayoutOf(const SimModel& model) {
  const hid::SimImageLayout& l = model.layout;
  return {l.writeOffset, l.writeLength, l.valueOffset, l.countOffset, l.maximumOffset, l.defaultOffset};
}

/// Passes everything to `inner` but frames of `command`, of which only the
/// first `passFirst` get through.
struct DropCommand : hid::ISimDevice {
  DropCommand(std::shared_ptr<hid::ISimDevice> device, std::uint8_t c, int pass = 0)
      : inner(std::move(device)), command(c), passFirst(pass) {}
  void OnOutputReport(const Bytes& report, hid::ISimReplies& replies) override {
    if (report.size() > 2 && report[2] == command && passFirst-- <= 0) return;
    inner->OnOutputReport(report, replies);
  }
  std::shared_ptr<hid::ISimDevice> inner;
  std::uint8_t command;
  int passFirst;
};

void PlugFiltered(JobsRig& rig, std::shared_ptr<hid::ISimDevice> device) {
  rig.hid.Plug({JobsRig::kPath, 0x10C4, 0x82CD, u"CP2110", 64, 65, "1-1"}, std::move(device));
  rig.link.HidCtlDeviceArrival();
}

Bytes Head(const std::vector<std::uint8_t>& image, std::size_t n) { return Bytes(image.begin(), image.begin() + n); }

TEST(Identify, EveryModelFamilyGivesTextsLayoutAndSettings) {
  for (const SimModel& model : SimModels()) {
    SCOPED_TRACE(model.name);
    JobsRig rig;
    hid::SimModelDevice device = rig.PlugModel(model);
    rig.description.pollsUntilLoaded = 5;
    bool builtBeforeLoaded = false;
    rig.editor.onBuild = [&] { builtBeforeLoaded |= !rig.description.loaded; };
    ASSERT_TRUE(rig.IdentifyWithin(3));
    const DeviceState& s = rig.link.State();
    EXPECT_EQ(s.ProtocolSelector, model.classic ? 1 : 0);
    EXPECT_EQ(s.DeviceInfoStrings,
              (std::array<std::string, 4>{model.controller, model.hardware, model.firmware, ""}));
    EXPECT_EQ(s.Layout, LayoutOf(model));
    bool readsAtOnce = model.name != "AIRPLANE" && model.name != "AIRPLANE_V2";
    EXPECT_EQ(s.SettingsValid, readsAtOnce);
    EXPECT_EQ(Head(s.SettingsImage, model.imageBytes), readsAtOnce ? device.Settings() : Bytes(model.imageBytes));
    if (readsAtOnce) {
      int maximum = !model.classic ? 4000 : IsLargeCarHardware(model.hardware) ? 4832 : 240;
      EXPECT_EQ(rig.progress.maxima, (std::vector<int>{240, maximum}));
      EXPECT_FALSE(rig.progress.exists);
    }
    EXPECT_EQ(rig.description.starts, 1);
    EXPECT_FALSE(builtBeforeLoaded);
    EXPECT_EQ(rig.editor.builds, 1);
    EXPECT_EQ(rig.catalogue.selects, 1);
    EXPECT_EQ(rig.catalogue.fills, readsAtOnce ? 2 : 1);
    EXPECT_EQ(rig.view.fill[Led::Link], kLedOn);
    EXPECT_TRUE(rig.view.modelMenuDisabled);
    EXPECT_TRUE(rig.view.mainWindowEnabled);
    EXPECT_FALSE(rig.view.hourglass);
    EXPECT_TRUE(rig.timer.enabled);
    EXPECT_FALSE(s.Busy || s.Identifying || s.LoadingSettings);

    // Connected: the next tick is a handshake and nothing more.
    std::size_t written = rig.Written().size();
    rig.jobs.IdentifyDevice();
    EXPECT_EQ(rig.Written().size(), written + 1);
    EXPECT_EQ(rig.editor.builds, 1);
  }
}

TEST(Identify, DeviceDataComesFromTheHalvesTheModelUses) {
  JobsRig car;
  car.PlugModel(Model("CAR_ESC"));
  ASSERT_TRUE(car.IdentifyWithin(1));
  const auto& carData = car.link.State().DeviceData;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(carData.data() + 1), 15), "045038126012345");
  EXPECT_EQ(carData[16], 0);

  JobsRig series;
  series.PlugModel(Model("Corvanel_V4"));
  ASSERT_TRUE(series.IdentifyWithin(1));
  const auto& seriesData = series.link.State().DeviceData;
  EXPECT_EQ(seriesData[1], 0);
  EXPECT_EQ(seriesData[19] * 256 + seriesData[20], 100);  // thousands of electrical rpm
}

// The poll fails while no device answers: a page that shows a device goes
// back to About, one that needs none (the recorder, a calculator) stays.
TEST(Identify, AFailedAttemptLeavesOnlyPagesThatNeedADevice) {
  for (const bool needsDevice : {true, false}) {
    SCOPED_TRACE(needsDevice);
    JobsRig rig;
    rig.PlugModel(Model("CAR_ESC"));
    rig.hid.Faults(JobsRig::kPath).failWrites = 20;
    rig.view.sideListIndex = 3;
    rig.view.pageNeedsDevice = needsDevice;
    rig.jobs.IdentifyDevice();
    EXPECT_FALSE(rig.link.State().Connected);
    EXPECT_EQ(rig.view.disconnectedLooks, 1);
    EXPECT_EQ(rig.view.sideListIndex, needsDevice ? 0 : 3);
    EXPECT_EQ(rig.pages.shown.empty(), !needsDevice);
  }
}

TEST(Identify, HandshakeFailuresFlipTheProtocolForTheNextTick) {
  struct Case {
    const char* model;
    std::uint8_t startProtocol;
    bool writesFail;
    std::size_t handshakesWritten;
    std::uint32_t minimumMs;
  };
  const Case cases[] = {
      {"CAR_ESC_QV4", 1, false, 10, 900},  // classic handshakes go unanswered ten times
      {"CAR_ESC", 0, false, 10, 900},      // and the other way round
      {"CAR_ESC", 1, true, 0, 1900},       // twenty handshakes that cannot be sent
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    JobsRig rig;
    rig.PlugModel(Model(c.model));
    rig.link.State().ProtocolSelector = c.startProtocol;
    rig.view.sideListIndex = 2;
    if (c.writesFail) rig.hid.Faults(JobsRig::kPath).failWrites = 20;
    std::uint32_t start = rig.clock.GetTickCount();
    rig.jobs.IdentifyDevice();
    const DeviceState& s = rig.link.State();
    EXPECT_EQ(s.ProtocolSelector, 1 - c.startProtocol);
    EXPECT_FALSE(s.Connected);
    EXPECT_EQ(rig.Written().size(), c.handshakesWritten);
    EXPECT_GE(rig.clock.GetTickCount() - start, c.minimumMs);
    EXPECT_EQ(rig.view.disconnectedLooks, 1);
    EXPECT_EQ(rig.view.sideListIndex, 0);
    EXPECT_EQ(rig.pages.shown.back(), IPageSwitch::kHome);
    EXPECT_FALSE(s.Busy || s.Identifying);
    if (!c.writesFail) {
      rig.jobs.IdentifyDevice();
      EXPECT_TRUE(s.Connected);
    }
  }
}

TEST(Identify, WithoutAutoConnectCommandFiveIsSentOnceAndNothingIdentified) {
  JobsRig rig;
  rig.PlugModel(Model("CAR_ESC"));
  rig.link.State().AutoConnect = 0;
  rig.jobs.IdentifyDevice();
  rig.jobs.IdentifyDevice();
  ASSERT_EQ(rig.Written().size(), 1u);
  EXPECT_EQ(rig.WrittenFrame(0, 4), (Bytes{0xA5, 0x05, 0xFA, 0x5A}));
  EXPECT_EQ(rig.link.State().HandshakeFreeCount, 1);
  EXPECT_FALSE(rig.link.State().Connected);
}

TEST(Identify, AnUnreadableInformationBlockLeavesTheDeviceIdle) {
  JobsRig rig;
  PlugFiltered(rig, std::make_shared<DropCommand>(hid::MakeSimModelDevice(Model("CAR_ESC")).Device(), 7));
  rig.jobs.IdentifyDevice();
  const DeviceState& s = rig.link.State();
  EXPECT_FALSE(s.Connected);
  EXPECT_TRUE(s.DeviceInfoStrings[kController].empty());
  EXPECT_EQ(rig.description.starts, 0);
  EXPECT_TRUE(rig.view.mainWindowEnabled);
  EXPECT_TRUE(rig.timer.enabled);
  EXPECT_EQ(rig.view.installEnables, 1);
}

TEST(Identify, ThirdFailedSettingsReadShowsTheParameterErrorAndStaysConnected) {
  JobsRig rig;
  PlugFiltered(rig, std::make_shared<DropCommand>(hid::MakeSimModelDevice(Model("AIRPLANE_ESC")).Device(), 9));
  const DeviceState& s = rig.link.State();
  for (int attempt = 1; attempt <= 2; ++attempt) {
    rig.jobs.IdentifyDevice();
    EXPECT_FALSE(s.Connected);
    EXPECT_EQ(s.SettingsReadAttempts, attempt);
    EXPECT_FALSE(rig.progress.exists);
    EXPECT_EQ(rig.editor.enables.back(), false);
  }
  EXPECT_TRUE(rig.InfoBoxes().empty());
  EXPECT_EQ(rig.editor.builds, 0);
  rig.jobs.IdentifyDevice();
  EXPECT_TRUE(s.Connected);
  EXPECT_FALSE(s.SettingsValid);
  EXPECT_EQ(rig.InfoBoxes(), std::vector<std::string>{"Error to Read Parameter."});
  EXPECT_EQ(rig.editor.builds, 1);
  EXPECT_TRUE(rig.view.mainWindowEnabled);
}

TEST(Identify, RecheckFindsAnotherDevice) {
  for (bool same : {true, false}) {
    JobsRig rig;
    hid::SimModelDevice device = rig.PlugModel(Model("Corvanel_V4"));
    ASSERT_TRUE(rig.IdentifyWithin(1));
    if (!same) std::copy_n("CV5", 3, device.classic->infoBlock.begin() + 16);
    DeviceState& s = rig.link.State();
    s.Busy = true;
    EXPECT_EQ(rig.jobs.ReadDeviceInfo(false), same ? "" : "Error.");
    EXPECT_EQ(s.Connected, same);
    EXPECT_EQ(s.DeviceInfoStrings[kHardware], same ? "CV4" : "CV5");
  }
}

TEST(SettingsJobs, WriteReadCompareAndDefaultsForEveryFamily) {
  for (const SimModel& model : SimModels()) {
    SCOPED_TRACE(model.name);
    JobsRig rig;
    hid::SimModelDevice device = rig.PlugModel(model);
    ASSERT_TRUE(rig.IdentifyWithin(3));
    DeviceState& s = rig.link.State();
    if (!s.SettingsValid) continue;  // a model read only on request has nothing to write yet
    const SettingsImageLayout layout = s.Layout;
    rig.editor.onCollect = [&] {
      for (std::size_t i = 0; i < model.parameters.size(); ++i) s.SettingsImage[layout.valueOffset + i] += 1;
    };
    rig.jobs.btnUpdateClick();
    EXPECT_EQ(rig.InfoBoxes(), std::vector<std::string>{"setting_succ"});
    EXPECT_EQ(rig.WriteWindow(device.Settings()), rig.WriteWindow(s.SettingsImage));
    EXPECT_EQ(rig.progress.maxima.back(), layout.writeLength);
    EXPECT_TRUE(rig.view.updateButton);
    EXPECT_FALSE(s.Busy);

    Bytes written = rig.WriteWindow(s.SettingsImage);
    std::fill(s.SettingsImage.begin(), s.SettingsImage.end(), 0);
    s.Busy = true;
    EXPECT_EQ(rig.jobs.ReadSettings(), "");
    s.Busy = false;
    EXPECT_EQ(rig.WriteWindow(s.SettingsImage), written);
    EXPECT_EQ(rig.view.LedFill(Led::Link), kLedOn) << "the blink ends with the link shown";

    ASSERT_NE(device.Settings(), device.Defaults());
    rig.jobs.btnDefaultClick();
    EXPECT_EQ(rig.InfoBoxes().back(), "default_succ");
    EXPECT_EQ(device.Settings(), device.Defaults());
    EXPECT_EQ(rig.WriteWindow(s.SettingsImage), rig.WriteWindow(device.Defaults()));
    EXPECT_EQ(rig.editor.shows, 1);
    EXPECT_EQ(rig.progress.maxima.back(), IsLargeCarHardware(model.hardware) ? 736 : 240);
    EXPECT_TRUE(rig.view.defaultButton);
    EXPECT_TRUE(rig.view.mainWindowEnabled);
  }
}

TEST(SettingsJobs, ModeSelectorReadsThatModesBank) {
  for (const SimModel& model : SimModels()) {
    if (model.modes < 2) continue;
    SCOPED_TRACE(model.name);
    JobsRig rig;
    rig.PlugModel(model);
    ASSERT_TRUE(rig.IdentifyWithin(1));
    DeviceState& s = rig.link.State();
    rig.editor.modeIndex = 2;
    s.Busy = true;
    EXPECT_EQ(rig.jobs.ReadSettings(), "");
    EXPECT_EQ(s.SettingsImage[s.Layout.writeOffset], 2);
    EXPECT_EQ(Head(s.SettingsImage, model.imageBytes), hid::SimSettingsImage(model, 2, false));
  }
}

TEST(SettingsJobs, GuardsAndTheLinkLedDecideWhetherAWriteStarts) {
  struct Case {
    bool demo, ledOff, busy;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {true, false, false, {}},
      {false, false, true, {}},
      {false, true, false, {"setting_fail"}},  // "USB Error": nothing is sent
  };
  for (const Case& c : cases) {
    JobsRig rig;
    rig.PlugModel(Model("Corvanel_V4"));
    ASSERT_TRUE(rig.IdentifyWithin(1));
    rig.view.demo = c.demo;
    rig.link.State().Busy = c.busy;
    if (c.ledOff) rig.view.fill[Led::Link] = kLedOff;
    std::size_t written = rig.Written().size();
    rig.jobs.btnUpdateClick();
    EXPECT_EQ(rig.InfoBoxes(), c.shown);
    EXPECT_EQ(rig.Written().size(), written);
  }
}

TEST(SettingsJobs, TheLinkLampStaysLitWhenTheReadsBlinkStopsOnItsDarkKey) {
  JobsRig rig;
  rig.PlugModel(Model("CAR_ESC_QV4"));
  ASSERT_TRUE(rig.IdentifyWithin(3));
  rig.jobs.btnDefaultClick();  // its read's blink stops dark in the fake
  EXPECT_EQ(rig.view.fill[Led::Link], kLedOn);
  EXPECT_TRUE(rig.view.defaultButton);
  rig.jobs.btnUpdateClick();  // the jobs read the link from the lamp
  EXPECT_EQ(rig.InfoBoxes(), (std::vector<std::string>{"default_succ", "setting_succ"}));
}

TEST(SettingsJobs, ReadGivesUpAfterTenUnansweredSecondHandshakes) {
  JobsRig rig;
  PlugFiltered(rig, std::make_shared<DropCommand>(hid::MakeSimModelDevice(Model("AIRPLANE")).Device(), 0, 2));
  ASSERT_TRUE(rig.IdentifyWithin(1));  // uses the first answered handshake
  DeviceState& s = rig.link.State();
  s.Busy = true;
  std::size_t written = rig.Written().size();
  EXPECT_EQ(rig.jobs.ReadSettings(), "Return Fail.");
  EXPECT_EQ(rig.Written().size(), written + 11);  // the answered one, then ten unanswered
  EXPECT_FALSE(rig.view.blinking[Led::Link]);
}

TEST(SettingsJobs, UnplugInTheMiddleOfAWriteReportsFailureAndResets) {
  for (const char* name : {"CAR_ESC", "CAR_ESC_QV4"}) {
    SCOPED_TRACE(name);
    JobsRig rig;
    rig.PlugModel(Model(name));
    ASSERT_TRUE(rig.IdentifyWithin(3));
    rig.hid.Faults(JobsRig::kPath).unplugAfterWrites = 8;
    rig.DeliverRemovalNotification();
    rig.jobs.btnUpdateClick();
    const DeviceState& s = rig.link.State();
    EXPECT_EQ(rig.InfoBoxes(), std::vector<std::string>{"setting_fail"});
    EXPECT_FALSE(s.Connected || s.Busy);
    EXPECT_FALSE(rig.link.AdapterListed());
    EXPECT_FALSE(rig.link.AdapterOpen());
    EXPECT_TRUE(s.DeviceInfoStrings[kController].empty());
    EXPECT_FALSE(rig.view.updateButton);
    EXPECT_TRUE(rig.view.mainWindowEnabled);
    EXPECT_FALSE(rig.timer.enabled);
  }
}

TEST(SettingsJobs, DefaultsReportFailureWhenTheLinkIsLost) {
  struct Case {
    const char* what;
    int unplugAfterWrites;
    bool clearConnectedOnPump;
  };
  const Case cases[] = {
      {"link reset before the handshake", -1, true},
      {"adapter pulled out after command 10", 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JobsRig rig;
    rig.PlugModel(Model("AIRPLANE_ESC"));
    ASSERT_TRUE(rig.IdentifyWithin(1));
    DeviceState& s = rig.link.State();
    rig.hid.Faults(JobsRig::kPath).unplugAfterWrites = c.unplugAfterWrites;
    rig.DeliverRemovalNotification();
    if (c.clearConnectedOnPump) rig.pump.onPump = [&s] { s.Connected = false; };
    rig.jobs.btnDefaultClick();
    EXPECT_EQ(rig.InfoBoxes(), std::vector<std::string>{"default_fail"});
    EXPECT_FALSE(s.Connected || s.Busy);
    EXPECT_EQ(rig.editor.shows, 0);
    if (c.unplugAfterWrites > 0) {
      EXPECT_EQ(rig.view.LedFill(Led::Link), kLedOff) << "the read's blink ends dark";
    }
  }
}

}  // namespace
}  // namespace device

namespace device {
namespace {

// A device read before must not make the next one look read: its image was
// zeroed at identification, and writing it would wipe the new device's settings.
TEST(DeviceSwap, SettingsReadFromOneDeviceAreNotTakenForTheNext) {
  JobsRig rig;
  DeviceState& s = rig.link.State();
  rig.PlugModel(Model("CAR_ESC"));
  ASSERT_TRUE(rig.IdentifyWithin(1));
  ASSERT_TRUE(s.SettingsValid);

  rig.hid.Unplug(JobsRig::kPath);
  rig.link.HidCtlDeviceRemove();
  EXPECT_FALSE(s.SettingsValid) << "unplugged";

  rig.PlugModel(Model("AIRPLANE"));  // read only on request
  ASSERT_TRUE(rig.IdentifyWithin(1));
  EXPECT_FALSE(s.SettingsValid) << "another model plugged in";

  s.SettingsValid = true;  // as left by a device that answered before a device-kind switch
  s.Connected = false;
  ASSERT_TRUE(rig.IdentifyWithin(1));
  EXPECT_FALSE(s.SettingsValid) << "identified anew";
}

// Called with the buttons' states bypassed after a swap, neither job sends
// anything: the image in hand was not read from the device now connected.
TEST(DeviceSwap, JobsRefuseAnImageNotReadFromTheDeviceNowConnected) {
  JobsRig rig;
  rig.PlugModel(Model("CAR_ESC"));
  ASSERT_TRUE(rig.IdentifyWithin(1));
  rig.hid.Unplug(JobsRig::kPath);
  rig.link.HidCtlDeviceRemove();
  rig.PlugModel(Model("AIRPLANE"));  // read only on request
  ASSERT_TRUE(rig.IdentifyWithin(1));
  const std::size_t written = rig.Written().size();
  rig.jobs.btnUpdateClick();
  rig.jobs.btnDefaultClick();
  EXPECT_EQ(rig.Written().size(), written);
  EXPECT_TRUE(rig.InfoBoxes().empty());
  EXPECT_EQ(rig.editor.collects, 0);
}

// A description load that never ends holds identification for a bounded time
// only; the pages are then built from the description at hand.
TEST(Identify, ADescriptionLoadThatNeverEndsIsNotWaitedForEver) {
  JobsRig rig;
  rig.PlugModel(Model("AIRPLANE"));
  rig.description.pollsUntilLoaded = 1 << 30;
  std::uint32_t start = rig.clock.GetTickCount();
  ASSERT_TRUE(rig.IdentifyWithin(1));
  EXPECT_GE(rig.clock.GetTickCount() - start, 30000u);
  EXPECT_EQ(rig.editor.builds, 1);
  EXPECT_TRUE(rig.view.mainWindowEnabled);
  EXPECT_FALSE(rig.link.State().Busy || rig.link.State().Identifying);
}

// Whatever a neighbouring service raises, the job gives back its guard flags
// and the window, so later ticks and clicks run.
TEST(JobScope, ExceptionsOfNeighboursLeaveTheLinkUsable) {
  struct Case {
    const char* what;
    bool identifying;
    std::function<void(JobsRig&, std::function<void()>)> failWith;
    std::function<void(JobsRig&)> job;
  };
  auto raise = [] { throw std::runtime_error("neighbour failed"); };
  const Case cases[] = {
      {"page build during identification", true, [](JobsRig& r, auto f) { r.editor.onBuild = f; },
       [](JobsRig& r) { r.jobs.IdentifyDevice(); }},
      {"collecting the controls before a write", false, [](JobsRig& r, auto f) { r.editor.onCollect = f; },
       [](JobsRig& r) { r.jobs.btnUpdateClick(); }},
      {"showing the restored defaults", false, [](JobsRig& r, auto f) { r.editor.onShow = f; },
       [](JobsRig& r) { r.jobs.btnDefaultClick(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JobsRig rig;
    DeviceState& s = rig.link.State();
    rig.PlugModel(Model("Corvanel_V4"));
    if (!c.identifying) {
      ASSERT_TRUE(rig.IdentifyWithin(1));
    }
    c.failWith(rig, raise);
    EXPECT_THROW(c.job(rig), std::runtime_error);
    EXPECT_FALSE(s.Busy || s.Identifying || s.LoadingSettings);
    EXPECT_TRUE(rig.view.mainWindowEnabled);

    c.failWith(rig, nullptr);
    if (c.identifying) {
      s.Connected = false;
      ASSERT_TRUE(rig.IdentifyWithin(1)) << "a later tick identifies";
    }
    rig.jobs.btnUpdateClick();
    EXPECT_EQ(rig.InfoBoxes().back(), "setting_succ") << "a later click writes";
  }
}

}  // namespace
}  // namespace device
