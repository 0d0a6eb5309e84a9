#pragma once
// What the settings catalogue, the firmware upload and the upgrade planner
// need of the main form beyond the device link's own services: the firmware
// widgets (the single device's set or, for link modes 2 to 4, the link
// adapter's set), the program folder, questions to the user, the progress
// box's life, and identification's information read.
#include <array>
#include <cstdint>
#include <string>

namespace device {

/// The firmware widgets of the main form. `link` selects the link adapter's
/// set (scbFirmware, tbController, tbHardware, tbFirmware, btnUpgrade2)
/// instead of the single device's (cbFirmware, eController, eHardware,
/// eFirmware, btnUpgrade).
class IFirmwareView {
 public:
  virtual ~IFirmwareView() = default;

  virtual void SetVersionLabel(const std::string& text) = 0;  ///< lVersion

  virtual void ClearFirmwareCombo(bool link) = 0;
  virtual void AddFirmwareItem(bool link, const std::string& text) = 0;
  virtual int FirmwareItemCount(bool link) = 0;
  virtual int FirmwareItemIndex(bool link) = 0;
  virtual void SetFirmwareItemIndex(bool link, int index) = 0;
  /// Text of the selected item, empty when none is selected.
  virtual std::string FirmwareItemText(bool link) = 0;
  virtual void SetFirmwareComboEnabled(bool link, bool enabled) = 0;
  virtual void FocusFirmwareCombo(bool link) = 0;

  virtual void SetDeviceFields(bool link, const std::string& controller, const std::string& hardware) = 0;
  virtual void SetFirmwareField(bool link, const std::string& text) = 0;
  virtual void SetDeviceFieldsEnabled(bool link, bool enabled) = 0;

  virtual void SetSettingsButtonsEnabled(bool enabled) = 0;  ///< btnUpdate and btnDefault
  virtual bool UpgradeButtonEnabled(bool link) = 0;
  virtual void SetUpgradeButtonEnabled(bool link, bool enabled) = 0;

  /// Side list index := description tab count + 1, then ListBoxItemClick with
  /// ListBoxItem<item>.
  virtual void ShowSidePage(int item) = 0;
  virtual bool MotorCheckerChecked() = 0;   ///< MotorChecker1
  virtual void ClickMotorChecker() = 0;
  virtual std::string ProgramCardCaption() = 0;
  virtual int DescriptionTabCount() = 0;
  virtual bool LinkLedOn() = 0;             ///< Circle1 shows "#FF00AA00"
  virtual bool DemoMode() = 0;
  virtual void SetFormStyleNormal() = 0;
};

/// Services of the application shell.
class IFirmwareShell {
 public:
  virtual ~IFirmwareShell() = default;
  /// The folder of the executable, where the settings databases lie.
  virtual std::string ProgramFolder() = 0;
  /// The local database version text of version_control.xml ("2016-03-21").
  virtual std::string LocalDatabaseVersion() = 0;
  virtual bool IsChinese() = 0;
  /// The language-prefixed form of an ini key ("chs" or "eng" + key).
  virtual std::string LangKey(const std::string& key) = 0;
  /// True when the extra device text holds a character other than digits,
  /// letters, "-", "." and "_".
  virtual bool HasInvalidChars(const std::string& text) = 0;
  /// A Yes/No question box with a question icon; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  /// Frees any progress box, then shows a new one with `label` and `maximum`, value 0.
  virtual void CreateProgressBox(const std::string& label, int maximum) = 0;
  virtual void FreeProgressBox() = 0;
};

/// Identification's information read, which the upload repeats.
class IDeviceIdentity {
 public:
  virtual ~IDeviceIdentity() = default;
  /// ReadDeviceInfo(keep): empty on success, else the job message.
  virtual std::string ReadDeviceInfo(bool keep) = 0;
  /// DeviceData as the last information read filled it.
  virtual std::array<std::uint8_t, 32> DeviceData() = 0;
};

}  // namespace device
