#pragma once
// Fakes of the services the device link uses, and a rig that wires a
// DeviceLink to the simulated adapter on a virtual clock.
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "device/DeviceLink.h"
#include "platform/hid/Crc16.h"
#include "platform/hid/HidReportMap.h"
#include "platform/hid/SimDevices.h"
#include "platform/hid/SimulatedHid.h"

namespace device::fakes {

struct FakePump : IMessagePump {
  int calls = 0;
  std::function<void()> onPump;
  void ProcessMessages() override {
    ++calls;
    if (onPump) onPump();
  }
};

struct FakeTimer : ILinkTimer {
  bool enabled = false;
  void SetEnabled(bool on) override { enabled = on; }
};

struct FakeTexts : ITexts {
  std::string LangText(const std::string&, const std::string& fallback) override { return fallback; }
  std::string LangKey(const std::string& key) override { return "eng" + key; }
};

struct FakeMessages : IMessageSink {
  std::vector<std::pair<std::string, int>> shown;
  void ShowInfo(const std::string& text, int mode) override { shown.emplace_back(text, mode); }
};

struct FakeProgress : IProgressBox {
  bool exists = false;
  int shows = 0, value = 0, maximum = 0, repaints = 0, creates = 0, frees = 0;
  std::string label;
  std::vector<int> maxima;  ///< every maximum set, in order
  void Create(const std::string& text, int max) override {
    exists = true;
    ++creates;
    label = text;
    value = 0;
    SetMaximum(max);
    Show();
  }
  void Free() override {
    if (exists) ++frees;
    exists = false;
  }
  void SetMaximum(int max) override {
    maximum = max;
    maxima.push_back(max);
  }
  bool Exists() override { return exists; }
  void Show() override { ++shows; }
  int Value() override { return value; }
  int Maximum() override { return maximum; }
  void SetValue(int v) override { value = v; }
  void Repaint() override { ++repaints; }
};

struct FakePages : IPageSwitch {
  std::vector<int> shown;
  void ShowPage(int page) override { shown.push_back(page); }
};

struct FakeEditor : IParamEditor {
  std::optional<int> modeIndex;
  std::vector<std::string> loads;
  int builds = 0, shows = 0, collects = 0;
  std::vector<bool> enables;
  std::function<void()> onCollect;  ///< lets a test change the image as the controls would
  std::function<void()> onShow;
  void ShowSettings() override {
    ++shows;
    if (onShow) onShow();
  }
  void CollectSettings() override {
    ++collects;
    if (onCollect) onCollect();
  }
  void LoadDeviceDescription(const std::string& section) override { loads.push_back(section); }
  std::function<void()> onBuild;
  void BuildParameterPages() override {
    ++builds;
    if (onBuild) onBuild();
  }
  void SetParamControlsEnabled(bool on) override { enables.push_back(on); }
  std::optional<int> ModeIndex() override { return modeIndex; }
};

struct FakeView : IDeviceView {
  std::map<Led, bool> blinking;
  std::map<Led, std::uint32_t> fill;
  int memoClears = 0, modelMenuEnables = 0, scanButtonHides = 0, channelUnchecks = 0;
  bool jobButtonsEnabled = true;
  int linkMode = 0;
  bool programCard = false;
  std::vector<std::string> debug;
  bool mainWindowEnabled = true, hourglass = false, escKind = true, demo = false;
  bool updateButton = false, defaultButton = false, modelMenuDisabled = false;
  int disconnectedLooks = 0, installEnables = 0, sideListIndex = 0;
  bool pageNeedsDevice = true;
  // A blink runs back and forth between off and on; stopped, it jumps to the
  // end of its current half, so it may end dark: the fake always does.
  void SetLedBlinking(Led led, bool on) override {
    if (!on && blinking[led]) fill[led] = kLedOff;
    blinking[led] = on;
  }
  void SetLedFill(Led led, std::uint32_t argb) override { fill[led] = argb; }
  void ClearStatusMemo() override { ++memoClears; }
  void SetJobButtonsEnabled(bool on) override { jobButtonsEnabled = on; }
  void EnableSupportedModelMenu() override { ++modelMenuEnables; }
  void HideScanButton() override { ++scanButtonHides; }
  void UncheckChannelBoxes() override { ++channelUnchecks; }
  int CheckedLinkMode() override { return linkMode; }
  bool ProgramCardChecked() override { return programCard; }
  void DebugOutput(const std::string& line) override { debug.push_back(line); }
  std::uint32_t LedFill(Led led) override { return fill.count(led) ? fill[led] : kLedOff; }
  void SetMainWindowEnabled(bool on) override { mainWindowEnabled = on; }
  void SetHourglassCursor(bool on) override { hourglass = on; }
  void DisableSupportedModelMenu() override { modelMenuDisabled = true; }
  bool EscKindChecked() override { return escKind; }
  bool DemoMode() override { return demo; }
  void SetUpdateButtonEnabled(bool on) override { updateButton = on; }
  void SetDefaultButtonEnabled(bool on) override { defaultButton = on; }
  void ShowDisconnectedFields() override { ++disconnectedLooks; }
  int SideListIndex() override { return sideListIndex; }
  void SetSideListIndex(int index) override { sideListIndex = index; }
  bool ShownPageNeedsDevice() override { return pageNeedsDevice; }
  void EnableUpdateInstall() override { ++installEnables; }
};

struct FakeRecorder : IRecorderGrids {
  int rows = 2;
  std::map<std::pair<int, int>, std::string> cells, summary;
  int chartRepaints = 0;
  int RowCount() override { return rows; }
  void SetRowCount(int r) override { rows = r; }
  std::string Cell(int col, int row) override {
    auto it = cells.find({col, row});
    return it == cells.end() ? std::string() : it->second;
  }
  void SetCell(int col, int row, const std::string& text) override { cells[{col, row}] = text; }
  void SetSummaryCell(int col, int row, const std::string& text) override { summary[{col, row}] = text; }
  void RepaintChart() override { ++chartRepaints; }
};

struct FakeHandlers : ILinkHandlers {
  int arrivals = 0, scanStops = 0;
  std::function<void()> onArrival;  ///< the main form's arrival handler, when a test wires one
  void HidCtlDeviceArrival() override {
    ++arrivals;
    if (onArrival) onArrival();
  }
  void StopChannelScan() override { ++scanStops; }
};

/// The chooser: records the lines it was shown and answers `modalResult`,
/// or runs TfrmHid's logic with a double click on `doubleClick` when set.
struct FakeChooser : IAdapterChooser {
  int modalResult = 0;
  std::optional<int> doubleClick;
  std::vector<std::vector<std::string>> shown;
  int ShowModal(const std::vector<std::string>& adapterLines) override {
    shown.push_back(ChooserLines(adapterLines));
    if (!doubleClick) return modalResult;
    TfrmHid form(adapterLines);
    form.HidListDblClick(*doubleClick);
    return form.ModalResult();
  }
};

/// A device whose answers a test writes as a function of each output frame
/// (the report without its ID byte).
struct ScriptedDevice : hid::ISimDevice {
  std::function<void(const hid::Bytes& frame, hid::ISimReplies& replies)> answer;
  void OnOutputReport(const hid::Bytes& report, hid::ISimReplies& replies) override {
    if (answer) answer(hid::Bytes(report.begin() + 1, report.end()), replies);
  }
};

/// A DeviceLink on the simulated adapter with every service faked.
struct LinkRig {
  static constexpr const char* kPath = "/dev/hidraw0";

  explicit LinkRig(std::uint32_t startTick = 1000) : clock(startTick) {}

  /// Plugs `device` in as a 10C4:82CD adapter and selects it.
  template <typename Device>
  std::shared_ptr<Device> Attach(std::shared_ptr<Device> device) {
    hid.Plug({kPath, 0x10C4, 0x82CD, u"CP2110 HID USB-to-UART", 64, 65, "1-1"}, device);
    link.SelectAdapter(hid.Enumerate().back());
    return device;
  }
  std::shared_ptr<hid::SimClassicDevice> AttachClassic() {
    return Attach(std::make_shared<hid::SimClassicDevice>());
  }
  std::shared_ptr<hid::SimRegisterDevice> AttachRegister() {
    link.State().ProtocolSelector = 0;
    return Attach(std::make_shared<hid::SimRegisterDevice>());
  }
  /// Frames written so far (report ID dropped, trailing zero fill kept).
  const std::vector<hid::Bytes>& Written() { return hid.Written(kPath); }
  /// The frame of written report `i`, cut to `length` bytes.
  hid::Bytes WrittenFrame(std::size_t i, std::size_t length) {
    const hid::Bytes& report = Written().at(i);
    return hid::Bytes(report.begin() + 1, report.begin() + 1 + length);
  }

  hid::VirtualClock clock;
  hid::SimulatedHid hid{clock};
  FakePump pump;
  FakeTimer timer;
  FakeTexts texts;
  FakeMessages messages;
  FakeProgress progress;
  FakePages pages;
  FakeEditor editor;
  FakeView view;
  FakeRecorder recorder;
  FakeHandlers handlers;
  FakeChooser chooser;
  DeviceLink link{hid, clock,
                  LinkServices{pump, timer, texts, messages, progress, pages, editor, view, recorder, handlers,
                               chooser}};
};

}  // namespace device::fakes
