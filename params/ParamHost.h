#pragma once
// What the parameter editor needs of the main form: its parameter controls
// found by name, its texts, message sink, menus, side list, dialogs and
// progress box, the device link's settings image and the calls of a mode
// change, and the table editors. The main form implements these; tests fake
// them. Everything runs on the UI thread.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace params {

// The kinds of parameter controls: option lists ("cbItem" i, "cbMode"), spin
// boxes and track bars ("eItem" i of modes 1, 2, 5, 6), text boxes (tables,
// readouts, "eName") and labels ("lItem" i, "leItem" i, "lMode").
enum class ControlKind { None, OptionList, SpinBox, TrackBar, TextBox, Label };

// The parameter controls on the pages, by name. Setters behave as the
// toolkit's controls do: SetItemIndex raises the list's change event on
// every call (an index outside the entries selects nothing); a track bar's
// SetValue rounds to its frequency, clamps to its range and raises the
// change event only when the value changes; a spin box's SetValue wraps a
// value above the maximum to the minimum, then one below the minimum to the
// maximum. A name that does not fit the call's kind is ignored (readers
// return empty, 0 or -1).
class IParamControls {
 public:
  virtual ~IParamControls() = default;
  virtual ControlKind Kind(const std::string& name) = 0;

  virtual bool Enabled(const std::string& name) = 0;
  virtual void SetEnabled(const std::string& name, bool enabled) = 0;
  virtual bool Visible(const std::string& name) = 0;
  virtual void SetVisible(const std::string& name, bool visible) = 0;
  virtual void SetFocus(const std::string& name) = 0;

  // Option lists.
  virtual std::vector<std::string> Entries(const std::string& name) = 0;
  virtual void SetEntry(const std::string& name, int index, const std::string& text) = 0;
  virtual void DeleteEntry(const std::string& name, int index) = 0;
  virtual void SetEntries(const std::string& name, const std::vector<std::string>& entries) = 0;
  virtual int ItemIndex(const std::string& name) = 0;
  virtual void SetItemIndex(const std::string& name, int index) = 0;

  // Spin boxes and track bars.
  virtual double Value(const std::string& name) = 0;
  virtual void SetValue(const std::string& name, double value) = 0;
  virtual double Min(const std::string& name) = 0;
  virtual void SetMin(const std::string& name, double value) = 0;
  virtual double Max(const std::string& name) = 0;
  virtual void SetMax(const std::string& name, double value) = 0;

  // Text boxes and labels (UTF-8).
  virtual std::string Text(const std::string& name) = 0;
  virtual void SetText(const std::string& name, const std::string& text) = 0;
};

// The side-list entries the settings outcome switches to (ListBoxItem n).
enum SidePage { kAboutPage = 1, kFirstParamPage = 2, kSoftwareInfoPage = 8, kChannelParamPage = 11 };

// The main form's services other than the controls.
class IParamForm {
 public:
  virtual ~IParamForm() = default;
  // The [common] text of `key` under the language prefix, or `fallback`.
  virtual std::string LangText(const std::string& key, const std::string& fallback) = 0;
  // A [common] integer without language prefix.
  virtual int LayoutInteger(const std::string& key, int fallback) = 0;
  virtual bool Chinese() = 0;            // Chinese1 checked
  virtual bool EscKindChecked() = 0;     // ESCSpeedController1 checked
  virtual int CheckedLinkMode() = 0;     // 1..5 for PORTAVEX1..5 checked, else 0
  virtual bool LanguageSwitching() = 0;
  virtual bool ReportCapture() = 0;
  // ShowInfo with InfoMode 1: a modal box.
  virtual void ShowInfoBox(const std::string& text) = 0;
  // Handles pending messages (Application->ProcessMessages).
  virtual void ProcessMessages() = 0;
  // Runs `call` from the message loop once the event being handled has
  // returned. A later post replaces a call not yet run; none runs after the
  // form is gone.
  virtual void Post(std::function<void()> call) = 0;
  virtual void SetUpdateButtonEnabled(bool enabled) = 0;
  // ListBoxItemClick: the page is shown and its entry marked in the side list.
  virtual void ShowPage(SidePage page) = 0;
  // The progress box of a mode change: created with `label` and `maximum`,
  // value 0, shown without a modal loop; freed afterwards.
  virtual void ShowProgress(const std::string& label, int maximum) = 0;
  virtual void FreeProgress() = 0;
  // Save and open dialogs; true with the chosen UTF-8 path, false when cancelled.
  virtual bool ExecuteSaveDialog(const std::string& filter, const std::string& defaultExt,
                                 std::string& fileName) = 0;
  virtual bool ExecuteOpenDialog(const std::string& filter, std::string& fileName) = 0;
};

// Where the parts of the settings image lie (the device's SettingsImageLayout).
struct ImageLayout {
  int writeOffset = 0, writeLength = 0, valueOffset = 0, countOffset = 0, maximumOffset = 0, defaultOffset = 0;
};

// The device link as the parameter editor sees it.
class IParamDevice {
 public:
  virtual ~IParamDevice() = default;
  virtual std::span<std::uint8_t> SettingsImage() = 0;
  virtual ImageLayout Layout() = 0;
  // Controller key, hardware and firmware version; empty while no device is identified.
  virtual std::array<std::string, 3> DeviceTexts() = 0;
  virtual int SettingsReadAttempts() = 0;
  virtual bool Connected() = 0;
  virtual bool Busy() = 0;
  virtual void SetBusy(bool busy) = 0;
  virtual bool RegisterProtocol() = 0;
  virtual void SetRegisterWordCounter(int counter) = 0;
  virtual int SendCommand(std::uint8_t command) = 0;
  virtual int WaitAckShort(std::uint8_t command) = 0;
  // Reads the settings image; empty on success, else the failure text.
  virtual std::string ReadSettings() = 0;
};

// What a table editor is opened with.
struct TableEditRequest {
  int item = 0;         // the parameter index
  int mode = 0;         // ItemMode 3, 4, 8, 9 or 12
  std::string table;    // TableHexText
  int low = 0, high = 0;  // value range of modes 3, 9 and 12
  int lockIndex = 0;      // mode 9: where the curve locks (2..64)
};

// The curve and table editors. In report capture the editor stays open for
// the settings report and Edit returns nothing.
class ITableEditors {
 public:
  virtual ~ITableEditors() = default;
  // The edited table when the user confirmed, nothing when cancelled.
  virtual std::optional<std::string> Edit(const TableEditRequest& request, bool reportCapture) = 0;
};

}  // namespace params
