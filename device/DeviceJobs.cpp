#include "device/DeviceJobs.h"

#include "device/JobScope.h"
#include "device/ProtocolCommands.h"

namespace device {
namespace {

constexpr int kHandshakeUnsentLimit = 20;
constexpr int kHandshakeUnansweredLimit = 10;
constexpr std::uint32_t kHandshakeSpacingMs = 100;
constexpr std::uint32_t kInfoSettleMs = 500;
constexpr int kSettingsReadTries = 3;
constexpr int kJobAttempts = 10;
constexpr std::uint32_t kRetryPauseMs = 50;
constexpr std::uint32_t kDescriptionPollMs = 10;
// A description load takes milliseconds; one that never ends must not hold
// the identification (and the disabled window) for ever.
constexpr std::uint32_t kDescriptionWaitMs = 30000;
constexpr std::uint32_t kClassicWriteTailMs = 500;
constexpr std::uint32_t kRegisterWriteTailMs = 300;

const char* const kProcessKey = "Process";
const char* const kProcessText = "处理中，请稍候...";

}  // namespace

// ---- identification -------------------------------------------------------

void DeviceJobs::IdentifyDevice() {
  DeviceState& s = State();
  JobScope scope(s, Services().view);
  scope.TakeIdentifying();
  Services().view.SetLedFill(Led::Activity, kLedOff);
  Handshake handshake = HandshakeLoop();
  if (handshake != Handshake::Answered) {
    FailureEnd();
  } else if (!s.Connected && !IdentifyNewDevice(scope)) {
    FailureEnd();
  }
}

DeviceJobs::Handshake DeviceJobs::HandshakeLoop() {
  DeviceState& s = State();
  hid::ITickClock& clock = link_.Clock();
  std::uint32_t attemptStart = 0;
  for (int i = 0;;) {
    Services().pump.ProcessMessages();
    if (i > 0) {
      std::uint32_t elapsed = clock.GetTickCount() - attemptStart;
      if (elapsed < kHandshakeSpacingMs) link_.Delay(kHandshakeSpacingMs - elapsed);
    }
    attemptStart = clock.GetTickCount();
    if (!s.AutoConnect) {
      if (s.HandshakeFreeCount == 0) {
        if (link_.SendCommand(kCmdNoHandshakeStart) == 0) return Handshake::Failed;
        ++s.HandshakeFreeCount;
      }
      return Handshake::NoAutoConnect;
    }
    bool sent = link_.SendCommand(kCmdHandshake) != 0;
    if (sent && link_.WaitAckShort(kCmdHandshakeAnswer) == kAckExpected) return Handshake::Answered;
    if (++i >= (sent ? kHandshakeUnansweredLimit : kHandshakeUnsentLimit)) {
      ToggleProtocol();
      return Handshake::Failed;
    }
  }
}

void DeviceJobs::ToggleProtocol() {
  DeviceState& s = State();
  s.ProtocolSelector = s.ProtocolSelector != 0 ? 0 : 1;
  s.Connected = false;
}

bool DeviceJobs::IdentifyNewDevice(JobScope& scope) {
  DeviceState& s = State();
  const LinkServices& services = Services();
  services.view.DebugOutput("获取硬件信息");
  s.SettingsValid = false;  // whatever was read belonged to the device before
  scope.TakeBusy();
  scope.DisableWindow();
  services.timer.SetEnabled(false);
  AnnounceLinkMode();
  link_.Delay(kInfoSettleMs);
  std::string message = ReadDeviceInfo(true);
  services.timer.SetEnabled(true);
  if (!message.empty()) return false;

  services.view.DebugOutput("获取硬件信息成功");
  description_.StartBackgroundLoad();
  catalogue_.SelectSettingsDatabase();
  catalogue_.FillFirmwareList();
  s.Connected = true;
  services.view.DisableSupportedModelMenu();
  services.view.SetLedFill(Led::Link, kLedOn);
  std::fill(s.SettingsImage.begin(), s.SettingsImage.end(), 0);
  s.LoadingSettings = true;

  if (ReadsSettingsAtOnce()) {
    if (!AutomaticSettingsRead()) return false;
  } else {
    WaitForDescription();
    services.editor.BuildParameterPages();
  }
  if (services.view.CheckedLinkMode() == 5) services.timer.SetEnabled(false);
  return true;
}

void DeviceJobs::AnnounceLinkMode() {
  static const char* const kModeLines[] = {"", "PORTAVEX1 模式", "PORTAVEX2-4 模式", "PORTAVEX5 模式"};
  int mode = Services().view.CheckedLinkMode();
  std::uint8_t arg = mode == 1 ? 1 : mode >= 2 && mode <= 4 ? 2 : mode == 5 ? 3 : 0;
  if (arg == 0) return;
  Services().view.DebugOutput(kModeLines[arg]);
  if (link_.SendLinkCommand(kCmdSetLinkMode, arg) != 0) link_.WaitAckShort(kCmdSetLinkMode);
}

bool DeviceJobs::ReadsSettingsAtOnce() const {
  const DeviceState& s = link_.State();
  const std::string& c = s.DeviceInfoStrings[kController];
  const std::string& h = s.DeviceInfoStrings[kHardware];
  if (Services().view.EscKindChecked() && h != "0" && (c == "AIRPLANE_ESC" || c == "Corvanel_V3")) return true;
  for (const char* model : {"Corvanel_V4", "Corvanel_HV_V4", "Corvanel_HV_V4.1", "TESSIM_V5", "BOAT_ESC", "CAR_ESC",
                            "MOTOR_CHECKER"})
    if (c == model) return true;
  return false;
}

bool DeviceJobs::AutomaticSettingsRead() {
  DeviceState& s = State();
  const LinkServices& services = Services();
  ++s.SettingsReadAttempts;
  if (s.SettingsReadAttempts > kSettingsReadTries) return true;
  if (s.SettingsReadAttempts == kSettingsReadTries) {
    services.messages.ShowInfo(services.texts.LangText("parameter_error", "Error to Read Parameter."),
                               IMessageSink::kInfoBox);
    WaitForDescription();
    services.editor.BuildParameterPages();
    return true;
  }
  const std::string& c = s.DeviceInfoStrings[kController];
  const std::string& h = s.DeviceInfoStrings[kHardware];
  services.progress.Create(services.texts.LangText(kProcessKey, kProcessText), 240);
  int maximum = IsLargeCarHardware(h) ? 4832 : c == "TESSIM_V5" ? 2100 : 240;
  if (s.ProtocolSelector == 0) maximum = 4000;
  services.progress.SetMaximum(maximum);
  services.progress.SetValue(0);
  services.progress.Show();
  if (!ReadSettings().empty()) {
    s.Connected = false;
    s.SettingsValid = false;
    services.editor.SetParamControlsEnabled(false);
    services.progress.Free();
    return false;
  }
  s.SettingsReadAttempts = 0;
  s.SettingsValid = true;
  catalogue_.FillFirmwareList();
  WaitForDescription();
  services.editor.BuildParameterPages();
  services.view.SetLedFill(Led::Link, kLedOn);
  services.progress.Free();
  return true;
}

void DeviceJobs::WaitForDescription() {
  hid::ITickClock& clock = link_.Clock();
  std::uint32_t start = clock.GetTickCount();
  while (!description_.DescriptionLoaded()) {
    if (clock.GetTickCount() - start >= kDescriptionWaitMs) {
      Services().view.DebugOutput("device description load did not end; pages built from the previous one");
      return;
    }
    link_.Delay(kDescriptionPollMs);
  }
}

// The window, LoadingSettings and the guard flags come back through the job's
// scope. A page that needs no device (the recorder, the calculators) stays
// open: the poll fails every second while no device answers.
void DeviceJobs::FailureEnd() {
  DeviceState& s = State();
  const LinkServices& services = Services();
  if (!s.Connected) {
    services.view.SetLedFill(Led::Link, kLedOff);
    services.view.ShowDisconnectedFields();
    if (services.view.SideListIndex() > 0 && services.view.ShownPageNeedsDevice()) {
      services.view.SetSideListIndex(0);
      services.pages.ShowPage(IPageSwitch::kHome);
    }
    services.editor.SetParamControlsEnabled(false);
    services.view.EnableUpdateInstall();
  }
}

std::string DeviceJobs::ReadDeviceInfo(bool keep) {
  DeviceState& s = State();
  IDeviceView& view = Services().view;
  view.SetHourglassCursor(true);
  struct CursorBack {
    IDeviceView& view;
    ~CursorBack() { view.SetHourglassCursor(false); }
  } cursorBack{view};

  InfoBlock block{};
  if (link_.ReadBlocks(kCmdReadInfo, block, false) == 0) return "Get Information Fail.";
  std::string firmware = InfoText(block, kFirmwareText);
  std::string hardware = InfoText(block, kHardwareText);
  std::string controller = InfoText(block, kControllerText);
  TakeDeviceData(controller, hardware, block, s.DeviceData, s.DeviceInfoStrings[kExtraText]);

  std::string result;
  if (!keep && (s.DeviceInfoStrings[kController] != controller || s.DeviceInfoStrings[kHardware] != hardware)) {
    s.Connected = false;
    result = "Error.";
  }
  s.DeviceInfoStrings[kController] = controller;
  s.DeviceInfoStrings[kHardware] = hardware;
  s.DeviceInfoStrings[kFirmware] = firmware;
  s.Layout = LayoutFor(s.ProtocolSelector != 0, controller, hardware);
  return result;
}

// ---- settings jobs ----------------------------------------------------------

bool DeviceJobs::LinkLedOn() { return Services().view.LedFill(Led::Link) == kLedOn; }

std::string DeviceJobs::ReadSettings() {
  DeviceState& s = State();
  const LinkServices& services = Services();
  if (!LinkLedOn() || s.DeviceInfoStrings[kController].empty() || s.DeviceInfoStrings[kHardware].empty())
    return "USB Error";
  services.view.SetLedBlinking(Led::Link, true);
  std::string message = "Error.";
  int failures = 0, answered = 0;
  for (;;) {
    services.pump.ProcessMessages();
    if (failures > 9 || !s.Busy) break;
    if (link_.SendCommand(kCmdHandshake) == 0) {
      message = "Connect Fail.";
      break;
    }
    if (link_.WaitAck(kCmdHandshakeAnswer) != kAckExpected) {
      message = "Return Fail.";
      ++failures;
      link_.Delay(kRetryPauseMs);
      continue;
    }
    if (++answered < 2) continue;
    message = link_.ReadBlocks(kCmdReadSettings, s.SettingsImage, false) != 0 ? "" : "Get Settings Fail.";
    break;
  }
  services.view.SetLedBlinking(Led::Link, false);
  // A stopped blink ends on whichever colour its half-cycle was heading for;
  // the lamp is the jobs' connection test, so a device still there shows it on.
  if (s.Connected) services.view.SetLedFill(Led::Link, kLedOn);
  return message;
}

std::string DeviceJobs::WriteSettings() {
  DeviceState& s = State();
  const LinkServices& services = Services();
  if (!LinkLedOn() || s.DeviceInfoStrings[kController].empty() || s.DeviceInfoStrings[kHardware].empty())
    return "USB Error";
  services.editor.CollectSettings();
  const SettingsImageLayout& layout = s.Layout;
  std::string message = "Error.";
  for (int attempt = 0;;) {
    services.pump.ProcessMessages();
    if (attempt >= kJobAttempts || !s.Connected || !s.Busy) break;
    if (link_.SendCommand(kCmdHandshake) == 0) {
      message = "Connect Fail";
      break;
    }
    if (link_.WaitAck(kCmdHandshakeAnswer) != kAckExpected) {
      message = "Return Fail";
      link_.Delay(kRetryPauseMs);
      ++attempt;
      continue;
    }
    services.progress.Create(services.texts.LangText(kProcessKey, kProcessText), layout.writeLength);
    const std::uint8_t* window = s.SettingsImage.data() + layout.writeOffset;
    int written = s.ProtocolSelector != 0
                      ? link_.WriteClassicBlocks(kCmdWriteSettings, window, kClassicWriteTailMs, layout.writeLength)
                      : link_.WriteRegisterBlocks(window, kRegisterWriteTailMs, layout.writeLength);
    message = written != 0 ? "" : "Update Settings Fail.";
    services.progress.Free();
    break;
  }
  return message;
}

// The buttons are disabled otherwise, but a job must not rely on that: an
// image not read from the device now connected would overwrite its settings.
bool DeviceJobs::JobAllowed() {
  const DeviceState& s = link_.State();
  return !Services().view.DemoMode() && !s.Busy && s.Connected && s.SettingsValid;
}

void DeviceJobs::btnUpdateClick() {
  if (!JobAllowed()) return;
  const LinkServices& services = Services();
  JobScope scope(State(), services.view);
  scope.TakeBusy();
  scope.DisableWindow();
  const char* key = WriteSettings().empty() ? "setting_succ" : "setting_fail";
  services.messages.ShowInfo(services.texts.LangText(key, key), IMessageSink::kInfoBox);
  if (LinkLedOn()) services.view.SetUpdateButtonEnabled(true);
}

void DeviceJobs::btnDefaultClick() {
  if (!JobAllowed()) return;
  const LinkServices& services = Services();
  JobScope scope(State(), services.view);
  scope.TakeBusy();
  scope.DisableWindow();
  const char* key = DefaultsPhase().empty() ? "default_succ" : "default_fail";
  services.messages.ShowInfo(services.texts.LangText(key, key), IMessageSink::kInfoBox);
  if (LinkLedOn()) services.view.SetDefaultButtonEnabled(true);
}

// Handshake, command 10, then the settings read again. Only a completed
// reread reports success: a link lost on the way is "Return Fail.".
std::string DeviceJobs::DefaultsPhase() {
  DeviceState& s = State();
  const LinkServices& services = Services();
  std::string message = "Return Fail.";
  for (int attempt = 0;; ++attempt) {
    services.pump.ProcessMessages();
    if (attempt >= kJobAttempts || !s.Connected) {
      s.Connected = false;
      return message;
    }
    if (!LinkLedOn()) return "USB Error";
    if (link_.SendCommand(kCmdHandshake) == 0) return "Connect Fail.";
    if (link_.WaitAck(kCmdHandshakeAnswer) == kAckExpected) break;
  }
  for (int attempt = 0;; ++attempt) {
    services.pump.ProcessMessages();
    if (attempt >= kJobAttempts || !s.Connected) {
      s.Connected = false;
      return message;
    }
    link_.WaitAck(kCmdBlockAccepted);  // drains a stale acknowledgement
    if (link_.SendCommand(kCmdRestoreDefaults) == 0) return "SendCommand Fail.";
    if (link_.WaitAck(kCmdBlockAccepted) != kAckExpected) continue;
    int maximum = IsLargeCarHardware(s.DeviceInfoStrings[kHardware]) ? 736 : 240;
    services.progress.Create(services.texts.LangText(kProcessKey, kProcessText), maximum);
    message = ReadSettings();
    if (message.empty())
      services.editor.ShowSettings();
    else
      services.editor.SetParamControlsEnabled(false);
    services.progress.Free();
    return message;
  }
}

}  // namespace device
