#pragma once
// Hot-plug of the adapters: a libudev monitor on the "hidraw" subsystem whose
// socket sits in the GLib main loop. Only the two adapter vendor/product
// pairs are reported, so plugging a mouse never disturbs a running job.
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

struct udev;
struct udev_monitor;

namespace hid {

/// Vendor/product pair of a hidraw node, read from its device path
/// ("/devices/.../0003:10C4:82CD.0001/hidraw/hidraw0"); empty when the path
/// holds no HID bus id.
struct UsbId {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  bool operator==(const UsbId&) const = default;
};
std::optional<UsbId> UsbIdFromDevpath(const std::string& devpath);

/// True for the two adapters this program talks to (10C4:82CD, 0483:5720).
bool IsAdapterId(std::uint16_t vendorId, std::uint16_t productId);

/// Receives the filtered events on the UI thread.
class IHotplugHandler {
 public:
  virtual ~IHotplugHandler() = default;
  virtual void AdapterArrived() = 0;
  virtual void AdapterRemoved() = 0;
  /// An exception escaped a handler; it never crosses the GLib callback.
  virtual void HandleException(std::exception_ptr error) = 0;
};

class UdevHotplugMonitor {
 public:
  /// Starts listening in the default GLib main context. Without udev (no
  /// netlink access) it stays inert: Active() is false.
  explicit UdevHotplugMonitor(IHotplugHandler& handler);
  ~UdevHotplugMonitor();
  UdevHotplugMonitor(const UdevHotplugMonitor&) = delete;
  UdevHotplugMonitor& operator=(const UdevHotplugMonitor&) = delete;

  bool Active() const { return sourceId_ != 0; }

 private:
  friend struct UdevSourceTrampoline;
  void DispatchPending();

  IHotplugHandler& handler_;
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  unsigned sourceId_ = 0;
};

}  // namespace hid
