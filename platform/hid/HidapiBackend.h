#pragma once
// Real adapters through Debian's hidapi (hidraw back end), extended the way
// the device link expects of its HID library:
//  - each device's report lengths come from its report descriptor in sysfs
//    (/sys/class/hidraw/<node>/device/report_descriptor);
//  - reads are zero-padded to the requested length, and a device without
//    report IDs gets report ID 0 in byte 0;
//  - a write sends exactly 1 + the declared size of its report ID;
//  - hidraw writes are synchronous and the kernel does not honour non-blocking
//    writes, so the write time-out is the kernel's own (a few seconds), not
//    the one passed.
#include <string>

#include "platform/hid/HidApi.h"
#include "platform/hid/ReportDescriptor.h"

namespace hid {

/// Report lengths of a hidraw node ("/dev/hidraw3") from its sysfs report
/// descriptor under `sysRoot`; empty lengths when it cannot be read.
ReportLengths ReadHidrawReportLengths(const std::string& devicePath,
                                      const std::string& sysRoot = "/sys");

/// The USB port path ("1-1.2") in a resolved sysfs device path such as
/// "/sys/devices/.../usb1/1-1/1-1.2/1-1.2:1.0/0003:10C4:82CD.0001": the
/// interface component's part before its ":". Empty when there is none.
std::string UsbPortFromSysfsPath(const std::string& resolvedPath);

/// The USB port path of a hidraw node under `sysRoot`; empty when unknown.
std::string ReadHidrawPortPath(const std::string& devicePath, const std::string& sysRoot = "/sys");

class HidapiBackend final : public IHidApi {
 public:
  HidapiBackend();
  ~HidapiBackend() override;

  int Init() override;
  int Exit() override;
  std::vector<DeviceInfo> Enumerate() override;
  Device* OpenPath(const std::string& path) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  void Close(Device* device) override;
  int ReadTimeout(Device* device, std::uint8_t* buffer, std::size_t length, int timeoutMs) override;
  int WriteTo(Device* device, const std::uint8_t* report, std::size_t length, int timeoutMs) override;

 private:
  OpenFailure lastFailure_;
};

}  // namespace hid
