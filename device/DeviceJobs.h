#pragma once
// The device jobs of the main form on top of the device link: identification
// (handshake, information block, description load, automatic settings read)
// and the settings jobs (read, write, factory defaults). Each job holds Busy
// for its run and returns an English message, empty on success.
#include <string>

#include "device/DeviceInfoBlock.h"
#include "device/DeviceLink.h"
#include "device/FirmwareServices.h"

namespace device {

class JobScope;

/// The background load of the device description (MyThread).
class IDescriptionLoader {
 public:
  virtual ~IDescriptionLoader() = default;
  /// Starts loading the connected device's description in the background;
  /// a previous load is finished first, so two never run over the same data.
  virtual void StartBackgroundLoad() = 0;
  /// True once the load started last has ended, whether it worked or not.
  /// Identification waits for it at most 30 s, then builds the pages from
  /// the description it has.
  virtual bool DescriptionLoaded() = 0;
};

/// The settings databases' part of identification.
class ISettingsCatalogue {
 public:
  virtual ~ISettingsCatalogue() = default;
  virtual void SelectSettingsDatabase() = 0;
  virtual void FillFirmwareList() = 0;
};

class DeviceJobs final : public IDeviceIdentity {
 public:
  DeviceJobs(DeviceLink& link, IDescriptionLoader& description, ISettingsCatalogue& catalogue)
      : link_(link), description_(description), catalogue_(catalogue) {}

  /// One identification step of the poll timer: handshake (after 20 unsent or
  /// 10 unanswered handshakes the protocol flips for the next tick), then for
  /// a device not yet connected the information block, the description load,
  /// the database and firmware list, and for the models that read at once the
  /// settings (the third failed read in a row shows "Error to Read Parameter.").
  void IdentifyDevice();
  /// Reads the information block into the device texts, DeviceData and the
  /// settings image layout. keep = false re-checks that the same device is
  /// attached: "Error." (Connected cleared) when controller or hardware
  /// differ. "Get Information Fail." when the block cannot be read.
  std::string ReadDeviceInfo(bool keep) override;
  std::array<std::uint8_t, 32> DeviceData() override { return link_.State().DeviceData; }

  /// Reads SettingsImage; needs Busy. "USB Error", "Connect Fail.",
  /// "Return Fail.", "Get Settings Fail." or "Error.".
  std::string ReadSettings();
  /// Collects the controls into SettingsImage and writes its write window.
  /// "USB Error", "Connect Fail", "Return Fail", "Update Settings Fail." or "Error.".
  std::string WriteSettings();
  /// The write button: WriteSettings and its success or failure text.
  void btnUpdateClick();
  /// The defaults button: command 10, then the settings read again and shown.
  /// A link lost on the way is reported as a failure.
  void btnDefaultClick();

 private:
  enum class Handshake { Answered, Failed, NoAutoConnect };
  Handshake HandshakeLoop();
  bool IdentifyNewDevice(JobScope& scope);
  void AnnounceLinkMode();
  bool ReadsSettingsAtOnce() const;
  bool AutomaticSettingsRead();
  void WaitForDescription();
  void FailureEnd();
  bool LinkLedOn();
  bool JobAllowed();
  std::string DefaultsPhase();
  void ToggleProtocol();

  DeviceState& State() { return link_.State(); }
  const LinkServices& Services() const { return link_.Services(); }

  DeviceLink& link_;
  IDescriptionLoader& description_;
  ISettingsCatalogue& catalogue_;
};

}  // namespace device
