#include "app/HelpContent.h"

#include <filesystem>

#include "params/TextFunctions.h"
#include "platform/rtl/Strings.h"

namespace app {
namespace {

constexpr std::string_view kListDelimiter = ";;";

// The lang.ini key of the firmware page's boxes and the calculator and
// governor pages; the program card has texts of its own for the firmware page.
std::string HelpKeyFor(int code, bool programCard) {
  const std::string card = programCard ? "lcd_" : "";
  switch (code) {
    case kControllerHelp: return card + "upgrade_controller_help";
    case kHardwareHelp: return card + "upgrade_hardware_help";
    case kFirmwareHelp: return card + "upgrade_firmware_help";
    case kFirmwareListHelp: return card + "upgrade_version_help";
    case kCalculatorHelp: return "calc_help";
    case kGovernorPageHelp: return "setting_suggestion";
    default: return "";
  }
}

void ReplaceFirst(std::string& text, std::string_view marker, const std::string& by) {
  if (const auto at = text.find(marker); at != std::string::npos) text.replace(at, marker.size(), by);
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string TextFileContent(const std::string& path) {
  rtl::TStringList lines;
  lines.LoadFromFile(path);
  return lines.Text();
}

}  // namespace

std::string HelpTextFor(int code, const HelpTextSources& sources) {
  if (code >= 0 && code < params::MaxItems) {
    if (!sources.description) return "";
    const params::ITEM& item = sources.description->items[static_cast<std::size_t>(code)];
    return sources.chinese ? item.chelp : item.ehelp;
  }
  if (code == kModeSelectorHelp) {
    if (!sources.description) return "";
    return sources.chinese ? sources.description->site.chelp : sources.description->site.ehelp;
  }
  const std::string key = HelpKeyFor(code, sources.programCard);
  return key.empty() || !sources.langText ? "" : sources.langText(key);
}

std::string ReplaceDeviceMarkers(std::string path, const DeviceMarkers& device) {
  ReplaceFirst(path, "[E]", device.controller);
  ReplaceFirst(path, "[H]", device.hardware);
  ReplaceFirst(path, "[F]", device.firmware);
  return path;
}

HelpFileKind HelpFileKindOf(std::string_view name) {
  if (EndsWith(name, ".htm") || EndsWith(name, ".html")) return HelpFileKind::WebPage;
  if (EndsWith(name, ".gif") || EndsWith(name, ".png") || EndsWith(name, ".jpg")) return HelpFileKind::Picture;
  return HelpFileKind::Text;
}

HelpContent ResolveHelp(const std::string& helpText, const std::string& helpFolder, const DeviceMarkers& device) {
  HelpContent content;
  if (helpText.find(kListDelimiter) == std::string::npos) {
    content.text = helpText;
    return content;
  }
  for (const std::string& name : params::SplitString(kListDelimiter, helpText)) {
    const HelpFileKind kind = HelpFileKindOf(name);
    std::string path = helpFolder + name;
    if (kind == HelpFileKind::WebPage) path = ReplaceDeviceMarkers(path, device);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
      content.text += path;
      continue;
    }
    switch (kind) {
      case HelpFileKind::WebPage: content.webPage = path; break;
      case HelpFileKind::Picture: content.pictures.push_back(path); break;
      case HelpFileKind::Text: content.text += TextFileContent(path); break;
    }
  }
  return content;
}

}  // namespace app
