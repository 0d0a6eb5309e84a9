#pragma once
// What the device link needs of the rest of the program, as small interfaces
// the main form implements and tests fake: message pumping, the poll timer,
// texts and the message sink, the progress box, the page switch, the
// parameter editor, the widgets the link reads and sets, and the data
// recorder's grids. Everything runs on the UI thread.
#include <cstdint>
#include <optional>
#include <string>

#include "device/AdapterChooser.h"

namespace device {

/// The application's message loop.
class IMessagePump {
 public:
  virtual ~IMessagePump() = default;
  /// Handles every pending message and returns (Application->ProcessMessages).
  virtual void ProcessMessages() = 0;
};

/// The poll timer `Timer1` (100 ms) whose ticks drive identification.
class ILinkTimer {
 public:
  virtual ~ILinkTimer() = default;
  virtual void SetEnabled(bool enabled) = 0;
};

/// [common] texts of lang.ini under the language-prefixed key.
class ITexts {
 public:
  virtual ~ITexts() = default;
  /// The text of `key` ("chs"/"eng" prefix added), or `fallback` when missing.
  virtual std::string LangText(const std::string& key, const std::string& fallback) = 0;
  /// The language-prefixed form of an ini key ("chs" or "eng" + key).
  virtual std::string LangKey(const std::string& key) = 0;
};

/// The one message sink (ShowInfo).
class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  enum Mode { kStatusLine = 0, kInfoBox = 1, kBoth = 2 };
  virtual void ShowInfo(const std::string& text, int mode) = 0;
};

/// The progress box of the running job, if one exists.
class IProgressBox {
 public:
  virtual ~IProgressBox() = default;
  /// Frees any box, then creates one owned by the main window with the main
  /// scene's style, `label`, the maximum and value 0, and shows it.
  virtual void Create(const std::string& label, int maximum) = 0;
  /// Frees the box; nothing when none exists.
  virtual void Free() = 0;
  virtual void SetMaximum(int maximum) = 0;
  virtual bool Exists() = 0;
  virtual void Show() = 0;
  virtual int Value() = 0;
  virtual int Maximum() = 0;
  virtual void SetValue(int value) = 0;
  virtual void Repaint() = 0;
};

/// The side list that switches the visible page (ListBoxItemClick).
class IPageSwitch {
 public:
  virtual ~IPageSwitch() = default;
  enum Page { kHome = 1, kRecorder = 8, kLink = 11 };  ///< ListBoxItem1, 8, 11
  virtual void ShowPage(int page) = 0;
};

/// The parameter editor's services.
class IParamEditor {
 public:
  virtual ~IParamEditor() = default;
  /// Loads the device description; an empty name resolves it from the device strings.
  virtual void LoadDeviceDescription(const std::string& section) = 0;
  virtual void BuildParameterPages() = 0;
  virtual void SetParamControlsEnabled(bool enabled) = 0;
  /// Fills the parameter controls from the settings image.
  virtual void ShowSettings() = 0;
  /// Writes the parameter controls back into the settings image.
  virtual void CollectSettings() = 0;
  /// Item index of the mode selector `cbMode`; empty when the pages hold none.
  virtual std::optional<int> ModeIndex() = 0;
};

enum class Led { Link, Activity };  ///< Circle1 with ColorKeyAnimation1, Circle2 with ColorKeyAnimation2
constexpr std::uint32_t kLedOn = 0xFF00AA00;
constexpr std::uint32_t kLedOff = 0xFF004A00;

/// Widgets and menu states of the main form that the link reads or sets.
class IDeviceView {
 public:
  virtual ~IDeviceView() = default;
  virtual void SetLedBlinking(Led led, bool blinking) = 0;
  virtual void SetLedFill(Led led, std::uint32_t argb) = 0;
  virtual void ClearStatusMemo() = 0;                ///< eMessage
  virtual void SetJobButtonsEnabled(bool enabled) = 0;  ///< btnUpdate, btnDefault, btnUpgrade
  virtual void EnableSupportedModelMenu() = 0;       ///< every item of Version1
  virtual void HideScanButton() = 0;                 ///< btnScan
  virtual void UncheckChannelBoxes() = 0;            ///< cbChannel1..cbChannel8
  /// 1..5 when PORTAVEX1..PORTAVEX5 is checked, else 0.
  virtual int CheckedLinkMode() = 0;
  virtual bool ProgramCardChecked() = 0;             ///< LCDProgramCard1
  virtual void DebugOutput(const std::string& line) = 0;

  virtual std::uint32_t LedFill(Led led) = 0;          ///< the fill last set, read back as the link test
  virtual void SetMainWindowEnabled(bool enabled) = 0;
  virtual void SetHourglassCursor(bool on) = 0;
  virtual void DisableSupportedModelMenu() = 0;       ///< every item of Version1
  virtual bool EscKindChecked() = 0;                  ///< ESCSpeedController1
  virtual bool DemoMode() = 0;                        ///< Demo1
  virtual void SetUpdateButtonEnabled(bool enabled) = 0;   ///< btnUpdate
  virtual void SetDefaultButtonEnabled(bool enabled) = 0;  ///< btnDefault
  /// The disconnected look after a failed identification: ResultMessageKey,
  /// eMessage and vgmMessage emptied; eController, eHardware, eFirmware,
  /// cbFirmware, btnUpdate, btnDefault, btnUpgrade, tbController, tbHardware,
  /// tbFirmware, scbFirmware and btnUpgrade2 disabled.
  virtual void ShowDisconnectedFields() = 0;
  virtual int SideListIndex() = 0;                    ///< ListBox1
  virtual void SetSideListIndex(int index) = 0;
  /// Whether the page chosen in the side list shows a device (its settings
  /// or its firmware); the data recorder and the speed calculator work
  /// without one.
  virtual bool ShownPageNeedsDevice() = 0;
  /// Enables btnInstall of the update dialog when that dialog is showing.
  virtual void EnableUpdateInstall() = 0;
};

/// The data recorder: the sample grid `StringGrid1`, the summary grid
/// `StringGrid2` and the chart `PlotGrid1`.
class IRecorderGrids {
 public:
  virtual ~IRecorderGrids() = default;
  virtual int RowCount() = 0;
  virtual void SetRowCount(int rows) = 0;
  virtual std::string Cell(int col, int row) = 0;
  virtual void SetCell(int col, int row, const std::string& text) = 0;
  virtual void SetSummaryCell(int col, int row, const std::string& text) = 0;
  virtual void RepaintChart() = 0;
};

/// Handlers of the main form the unplug path runs: the arrival handler (the
/// main form passes it on to DeviceLink::HidCtlDeviceArrival) and the
/// channel-scan stop of the link-adapter part.
class ILinkHandlers {
 public:
  virtual ~ILinkHandlers() = default;
  virtual void HidCtlDeviceArrival() = 0;
  virtual void StopChannelScan() = 0;  ///< btnScanClick while ScanMode is set
};

/// The services one DeviceLink uses; all outlive it.
struct LinkServices {
  IMessagePump& pump;
  ILinkTimer& timer;
  ITexts& texts;
  IMessageSink& messages;
  IProgressBox& progress;
  IPageSwitch& pages;
  IParamEditor& editor;
  IDeviceView& view;
  IRecorderGrids& recorder;
  ILinkHandlers& handlers;
  IAdapterChooser& chooser;
};

}  // namespace device
