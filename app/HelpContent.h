#pragma once
// What the help panel shows for a help code. A control's Tag is its help
// code: 0 to 39 the controls of that parameter, then the codes below. The
// help text comes from the device description or from lang.ini; a text
// holding ";;" is a list of files in the program folder's help/ folder,
// whose web pages, pictures and texts make up the help.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "params/DeviceDescription.h"

namespace app {

inline constexpr int kModeSelectorHelp = 99;
inline constexpr int kControllerHelp = 100;
inline constexpr int kHardwareHelp = 101;
inline constexpr int kFirmwareHelp = 102;
inline constexpr int kFirmwareListHelp = 103;
inline constexpr int kCalculatorHelp = 104;
inline constexpr int kGovernorPageHelp = 105;
// Any code below 0: a page without help; the panel is only cleared.
inline constexpr int kNoHelp = -1;

struct HelpTextSources {
  bool chinese = false;
  bool programCard = false;  // the LCD program card is the chosen device kind
  const params::VERSION* description = nullptr;
  // The text of a lang.ini [common] key after the language prefix; "" when
  // the key is missing.
  std::function<std::string(const std::string& key)> langText;
};

// The help text of `code` ("" for a code without help).
std::string HelpTextFor(int code, const HelpTextSources& sources);

// The connected device's texts that a web page's name may hold.
struct DeviceMarkers {
  std::string controller;  // replaces the first "[E]"
  std::string hardware;    // replaces the first "[H]"
  std::string firmware;    // replaces the first "[F]"
};

// `path` with the first "[E]", "[H]" and "[F]" replaced (one page name
// serves every device).
std::string ReplaceDeviceMarkers(std::string path, const DeviceMarkers& device);

enum class HelpFileKind { WebPage, Picture, Text };
// By the extension, compared exactly: ".htm" and ".html" web pages,
// ".gif", ".png" and ".jpg" pictures, anything else text.
HelpFileKind HelpFileKindOf(std::string_view name);

struct HelpContent {
  std::string text;                    // shown above any pictures; "" for none
  std::vector<std::string> pictures;   // picture files in list order
  std::optional<std::string> webPage;  // the last web page of the list
};

// What `helpText` shows. A text without ";;" is shown as it stands. A file
// list names files in `helpFolder` (ending with "/"); each adds its part in
// order: a web page or a picture that exists, a text file's lines (each
// ending with CR LF), and for a file that does not exist its full path, so
// the user sees what is missing.
HelpContent ResolveHelp(const std::string& helpText, const std::string& helpFolder, const DeviceMarkers& device);

}  // namespace app
