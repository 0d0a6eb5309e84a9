#pragma once
// The link adapter's modes and channels. The adapter sits between the USB
// adapter and up to eight speed controllers on a bus; the device menu picks
// one of five link modes (PORTAVEX1..PORTAVEX5). In modes 2 to 4 the channels
// can be scanned for answering controllers, and the checked channels updated
// one after another with the firmware chosen in scbFirmware; mode 5 opens the
// channel-parameter page (ChannelParameters).
//
// Frame markers: A8/8A in any link mode; while scanning A6/6A (A8/8A in mode
// 2); once a channel is selected A6/6A in mode 3 (CAN), A5/5A otherwise.
#include <functional>
#include <string>

#include "device/DeviceLink.h"
#include "device/FirmwareServices.h"
#include "device/FormComponents.h"

namespace device {

struct LinkAdapterServices {
  IFormComponents& components;
  IFirmwareView& firmware;  ///< scbFirmware and btnUpgrade2
  IFirmwareShell& shell;    ///< the language
  /// UpgradeChannelToSelectedVersion of the upgrade planner (required):
  /// updates the selected channel, whose check-box caption it is given; true
  /// on success.
  std::function<bool(const std::string& caption)> upgradeChannel;
};

class LinkAdapter {
 public:
  LinkAdapter(DeviceLink& link, const LinkAdapterServices& services);

  /// The link-mode menu handlers: stop a running scan, check the item, show
  /// the home page, link markers, forget the device (flags, device texts,
  /// description and pages) and prepare the mode's controls. Modes 1 to 4
  /// start the poll timer; mode 5 leaves it as it is.
  void PORTAVEX1Click() { LinkModeClick(1); }
  void PORTAVEX2Click() { LinkModeClick(2); }
  void PORTAVEX3Click() { LinkModeClick(3); }
  void PORTAVEX4Click() { LinkModeClick(4); }
  void PORTAVEX5Click() { LinkModeClick(5); }

  /// Starts or stops the channel scan. A stop selects the first channel that
  /// answered (command 18) and switches to the channel markers. The device-kind
  /// and language handlers and the unplug path (ILinkHandlers::StopChannelScan)
  /// call it to stop a running scan.
  void btnScanClick();
  /// The poll timer's tick while ScanMode is set: command 17 and, on a status
  /// frame, the answering channels checked and enabled, the others not.
  void ScanTick();
  /// Updates every checked channel and shows the summary on the status line,
  /// and in a box too when a channel failed. A channel that cannot be
  /// selected (six refusals, or the adapter gone) counts as failed and is
  /// named on a line of its own.
  void btnUpgrade2Click();

  /// Enables or disables the language, device-kind and link-mode menu items
  /// and the channel group.
  void LockModeMenus(bool enabled);
  /// Unchecks and disables cbChannel1..cbChannel8.
  void ClearChannelChecks();

 private:
  void LinkModeClick(int mode);
  bool Chinese() { return services_.shell.IsChinese(); }
  std::string Text(const std::string& key, const char* chinese, const char* english);
  enum class Selection { Acknowledged, Refused, Lost };
  bool SelectFirstAnsweringChannel();
  Selection SelectChannel(int n, int refusalLimit, bool whileBusy);
  void UseChannelMarkers();
  void Handshakes(int count);
  std::string UpgradeSummary(int successes, int failures);

  DeviceLink& link_;
  LinkAdapterServices services_;
};

}  // namespace device
