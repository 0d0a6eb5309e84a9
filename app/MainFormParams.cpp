#include "app/MainFormParams.h"

#include <filesystem>

#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/MainFormHelp.h"
#include "app/pages/ParamPageBuilder.h"
#include "platform/gui/Application.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_combobox.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_textcontrol.h"
#include "ui/render/vg_objects.h"

namespace app {
namespace {

constexpr int kSideEntries = 11;
constexpr int kFirstPageEntry = 2;  // tabLabel and tabImage of page 0

std::string EntryName(int n) { return "ListBoxItem" + std::to_string(n); }

// The entry numbers n of the items of `list` (ListBoxItem n), in order.
std::vector<int> EntryNumbers(vg::TvgListBox& list) {
  std::vector<int> numbers;
  for (int i = 0; i < list.Count(); ++i) {
    const std::string name = list.ItemByIndex(i)->Name();
    if (name.starts_with("ListBoxItem")) numbers.push_back(std::stoi(name.substr(11)));
  }
  return numbers;
}

}  // namespace

MainFormParams::MainFormParams(TfrmInterface& form, device::DeviceLink& link, device::DeviceJobs& jobs)
    : form_(form),
      link_(link),
      description_([this] { return DescriptionStore(); },
                   [this](const params::DescriptionIcons& icons) { ApplyIcons(icons); }),
      controls_(form),
      device_(link, jobs),
      editor_(description_.Version(), controls_, *this, device_, *this) {}

// The descriptions are read from lang.ini as the program found it: the
// background load reads its own copy while the window may write the file.
std::shared_ptr<const rtl::TMemIniFile> MainFormParams::DescriptionStore() {
  if (!store_) store_ = std::make_shared<const rtl::TMemIniFile>(form_.ProgramFolder() + "lang.ini");
  return store_;
}

params::DescriptionKey MainFormParams::DeviceKey() const {
  const auto& texts = link_.State().DeviceInfoStrings;
  return {texts[device::kController], texts[device::kHardware], texts[device::kFirmware]};
}

void MainFormParams::LoadDeviceDescription(const std::string& section) {
  params::DescriptionKey key = DeviceKey();
  description_.LoadDeviceDescription(section, key);
  link_.State().DeviceInfoStrings[device::kController] = key.controller;
}

void MainFormParams::StartBackgroundLoad() { description_.StartBackgroundLoad(DeviceKey()); }

void MainFormParams::ApplyIcons(const params::DescriptionIcons& icons) {
  const std::pair<const char*, const std::string*> images[] = {
      {"tabImage1", &icons.about}, {"tabImage8", &icons.firmware}, {"tabImage9", &icons.data},
      {"tabImage10", &icons.calc}};
  for (const auto& [name, file] : images) form_.LoadImageFile(form_.Node<vg::TvgImage>(name), *file);
}

void MainFormParams::BuildParameterPages() {
  const device::DeviceState& s = link_.State();
  params::PlanInputs inputs;
  inputs.chinese = Chinese();
  inputs.demo = Checked("Demo1");
  inputs.modeCaption = LangText("Mode", "");
  inputs.deviceData = s.DeviceData;
  inputs.settingsImage = s.SettingsImage;
  inputs.valueOffset = s.Layout.valueOffset;
  try {
    app::BuildParameterPages(*this, editor_, description_.Version(), inputs, SettingsShown());
  } catch (const params::EUnreadableParameter& e) {
    RefuseUnreadableDescription(e.Parameter());
  }
}

bool MainFormParams::SettingsShown() const {
  const device::DeviceState& s = link_.State();
  const auto& texts = s.DeviceInfoStrings;
  return s.Connected && !texts[device::kController].empty() && !texts[device::kHardware].empty() &&
         !texts[device::kFirmware].empty();
}

// Nothing could be read into or written from pages that were not built.
void MainFormParams::RefuseUnreadableDescription(const std::string& parameter) {
  form_.Progress().Free();
  SetUpdateButtonEnabled(false);
  if (auto* defaults = form_.Node<vg::TvgVisualObject>("btnDefault")) defaults->SetEnabled(false);
  ShowInfoBox(LangText("description_parameter_error",
                       "A parameter of the device description cannot be read, so the settings cannot be read or "
                       "written. Parameter:") +
              " " + parameter);
}

std::optional<int> MainFormParams::ModeIndex() {
  if (controls_.Kind(params::kModeList) != params::ControlKind::OptionList) return std::nullopt;
  return controls_.ItemIndex(params::kModeList);
}

// ----- the form's services

std::string MainFormParams::LangText(const std::string& key, const std::string& fallback) {
  return form_.LangText(key, fallback);
}

int MainFormParams::LayoutInteger(const std::string& key, int fallback) {
  return form_.LangIni().ReadInteger("common", key, fallback);
}

bool MainFormParams::Chinese() { return form_.IsChinese(); }
int MainFormParams::CheckedLinkMode() { return form_.Device().LinkMode(); }
bool MainFormParams::LanguageSwitching() { return form_.State().LanguageSwitching; }
bool MainFormParams::ReportCapture() { return form_.State().ReportCapture; }
void MainFormParams::ShowInfoBox(const std::string& text) { form_.ShowInfo(text, device::IMessageSink::kInfoBox); }
void MainFormParams::ProcessMessages() { gui::Application->ProcessMessages(); }

void MainFormParams::SetUpdateButtonEnabled(bool enabled) {
  if (auto* button = form_.Node<vg::TvgVisualObject>("btnUpdate")) button->SetEnabled(enabled);
}

void MainFormParams::ShowPage(params::SidePage page) { form_.ShowPageItem(page); }

void MainFormParams::ShowProgress(const std::string& label, int maximum) {
  ProgressBox& progress = form_.Progress();
  progress.Create(label, maximum);
  progress.SetValue(0);
  progress.Show();
}

void MainFormParams::FreeProgress() { form_.Progress().Free(); }

bool MainFormParams::ExecuteSaveDialog(const std::string& filter, const std::string& defaultExt,
                                       std::string& fileName) {
  auto* dialog = form_.Node<gui::TSaveDialog>("SaveDialog1");
  if (!dialog) return false;
  dialog->Filter = filter;
  dialog->DefaultExt = defaultExt;
  dialog->FileName = fileName;
  if (!RunFileDialog(*dialog)) return false;
  fileName = dialog->FileName;
  return true;
}

bool MainFormParams::ExecuteOpenDialog(const std::string& filter, std::string& fileName) {
  auto* dialog = form_.Node<gui::TOpenDialog>("OpenDialog1");
  if (!dialog) return false;
  dialog->Filter = filter;
  dialog->FileName = fileName;
  if (!RunFileDialog(*dialog)) return false;
  fileName = dialog->FileName;
  return true;
}

bool MainFormParams::RunFileDialog(gui::TOpenDialog& dialog) {
  dialog.InitialDir = lastFileFolder_.empty() ? form_.ProgramFolder() : lastFileFolder_;
  dialog.FileName = std::filesystem::path(dialog.FileName).filename().string();  // the folder is InitialDir's
  if (!dialog.Execute()) return false;
  lastFileFolder_ = std::filesystem::path(dialog.FileName).parent_path().string();
  return true;
}

bool MainFormParams::Checked(const std::string& menuItem) const {
  auto* item = form_.Node<gui::TMenuItem>(menuItem);
  return item && item->Checked();
}

// ----- the page host

rtl::TComponent& MainFormParams::FormOwner() { return form_; }

vg::TvgObject& MainFormParams::PageArea() {
  auto* area = form_.Node<vg::TvgObject>("Panel3");
  if (!area) throw rtl::Exception("the main window has no page area Panel3");
  return *area;
}

vg::TvgVisualObject* MainFormParams::SoftwarePage() { return form_.Node<vg::TvgVisualObject>("tabLayout8"); }

void MainFormParams::SetPageEntry(int page, const std::string& caption, const std::string& icon) {
  const std::string n = std::to_string(page + kFirstPageEntry);
  if (auto* label = form_.Node<vg::TvgTextControl>("tabLabel" + n)) label->SetText(rtl::W(caption));
  form_.LoadImageFile(form_.Node<vg::TvgImage>("tabImage" + n), icon);
}

void MainFormParams::CloseHelpPanel() {
  form_.Help().PlaceWebPane(false);
  if (auto* help = form_.Node<vg::TvgVisualObject>("Panel6")) help->SetVisible(false);
}

void MainFormParams::itemEnterFocus(vg::TvgVisualObject* sender) { form_.itemEnterFocus(sender); }

params::SideListInputs MainFormParams::SideListState() {
  const device::DeviceState& s = link_.State();
  return {.tab = description_.Version().tab,
          .escKind = EscKindChecked(),
          .motorChecker = Checked("MotorChecker1"),
          .programCard = Checked("LCDProgramCard1"),
          .demo = Checked("Demo1"),
          .connected = s.Connected,
          .linkMode = CheckedLinkMode(),
          .controller = s.DeviceInfoStrings[device::kController]};
}

std::vector<int> MainFormParams::ShownSideEntries() {
  auto* shown = form_.Node<vg::TvgListBox>("ListBox1");
  return shown ? EntryNumbers(*shown) : std::vector<int>{};
}

// Every entry leaves the shown list, then the listed ones come back in order.
void MainFormParams::ShowSideEntries(const std::vector<int>& entries) {
  auto* shown = form_.Node<vg::TvgListBox>("ListBox1");
  auto* hidden = form_.Node<vg::TvgListBox>("ListBox2");
  if (!shown || !hidden) return;
  vg::TvgListBoxItem* selected = shown->Selected();
  for (int n = 1; n <= kSideEntries; ++n)
    if (auto* item = form_.Node<vg::TvgListBoxItem>(EntryName(n))) item->SetParent(hidden);
  for (int n : entries)
    if (auto* item = form_.Node<vg::TvgListBoxItem>(EntryName(n))) item->SetParent(shown);
  shown->StoreItemIndex(selected && selected->ListBox() == shown ? selected->Index() : -1);
}

}  // namespace app
