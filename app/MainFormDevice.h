#pragma once
// The main window's device part: the device link, identification and the
// settings jobs, the settings catalogue and the link adapter, wired to the
// window through the small interfaces they define. Every interface is
// answered from the window's components, found by name.
#include <memory>
#include <string>

#include "app/AdapterChooserForm.h"
#include "device/ChannelParameters.h"
#include "device/DeviceJobs.h"
#include "device/DeviceLink.h"
#include "device/FirmwareServices.h"
#include "device/FirmwareUpgrade.h"
#include "device/FormComponents.h"
#include "device/LinkAdapter.h"
#include "device/SettingsCatalogue.h"
#include "device/UpgradePlanner.h"
#include "platform/hid/UdevHotplug.h"
#include "platform/rtl/Component.h"
#include "ui/controls/vg_combobox.h"

namespace app {

class TfrmInterface;

class MainFormDevice final : public device::IMessagePump,
                             public device::ILinkTimer,
                             public device::IMessageSink,
                             public device::IProgressBox,
                             public device::IPageSwitch,
                             public device::IParamEditor,
                             public device::IDeviceView,
                             public device::IRecorderGrids,
                             public device::ILinkHandlers,
                             public device::IAdapterChooser,
                             public device::IFirmwareView,
                             public device::IFirmwareShell,
                             public device::IFormComponents,
                             public device::IDescriptionLoader,
                             public device::ISettingsCatalogue,
                             public hid::IHotplugHandler {
 public:
  MainFormDevice(TfrmInterface& form, hid::IHidApi& hid, hid::ITickClock& clock);
  ~MainFormDevice() override;
  MainFormDevice(const MainFormDevice&) = delete;
  MainFormDevice& operator=(const MainFormDevice&) = delete;

  device::DeviceLink& Link() { return *link_; }
  device::DeviceState& State() { return link_->State(); }
  device::DeviceJobs& Jobs() { return *jobs_; }
  device::LinkAdapter& Adapter() { return *adapter_; }
  /// The channel-parameter page of link mode 5.
  device::ChannelParameters& Channels() { return *channels_; }
  device::SettingsCatalogue& Catalogue() { return *catalogue_; }
  device::UpgradePlanner& Planner() { return *planner_; }
  /// 1..5 while PORTAVEX1..5 is checked, else 0.
  int LinkMode() { return CheckedLinkMode(); }

  // hot-plug notifications
  void AdapterArrived() override { link_->HidCtlDeviceArrival(); }
  void AdapterRemoved() override { link_->HidCtlDeviceRemove(); }
  void HandleException(std::exception_ptr error) override;

 private:
  // IMessagePump, ILinkTimer
  void ProcessMessages() override;
  void SetEnabled(bool enabled) override;
  // IMessageSink, IProgressBox: the window's
  void ShowInfo(const std::string& text, int mode) override;
  void Create(const std::string& label, int maximum) override;
  void Free() override;
  void SetMaximum(int maximum) override;
  bool Exists() override;
  void Show() override;
  int Value() override;
  int Maximum() override;
  void SetValue(int value) override;
  void Repaint() override;
  // IPageSwitch
  void ShowPage(int page) override;
  // IParamEditor: the window's parameter part
  void LoadDeviceDescription(const std::string& section) override;
  void BuildParameterPages() override;
  void SetParamControlsEnabled(bool enabled) override;
  void ShowSettings() override;
  void CollectSettings() override;
  std::optional<int> ModeIndex() override;
  // IDeviceView
  void SetLedBlinking(device::Led led, bool blinking) override;
  void SetLedFill(device::Led led, std::uint32_t argb) override;
  void ClearStatusMemo() override;
  void SetJobButtonsEnabled(bool enabled) override;
  void EnableSupportedModelMenu() override { SetModelMenuEnabled(true); }
  void HideScanButton() override { SetVisible("btnScan", false); }
  void UncheckChannelBoxes() override;
  int CheckedLinkMode() override;
  bool ProgramCardChecked() override { return Checked("LCDProgramCard1"); }
  void DebugOutput(const std::string& line) override;
  std::uint32_t LedFill(device::Led led) override;
  void SetMainWindowEnabled(bool enabled) override;
  void SetHourglassCursor(bool) override {}
  void DisableSupportedModelMenu() override { SetModelMenuEnabled(false); }
  bool EscKindChecked() override { return Checked("ESCSpeedController1"); }
  bool DemoMode() override { return Checked("Demo1"); }
  void SetUpdateButtonEnabled(bool enabled) override { EnableNode("btnUpdate", enabled); }
  void SetDefaultButtonEnabled(bool enabled) override { EnableNode("btnDefault", enabled); }
  void ShowDisconnectedFields() override;
  int SideListIndex() override;
  void SetSideListIndex(int index) override;
  bool ShownPageNeedsDevice() override;
  void EnableUpdateInstall() override {}
  // IRecorderGrids: the recorder page's StringGrid1, StringGrid2 and
  // PlotGrid1 (MainFormRecorder.cpp)
  int RowCount() override;
  void SetRowCount(int rows) override;
  std::string Cell(int col, int row) override;
  void SetCell(int col, int row, const std::string& text) override;
  void SetSummaryCell(int col, int row, const std::string& text) override;
  void RepaintChart() override;
  // ILinkHandlers
  void HidCtlDeviceArrival() override { link_->HidCtlDeviceArrival(); }
  void StopChannelScan() override { adapter_->btnScanClick(); }
  // IAdapterChooser: the chooser window
  int ShowModal(const std::vector<std::string>& adapterLines) override { return chooser_.ShowModal(adapterLines); }
  // IFirmwareView
  void SetVersionLabel(const std::string& text) override { SetText("lVersion", text); }
  void ClearFirmwareCombo(bool link) override;
  void AddFirmwareItem(bool link, const std::string& text) override;
  int FirmwareItemCount(bool link) override;
  int FirmwareItemIndex(bool link) override;
  void SetFirmwareItemIndex(bool link, int index) override;
  std::string FirmwareItemText(bool link) override;
  void SetFirmwareComboEnabled(bool link, bool enabled) override;
  void FocusFirmwareCombo(bool link) override;
  void SetDeviceFields(bool link, const std::string& controller, const std::string& hardware) override;
  void SetFirmwareField(bool link, const std::string& text) override;
  void SetDeviceFieldsEnabled(bool link, bool enabled) override;
  void SetSettingsButtonsEnabled(bool enabled) override;
  bool UpgradeButtonEnabled(bool link) override;
  void SetUpgradeButtonEnabled(bool link, bool enabled) override;
  void ShowSidePage(int item) override;
  bool MotorCheckerChecked() override { return Checked("MotorChecker1"); }
  void ClickMotorChecker() override;
  std::string ProgramCardCaption() override { return Text("LCDProgramCard1"); }
  int DescriptionTabCount() override;
  bool LinkLedOn() override { return LedFill(device::Led::Link) == device::kLedOn; }
  void SetFormStyleNormal() override {}
  // IFirmwareShell
  std::string ProgramFolder() override;
  std::string LocalDatabaseVersion() override;
  bool IsChinese() override;
  bool HasInvalidChars(const std::string& text) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  // IFormComponents
  void SetEnabled(const std::string& name, bool enabled) override;
  void SetVisible(const std::string& name, bool visible) override;
  bool Checked(const std::string& name) override;
  void SetChecked(const std::string& name, bool checked) override;
  std::string Text(const std::string& name) override;
  void SetText(const std::string& name, const std::string& text) override;
  void InsertFirstLine(const std::string& name, const std::string& line) override;
  // IDescriptionLoader: the window's parameter part
  void StartBackgroundLoad() override;
  bool DescriptionLoaded() override;
  // ISettingsCatalogue
  void SelectSettingsDatabase() override { catalogue_->SelectSettingsDatabase(); }
  void FillFirmwareList() override { catalogue_->FillFirmwareList(); }

  void SetModelMenuEnabled(bool enabled);
  /// Enables the menu item or node of that name (both ILinkTimer and
  /// IFormComponents have a SetEnabled).
  void EnableNode(const std::string& name, bool enabled);
  rtl::TComponent* Find(const std::string& name) const;
  /// cbFirmware, or scbFirmware of the link adapter's page.
  vg::TvgStringComboBox* FirmwareCombo(bool link) const;

  TfrmInterface& form_;
  AdapterChooserWindow chooser_;
  std::unique_ptr<device::DeviceLink> link_;
  std::unique_ptr<device::SettingsCatalogue> catalogue_;
  std::unique_ptr<device::DeviceJobs> jobs_;
  device::UpgradeProgress upgradeProgress_;
  std::unique_ptr<device::FirmwareUpgrade> upgrade_;
  std::unique_ptr<device::UpgradePlanner> planner_;
  std::unique_ptr<device::LinkAdapter> adapter_;
  std::unique_ptr<device::ChannelParameters> channels_;
};

}  // namespace app
