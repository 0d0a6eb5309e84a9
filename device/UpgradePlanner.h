#pragma once
// The upgrade planner: turns the version chosen in the firmware combo into an
// upgrade. It restores the version text as the database stores it, asks the
// user about the version's release notes, checks in version_control.ini
// whether the device's firmware may go to that version directly or only
// through an interim version, runs UpgradeFirmware and reports the result.
#include <string>

#include "device/DeviceState.h"
#include "device/FirmwareServices.h"
#include "device/FirmwareUpgrade.h"
#include "device/LinkServices.h"

namespace device {

class SettingsCatalogue;
class VersionControl;

struct PlannerServices {
  IMessagePump& pump;
  ITexts& texts;
  IMessageSink& messages;
  IDeviceView& view;
  IFirmwareView& firmware;
  IFirmwareShell& shell;
  IFirmwareUploader& uploader;
};

class UpgradePlanner {
 public:
  UpgradePlanner(DeviceState& state, const SettingsCatalogue& catalogue, UpgradeProgress& progress,
                 const PlannerServices& services);

  /// Upgrades the single device to the version selected in cbFirmware (or to
  /// the interim version the user accepts). True when the upgrade succeeded.
  /// Refuses (false, nothing changed) in demo mode, while another job is
  /// busy, without a connected device or with btnUpgrade disabled.
  bool UpgradeToSelectedVersion();
  /// The same for the link adapter's selected channel (scbFirmware,
  /// btnUpgrade2), run under the caller's Busy flag; reports on the status
  /// line only, prefixed with `caption`. In both, a version_control.ini that
  /// cannot be read ends the planner as a failed upgrade ("upgrade_fail").
  bool UpgradeChannelToSelectedVersion(const std::string& caption);
  /// The upgrade button: main window disabled around UpgradeToSelectedVersion.
  void btnUpgradeClick();

 private:
  struct Twin;
  bool Run(const Twin& twin);
  bool PlanAndUpload(const Twin& twin);
  void EndWithoutUpload();
  std::string TargetOf(const std::string& comboText) const;
  std::string PlanTarget(const VersionControl& versions, const std::string& chosen, const std::string& current);
  void Report(const Twin& twin, const std::string& message);

  DeviceState& state_;
  const SettingsCatalogue& catalogue_;
  UpgradeProgress& progress_;
  PlannerServices services_;
};

}  // namespace device
