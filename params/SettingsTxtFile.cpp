// The TXT settings file: a report of the pages for people, then one ini
// section that the import reads back.
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "params/ParamEditor.h"
#include "params/ParamText.h"
#include "platform/rtl/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/MemIniFile.h"

namespace params {
namespace {

const char kLineEnd[] = "\r\n";

// The whole text as a finite number; from_chars alone would take "nan" and "inf".
std::optional<double> FiniteNumber(const std::string& text) {
  double value = 0;
  auto [next, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || next != text.data() + text.size() || text.empty() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

bool WithinRange(IParamControls& controls, const std::string& control, double value) {
  return value >= controls.Min(control) && value <= controls.Max(control);
}

class Lines {
 public:
  void Add(const std::string& line) { text_ += line + kLineEnd; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// The option rows of one list: entries in columns `width` bytes wide, at most
// `columns` to a row, the selected entry marked "(+)".
void AddOptionRows(Lines& lines, const std::vector<std::string>& entries, int selected, std::size_t width,
                   std::size_t columns) {
  std::string row;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    std::string cell = entries[k] + (static_cast<int>(k) == selected ? "(+)" : "");
    row += cell;
    if (k + 1 < entries.size() && cell.size() < width) row.append(width - cell.size(), ' ');
    if (k % columns == columns - 1 || row.size() > (columns - 1) * width) {
      lines.Add(TrimControlCharacters(row));
      row.clear();
    }
  }
  if (!TrimControlCharacters(row).empty()) lines.Add(TrimControlCharacters(row));
}

}  // namespace

// What an import sets, gathered from the whole file before any control changes.
struct ParamEditor::ImportPlan {
  struct Setting {
    int item;
    double value;       // track value, or the 0-based option index
    std::string table;  // table text of table modes
    double custom = 0;  // spin value of modes 1 and 2
  };
  std::optional<std::string> name;
  std::vector<Setting> settings;
};

std::string ParamEditor::SettingsTxtText() {
  auto texts = device_.DeviceTexts();
  Lines report;
  report.Add(form_.LangText("export_top", "------------ESC Info------------"));
  report.Add(form_.LangText("export_controller", "Controller: ") + texts[0]);
  report.Add(form_.LangText("export_hardware", "Hardware version: ") + texts[1]);
  report.Add(form_.LangText("export_firmware", "Firmware version: ") + texts[2]);
  report.Add("");
  report.Add(form_.LangText("export_bottom", "------------Setting------------"));
  Lines data;
  data.Add("[" + texts[0] + " " + texts[1] + " " + texts[2] + "]");
  if (version_.site.enabled) {
    const std::vector<std::string> modes = controls_.Entries(kModeList);
    const int mode = controls_.ItemIndex(kModeList);
    report.Add("[" + form_.LangText("lMode", "Mode: ") + "]");
    report.Add(mode >= 0 && mode < static_cast<int>(modes.size()) ? modes[static_cast<std::size_t>(mode)] : "");
    report.Add("");
    report.Add("[" + form_.LangText("lName", "Name: ") + "]");
    report.Add(controls_.Text(kNameBox));
    data.Add("name=" + controls_.Text(kNameBox));
  }
  report.Add("");
  const std::size_t width = static_cast<std::size_t>(std::max(0, form_.LayoutInteger("colwidth", 30)));
  const std::size_t columns = static_cast<std::size_t>(std::max(1, form_.LayoutInteger("colnumber", 3)));
  for (int i : ListedItems(version_)) {
    const int mode = Item(i).mode;
    const std::string n = std::to_string(i + 1);
    if (IsRowlessOrReadout(mode)) {
      report.Add("");
      continue;
    }
    report.Add(n + ".[" + controls_.Text(LabelName(i)) + "]");
    const std::string numbers = IsTrackMode(mode) || IsCustomValueMode(mode) ? EditName(i) : "";
    if (IsTrackMode(mode)) {
      data.Add(n + "=" + OneDecimal(controls_.Value(numbers)));
    } else {
      AddOptionRows(report, controls_.Entries(ListName(i)), controls_.ItemIndex(ListName(i)), width, columns);
      data.Add(n + "=" + std::to_string(controls_.ItemIndex(ListName(i)) + 1));
      if (IsTableMode(mode)) data.Add(n + "t=" + controls_.Text(EditName(i)));
      if (IsCustomValueMode(mode)) data.Add(n + "t=" + OneDecimal(controls_.Value(numbers)));
    }
    if (!numbers.empty()) {
      report.Add("Min:" + OneDecimal(controls_.Min(numbers)));
      report.Add("Max:" + OneDecimal(controls_.Max(numbers)));
      report.Add("Val:" + OneDecimal(controls_.Value(numbers)));
    }
    report.Add("");
  }
  return report.Text() + data.Text();
}

void ParamEditor::Export1Click() {
  std::string fileName;
  if (version_.tab < 1) return;
  if (!form_.ExecuteSaveDialog("TXT Config File|*.txt", ".txt", fileName)) return;
  try {
    rtl::WriteFileBytes(fileName, SettingsTxtText());
  } catch (const rtl::EStreamError&) {  // a folder that cannot be written, a full disk
    form_.ShowInfoBox(form_.LangText("exporterror", "The settings file could not be saved:") + " " + fileName);
  }
}

bool ParamEditor::ReadImport(const rtl::TMemIniFile& file, ImportPlan& plan) {
  auto texts = device_.DeviceTexts();
  const std::string section = texts[0] + " " + texts[1] + " " + texts[2];
  if (file.ReadString(section, "1", "").empty()) return false;
  if (controls_.Kind(kNameBox) == ControlKind::TextBox)
    plan.name = file.ReadString(section, "name", controls_.Text(kNameBox));
  for (int i : ListedItems(version_)) {
    const int mode = Item(i).mode;
    if (IsRowlessOrReadout(mode)) continue;
    const std::string n = std::to_string(i + 1);
    std::optional<double> value = FiniteNumber(file.ReadString(section, n, ""));
    if (!value) return false;
    ImportPlan::Setting setting{i, *value, "", 0};
    if (IsTrackMode(mode)) {
      if (!WithinRange(controls_, EditName(i), *value)) return false;
    } else {
      const auto count = static_cast<double>(controls_.Entries(ListName(i)).size());
      if (*value < 1 || *value > count || *value != static_cast<int>(*value)) return false;
      setting.value = *value - 1;
    }
    if (IsTableMode(mode)) {
      setting.table = file.ReadString(section, n + "t", "");
      std::vector<std::uint8_t> table(static_cast<std::size_t>(TableBytes(mode)));
      if (!DecodeTable(setting.table, table)) return false;
    }
    if (IsCustomValueMode(mode)) {
      std::optional<double> custom = FiniteNumber(file.ReadString(section, n + "t", ""));
      if (!custom || !WithinRange(controls_, EditName(i), *custom)) return false;
      setting.custom = *custom;
    }
    plan.settings.push_back(setting);
  }
  return true;
}

void ParamEditor::Import1Click() {
  std::string fileName;
  if (!form_.ExecuteOpenDialog("INI File (*.txt)|*.txt", fileName)) return;
  const rtl::TMemIniFile file(fileName);
  ImportPlan plan;
  if (!ReadImport(file, plan)) {
    form_.ShowInfoBox(form_.LangText("importerror", "can't import differ version's setting"));
    return;
  }
  const ProgrammaticChange importing(*this);
  if (plan.name) controls_.SetText(kNameBox, *plan.name);
  for (const ImportPlan::Setting& setting : plan.settings) {
    const int mode = Item(setting.item).mode;
    if (IsTrackMode(mode)) {
      controls_.SetValue(EditName(setting.item), setting.value);
      continue;
    }
    controls_.SetItemIndex(ListName(setting.item), static_cast<int>(setting.value));
    if (IsTableMode(mode)) controls_.SetText(EditName(setting.item), setting.table);
    if (IsCustomValueMode(mode)) controls_.SetValue(EditName(setting.item), setting.custom);
  }
}

}  // namespace params
