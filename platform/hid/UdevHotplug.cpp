#include "platform/hid/UdevHotplug.h"

#include <glib-unix.h>
#include <libudev.h>

#include <cstring>
#include <cctype>
#include <sstream>

namespace hid {

namespace {

bool HexRun(const std::string& text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) return false;
  for (std::size_t i = from; i < from + count; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

// "BBBB:VVVV:PPPP.NNNN", the name the kernel gives a HID device.
bool IsHidBusId(const std::string& name) {
  return name.size() > 15 && HexRun(name, 0, 4) && name[4] == ':' && HexRun(name, 5, 4) && name[9] == ':' &&
         HexRun(name, 10, 4) && name[14] == '.' && HexRun(name, 15, name.size() - 15);
}

}  // namespace

std::optional<UsbId> UsbIdFromDevpath(const std::string& devpath) {
  std::istringstream parts(devpath);
  std::string name;
  while (std::getline(parts, name, '/')) {
    if (!IsHidBusId(name)) continue;
    return UsbId{static_cast<std::uint16_t>(std::stoul(name.substr(5, 4), nullptr, 16)),
                 static_cast<std::uint16_t>(std::stoul(name.substr(10, 4), nullptr, 16))};
  }
  return std::nullopt;
}

bool IsAdapterId(std::uint16_t vendorId, std::uint16_t productId) {
  return (vendorId == 0x10C4 && productId == 0x82CD) || (vendorId == 0x0483 && productId == 0x5720);
}

struct UdevSourceTrampoline {
  static gboolean OnReadable(gint /*fd*/, GIOCondition /*condition*/, gpointer self) {
    static_cast<UdevHotplugMonitor*>(self)->DispatchPending();
    return G_SOURCE_CONTINUE;
  }
};

UdevHotplugMonitor::UdevHotplugMonitor(IHotplugHandler& handler) : handler_(handler) {
  udev_ = udev_new();
  if (!udev_) return;
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  if (!monitor_ || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor_) < 0)
    return;
  sourceId_ = g_unix_fd_add(udev_monitor_get_fd(monitor_), G_IO_IN, &UdevSourceTrampoline::OnReadable, this);
}

UdevHotplugMonitor::~UdevHotplugMonitor() {
  if (sourceId_) g_source_remove(sourceId_);
  if (monitor_) udev_monitor_unref(monitor_);
  if (udev_) udev_unref(udev_);
}

void UdevHotplugMonitor::DispatchPending() {
  while (udev_device* device = udev_monitor_receive_device(monitor_)) {
    const char* action = udev_device_get_action(device);
    const char* devpath = udev_device_get_devpath(device);
    auto id = UsbIdFromDevpath(devpath ? devpath : "");
    bool arrived = action && std::strcmp(action, "add") == 0;
    bool removed = action && std::strcmp(action, "remove") == 0;
    udev_device_unref(device);
    if (!id || !IsAdapterId(id->vendorId, id->productId)) continue;
    try {
      if (arrived) handler_.AdapterArrived();
      if (removed) handler_.AdapterRemoved();
    } catch (...) {
      handler_.HandleException(std::current_exception());
    }
  }
}

}  // namespace hid
