#include "platform/hid/HidapiBackend.h"

#include <hidapi/hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace hid {

namespace {

struct HidrawDevice final : Device {
  HidrawDevice(hid_device* h, std::string p, ReportLengths l)
      : handle(h), path(std::move(p)), lengths(std::move(l)) {}
  hid_device* handle;
  std::string path;
  ReportLengths lengths;
};

std::u16string WideToUtf16(const wchar_t* text) {
  std::u16string out;
  for (; text && *text; ++text) {
    auto code = static_cast<std::uint32_t>(*text);
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return out;
}

std::string NodeName(const std::string& devicePath) {
  auto slash = devicePath.rfind('/');
  return slash == std::string::npos ? devicePath : devicePath.substr(slash + 1);
}

}  // namespace

ReportLengths ReadHidrawReportLengths(const std::string& devicePath, const std::string& sysRoot) {
  std::ifstream in(sysRoot + "/class/hidraw/" + NodeName(devicePath) + "/device/report_descriptor",
                   std::ios::binary);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseReportDescriptor(bytes.data(), bytes.size());
}

std::string UsbPortFromSysfsPath(const std::string& resolvedPath) {
  auto isPortChar = [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; };
  std::string port;
  std::size_t begin = 0;
  while (begin < resolvedPath.size()) {
    std::size_t end = resolvedPath.find('/', begin);
    if (end == std::string::npos) end = resolvedPath.size();
    std::string component = resolvedPath.substr(begin, end - begin);
    std::size_t colon = component.find(':');
    std::string head = component.substr(0, colon);
    if (colon != std::string::npos && head.find('-') != std::string::npos &&
        std::all_of(head.begin(), head.end(), isPortChar))
      port = head;
    begin = end + 1;
  }
  return port;
}

std::string ReadHidrawPortPath(const std::string& devicePath, const std::string& sysRoot) {
  std::error_code error;
  auto resolved = std::filesystem::canonical(sysRoot + "/class/hidraw/" + NodeName(devicePath) + "/device", error);
  return error ? std::string() : UsbPortFromSysfsPath(resolved.string());
}

HidapiBackend::HidapiBackend() { hid_init(); }
HidapiBackend::~HidapiBackend() { hid_exit(); }

int HidapiBackend::Init() { return hid_init(); }
int HidapiBackend::Exit() { return hid_exit(); }

std::vector<DeviceInfo> HidapiBackend::Enumerate() {
  std::vector<DeviceInfo> devices;
  hid_device_info* head = hid_enumerate(0, 0);
  for (hid_device_info* record = head; record; record = record->next) {
    DeviceInfo info;
    info.path = record->path ? record->path : "";
    info.vendorId = record->vendor_id;
    info.productId = record->product_id;
    info.product = WideToUtf16(record->product_string);
    ReportLengths lengths = ReadHidrawReportLengths(info.path);
    info.inputReportLength = lengths.InputReportLength();
    info.outputReportLength = lengths.OutputReportLength();
    info.portPath = ReadHidrawPortPath(info.path);
    devices.push_back(std::move(info));
  }
  hid_free_enumeration(head);
  return devices;
}

Device* HidapiBackend::OpenPath(const std::string& path) {
  errno = 0;
  hid_device* handle = hid_open_path(path.c_str());
  if (!handle) {
    lastFailure_ = OpenFailure::Of(path, errno);
    return nullptr;
  }
  lastFailure_ = {};
  return new HidrawDevice(handle, path, ReadHidrawReportLengths(path));
}

void HidapiBackend::Close(Device* device) {
  if (!device) return;
  hid_close(static_cast<HidrawDevice*>(device)->handle);
  delete device;
}

int HidapiBackend::ReadTimeout(Device* handle, std::uint8_t* buffer, std::size_t length, int timeoutMs) {
  auto* device = static_cast<HidrawDevice*>(handle);
  if (!device || length == 0) return -1;
  // hidraw hands over reports of devices without report IDs without the ID byte.
  std::size_t skip = device->lengths.usesReportIds ? 0 : 1;
  if (length <= skip) return -1;
  std::memset(buffer, 0, length);
  int read = hid_read_timeout(device->handle, buffer + skip, length - skip, timeoutMs);
  if (read < 0) {
    if (access(device->path.c_str(), F_OK) != 0) throw EDeviceRemoved("HID device removed");
    return read;
  }
  return read == 0 ? 0 : static_cast<int>(length);
}

int HidapiBackend::WriteTo(Device* handle, const std::uint8_t* report, std::size_t length, int /*timeoutMs*/) {
  auto* device = static_cast<HidrawDevice*>(handle);
  if (!device || length == 0) return -1;
  int declared = device->lengths.OutputLengthOf(report[0]);
  std::size_t send = declared > 0 ? std::min<std::size_t>(length, declared) : length;
  return hid_write(device->handle, report, send);
}

}  // namespace hid
