// The settings image mapping: ShowSettings, CollectSettings and the option
// list fillers.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "params/ParamEditor.h"
#include "params/ParamText.h"
#include "platform/rtl/HexText.h"
#include "platform/rtl/TextFileEncoding.h"

namespace params {
namespace {

constexpr int kNameBytes = 15;

struct FixedRow {
  int position, defaultIndex, max;
};
const std::vector<FixedRow> kFixedAirplane = {{7, 0, 2}, {8, 0, 2}, {9, 0, 2}, {10, 2, 3},
                                              {11, 0, 2}, {12, 1, 3}, {13, 0, 2}};
const std::vector<FixedRow> kFixedAirplaneV2 = {{7, 1, 3},  {8, 0, 2},  {9, 0, 3},  {10, 0, 3},
                                                {11, 0, 2}, {12, 1, 3}, {13, 1, 3}, {14, 1, 2}};

const std::vector<FixedRow>& FixedRows(MappingFamily family) {
  return family == MappingFamily::FixedAirplane ? kFixedAirplane : kFixedAirplaneV2;
}

// Three running counters of the table areas, one per table kind.
enum TableArea { kArea256 = 0, kArea128 = 1, kArea64 = 2 };

TableArea AreaOf(int mode) {
  if (mode == 4 || mode == 8) return kArea256;
  if (mode == 3 || mode == 9) return kArea128;
  return kArea64;
}

int TableOffset(int valueOffset, int mode, int k) {
  switch (AreaOf(mode)) {
    case kArea256: return valueOffset + 32 + 256 * k;
    case kArea128: return valueOffset + 544 + 128 * k;
    default: return valueOffset + 544 + 64 * k;
  }
}

// Item modes that are option lists with a plain index (and may carry an offset).
bool IsPlainListMode(int mode) { return mode == 0 || mode == 1 || mode == 2 || mode == 11 || mode > 13; }

std::uint16_t BigEndian16(std::span<const std::uint8_t> image, int offset) {
  return static_cast<std::uint16_t>(image[static_cast<std::size_t>(offset)] << 8 |
                                    image[static_cast<std::size_t>(offset) + 1]);
}

void PutBigEndian16(std::span<std::uint8_t> image, int offset, long value) {
  auto v = static_cast<std::uint16_t>(std::clamp(value, 0L, 65535L));
  image[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(v >> 8);
  image[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(v & 0xFF);
}

// A control's value as a whole number for the image; none for a value that
// is not finite, whose place in the image then keeps the device's value.
std::optional<long> StoredNumber(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return static_cast<long>(std::clamp(value, -1e9, 1e9));
}

// The mode name: the bytes up to the first zero, which a device may hold
// in the legacy code page.
std::string NameFromImage(std::span<const std::uint8_t> bytes) {
  auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return rtl::UnmarkedTextToUtf8(std::string(bytes.begin(), end), "the device's mode name");
}

}  // namespace

MappingFamily ParamEditor::Family() {
  auto texts = device_.DeviceTexts();
  return FamilyOf(texts[0], texts[1]);
}

bool ParamEditor::ImageFitsDescription(MappingFamily family) {
  const ImageLayout l = device_.Layout();
  const long size = static_cast<long>(device_.SettingsImage().size());
  bool fits = true;
  auto need = [&](long offset, long length) { fits = fits && offset >= 0 && offset + length <= size; };
  const int items = std::clamp(version_.item, 0, MaxItems);
  if (IsFixedFamily(family)) {
    for (const FixedRow& row : FixedRows(family)) need(row.position, 1);
    need(l.valueOffset, items);
    return fits;
  }
  need(l.countOffset, 2);
  if (version_.site.enabled) need(l.writeOffset, 1 + kNameBytes);
  need(l.valueOffset, items);
  need(l.maximumOffset, items);
  need(l.defaultOffset, items);
  if (family == MappingFamily::GeneralFamily) {
    need(l.valueOffset + 16, 2L * items);
    need(l.maximumOffset + 16, 32L + 2L * items);
    return fits;
  }
  int counters[3] = {0, 0, 0};
  for (int i = 0; i < items; ++i) {
    int mode = Item(i).mode;
    if (!IsTableMode(mode)) continue;
    need(TableOffset(l.valueOffset, mode, counters[AreaOf(mode)]++), TableBytes(mode));
  }
  return fits;
}

void ParamEditor::SetComboParam(const std::string& name, int defaultIndex, int value, int max, bool enabled) {
  if (!TrimOptionList(name, defaultIndex, max)) return;
  std::vector<std::string> entries = controls_.Entries(name);
  const int count = static_cast<int>(entries.size());
  if (enabled && (count < max || count < value)) {
    paramError_ = true;
  } else if (defaultIndex < 0 || defaultIndex >= count || entries[static_cast<std::size_t>(defaultIndex)].empty()) {
    paramError_ = true;
  } else {
    controls_.SetEntry(name, defaultIndex, entries[static_cast<std::size_t>(defaultIndex)] + kDefaultMark);
  }
  FinishOptionList(name, enabled && max != 0, value, defaultIndex);
}

void ParamEditor::SetPercentComboParam(const std::string& name, int defaultPercent, int valuePercent,
                                       int maxPercent, bool enabled) {
  if (!TrimOptionList(name, defaultPercent, maxPercent)) return;
  std::vector<std::string> entries = controls_.Entries(name);
  if (entries.empty()) {  // nothing to choose from: the description cannot fit the device
    paramError_ = true;
    controls_.SetEnabled(name, false);
    return;
  }
  const int limit = LeadingInteger(entries.back());
  int valueIndex = 0, defaultIndex = 0;
  if (enabled && (limit < maxPercent || valuePercent > limit)) {
    paramError_ = true;
  } else {
    valueIndex = std::max(0, FindEntryContaining(entries, std::to_string(valuePercent) + "%"));
    int marked = FindEntryContaining(entries, std::to_string(defaultPercent) + "%");
    if (marked >= 0) {
      defaultIndex = marked;
      controls_.SetEntry(name, marked, entries[static_cast<std::size_t>(marked)] + kDefaultMark);
    }
  }
  FinishOptionList(name, enabled && maxPercent != 0, valueIndex, defaultIndex);
}

bool ParamEditor::TrimOptionList(const std::string& name, int defaultValue, int max) {
  if (controls_.Kind(name) != ControlKind::OptionList) return false;
  if (defaultValue > max) {
    form_.ShowInfoBox(form_.LangText("parameter_error", "Error to Read Parameter."));
    return false;
  }
  while (static_cast<int>(controls_.Entries(name).size()) > max + 1) {
    form_.ProcessMessages();
    controls_.DeleteEntry(name, static_cast<int>(controls_.Entries(name).size()) - 1);
  }
  DropDefaultMark(name);
  return true;
}

// The description's "(*)" marks its own default; the device's default is marked instead.
void ParamEditor::DropDefaultMark(const std::string& name) {
  std::vector<std::string> entries = controls_.Entries(name);
  int marked = FindEntryContaining(entries, kDefaultMark);
  if (marked >= 0) {
    const std::string& entry = entries[static_cast<std::size_t>(marked)];
    controls_.SetEntry(name, marked, entry.substr(0, entry.find(kDefaultMark)));
  }
}

void ParamEditor::FinishOptionList(const std::string& name, bool enabled, int valueIndex, int defaultIndex) {
  controls_.SetEnabled(name, enabled);
  const int count = static_cast<int>(controls_.Entries(name).size());
  // A value below 0 (a byte below the item's offset) is as unusable as one past the list.
  int selected = valueIndex >= 0 && valueIndex < count       ? valueIndex
                 : defaultIndex >= 0 && defaultIndex < count ? defaultIndex
                                                             : count - 1;
  controls_.SetItemIndex(name, selected);
}

void ParamEditor::ShowSettings() {
  const ProgrammaticChange showing(*this);
  paramError_ = false;
  const MappingFamily family = Family();
  if (!ImageFitsDescription(family)) {
    RefuseUnfitDescription();
    return;
  }
  if (IsFixedFamily(family)) {
    ShowFixedFamily(family);
  } else {
    ShowModeSelector(family);
    std::span<const std::uint8_t> image = device_.SettingsImage();
    const ImageLayout l = device_.Layout();
    const int n = image[static_cast<std::size_t>(l.countOffset) + 1];
    if (version_.max < n) paramError_ = true;
    int counters[3] = {0, 0, 0};
    for (int i = 0; i < std::clamp(version_.item, 0, MaxItems); ++i) {
      if (family == MappingFamily::GeneralFamily)
        ShowGeneralItem(i, i < n);
      else
        ShowCarOrSeriesItem(family, i, i < n, counters);
    }
  }
  RunLinkPass();
  ShowOutcome();
}

void ParamEditor::RefuseUnfitDescription() {
  paramError_ = true;
  form_.SetUpdateButtonEnabled(false);
  form_.ShowInfoBox(form_.LangText("description_error",
                                   "The device description does not fit this ESC's settings; they cannot be read or written."));
}

void ParamEditor::ShowFixedFamily(MappingFamily family) {
  std::span<const std::uint8_t> image = device_.SettingsImage();
  for (std::size_t i = 0; i < FixedRows(family).size(); ++i) {
    const FixedRow& row = FixedRows(family)[i];
    SetComboParam(ListName(static_cast<int>(i)), row.defaultIndex, image[static_cast<std::size_t>(row.position)],
                  row.max, true);
  }
}

void ParamEditor::ShowModeSelector(MappingFamily family) {
  if (!version_.site.enabled || controls_.Kind(kModeList) != ControlKind::OptionList ||
      controls_.Kind(kNameBox) != ControlKind::TextBox)
    return;
  std::span<const std::uint8_t> image = device_.SettingsImage();
  const ImageLayout l = device_.Layout();
  const int m = image[static_cast<std::size_t>(l.countOffset)];
  if (static_cast<int>(controls_.Entries(kModeList).size()) - 1 != m) {
    std::vector<std::string> modes;
    for (int k = 1; k <= m + 1; ++k) modes.push_back("Mode " + std::to_string(k));
    controls_.SetEntries(kModeList, modes);
  }
  DropDefaultMark(kModeList);
  controls_.SetItemIndex(kModeList, image[static_cast<std::size_t>(l.writeOffset)]);
  controls_.SetText(kNameBox, NameFromImage(image.subspan(static_cast<std::size_t>(l.writeOffset) + 1, kNameBytes)));
  if (family != MappingFamily::GeneralFamily) controls_.SetEnabled(kNameBox, true);
}

void ParamEditor::ShowCarOrSeriesItem(MappingFamily family, int i, bool enabled, int counters[3]) {
  std::span<const std::uint8_t> image = device_.SettingsImage();
  const ImageLayout l = device_.Layout();
  const ITEM& item = Item(i);
  const auto at = [&](int offset) { return static_cast<int>(image[static_cast<std::size_t>(offset + i)]); };
  const int value = at(l.valueOffset), max = at(l.maximumOffset), defaultByte = at(l.defaultOffset);
  const int mode = item.mode;
  if (IsRowlessOrReadout(mode)) return;
  if (mode == 13) {
    SetPercentComboParam(ListName(i), defaultByte, value, max, enabled);
  } else if (IsTrackMode(mode)) {
    controls_.SetValue(EditName(i), value);
  } else if (IsTableMode(mode)) {
    SetComboParam(ListName(i), defaultByte, value, max, enabled);
    const int offset = TableOffset(l.valueOffset, mode, counters[AreaOf(mode)]++);
    if (controls_.Kind(EditName(i)) == ControlKind::TextBox)
      controls_.SetText(EditName(i), rtl::BytesToHex(image.subspan(static_cast<std::size_t>(offset),
                                                                    static_cast<std::size_t>(TableBytes(mode)))));
  } else {
    const int offset = ItemOffset(item);
    const bool shiftDefault = family == MappingFamily::CarFamily && !IsCustomValueMode(mode);
    SetComboParam(ListName(i), shiftDefault ? defaultByte - offset : defaultByte, value - offset, max, enabled);
  }
}

void ParamEditor::ShowGeneralItem(int i, bool enabled) {
  std::span<const std::uint8_t> image = device_.SettingsImage();
  const ImageLayout l = device_.Layout();
  const int mode = Item(i).mode;
  if (IsRowlessOrReadout(mode)) return;
  const auto at = [&](int offset) { return static_cast<int>(image[static_cast<std::size_t>(offset + i)]); };
  if (mode == 13)
    SetPercentComboParam(ListName(i), at(l.defaultOffset), at(l.valueOffset), at(l.maximumOffset), enabled);
  else
    SetComboParam(ListName(i), at(l.defaultOffset), at(l.valueOffset), at(l.maximumOffset), enabled);
  if (!IsCustomValueMode(mode) || controls_.Kind(EditName(i)) != ControlKind::SpinBox) return;
  const double scale = mode == 2 ? 10.0 : 1.0;
  controls_.SetMin(EditName(i), BigEndian16(image, l.maximumOffset + 16 + 2 * i) / scale);
  controls_.SetMax(EditName(i), BigEndian16(image, l.maximumOffset + 48 + 2 * i) / scale);
  controls_.SetValue(EditName(i), BigEndian16(image, l.valueOffset + 16 + 2 * i) / scale);
}

void ParamEditor::RunLinkPass() {
  const ProgrammaticChange passing(*this);
  for (int e : ListedItems(version_)) {
    if (Item(e).link.empty()) continue;
    if (controls_.Kind(ListName(e)) == ControlKind::OptionList && controls_.Enabled(ListName(e)))
      itemChange(ListName(e));
  }
}

void ParamEditor::ShowOutcome() {
  // Settings that do not match the description are not offered for editing:
  // the About page is shown with the request to update the program.
  if (paramError_) {
    form_.ShowPage(kAboutPage);
    form_.SetUpdateButtonEnabled(false);
    form_.ShowInfoBox(form_.LangText("please_upgrade_soft", "please_upgrade_soft"));
    return;
  }
  auto texts = device_.DeviceTexts();
  static const char* const kParamControllers[] = {"AIRPLANE_ESC", "Corvanel_V3", "Corvanel_V4", "Corvanel_HV_V4",
                                                  "Corvanel_HV_V4.1", "TESSIM_V5", "BOAT_ESC", "MOTOR_CHECKER",
                                                  "CAR_ESC"};
  const bool paramController = std::any_of(std::begin(kParamControllers), std::end(kParamControllers),
                                           [&](const char* c) { return texts[0].find(c) != std::string::npos; });
  if (form_.EscKindChecked() && device_.SettingsReadAttempts() != 3 && texts[1] != "0" && paramController)
    form_.ShowPage(kFirstParamPage);
  else if (form_.CheckedLinkMode() == 5)
    form_.ShowPage(kChannelParamPage);
  else
    form_.ShowPage(kSoftwareInfoPage);
}

void ParamEditor::CollectSettings() {
  const MappingFamily family = Family();
  if (!ImageFitsDescription(family)) {
    RefuseUnfitDescription();
    return;
  }
  std::span<std::uint8_t> image = device_.SettingsImage();
  const ImageLayout l = device_.Layout();
  const int items = std::clamp(version_.item, 0, MaxItems);
  if (IsFixedFamily(family)) {
    for (int i = 0; i < items; ++i) {
      int index = controls_.ItemIndex(ListName(i));
      if (Item(i).mode != 7 && index >= 0) image[static_cast<std::size_t>(l.valueOffset + i)] =
          static_cast<std::uint8_t>(index);
    }
    return;
  }
  if (version_.site.enabled) CollectModeSelector(family != MappingFamily::GeneralFamily);
  int counters[3] = {0, 0, 0};
  for (int i = 0; i < items; ++i) {
    if (family == MappingFamily::GeneralFamily)
      CollectGeneralItem(i);
    else
      CollectCarOrSeriesItem(i, counters);
  }
}

void ParamEditor::CollectModeSelector(bool trimName) {
  std::span<std::uint8_t> image = device_.SettingsImage();
  const std::size_t w = static_cast<std::size_t>(device_.Layout().writeOffset);
  if (controls_.Kind(kModeList) == ControlKind::OptionList && controls_.ItemIndex(kModeList) >= 0)
    image[w] = static_cast<std::uint8_t>(controls_.ItemIndex(kModeList));
  if (controls_.Kind(kNameBox) != ControlKind::TextBox) return;
  std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(w) + 1, kNameBytes, std::uint8_t{0x20});
  std::string name = controls_.Text(kNameBox);
  if (trimName) name = TrimControlCharacters(name);
  name = CutUtf8(name, kNameBytes);
  std::copy(name.begin(), name.end(), image.begin() + static_cast<std::ptrdiff_t>(w) + 1);
}

void ParamEditor::CollectCarOrSeriesItem(int i, int counters[3]) {
  std::span<std::uint8_t> image = device_.SettingsImage();
  const ImageLayout l = device_.Layout();
  const ITEM& item = Item(i);
  const int mode = item.mode;
  if (IsRowlessOrReadout(mode)) return;
  std::uint8_t& value = image[static_cast<std::size_t>(l.valueOffset + i)];
  if (IsTrackMode(mode)) {
    if (controls_.Kind(EditName(i)) != ControlKind::TrackBar) return;
    if (std::optional<long> stored = StoredNumber(controls_.Value(EditName(i))))
      value = static_cast<std::uint8_t>(*stored);
    return;
  }
  if (IsTableMode(mode)) {
    const int offset = TableOffset(l.valueOffset, mode, counters[AreaOf(mode)]++);
    if (controls_.Kind(EditName(i)) == ControlKind::TextBox)
      DecodeTable(controls_.Text(EditName(i)),
                  image.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(TableBytes(mode))));
  }
  if (controls_.Kind(ListName(i)) != ControlKind::OptionList) return;
  const int index = controls_.ItemIndex(ListName(i));
  if (index < 0) return;  // nothing selected: the device keeps its value
  if (mode == 13)
    value = static_cast<std::uint8_t>(SelectedPercent(ListName(i)));
  else if (IsPlainListMode(mode))
    value = static_cast<std::uint8_t>(index + ItemOffset(item));
  else
    value = static_cast<std::uint8_t>(index);
}

void ParamEditor::CollectGeneralItem(int i) {
  std::span<std::uint8_t> image = device_.SettingsImage();
  const ImageLayout l = device_.Layout();
  const int mode = Item(i).mode;
  if (IsRowlessOrReadout(mode) || controls_.Kind(ListName(i)) != ControlKind::OptionList) return;
  const int index = controls_.ItemIndex(ListName(i));
  if (index < 0) return;
  image[static_cast<std::size_t>(l.valueOffset + i)] =
      static_cast<std::uint8_t>(mode == 13 ? SelectedPercent(ListName(i)) : index);
  const bool custom = index + 1 == static_cast<int>(controls_.Entries(ListName(i)).size());
  if (!custom || !IsCustomValueMode(mode) || controls_.Kind(EditName(i)) != ControlKind::SpinBox) return;
  const double spin = controls_.Value(EditName(i));
  if (std::optional<long> stored = StoredNumber(mode == 1 ? spin : std::nearbyint(spin * 10)))
    PutBigEndian16(image, l.valueOffset + 16 + 2 * i, *stored);
}

int ParamEditor::SelectedPercent(const std::string& list) {
  std::vector<std::string> entries = controls_.Entries(list);
  const int index = controls_.ItemIndex(list);
  return LeadingInteger(entries[static_cast<std::size_t>(index)]);
}

void ParamEditor::SetParamControlsEnabled(bool enabled) {
  for (int e : ListedItems(version_)) {
    const int mode = Item(e).mode;
    const bool hasList = controls_.Kind(ListName(e)) == ControlKind::OptionList;
    if (IsTrackMode(mode) || IsRowlessOrReadout(mode)) continue;
    if (hasList) controls_.SetEnabled(ListName(e), enabled);
    if (IsCustomValueMode(mode) && controls_.Kind(EditName(e)) == ControlKind::SpinBox)
      controls_.SetEnabled(EditName(e), enabled);
    if (IsTableMode(mode) && controls_.Kind(EditName(e)) == ControlKind::TextBox)
      controls_.SetEnabled(EditName(e), enabled && hasList && CustomEntrySelected(ListName(e)));
  }
}

bool ParamEditor::CustomEntrySelected(const std::string& list) {
  const int count = static_cast<int>(controls_.Entries(list).size());
  return count > 0 && controls_.ItemIndex(list) + 1 == count;
}

}  // namespace params
