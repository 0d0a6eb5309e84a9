#include "app/ModelMenu.h"

#include <cctype>
#include <charconv>

#include "platform/gui/Menus.h"
#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/TextConvert.h"

namespace app {
namespace {

bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
  return true;
}

}  // namespace

std::optional<bool> ParseDemoFlag(std::string_view text) {
  if (EqualsIgnoringCase(text, "true")) return true;
  if (EqualsIgnoringCase(text, "false")) return false;
  long long number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return number != 0;
}

void BuildModelMenu(const rtl::TMemIniFile& langIni, gui::TMenuItem& versionMenu, const rtl::TNotifyEvent& onClick) {
  int tag = kFirstModelTag;
  for (const std::string& section : langIni.ReadSections()) {
    if (section == "common") continue;
    auto* item = new gui::TMenuItem(&versionMenu);
    item->SetCaption(rtl::W(langIni.ReadString(section, "name", section)));
    item->SetHint(rtl::W(section));
    item->SetAutoCheck(true);
    item->SetGroupIndex(1);
    item->SetRadioItem(true);
    item->SetTag(tag++);
    item->OnClick = onClick;
    item->SetVisible(ParseDemoFlag(langIni.ReadString(section, "demo", "")).value_or(false));
    versionMenu.Add(item);
  }
}

bool HasModelItems(const gui::TMenuItem& versionMenu) { return versionMenu.Count() > kFixedVersionItems; }

}  // namespace app
