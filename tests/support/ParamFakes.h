#pragma once
// Fakes of what the parameter editor reaches through params/ParamHost.h:
// controls that keep the toolkit's rules (an option list raises its change
// event on every selection; a track bar snaps, clamps and raises it only on
// a change; a spin box wraps), a form that records what it was asked to
// show, a device with a settings image that records its commands, and
// editors that record their requests. Plus the images of the simulated
// models as settings fixtures, one per mapping family.
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "params/DeviceDescription.h"
#include "params/MappingFamily.h"
#include "params/PagePlan.h"
#include "params/ParamEditor.h"
#include "params/ParamHost.h"
#include "platform/hid/SimModels.h"
#include "platform/rtl/MemIniFile.h"

namespace params::fakes {

struct FakeControl {
  ControlKind kind = ControlKind::None;
  bool enabled = true, visible = true;
  std::vector<std::string> entries;
  int index = -1;
  double value = 0, min = 0, max = 0, frequency = 0;
  std::string text;
};

inline FakeControl OptionList(std::vector<std::string> entries, int index) {
  FakeControl c;
  c.kind = ControlKind::OptionList;
  c.entries = std::move(entries);
  c.index = index;
  return c;
}

class FakeParamControls : public IParamControls {
 public:
  std::map<std::string, FakeControl> controls;
  std::function<void(const std::string&)> onChange;  // the change event of lists and track bars
  std::vector<std::string> focused;

  // The controls of a page plan, as the page builder creates them.
  void Load(const PagePlan& plan) {
    controls.clear();
    for (const PlannedControl& p : plan.controls) {
      FakeControl& c = controls[p.name];
      c.kind = p.kind;
      c.enabled = p.enabled;
      c.visible = p.visible;
      c.entries = p.entries;
      c.index = p.selected;
      c.value = p.value;
      c.min = p.min;
      c.max = p.max;
      c.frequency = p.step;
      c.text = p.text;
    }
  }

  FakeControl* Find(const std::string& name) {
    auto it = controls.find(name);
    return it == controls.end() ? nullptr : &it->second;
  }
  FakeControl& At(const std::string& name) { return controls.at(name); }

  ControlKind Kind(const std::string& name) override { return Find(name) ? Find(name)->kind : ControlKind::None; }
  bool Enabled(const std::string& name) override { return Find(name) && Find(name)->enabled; }
  void SetEnabled(const std::string& name, bool enabled) override {
    if (Find(name)) Find(name)->enabled = enabled;
  }
  bool Visible(const std::string& name) override { return Find(name) && Find(name)->visible; }
  void SetVisible(const std::string& name, bool visible) override {
    if (Find(name)) Find(name)->visible = visible;
  }
  void SetFocus(const std::string& name) override { focused.push_back(name); }

  std::vector<std::string> Entries(const std::string& name) override {
    return Find(name) ? Find(name)->entries : std::vector<std::string>{};
  }
  void SetEntry(const std::string& name, int index, const std::string& text) override {
    At(name).entries.at(static_cast<std::size_t>(index)) = text;
  }
  void DeleteEntry(const std::string& name, int index) override {
    FakeControl& c = At(name);
    c.entries.erase(c.entries.begin() + index);
    if (c.index >= static_cast<int>(c.entries.size())) c.index = -1;
  }
  void SetEntries(const std::string& name, const std::vector<std::string>& entries) override {
    At(name).entries = entries;
    At(name).index = -1;
  }
  int ItemIndex(const std::string& name) override { return Find(name) ? Find(name)->index : -1; }
  void SetItemIndex(const std::string& name, int index) override {
    FakeControl& c = At(name);
    c.index = index >= 0 && index < static_cast<int>(c.entries.size()) ? index : -1;
    if (onChange) onChange(name);
  }

  double Value(const std::string& name) override { return Find(name) ? Find(name)->value : 0; }
  void SetValue(const std::string& name, double value) override {
    FakeControl* c = Find(name);
    if (!c) return;
    if (c->kind == ControlKind::TrackBar) {
      if (c->frequency != 0) value = std::nearbyint(value / c->frequency) * c->frequency;
      if (value == c->value) return;
      c->value = std::clamp(value, c->min, c->max);
      if (onChange) onChange(name);
    } else if (value != c->value) {
      if (value > c->max) value = c->min;
      if (value < c->min) value = c->max;
      c->value = value;
    }
  }
  double Min(const std::string& name) override { return Find(name) ? Find(name)->min : 0; }
  void SetMin(const std::string& name, double value) override { At(name).min = value; }
  double Max(const std::string& name) override { return Find(name) ? Find(name)->max : 0; }
  void SetMax(const std::string& name, double value) override { At(name).max = value; }

  std::string Text(const std::string& name) override { return Find(name) ? Find(name)->text : ""; }
  void SetText(const std::string& name, const std::string& text) override {
    if (Find(name)) Find(name)->text = text;
  }
};

class FakeParamForm : public IParamForm {
 public:
  std::map<std::string, std::string> texts;  // [common] texts by key, without prefix
  std::map<std::string, int> layout;
  bool chinese = false, escKind = true, languageSwitching = false, reportCapture = false;
  int linkMode = 0;
  std::vector<std::string> infoBoxes;
  std::optional<bool> updateButton;
  std::vector<SidePage> pages;
  std::vector<std::pair<std::string, int>> progress;  // label and maximum of each box shown
  int progressFreed = 0;
  std::optional<std::string> saveFile, openFile;  // nullopt: the dialog is cancelled
  std::string saveFilter, saveExt, openFilter;
  std::function<void()> posted;  // the call waiting for the message loop

  // What the message loop does once the current event has returned.
  void RunPosted() {
    if (auto call = std::exchange(posted, nullptr)) call();
  }

  std::string LangText(const std::string& key, const std::string& fallback) override {
    auto it = texts.find(key);
    return it == texts.end() ? fallback : it->second;
  }
  int LayoutInteger(const std::string& key, int fallback) override {
    auto it = layout.find(key);
    return it == layout.end() ? fallback : it->second;
  }
  bool Chinese() override { return chinese; }
  bool EscKindChecked() override { return escKind; }
  int CheckedLinkMode() override { return linkMode; }
  bool LanguageSwitching() override { return languageSwitching; }
  bool ReportCapture() override { return reportCapture; }
  void ShowInfoBox(const std::string& text) override { infoBoxes.push_back(text); }
  void ProcessMessages() override {}
  void Post(std::function<void()> call) override { posted = std::move(call); }
  void SetUpdateButtonEnabled(bool enabled) override { updateButton = enabled; }
  void ShowPage(SidePage page) override { pages.push_back(page); }
  void ShowProgress(const std::string& label, int maximum) override { progress.emplace_back(label, maximum); }
  void FreeProgress() override { ++progressFreed; }
  bool ExecuteSaveDialog(const std::string& filter, const std::string& defaultExt, std::string& fileName) override {
    saveFilter = filter;
    saveExt = defaultExt;
    if (!saveFile) return false;
    fileName = *saveFile;
    return true;
  }
  bool ExecuteOpenDialog(const std::string& filter, std::string& fileName) override {
    openFilter = filter;
    if (!openFile) return false;
    fileName = *openFile;
    return true;
  }
};

class FakeParamDevice : public IParamDevice {
 public:
  std::vector<std::uint8_t> image = std::vector<std::uint8_t>(32768, 0);
  ImageLayout layout;
  std::array<std::string, 3> texts;
  int readAttempts = 0;
  bool connected = true, busy = false, registerProtocol = false;
  int registerWordCounter = 0;
  std::vector<std::string> calls;  // "send 15", "wait 15", "read" in order
  std::function<std::string()> readSettings = [] { return std::string(); };

  std::span<std::uint8_t> SettingsImage() override { return image; }
  ImageLayout Layout() override { return layout; }
  std::array<std::string, 3> DeviceTexts() override { return texts; }
  int SettingsReadAttempts() override { return readAttempts; }
  bool Connected() override { return connected; }
  bool Busy() override { return busy; }
  void SetBusy(bool value) override { busy = value; }
  bool RegisterProtocol() override { return registerProtocol; }
  void SetRegisterWordCounter(int counter) override { registerWordCounter = counter; }
  int SendCommand(std::uint8_t command) override {
    calls.push_back("send " + std::to_string(command));
    return 1;
  }
  int WaitAckShort(std::uint8_t command) override {
    calls.push_back("wait " + std::to_string(command));
    return 0;
  }
  std::string ReadSettings() override {
    calls.push_back("read");
    return readSettings();
  }
};

class FakeTableEditors : public ITableEditors {
 public:
  std::vector<TableEditRequest> requests;
  std::optional<std::string> answer;  // what the editor hands back
  std::optional<std::string> Edit(const TableEditRequest& request, bool) override {
    requests.push_back(request);
    return answer;
  }
};

// The lang.ini that comes with the program.
inline const rtl::TMemIniFile& ProgramLangIni() {
  const char* source = std::getenv("ESCTOOL_SOURCE_DIR");
  static const rtl::TMemIniFile store(std::string(source ? source : ".") + "/data/lang.ini");
  return store;
}

// A settings fixture: a simulated model's identity, layout and image (mode
// `mode`), its description from the program's lang.ini, the mode name
// padded with blanks as a write leaves it, and the table areas filled with
// a pattern so that tables travel too.
struct SettingsFixture {
  std::array<std::string, 3> texts;
  ImageLayout layout;
  std::vector<std::uint8_t> image;
  VERSION version;
};

inline SettingsFixture MakeSettingsFixture(const std::string& modelName, int mode = 0) {
  const hid::SimModel& model = *hid::FindSimModel(modelName);
  SettingsFixture f;
  f.texts = {model.controller, model.hardware, model.firmware};
  const hid::SimImageLayout& l = model.layout;
  f.layout = {l.writeOffset, l.writeLength, l.valueOffset, l.countOffset, l.maximumOffset, l.defaultOffset};
  f.image = hid::SimSettingsImage(model, mode, false);
  f.image.resize(32768, 0);
  DescriptionKey key{model.controller, model.hardware, model.firmware};
  LoadedDescription loaded;
  LoadDeviceDescription(ProgramLangIni(), "", key, loaded);
  f.version = loaded.version;
  const MappingFamily family = FamilyOf(model.controller, model.hardware);
  if (family != MappingFamily::CarFamily && family != MappingFamily::SeriesFamily &&
      family != MappingFamily::GeneralFamily)
    return f;
  for (int k = 1; k <= 15; ++k) {
    auto& byte = f.image[static_cast<std::size_t>(l.writeOffset + k)];
    if (byte == 0) byte = 0x20;
  }
  if (family != MappingFamily::CarFamily) return f;
  int counters[3] = {0, 0, 0};
  for (int i = 0; i < f.version.item; ++i) {
    const int m = f.version.items[static_cast<std::size_t>(i)].mode;
    const int area = m == 4 || m == 8 ? 0 : m == 3 || m == 9 ? 1 : m == 12 ? 2 : -1;
    if (area < 0) continue;
    const int base = area == 0 ? l.valueOffset + 32 + 256 * counters[0]
                     : area == 1 ? l.valueOffset + 544 + 128 * counters[1]
                                 : l.valueOffset + 544 + 64 * counters[2];
    ++counters[area];
    for (int b = 0; b < TableBytes(m) && base + b < l.writeOffset + l.writeLength; ++b)
      f.image[static_cast<std::size_t>(base + b)] = static_cast<std::uint8_t>(7 * b + i);
  }
  return f;
}

// An editor over the fakes, the lists' change event wired to it.
struct EditorRig {
  VERSION version;
  FakeParamControls controls;
  FakeParamForm form;
  FakeParamDevice device;
  FakeTableEditors editors;
  ParamEditor editor{version, controls, form, device, editors};

  EditorRig() {
    controls.onChange = [this](const std::string& name) { editor.itemChange(name); };
  }
  EditorRig(const EditorRig&) = delete;
  EditorRig& operator=(const EditorRig&) = delete;
  void UseFixture(const fakes::SettingsFixture& f) {
    version = f.version;
    device.texts = f.texts;
    device.layout = f.layout;
    device.image = f.image;
  }
  void BuildPages() {
    PlanInputs inputs;
    inputs.settingsImage = device.image;
    inputs.valueOffset = device.layout.valueOffset;
    controls.Load(PlanParameterPages(version, inputs));
  }
};

}  // namespace params::fakes
