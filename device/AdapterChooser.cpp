#include "device/AdapterChooser.h"

#include "platform/rtl/TextConvert.h"

namespace device {
namespace {

constexpr std::size_t kLabelChars = 10;
constexpr std::size_t kPathLabelStart = 28;  // position 29, 1-based
constexpr std::size_t kPathMarker = 36;      // position 37, 1-based

std::string PortLabel(const std::string& port) {
  std::string label = port.substr(0, kLabelChars);
  label.resize(kLabelChars, ' ');
  return label;
}

std::string PathLabel(const std::string& path) {
  if (path.size() > kPathMarker && path[kPathMarker] == '&') return path.substr(kPathLabelStart, kLabelChars);
  return " " + (path.size() > kPathLabelStart ? path.substr(kPathLabelStart, kLabelChars - 1) : std::string());
}

}  // namespace

std::string AdapterLabel(const hid::DeviceInfo& device) {
  std::string head = device.portPath.empty() ? PathLabel(device.path) : PortLabel(device.portPath);
  return head + "    " + rtl::Utf16ToUtf8(device.product);
}

std::vector<std::string> ChooserLines(const std::vector<std::string>& adapterLines) {
  std::vector<std::string> lines;
  for (const std::string& line : adapterLines)
    lines.push_back(line + (line.find("FS") != std::string::npos ? "    PORTAVEX" : "    DUR Udazedi Ved"));
  return lines;
}

void TfrmHid::HidListDblClick(int itemIndex) {
  if (itemIndex >= 0 && itemIndex < static_cast<int>(lines_.size())) modalResult_ = itemIndex + 1;
}

}  // namespace device
