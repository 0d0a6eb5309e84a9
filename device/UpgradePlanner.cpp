#include "device/UpgradePlanner.h"

#include <algorithm>
#include <exception>

#include "device/JobScope.h"
#include "device/SettingsCatalogue.h"
#include "device/VersionControl.h"
#include "platform/rtl/TextCompare.h"

namespace device {
namespace {

constexpr const char* kCaption = "Infomation";
constexpr std::string_view kBetaMark = " (Beta)";

std::string CannotUpdate(const std::string& current, const std::string& target) {
  return "The current version (" + current + ") can not be updated to the version (" + target + ")!";
}

std::string InterimQuestion(const std::string& current, const std::string& target) {
  return "The current version (" + current + ") can not be  updated to the version (" + target +
         ") directly, do you want to update it to the interim version?";
}

}  // namespace

/// What differs between the single device and a link-adapter channel.
struct UpgradePlanner::Twin {
  bool link;            ///< scbFirmware and btnUpgrade2
  std::string caption;  ///< "0" for the single device
};

UpgradePlanner::UpgradePlanner(DeviceState& state, const SettingsCatalogue& catalogue, UpgradeProgress& progress,
                               const PlannerServices& services)
    : state_(state), catalogue_(catalogue), progress_(progress), services_(services) {}

// The version as the database stores it. " (Beta)" goes first, so that a beta
// whose final "A" was hidden in the list gets it back.
std::string UpgradePlanner::TargetOf(const std::string& comboText) const {
  std::string target = comboText;
  if (std::size_t beta = target.find(kBetaMark); beta != std::string::npos) target.resize(beta);
  const auto& stripped = catalogue_.StrippedVersions();
  bool wasStripped = std::any_of(stripped.begin(), stripped.end(),
                                 [&](const std::string& version) { return rtl::SameText(version, target); });
  if (wasStripped && !MentionsBeta(target)) target += "A";
  return target;
}

// The version to install: the chosen one, an interim version the user
// accepts, or empty when the device cannot go there.
std::string UpgradePlanner::PlanTarget(const VersionControl& versions, const std::string& chosen,
                                       const std::string& current) {
  const auto& info = state_.DeviceInfoStrings;
  auto refuse = [&] {
    services_.messages.ShowInfo(CannotUpdate(current, chosen), IMessageSink::kBoth);
    return std::string();
  };
  if (versions.BatchKey() <= 0) return refuse();
  int deviceBatch = versions.BatchOf(info[kFirmware]);
  int targetBatch = versions.BatchOf(chosen);
  if (deviceBatch == 0 || targetBatch == 0) return refuse();
  if (targetBatch == deviceBatch) return chosen;
  std::string interim = versions.Text((targetBatch < deviceBatch ? "down" : "up") + std::to_string(deviceBatch));
  if (interim.empty()) return refuse();
  return services_.shell.AskYesNo(InterimQuestion(current, chosen), kCaption) ? interim : std::string();
}

void UpgradePlanner::Report(const Twin& twin, const std::string& message) {
  bool success = message.empty();
  progress_.ResultMessageKey = success ? "upgrade_succ" : "upgrade_fail";
  std::string text = services_.texts.LangText(progress_.ResultMessageKey, progress_.ResultMessageKey);
  if (!success) text += "(" + message + ")";
  if (twin.link) {
    services_.messages.ShowInfo(twin.caption + ": " + text, IMessageSink::kStatusLine);
  } else {
    state_.Busy = false;
    services_.messages.ShowInfo(text, IMessageSink::kBoth);
    if (success) state_.Connected = false;  // identification starts again once the device is back
  }
  if (!success) state_.Busy = false;
  state_.PendingUpgradeStep = 0;
  state_.SettingsReadAttempts = 0;
}

bool UpgradePlanner::Run(const Twin& twin) {
  IFirmwareView& firmware = services_.firmware;
  if (state_.PendingUpgradeStep > 0) firmware.SetFirmwareItemIndex(twin.link, state_.PendingUpgradeStep - 1);
  bool busyElsewhere = !twin.link && state_.Busy && state_.PendingUpgradeStep < 1;
  if (firmware.DemoMode() || busyElsewhere || !state_.Connected || !firmware.UpgradeButtonEnabled(twin.link))
    return false;
  state_.Busy = true;
  firmware.FocusFirmwareCombo(twin.link);
  state_.PendingUpgradeStep = firmware.FirmwareItemIndex(twin.link) + 1;

  bool succeeded = false;
  try {
    succeeded = PlanAndUpload(twin);
  } catch (const std::exception&) {
    Report(twin, "fail");  // an unreadable version_control.ini, say
  }
  if (firmware.LinkLedOn())
    firmware.SetUpgradeButtonEnabled(twin.link, firmware.FirmwareItemCount(twin.link) > 0);
  return succeeded;
}

void UpgradePlanner::EndWithoutUpload() {
  state_.Busy = false;
  state_.PendingUpgradeStep = 0;  // the next click takes the user's new choice
}

bool UpgradePlanner::PlanAndUpload(const Twin& twin) {
  IFirmwareView& firmware = services_.firmware;
  const auto& info = state_.DeviceInfoStrings;
  std::string current = WithoutFinalA(info[kFirmware]);
  std::string chosen = TargetOf(firmware.FirmwareItemText(twin.link));
  VersionControl versions(catalogue_.ActiveDatabasePath(), info[kController], info[kHardware]);
  std::string notes = versions.Text(services_.shell.LangKey(chosen + "_readme"));
  if (!notes.empty() && !services_.shell.AskYesNo(notes, kCaption)) {
    if (firmware.FirmwareItemCount(twin.link) > 0) firmware.SetUpgradeButtonEnabled(twin.link, true);
    services_.view.SetMainWindowEnabled(true);
    EndWithoutUpload();
    return false;
  }
  std::string target = PlanTarget(versions, chosen, current);
  if (target.empty()) {
    EndWithoutUpload();
    return false;
  }
  bool card = !twin.link && services_.view.ProgramCardChecked();
  if (card) firmware.SetFormStyleNormal();
  std::string message = "fail";
  try {
    message = services_.uploader.UpgradeFirmware(target, twin.caption);
  } catch (const std::exception&) {
    message = "fail";
  }
  Report(twin, message);
  if (card) firmware.SetFormStyleNormal();
  return message.empty();
}

bool UpgradePlanner::UpgradeToSelectedVersion() { return Run({false, "0"}); }

bool UpgradePlanner::UpgradeChannelToSelectedVersion(const std::string& caption) { return Run({true, caption}); }

void UpgradePlanner::btnUpgradeClick() {
  JobScope scope(state_, services_.view);
  scope.DisableWindow();
  bool succeeded = UpgradeToSelectedVersion();
  services_.view.DebugOutput(succeeded ? "更新固件完成" : "更新固件失败");
}

}  // namespace device
