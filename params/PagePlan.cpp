#include "params/PagePlan.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "params/MappingFamily.h"
#include "params/PageEntries.h"
#include "params/ParamText.h"
#include "params/TextFunctions.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/HexText.h"
#include "platform/rtl/NumberText.h"

namespace params {
namespace {

constexpr float kRowPitch = 40;
constexpr int kModeTag = 99;

// The number of a track option; its default mark is not part of it.
double OptionNumber(std::string option) {
  if (std::size_t mark = option.find(kDefaultMark); mark != std::string::npos) option.erase(mark, 3);
  return rtl::StrToFloat(option);
}

// One page under construction: the container rows go into and its rows.
class PagePlanner {
 public:
  PagePlanner(const VERSION& version, const PlanInputs& inputs, PagePlan& plan, int page)
      : version_(version), inputs_(inputs), plan_(plan), page_(page) {}

  void OpenGroupBox() {
    PlannedGroupBox box{page_};
    if (lastBox_ >= 0) {
      const PlannedGroupBox& previous = plan_.groupBoxes[static_cast<std::size_t>(lastBox_)];
      box.y = previous.y + previous.height + 20;
    } else {
      box.y = 8 + kRowPitch * static_cast<float>(row_);  // below the rows placed on the page itself
    }
    plan_.groupBoxes.push_back(box);
    lastBox_ = static_cast<int>(plan_.groupBoxes.size()) - 1;
    row_ = 0;
  }

  void PlaceRow(int i, bool& selectorMade) {
    const ITEM& item = version_.items[static_cast<std::size_t>(i)];
    if (item.mode == 7) return;
    const float left = lastBox_ >= 0 ? 10.f : 25.f;
    GrowContainer(kRowPitch);
    if (page_ == 0 && row_ == 0 && version_.site.enabled && !selectorMade) {
      Naming(inputs_.modeCaption, [&] { PlaceModeSelector(left); });
      selectorMade = true;
    }
    const float captionY = 25 + kRowPitch * static_cast<float>(row_), controlY = 22 + kRowPitch * static_cast<float>(row_);
    const std::string& caption = inputs_.chinese ? item.cname : item.ename;
    PlannedControl& label = Add(LabelName(i), ControlKind::Label, left, captionY, 170, i);
    label.captionStyle = true;
    label.text = caption;
    Naming(caption, [&] { PlaceModeControls(i, item, left, controlY); });
    ++row_;
  }

 private:
  // Runs `place`; a description text it cannot read is raised with the name
  // of the parameter it belongs to.
  template <typename Place>
  static void Naming(const std::string& parameter, Place place) {
    try {
      place();
    } catch (const rtl::EConvertError& e) {
      throw EUnreadableParameter(parameter, e.Message());
    } catch (const rtl::EListError& e) {
      throw EUnreadableParameter(parameter, e.Message());
    }
  }

  PlannedControl& Add(const std::string& name, ControlKind kind, float x, float y, float width, int tag) {
    PlannedControl control;
    control.name = name;
    control.kind = kind;
    control.page = page_;
    control.groupBox = lastBox_;
    control.x = x;
    control.y = y;
    control.width = width;
    control.tag = tag;
    plan_.controls.push_back(std::move(control));
    return plan_.controls.back();
  }

  void GrowContainer(float by) {
    if (lastBox_ >= 0) plan_.groupBoxes[static_cast<std::size_t>(lastBox_)].height += by;
  }

  PlannedControl& AddOptionList(const std::string& name, float x, float y, float width, int tag,
                                const std::string& list) {
    PlannedControl& combo = Add(name, ControlKind::OptionList, x, y, width, tag);
    combo.entries = ExpandValueList(list);
    combo.selected = combo.entries.empty() ? -1 : FindDefaultIndex(combo.entries);
    return combo;
  }

  void PlaceModeSelector(float left) {
    const float captionY = 25 + kRowPitch * static_cast<float>(row_), controlY = 22 + kRowPitch * static_cast<float>(row_);
    PlannedControl& caption = Add(kModeLabel, ControlKind::Label, left, captionY, 90, 0);
    caption.captionStyle = true;
    caption.text = inputs_.modeCaption;
    AddOptionList(kModeList, left + 100, controlY, 120, kModeTag,
                  inputs_.chinese ? version_.site.cvalue : version_.site.evalue);
    Add(kNameBox, ControlKind::TextBox, left + 230, controlY, 140, kModeTag);
    row_ = 2;
    GrowContainer(2 * kRowPitch);
  }

  void PlaceModeControls(int i, const ITEM& item, float left, float y) {
    const std::string& values = inputs_.chinese ? item.cvalue : item.evalue;
    switch (item.mode) {
      case 1:
      case 2:
        AddOptionList(ListName(i), left + 170, y, 120, i, values);
        PlaceSpinBox(i, item, left, y);
        break;
      case 5:
      case 6:
        PlaceTrackBar(i, item, left, y, values);
        break;
      case 10: {
        PlannedControl& readout = Add(EditName(i), ControlKind::TextBox, left + 170, y, 200, i);
        readout.readOnly = true;
        readout.text = ReadoutText(i, item);
        break;
      }
      default:
        AddOptionList(ListName(i), left + 170, y, 200, i, values);
        if (IsTableMode(item.mode)) PlaceTableBox(i, item, left, y);
    }
  }

  void PlaceSpinBox(int i, const ITEM& item, float left, float y) {
    PlannedControl& spin = Add(EditName(i), ControlKind::SpinBox, left + 292, y, 78, i);
    spin.fontSize = 10;
    spin.postfix = inputs_.chinese ? item.cunit : item.eunit;
    spin.decimals = 1;
    if (item.mode == 2) {
      spin.step = 0.1;
      spin.min = rtl::StrToInt(item.mincustom) / 10.0;
      spin.max = rtl::StrToInt(item.maxcustom) / 10.0;
    } else {
      spin.integer = true;
      spin.min = rtl::StrToFloat(item.mincustom);
      spin.max = rtl::StrToFloat(item.maxcustom);
    }
    spin.value = spin.min;
    spin.enabled = false;
  }

  void PlaceTrackBar(int i, const ITEM& item, float left, float y, const std::string& values) {
    PlannedControl& track = Add(EditName(i), ControlKind::TrackBar, left + 170, y, 150, i);
    if (item.max == "0") {
      std::vector<std::string> options = ExpandValueList(values);
      if (options.size() < 2) throw rtl::EConvertError("'" + values + "' is not a valid track range");
      track.min = OptionNumber(options.front());
      track.max = OptionNumber(options.back());
      track.step = OptionNumber(options[1]) - track.min;
      track.value = OptionNumber(options[static_cast<std::size_t>(FindDefaultIndex(options))]);
      if (track.value < track.min || track.value > track.max) track.value = track.min;
    } else {
      track.min = rtl::StrToFloat(item.min);
      track.max = rtl::StrToFloat(item.max);
      track.step = 1;
      track.value = track.min;
    }
    const double value = track.value;
    PlannedControl& label = Add(ValueLabelName(i), ControlKind::Label, left + 320, y, 50, i);
    label.centred = true;
    label.text = rtl::FloatToStrF(value, rtl::ffFixed, 12, 0);
  }

  void PlaceTableBox(int i, const ITEM& item, float left, float y) {
    PlannedControl& box = Add(EditName(i), ControlKind::TextBox, left + 290, y, 80, i);
    box.visible = false;
    box.readOnly = true;
    box.text = DefaultTable(i, item);
  }

  std::string DefaultTable(int i, const ITEM& item) {
    std::vector<std::uint8_t> table;
    if (item.mode == 3 || item.mode == 9) {
      std::optional<int> low = SelectedSpeed(item.minlink.empty() ? std::to_string(i - 2) : item.minlink);
      std::optional<int> high = SelectedSpeed(item.maxlink.empty() ? std::to_string(i - 1) : item.maxlink);
      const float d = low && high ? static_cast<float>(*high - *low) / 256.0f : 0.0f;  // flat without a range
      for (int n = 0; n < 64; ++n) {
        auto v = static_cast<std::uint16_t>(std::trunc(static_cast<float>(low.value_or(0)) + 4.0f * static_cast<float>(n) * d));
        table.push_back(static_cast<std::uint8_t>(v >> 8));
        table.push_back(static_cast<std::uint8_t>(v & 0xFF));
      }
    } else if (item.mode == 12) {
      table.assign(64, 4);
    } else {
      for (int n = 0; n < 256; ++n) table.push_back(static_cast<std::uint8_t>(n));
    }
    return rtl::BytesToHex(table);
  }

  // The speed in front of "rpm" of the selected entry of "cbItem" + index, planned earlier.
  std::optional<int> SelectedSpeed(const std::string& index) const {
    const PlannedControl* list = plan_.Find("cbItem" + index);
    if (!list || list->selected < 0 || list->selected >= static_cast<int>(list->entries.size())) return std::nullopt;
    const std::string& entry = list->entries[static_cast<std::size_t>(list->selected)];
    std::size_t rpm = entry.find("rpm");
    int speed = 0;
    if (rpm == std::string::npos || !rtl::TryStrToInt(entry.substr(0, rpm), speed)) return std::nullopt;
    return speed;
  }

  // A measurement of the device data: digits up to the first zero byte;
  // nothing when blank or not a number.
  std::optional<int> Measurement(std::size_t first, std::size_t length) const {
    std::string text;
    for (std::size_t k = first; k < first + length && inputs_.deviceData[k] != 0; ++k)
      text += static_cast<char>(inputs_.deviceData[k]);
    int value = 0;
    if (TrimControlCharacters(text).empty() || !rtl::TryStrToInt(text, value)) return std::nullopt;
    return value;
  }

  std::string ReadoutText(int i, const ITEM& item) const {
    auto named = [&](const char* english, const char* chinese) { return item.ename == english || item.cname == chinese; };
    const std::string& unit = inputs_.chinese ? item.cunit : item.eunit;
    const std::string& unit1 = inputs_.chinese ? item.cunit1 : item.eunit1;
    const std::string& unit2 = inputs_.chinese ? item.cunit2 : item.eunit2;
    auto temperature = [&](std::optional<int> v) -> std::string {
      if (inputs_.demo) v = 0;
      if (!v) return "";
      return std::to_string(*v) + " " + unit1 + " / " + rtl::FormatFloat("0.00", *v * 1.8 + 32) + " " + unit2;
    };
    if (named("KV Rating", "电机KV值")) {
      const auto at = static_cast<std::size_t>(inputs_.valueOffset + i);
      if (inputs_.valueOffset + i < 0 || at + 1 >= inputs_.settingsImage.size()) return "";
      int v = inputs_.demo ? 0 : inputs_.settingsImage[at] << 8 | inputs_.settingsImage[at + 1];
      return std::to_string(v) + " " + unit;
    }
    if (named("Max. ESC Temperature", "最高电调温度")) return temperature(Measurement(1, 3));
    if (named("Max. Motor Temperature", "最高电机温度")) return temperature(Measurement(4, 3));
    if (named("Min. Battery Voltage", "最低电池电压")) {
      std::optional<int> v = inputs_.demo ? std::optional<int>(0) : Measurement(7, 3);
      return v ? rtl::FloatToStrF(*v / 10.0, rtl::ffFixed, 15, 2) + " " + unit : "";
    }
    if (named("Max. Motor RPM", "最高电机转速")) {
      std::optional<int> v = inputs_.demo ? std::optional<int>(0) : Measurement(10, 6);
      return v ? std::to_string(*v) + " " + unit : "";
    }
    return "";
  }

  const VERSION& version_;
  const PlanInputs& inputs_;
  PagePlan& plan_;
  int page_;
  int row_ = 0;
  int lastBox_ = -1;
};

}  // namespace

const PlannedControl* PagePlan::Find(const std::string& name) const {
  for (const PlannedControl& control : controls)
    if (control.name == name) return &control;
  return nullptr;
}

int FindDefaultIndex(const std::vector<std::string>& entries) {
  return std::max(0, FindEntryContaining(entries, kDefaultMark));
}

PagePlan PlanParameterPages(const VERSION& version, const PlanInputs& inputs) {
  PagePlan plan;
  bool selectorMade = false;
  for (int j = 0; j < std::clamp(version.tab, 0, kParamPages); ++j) {
    const TAB& tab = version.tabs[static_cast<std::size_t>(j)];
    plan.captions.push_back(inputs.chinese ? tab.cname : tab.ename);
    plan.icons.push_back(tab.icon);
    PagePlanner page(version, inputs, plan, j);
    for (const PageEntry& entry : PageEntries(tab.group, version.item)) {
      if (entry.opensGroupBox)
        page.OpenGroupBox();
      else
        page.PlaceRow(entry.index, selectorMade);
    }
  }
  return plan;
}

std::vector<int> VisibleSideEntries(const SideListInputs& in) {
  const std::string& c = in.controller;
  auto has = [&](const char* part) { return c.find(part) != std::string::npos; };
  const bool present = in.demo || in.connected;
  std::vector<int> visible;
  for (int k = 1; k <= kParamPages; ++k)
    if (in.escKind && in.tab >= k && present) visible.push_back(k + 1);
  const bool card = has("PROGRAMECARD");
  if ((in.escKind && !c.empty() && !card && !has("HUB") && !has("PORTAVEX")) || in.motorChecker ||
      (in.programCard && card) || (in.linkMode == 1 && !c.empty() && !card && (has("PORTAVEX") || has("HUB"))) ||
      (in.linkMode >= 2 && in.linkMode <= 4 && !c.empty() && !card))
    visible.push_back(8);
  if (in.motorChecker) visible.push_back(9);
  if (in.escKind && present && (c == "AIRPLANE_ESC" || c == "AIRPLANE_ESC_HV")) visible.push_back(10);
  if (in.linkMode == 5 && !c.empty() && !card) visible.push_back(11);
  return visible;
}

std::vector<int> ArrangeSideList(std::vector<int> shown, const std::vector<int>& visible, int tab) {
  auto isVisible = [&](int entry) { return std::find(visible.begin(), visible.end(), entry) != visible.end(); };
  std::erase_if(shown, [&](int entry) { return entry >= 2 && entry <= 11 && !isVisible(entry); });
  for (int entry : visible)
    if (std::find(shown.begin(), shown.end(), entry) == shown.end()) shown.push_back(entry);
  const std::pair<int, int> moves[] = {{8, tab + 1}, {9, tab + 2}, {10, tab + 2}, {11, tab + 1}};
  for (auto [entry, position] : moves) {
    auto at = std::find(shown.begin(), shown.end(), entry);
    if (at == shown.end()) continue;
    shown.erase(at);
    const auto place = std::min(static_cast<std::size_t>(std::max(position, 0)), shown.size());
    shown.insert(shown.begin() + static_cast<std::ptrdiff_t>(place), entry);
  }
  return shown;
}

}  // namespace params
