#include "device/LinkAdapter.h"

#include "device/JobScope.h"
#include "device/ProtocolCommands.h"
#include "platform/rtl/TextTemplate.h"

namespace device {
namespace {

constexpr int kChannels = 8;
// Selection attempts, sent or not: a link command that cannot go out at all
// must not keep the handler (and the disabled window) forever.
constexpr int kSelectAttempts = 50;
constexpr int kChannelRefusals = 6;
constexpr std::uint32_t kSelectSettleMs = 150;
constexpr int kCanHandshakes = 20;
constexpr std::uint32_t kCanHandshakeMs = 50;

const char* const kModeMenus[] = {"English1", "Chinese1", "ESCSpeedController1", "MotorChecker1",
                                  "LCDProgramCard1", "PORTAVEX1", "PORTAVEX2", "PORTAVEX3",
                                  "PORTAVEX4", "PORTAVEX5", "gbChannel"};

}  // namespace

LinkAdapter::LinkAdapter(DeviceLink& link, const LinkAdapterServices& services)
    : link_(link), services_(services) {}

std::string LinkAdapter::Text(const std::string& key, const char* chinese, const char* english) {
  return link_.Services().texts.LangText(key, Chinese() ? chinese : english);
}

void LinkAdapter::LinkModeClick(int mode) {
  DeviceState& s = link_.State();
  const LinkServices& services = link_.Services();
  IFormComponents& components = services_.components;
  if (s.ScanMode) btnScanClick();

  std::string item = "PORTAVEX" + std::to_string(mode);
  components.SetChecked(item, true);
  components.SetText("Label1", components.Text(item));
  services.view.SetSideListIndex(2);
  services.pages.ShowPage(IPageSwitch::kHome);

  s.Markers = kLinkMarkers;
  if (mode <= 4) services.timer.SetEnabled(true);
  components.SetVisible("GroupBox2", false);
  s.DeviceKindChanged = true;
  s.Busy = s.Identifying = s.Connected = false;
  s.ForgetDevice();
  services.editor.LoadDeviceDescription("");
  services.editor.BuildParameterPages();

  components.SetVisible("btnConnect", false);
  for (const char* menu : {"Export1", "Import1", "Print1"}) components.SetEnabled(menu, false);
  if (mode >= 2 && mode <= 4) ClearChannelChecks();
  if (mode == 5) {
    components.SetEnabled("btnRead", true);
    components.SetEnabled("btnWrite", false);
    components.SetChecked(ChannelComponent("rbChannel", 1), true);
  }
}

void LinkAdapter::LockModeMenus(bool enabled) {
  for (const char* menu : kModeMenus) services_.components.SetEnabled(menu, enabled);
}

void LinkAdapter::ClearChannelChecks() {
  for (int n = 1; n <= kChannels; ++n) {
    services_.components.SetChecked(ChannelComponent("cbChannel", n), false);
    services_.components.SetEnabled(ChannelComponent("cbChannel", n), false);
  }
}

void LinkAdapter::btnScanClick() {
  DeviceState& s = link_.State();
  const LinkServices& services = link_.Services();
  s.ScanMode = !s.ScanMode;
  if (s.ScanMode) {
    services_.firmware.SetUpgradeButtonEnabled(true, false);
    LockModeMenus(false);
    services_.components.SetText("btnScan", Text("StopScan", "停止", "Stop"));
    s.Busy = true;
    services.view.SetMainWindowEnabled(true);
    s.Markers = services.view.CheckedLinkMode() == 2 ? kLinkMarkers : kScanMarkers;
    return;
  }
  services.timer.SetEnabled(false);
  LockModeMenus(true);
  services_.components.SetText("btnScan", Text("StartScan", "扫描", "Scan"));
  s.Busy = false;
  if (!SelectFirstAnsweringChannel()) return;  // the adapter is gone: the unplug handling takes over
  services.timer.SetEnabled(true);
  s.DeviceKindChanged = true;
}

// Selects the first channel of the last status frame and switches to the
// channel markers; a channel that cannot be selected leaves the markers as
// they are. False when the adapter went away meanwhile.
bool LinkAdapter::SelectFirstAnsweringChannel() {
  const DeviceState& s = link_.State();
  for (int n = 1; n <= kChannels; ++n) {
    if (!s.ChannelFlags[static_cast<std::size_t>(n - 1)]) continue;
    if (services_.firmware.FirmwareItemCount(true) > 0) services_.firmware.SetUpgradeButtonEnabled(true, true);
    Selection selection = SelectChannel(n, kSelectAttempts, false);
    if (selection == Selection::Lost) return false;
    if (selection == Selection::Acknowledged) {
      link_.Delay(kSelectSettleMs);
      UseChannelMarkers();
    }
    break;
  }
  return true;
}

void LinkAdapter::ScanTick() {
  DeviceState& s = link_.State();
  if (link_.SendCommand(kCmdChannelStatus) == 0 || link_.WaitAckShort(kCmdChannelStatus) != kAckExpected) return;
  for (int n = 1; n <= kChannels; ++n) {
    bool answered = s.ChannelFlags[static_cast<std::size_t>(n - 1)] != 0;
    services_.components.SetChecked(ChannelComponent("cbChannel", n), answered);
    services_.components.SetEnabled(ChannelComponent("cbChannel", n), answered);
  }
}

// Asks the adapter for channel n until it acknowledges, `refusalLimit`
// unacknowledged requests have gone out, the attempts are used up, or the
// link is gone (no adapter listed, or Busy cleared when `whileBusy`).
LinkAdapter::Selection LinkAdapter::SelectChannel(int n, int refusalLimit, bool whileBusy) {
  const DeviceState& s = link_.State();
  int refusals = 0;
  for (int attempt = 0; attempt < kSelectAttempts; ++attempt) {
    link_.Services().pump.ProcessMessages();
    if (!link_.AdapterListed() || (whileBusy && !s.Busy)) return Selection::Lost;
    if (link_.SendLinkCommand(kCmdSelectChannel, static_cast<std::uint8_t>(n)) == 0) continue;
    if (link_.WaitAckShort(kCmdBlockAccepted) == kAckExpected) return Selection::Acknowledged;
    if (++refusals >= refusalLimit) return Selection::Refused;
  }
  return Selection::Refused;
}

void LinkAdapter::UseChannelMarkers() {
  int mode = link_.Services().view.CheckedLinkMode();
  link_.State().Markers = mode == 3 ? kScanMarkers : kEscMarkers;
  if (mode != 4) return;
  for (int i = 0; i < kCanHandshakes; ++i) {
    link_.Services().pump.ProcessMessages();
    if (link_.SendCommand(kCmdHandshake) != 0) link_.WaitAckTimeout(kCmdHandshakeAnswer, kCanHandshakeMs);
  }
}

void LinkAdapter::Handshakes(int count) {
  for (int i = 0; i < count; ++i)
    if (link_.SendCommand(kCmdHandshake) != 0) link_.WaitAckShort(kCmdHandshakeAnswer);
}

void LinkAdapter::btnUpgrade2Click() {
  DeviceState& s = link_.State();
  const LinkServices& services = link_.Services();
  JobScope scope(s, services.view);
  scope.TakeBusy();
  scope.DisableWindow();
  int successes = 0, failures = 0;
  for (int n = 1; n <= kChannels; ++n) {
    std::string box = ChannelComponent("cbChannel", n);
    if (!services_.components.Checked(box)) continue;
    s.Markers = services.view.CheckedLinkMode() == 2 ? kLinkMarkers : kScanMarkers;
    s.Busy = s.Connected = true;
    Handshakes(2);
    link_.WaitAckShort(kCmdHandshakeAnswer);
    const std::string caption = services_.components.Text(box);
    if (SelectChannel(n, kChannelRefusals, true) != Selection::Acknowledged) {
      ++failures;
      services.messages.ShowInfo(rtl::FillPlaces(Text("ChannelNotSelected", "{channel}：无法选择该通道，未更新固件",
                                                      "{channel}: could not be selected; not upgraded."),
                                                 {{"channel", caption}}),
                                 IMessageSink::kStatusLine);
    } else {
      UseChannelMarkers();
      if (services_.upgradeChannel(caption))
        ++successes;
      else
        ++failures;
    }
    Handshakes(2);
  }
  s.Markers = kLinkMarkers;
  // The user started the upgrade: a failure is also told in a box.
  services.messages.ShowInfo(UpgradeSummary(successes, failures),
                             failures > 0 ? IMessageSink::kBoth : IMessageSink::kStatusLine);
  services.timer.SetEnabled(true);
}

std::string LinkAdapter::UpgradeSummary(int successes, int failures) {
  if (successes == 0) return Text("ChannelUF", "没有更新任何通道", "No channel was updated.");
  const std::string text = Text("ChannelSummary", "{done} 个通道更新固件完成，{failed} 个通道更新固件失败。",
                                "Firmware upgrade: {done} channel(s) upgraded, {failed} failed.");
  return rtl::FillPlaces(text, {{"done", std::to_string(successes)}, {"failed", std::to_string(failures)}});
}

}  // namespace device
