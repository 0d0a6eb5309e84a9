// The change rules between parameters, the mode change, the table-editor
// launch and the mode-name key rule.
#include <algorithm>
#include <charconv>
#include <optional>

#include "params/ParamEditor.h"
#include "params/ParamText.h"
#include "params/TextFunctions.h"
#include "platform/rtl/NumberText.h"

namespace params {
namespace {

constexpr int kNameKeyLimit = 15;
constexpr std::uint8_t kModeCommand = 15;

// A whole decimal integer, or nothing.
std::optional<int> WholeInteger(std::string_view text) {
  int value = 0;
  auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || next != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// The parameter index of a control named prefix + index.
std::optional<int> IndexAfter(const std::string& name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  return WholeInteger(std::string_view(name).substr(prefix.size()));
}

// The speed in front of "rpm" in an option entry ("2000rpm(*)": 2000).
std::optional<int> SpeedOf(const std::string& entry) {
  std::size_t rpm = entry.find("rpm");
  if (rpm == std::string::npos) return std::nullopt;
  return WholeInteger(std::string_view(entry).substr(0, rpm));
}

// Marks a parameter as being handled for the time of its handler.
struct ActiveGuard {
  ActiveGuard(std::vector<int>& active, int i) : active(active) { active.push_back(i); }
  ~ActiveGuard() { active.pop_back(); }
  std::vector<int>& active;
};

// UTF-8 lead bytes of characters outside the basic plane take two UTF-16 units.
std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) units += c >= 0xF0 ? 2 : 1;
  return units;
}

std::string FirstUtf16Units(std::string_view text, std::size_t units) {
  std::size_t counted = 0, cut = 0;
  for (; cut < text.size(); ++cut) {
    unsigned char c = static_cast<unsigned char>(text[cut]);
    if ((c & 0xC0) == 0x80) continue;
    std::size_t width = c >= 0xF0 ? 2 : 1;
    if (counted + width > units) break;
    counted += width;
  }
  return std::string(text.substr(0, cut));
}

}  // namespace

void ParamEditor::itemChange(const std::string& sender) {
  if (sender == kModeList) {
    ModeReload();
    return;
  }
  if (controls_.Kind(sender) == ControlKind::TrackBar) {
    controls_.SetText("l" + sender, rtl::FloatToStrF(controls_.Value(sender), rtl::ffFixed, 12, 0));
    return;
  }
  std::optional<int> i = IndexAfter(sender, "cbItem");
  if (!i || *i < 0 || *i >= std::min(version_.item, MaxItems)) return;
  // Rules may form a cycle: a parameter whose handler is running is not entered again.
  if (std::find(active_.begin(), active_.end(), *i) != active_.end()) return;
  ActiveGuard active(active_, *i);
  if (Item(*i).mode != 3 && !ApplyRules(*i)) return;
  UpdateOwnCustomControl(*i);
}

// Both rule passes of parameter i; false when a rule entry ended the handler.
bool ParamEditor::ApplyRules(int i) {
  const std::string& link = Item(i).link;
  if (link.empty() || link == "0") return true;  // "0" stands for no rules
  const std::vector<std::string> rules = ExpandValueList(link);
  for (const std::string& entry : rules) {
    std::optional<Rule> rule = ParseRule(entry);
    if (!rule) return false;
    ApplyRule(*rule, controls_.ItemIndex(ListName(i)));
  }
  for (const std::string& entry : rules) {
    std::optional<Rule> rule = ParseRule(entry);
    if (!rule) return false;
    const std::string list = "cbItem" + rule->target;
    if (controls_.Kind(list) != ControlKind::OptionList || !controls_.Enabled(list)) continue;
    if (!rule->targetIndex || *rule->targetIndex < 0 || *rule->targetIndex >= MaxItems ||
        Item(*rule->targetIndex).link.empty())
      continue;
    itemChange(list);
  }
  return true;
}

std::optional<ParamEditor::Rule> ParamEditor::ParseRule(const std::string& entry) {
  std::vector<std::string> fields = SplitString(",", entry);
  if (fields.size() < 4) return std::nullopt;
  std::optional<int> trigger = WholeInteger(fields[0]), kind = WholeInteger(fields[1]),
                     value = WholeInteger(fields[3]);
  if (!trigger || !kind || !value) return std::nullopt;
  return Rule{*trigger, *kind, fields[2], WholeInteger(fields[2]), *value};
}

void ParamEditor::ApplyRule(const Rule& rule, int selected) {
  const std::string list = "cbItem" + rule.target;
  if (controls_.Kind(list) != ControlKind::OptionList) return;
  switch (rule.kind) {
    case 0: controls_.SetVisible(list, selected != rule.trigger); break;
    case 1: controls_.SetEnabled(list, selected != rule.trigger); break;
    case 2:
      if (selected == rule.trigger) controls_.SetItemIndex(list, rule.value);
      break;
    default: return;
  }
  UpdateTargetCustomControl(rule, rule.kind == 0);
}

void ParamEditor::UpdateTargetCustomControl(const Rule& rule, bool visibility) {
  if (!rule.targetIndex || *rule.targetIndex < 0 || *rule.targetIndex >= MaxItems) return;
  const int mode = Item(*rule.targetIndex).mode;
  if (!IsTableMode(mode) && !IsCustomValueMode(mode)) return;
  const std::string list = "cbItem" + rule.target, custom = "eItem" + rule.target;
  if (controls_.Kind(custom) == ControlKind::None) return;
  if (visibility)
    controls_.SetVisible(custom, controls_.Visible(list));
  else
    controls_.SetEnabled(custom, controls_.Enabled(list) && CustomEntrySelected(list));
}

void ParamEditor::UpdateOwnCustomControl(int i) {
  const int mode = Item(i).mode;
  if (!IsTableMode(mode) && !IsCustomValueMode(mode)) return;
  const std::string custom = EditName(i);
  if (controls_.Kind(custom) == ControlKind::None) return;
  const bool enabled = CustomEntrySelected(ListName(i));
  controls_.SetEnabled(custom, enabled);
  if (!enabled || !UserChoice()) return;
  controls_.SetFocus(custom);
  // The editor's modal loop must not run inside the list's own event (its
  // drop-down closes and goes meanwhile): it opens once that has returned.
  if (IsTableMode(mode)) form_.Post([this, custom] { OpenChosenTable(custom); });
}

// A change the user made: not the editor's own setting of controls, nor a
// rule's selection or second pass inside another parameter's handler.
bool ParamEditor::UserChoice() const { return programmatic_ == 0 && active_.size() == 1; }

void ParamEditor::OpenChosenTable(const std::string& custom) {
  const std::optional<int> i = IndexAfter(custom, "eItem");
  if (!i || *i < 0 || *i >= std::min(version_.item, MaxItems) || !controls_.Enabled(custom) ||
      !CustomEntrySelected(ListName(*i)))
    return;
  if (!device_.Busy() && !form_.LanguageSwitching()) itemClick(custom);
}

// Only a mode the user chooses is read from the device: showing the image
// again (after a language switch) sets the mode list without asking for it.
void ParamEditor::ModeReload() {
  if (device_.Busy() || !device_.Connected() || programmatic_ > 0) return;
  device_.SetBusy(true);
  struct JobEnd {
    ParamEditor& editor;
    ~JobEnd() {
      editor.form_.FreeProgress();
      editor.device_.SetBusy(false);
    }
  } end{*this};
  int maximum = IsLargeCarHardware(device_.DeviceTexts()[1]) ? 736 : 240;
  if (device_.RegisterProtocol()) {
    device_.SetRegisterWordCounter(1024);
    maximum = 4000;
    device_.SendCommand(kModeCommand);
    device_.WaitAckShort(kModeCommand);
  }
  form_.ShowProgress(form_.LangText("Process", "处理中，请稍候..."), maximum);
  if (device_.ReadSettings().empty()) ShowSettings();
}

void ParamEditor::itemClick(const std::string& sender) {
  std::optional<int> i = IndexAfter(sender, "eItem");
  if (!i || *i < 0 || *i >= std::min(version_.item, MaxItems) || controls_.Kind(sender) != ControlKind::TextBox)
    return;
  ITEM& item = Item(*i);
  if (!IsTableMode(item.mode)) return;
  TableEditRequest request{*i, item.mode, controls_.Text(sender)};
  if (item.mode == 3 || item.mode == 9) {
    if (item.minlink.empty()) item.minlink = std::to_string(*i - 2);
    if (item.maxlink.empty()) item.maxlink = std::to_string(*i - 1);
    if (item.mode == 9 && item.locklink.empty()) item.locklink = std::to_string(*i - 3);
    std::optional<int> low = SelectedSpeed("cbItem" + item.minlink), high = SelectedSpeed("cbItem" + item.maxlink);
    // Without a speed range the table cannot be scaled: the editor stays closed.
    if (!low || !high || *high <= *low) {
      form_.ShowInfoBox(form_.LangText(
          "speed_range_error",
          "Choose a lowest and a highest speed (the highest above the lowest) before editing this table."));
      return;
    }
    request.low = *low;
    request.high = *high;
    if (item.mode == 9) request.lockIndex = std::clamp(controls_.ItemIndex("cbItem" + item.locklink), 2, 64);
  } else if (item.mode == 12) {
    const bool brake = item.cname == "刹车频率";
    request.low = brake ? 1 : 2;
    request.high = brake ? 32 : 64;
  }
  std::optional<std::string> edited = editors_.Edit(request, form_.ReportCapture());
  if (edited) controls_.SetText(sender, *edited);
}

std::optional<int> ParamEditor::SelectedSpeed(const std::string& list) {
  if (controls_.Kind(list) != ControlKind::OptionList) return std::nullopt;
  const int index = controls_.ItemIndex(list);
  std::vector<std::string> entries = controls_.Entries(list);
  if (index < 0 || index >= static_cast<int>(entries.size())) return std::nullopt;
  return SpeedOf(entries[static_cast<std::size_t>(index)]);
}

void ParamEditor::itemKeyDown(const std::string& sender, std::uint16_t& key) {
  if (sender != kNameBox) return;
  const std::string text = controls_.Text(sender);
  if (Utf16Length(text) < kNameKeyLimit) return;
  controls_.SetText(sender, FirstUtf16Units(text, kNameKeyLimit - 1));
  key = 0;
}

}  // namespace params
