#pragma once
// The HID library seen by the device link: enumeration with report lengths,
// open/close, a read with a time-out and a write with a time-out. Two back
// ends implement it: HidapiBackend (real adapters through hidraw) and
// SimulatedHid (emulated devices, for tests and end-to-end runs).
// All calls come from the UI thread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/hid/OpenFailure.h"
#include "platform/rtl/Exceptions.h"

namespace hid {

/// One HID device found by Enumerate(). Owns copies of its texts.
struct DeviceInfo {
  std::string path;             ///< opened later by OpenPath()
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::u16string product;       ///< the USB product string
  int inputReportLength = 0;    ///< 1 + longest input report; passed to every read
  int outputReportLength = 0;   ///< 1 + longest output report; passed to every write
  std::string portPath;         ///< USB port path ("1-1.2"); empty where the system has none
};

/// An open device; each back end derives its own. Owned by the back end
/// until Close().
struct Device {
  virtual ~Device() = default;
};

/// Raised by ReadTimeout() when the device disappeared under an open handle
/// (the adapter was pulled out). A plain error returns -1 instead.
class EDeviceRemoved : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

class IHidApi {
 public:
  virtual ~IHidApi() = default;

  /// Library start and stop; results are informational (0 = fine).
  virtual int Init() = 0;
  virtual int Exit() = 0;

  /// Every HID device present, in a stable order.
  virtual std::vector<DeviceInfo> Enumerate() = 0;

  /// Opens a device by path; null when it cannot be opened, and then
  /// LastOpenFailure() says why.
  virtual Device* OpenPath(const std::string& path) = 0;

  /// Why the last OpenPath() gave null: the error and, in the user's words,
  /// the path and the system's reason ("cannot open /dev/hidraw3: Permission
  /// denied"). Empty after an OpenPath() that succeeded.
  virtual OpenFailure LastOpenFailure() const = 0;

  /// Releases a handle; null does nothing.
  virtual void Close(Device* device) = 0;

  /// Reads one input report into buffer[0..length): byte 0 is the report ID,
  /// the rest zero-padded to `length`. Returns the bytes placed (> 0), 0 at
  /// time-out, negative on error. Throws EDeviceRemoved when the device has gone.
  virtual int ReadTimeout(Device* device, std::uint8_t* buffer, std::size_t length,
                          int timeoutMs) = 0;

  /// Writes one output report (byte 0 = report ID). Returns the bytes written
  /// (> 0 counts as sent) or negative on error or time-out.
  virtual int WriteTo(Device* device, const std::uint8_t* report, std::size_t length,
                      int timeoutMs) = 0;
};

}  // namespace hid
