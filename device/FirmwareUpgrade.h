#pragma once
// UpgradeFirmware: takes one version's package from the active settings
// database, decrypts and checks it completely, binds it to the device for
// the XOR models, and uploads it: classic devices get part A (command 12),
// restart into their loader and get part B (command 4); register devices
// get both parts as one image.
#include <string>

#include "device/DeviceLink.h"
#include "device/FirmwarePackage.h"
#include "device/FirmwareServices.h"
#include "device/LinkServices.h"

namespace device {

class SettingsCatalogue;

/// The state of a running upgrade that the planner reads back.
struct UpgradeProgress {
  /// "upgrade_drive" while uploading, then "upgrade_succ" or "upgrade_fail".
  std::string ResultMessageKey;
};

/// Runs UpgradeFirmware for the planner (tests fake it).
class IFirmwareUploader {
 public:
  virtual ~IFirmwareUploader() = default;
  /// Installs database version `version`; `title` is "0" for the single
  /// device or the channel caption. Returns the message, empty on success.
  virtual std::string UpgradeFirmware(const std::string& version, const std::string& title) = 0;
};

struct UpgradeServices {
  hid::ITickClock& clock;  ///< the device link's clock
  IMessagePump& pump;
  ITexts& texts;
  IMessageSink& messages;
  IFirmwareView& firmware;
  IFirmwareShell& shell;
  IDeviceIdentity& identity;
};

class FirmwareUpgrade final : public IFirmwareUploader {
 public:
  FirmwareUpgrade(DeviceLink& link, const SettingsCatalogue& catalogue, UpgradeProgress& progress,
                  const UpgradeServices& services);

  /// Messages, in the order of the checks: "USB Error", "ESC Error.", "Open
  /// Database Fail.", "SQL parse Error.", "Program not found.", "Execute
  /// Query Fail.", "File Error.", "Hash1 Error.", "Hash2 Error.", "HtoD
  /// Error.", then the upload's "Connect Error.", "Return Error.",
  /// "Communicate Error.", "Max Fail Error.", "Program Error." and "Program
  /// Error. Please restart the ESC.". Nothing is sent to the device before
  /// every check passed. Upgrading is set for the whole run; when no adapter
  /// is listed at its end, the no-adapter reset it deferred runs. Exceptions
  /// of the cipher and hash registration propagate.
  std::string UpgradeFirmware(const std::string& version, const std::string& title) override;

 private:
  std::string UpgradeWhileFlagged(const std::string& version, const std::string& title);
  std::string Prepare(const std::string& version, const std::string& title, FirmwareImage& image);
  std::string ReadPackage(const std::string& version, const std::string& title, Bytes& package);
  void AwaitHandshake(bool pauseFirst);
  bool HandshakeAnswered();
  std::string Upload(const FirmwareImage& image);
  std::string UploadClassic(const FirmwareImage& image);
  std::string UploadPartB(const FirmwareImage& image);

  DeviceLink& link_;
  const SettingsCatalogue& catalogue_;
  UpgradeProgress& progress_;
  UpgradeServices services_;
};

}  // namespace device
