// Raw reports for the link adapter's channel Modbus, which bypasses the
// report framing of the device frames.
#include <algorithm>

#include "device/DeviceLink.h"

namespace device {
namespace {

constexpr int kWriteTimeoutMs = 300;

std::size_t Clamped(int length) {
  return static_cast<std::size_t>(std::clamp<int>(length, 0, DeviceLink::kMaxReportBytes));
}

}  // namespace

bool DeviceLink::WriteReport(const Report& report) {
  if (!handle_) return false;
  return api_.WriteTo(handle_, report.data(), Clamped(selected_.outputReportLength), kWriteTimeoutMs) > 0;
}

int DeviceLink::ReadReport(Report& report, int timeoutMs) {
  if (!handle_) return -1;
  report.fill(0);
  return api_.ReadTimeout(handle_, report.data(), Clamped(selected_.inputReportLength), timeoutMs);
}

}  // namespace device
