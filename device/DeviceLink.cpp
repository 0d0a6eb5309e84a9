#include "device/DeviceLink.h"

#include <algorithm>
#include <cstring>

#include "platform/hid/Crc16.h"
#include "platform/hid/HidReportMap.h"

namespace device {
namespace {

constexpr std::uint32_t kPumpSliceMs = 10;
constexpr int kWriteTimeoutMs = 300;
constexpr std::size_t kReportBytes = 65;
const char* const kAdapterDeniedKey = "AdapterDenied";
const char* const kAdapterDeniedText =
    "没有打开适配器的权限：请将 data/70-esctool-adapters.rules 复制到 /etc/udev/rules.d/，然后重新插入适配器。";

}  // namespace

DeviceLink::DeviceLink(hid::IHidApi& api, hid::ITickClock& clock, const LinkServices& services)
    : api_(api), clock_(clock), services_(services) {}

DeviceLink::~DeviceLink() { api_.Close(handle_); }

void DeviceLink::SelectAdapter(const hid::DeviceInfo& adapter) {
  api_.Close(handle_);
  adapterLines_ = {AdapterLabel(adapter)};
  selected_ = adapter;
  deniedShown_ = false;
  OpenSelectedAdapter();
}

// An adapter that cannot be opened keeps no report lengths, and the user is
// told why, since every job after it can only say "Connect Fail.". A node
// the user may not open (no udev rule: the likeliest first-run problem)
// is explained in a box, once per arrival, as it looks like no adapter at all.
void DeviceLink::OpenSelectedAdapter() {
  handle_ = api_.OpenPath(selected_.path);
  if (handle_) return;
  selected_.inputReportLength = selected_.outputReportLength = 0;
  const hid::OpenFailure failure = api_.LastOpenFailure();
  services_.view.DebugOutput(failure.text);
  services_.messages.ShowInfo(failure.text, IMessageSink::kStatusLine);
  if (!failure.Denied() || deniedShown_) return;
  deniedShown_ = true;
  services_.messages.ShowInfo(services_.texts.LangText(kAdapterDeniedKey, kAdapterDeniedText), IMessageSink::kInfoBox);
}

void DeviceLink::PauseUntil(std::uint32_t since, std::uint32_t ms) {
  for (;;) {
    std::uint32_t elapsed = Tick() - since;
    if (elapsed >= ms) return;
    services_.pump.ProcessMessages();
    clock_.SleepFor(std::min(ms - elapsed, kPumpSliceMs));
  }
}

void DeviceLink::Delay(std::uint32_t ms) { PauseUntil(Tick(), ms); }

void DeviceLink::ResetDeviceState() {
  IDeviceView& view = services_.view;
  services_.timer.SetEnabled(false);
  view.ClearStatusMemo();
  state_.ForgetDevice();
  state_.Identifying = false;
  if (!state_.Upgrading) {
    state_.Connected = false;
    state_.Busy = false;
  }
  for (Led led : {Led::Link, Led::Activity}) {
    view.SetLedBlinking(led, false);
    view.SetLedFill(led, kLedOff);
  }
  view.SetJobButtonsEnabled(false);
  services_.editor.SetParamControlsEnabled(false);
  view.EnableSupportedModelMenu();
}

bool DeviceLink::SendFrame(const std::uint8_t* frame, int length) {
  if (!handle_ || length < 1 || length > 64) return false;
  std::array<std::uint8_t, kReportBytes> report{};
  report[0] = hid::OutputReportId(length);
  std::memcpy(report.data() + 1, frame, static_cast<std::size_t>(length));
  std::size_t writeLength = std::clamp<std::size_t>(selected_.outputReportLength, 0, kReportBytes);
  return api_.WriteTo(handle_, report.data(), writeLength, kWriteTimeoutMs) > 0;
}

bool DeviceLink::ReceiveFrame(InputFrame& destination, std::uint32_t timeoutMs) {
  if (!handle_) return false;
  std::uint32_t start = Tick();
  std::size_t readLength = std::clamp<std::size_t>(selected_.inputReportLength, 0, kReportBytes);
  while (Tick() - start <= timeoutMs) {
    services_.pump.ProcessMessages();
    std::array<std::uint8_t, kReportBytes> report{};
    int n = 0;
    try {
      n = api_.ReadTimeout(handle_, report.data(), readLength, static_cast<int>(timeoutMs));
    } catch (const hid::EDeviceRemoved&) {
      UnplugPath();
      return false;
    }
    if (n < 2 || n > 64) return false;
    int d = hid::InputFrameLength(report[0]);
    const std::uint8_t* frame = report.data() + 1;
    bool ours = frame[0] == state_.Markers.start && frame[d - 1] == state_.Markers.end;
    if (!ours && frame[0] != 0xFE) return false;
    if (!ours) {
      std::uint16_t crc = hid::Crc16Modbus(frame, d - 2);
      if (frame[d - 2] != (crc & 0xFF) || frame[d - 1] != (crc >> 8)) continue;
    }
    destination = {};
    std::memcpy(destination.bytes.data(), frame, static_cast<std::size_t>(d));
    destination.length = d;
    return true;
  }
  return false;
}

void DeviceLink::ResetLibrary() {
  if (handle_) api_.Close(handle_);
  handle_ = nullptr;
  api_.Exit();
  api_.Init();
}

// The no-device state after the adapter went away.
void DeviceLink::ReturnToNoAdapter(bool hideScanButton) {
  ResetLibrary();
  selected_.path.clear();
  ResetDeviceState();
  services_.pages.ShowPage(IPageSwitch::kHome);
  services_.editor.LoadDeviceDescription("");
  services_.editor.BuildParameterPages();
  if (state_.ScanMode) {
    services_.handlers.StopChannelScan();
    if (hideScanButton) services_.view.HideScanButton();
  }
  if (state_.Markers == kScanMarkers) state_.Markers = kLinkMarkers;
  int linkMode = services_.view.CheckedLinkMode();
  if (linkMode >= 2 && linkMode <= 4) services_.view.UncheckChannelBoxes();
}

void DeviceLink::UnplugPath() {
  ReturnToNoAdapter(true);
  services_.handlers.HidCtlDeviceArrival();
}

}  // namespace device
