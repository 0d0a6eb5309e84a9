#include "app/MainFormDevice.h"

#include "app/ExtraDeviceText.h"
#include "app/MainForm.h"
#include "app/MainFormParams.h"
#include "app/PageSwitch.h"
#include "app/VersionControl.h"
#include "platform/gui/Application.h"
#include "platform/gui/Dialogs.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_checkbox.h"
#include "ui/controls/vg_listbox.h"
#include "ui/controls/vg_textbox.h"
#include "ui/core/vg_ani.h"
#include "ui/render/vg_objects.h"

namespace app {
namespace {

const char* const kLedNames[] = {"Circle1", "Circle2"};
const char* const kLedAnimations[] = {"ColorKeyAnimation1", "ColorKeyAnimation2"};

const char* DeviceField(bool link, int which) {
  static const char* const single[] = {"eController", "eHardware", "eFirmware", "btnUpgrade"};
  static const char* const adapter[] = {"tbController", "tbHardware", "tbFirmware", "btnUpgrade2"};
  return (link ? adapter : single)[which];
}

}  // namespace

MainFormDevice::MainFormDevice(TfrmInterface& form, hid::IHidApi& hid, hid::ITickClock& clock)
    : form_(form), chooser_(form, form) {
  const device::LinkServices services{*this, *this, form_, *this, *this, *this, *this, *this, *this, *this, *this};
  link_ = std::make_unique<device::DeviceLink>(hid, clock, services);
  catalogue_ = std::make_unique<device::SettingsCatalogue>(
      link_->State(), device::CatalogueServices{*this, form_, *this, *this, *this});
  jobs_ = std::make_unique<device::DeviceJobs>(*link_, *this, *this);
  upgrade_ = std::make_unique<device::FirmwareUpgrade>(
      *link_, *catalogue_, upgradeProgress_,
      device::UpgradeServices{clock, *this, form_, *this, *this, *this, *this, *jobs_});
  planner_ = std::make_unique<device::UpgradePlanner>(
      link_->State(), *catalogue_, upgradeProgress_,
      device::PlannerServices{*this, form_, *this, *this, *this, *this, *upgrade_});
  adapter_ = std::make_unique<device::LinkAdapter>(
      *link_, device::LinkAdapterServices{*this, *this, *this, [this](const std::string& caption) {
                                            return planner_->UpgradeChannelToSelectedVersion(caption);
                                          }});
  channels_ = std::make_unique<device::ChannelParameters>(*link_, *this);
}

MainFormDevice::~MainFormDevice() = default;

void MainFormDevice::HandleException(std::exception_ptr error) { gui::Application->HandleException(&form_, error); }

void MainFormDevice::ProcessMessages() { gui::Application->ProcessMessages(); }

void MainFormDevice::SetEnabled(bool enabled) {
  if (form_.Timer1) form_.Timer1->SetEnabled(enabled);
}

void MainFormDevice::ShowInfo(const std::string& text, int mode) { form_.ShowInfo(text, mode); }
void MainFormDevice::Create(const std::string& label, int maximum) { form_.Progress().Create(label, maximum); }
void MainFormDevice::Free() { form_.Progress().Free(); }
void MainFormDevice::SetMaximum(int maximum) { form_.Progress().SetMaximum(maximum); }
bool MainFormDevice::Exists() { return form_.Progress().Exists(); }
void MainFormDevice::Show() { form_.Progress().Show(); }
int MainFormDevice::Value() { return form_.Progress().Value(); }
int MainFormDevice::Maximum() { return form_.Progress().Maximum(); }
void MainFormDevice::SetValue(int value) { form_.Progress().SetValue(value); }
void MainFormDevice::Repaint() { form_.Progress().Repaint(); }

void MainFormDevice::ShowPage(int page) { form_.ShowPageItem(page); }

// ----- the parameter pages

void MainFormDevice::LoadDeviceDescription(const std::string& section) { form_.Params().LoadDeviceDescription(section); }
void MainFormDevice::BuildParameterPages() { form_.Params().BuildParameterPages(); }
void MainFormDevice::SetParamControlsEnabled(bool enabled) { form_.Params().Editor().SetParamControlsEnabled(enabled); }
void MainFormDevice::ShowSettings() { form_.Params().Editor().ShowSettings(); }
void MainFormDevice::CollectSettings() { form_.Params().Editor().CollectSettings(); }
std::optional<int> MainFormDevice::ModeIndex() { return form_.Params().ModeIndex(); }
void MainFormDevice::StartBackgroundLoad() { form_.Params().StartBackgroundLoad(); }
bool MainFormDevice::DescriptionLoaded() { return form_.Params().DescriptionLoaded(); }
// A background load that has ended is taken in first: the count is the
// identified device's, not the one before it (the settings buttons follow it).
int MainFormDevice::DescriptionTabCount() {
  form_.Params().DescriptionLoaded();
  return form_.Params().Version().tab;
}

// ----- the device view

void MainFormDevice::SetLedBlinking(device::Led led, bool blinking) {
  auto* animation = dynamic_cast<vg::TvgAnimation*>(Find(kLedAnimations[static_cast<int>(led)]));
  if (!animation) return;
  if (blinking)
    animation->Start();
  else
    animation->Stop();
}

// The welcome text asks for a device: it shows only while none is connected.
void MainFormDevice::SetLedFill(device::Led led, std::uint32_t argb) {
  if (auto* circle = dynamic_cast<vg::TvgShape*>(Find(kLedNames[static_cast<int>(led)])))
    circle->Fill()->SetSolidColor(argb);
  if (led != device::Led::Link) return;
  if (auto* welcome = dynamic_cast<vg::TvgVisualObject*>(Find("lblWelcome"))) welcome->SetVisible(argb != device::kLedOn);
}

std::uint32_t MainFormDevice::LedFill(device::Led led) {
  auto* circle = dynamic_cast<vg::TvgShape*>(Find(kLedNames[static_cast<int>(led)]));
  return circle ? circle->Fill()->SolidColor() : device::kLedOff;
}

void MainFormDevice::ClearStatusMemo() {
  if (form_.eMessage) form_.eMessage->SetText({});
}

void MainFormDevice::SetJobButtonsEnabled(bool enabled) {
  for (const char* name : {"btnUpdate", "btnDefault", "btnUpgrade"}) EnableNode(name, enabled);
}

void MainFormDevice::UncheckChannelBoxes() {
  for (int n = 1; n <= 8; ++n) SetChecked(device::ChannelComponent("cbChannel", n), false);
}

int MainFormDevice::CheckedLinkMode() {
  for (int mode = 1; mode <= 5; ++mode)
    if (Checked("PORTAVEX" + std::to_string(mode))) return mode;
  return 0;
}

void MainFormDevice::DebugOutput(const std::string& line) { rtl::OutputDebugString(line); }

void MainFormDevice::SetMainWindowEnabled(bool enabled) { form_.SetEnabled(enabled); }

void MainFormDevice::ShowDisconnectedFields() {
  if (form_.eMessage) form_.eMessage->SetText({});
  if (form_.vgmMessage) form_.vgmMessage->SetText({});
  for (const bool link : {false, true}) {
    SetDeviceFieldsEnabled(link, false);
    SetUpgradeButtonEnabled(link, false);
  }
  SetSettingsButtonsEnabled(false);
}

void MainFormDevice::SetModelMenuEnabled(bool enabled) {
  auto* menu = dynamic_cast<gui::TMenuItem*>(Find("Version1"));
  if (!menu) return;
  for (int i = 0; i < menu->Count(); ++i) menu->Items(i)->SetEnabled(enabled);
}

// ----- the firmware widgets

vg::TvgStringComboBox* MainFormDevice::FirmwareCombo(bool link) const {
  return dynamic_cast<vg::TvgStringComboBox*>(Find(link ? "scbFirmware" : "cbFirmware"));
}

void MainFormDevice::ClearFirmwareCombo(bool link) {
  if (auto* combo = FirmwareCombo(link)) combo->Items()->Clear();
}

void MainFormDevice::AddFirmwareItem(bool link, const std::string& text) {
  if (auto* combo = FirmwareCombo(link)) combo->Items()->Add(rtl::W(text));
}

int MainFormDevice::FirmwareItemCount(bool link) {
  auto* combo = FirmwareCombo(link);
  return combo ? combo->Items()->Count() : 0;
}

int MainFormDevice::FirmwareItemIndex(bool link) {
  auto* combo = FirmwareCombo(link);
  return combo ? combo->ItemIndex() : -1;
}

// The first entry of an empty list is no entry: the list refuses an index
// beyond its end, and the LEDs and buttons set after it must still be set.
void MainFormDevice::SetFirmwareItemIndex(bool link, int index) {
  auto* combo = FirmwareCombo(link);
  if (combo) combo->SetItemIndex(index < combo->Items()->Count() ? index : -1);
}

std::string MainFormDevice::FirmwareItemText(bool link) {
  auto* combo = FirmwareCombo(link);
  if (!combo) return {};
  const int index = combo->ItemIndex();
  return index >= 0 && index < combo->Items()->Count() ? rtl::Utf16ToUtf8(combo->Items()->Get(index)) : std::string();
}

void MainFormDevice::SetFirmwareComboEnabled(bool link, bool enabled) {
  if (auto* combo = FirmwareCombo(link)) combo->SetEnabled(enabled);
}

void MainFormDevice::FocusFirmwareCombo(bool link) {
  if (auto* combo = FirmwareCombo(link)) combo->SetFocus();
}

void MainFormDevice::SetDeviceFields(bool link, const std::string& controller, const std::string& hardware) {
  SetText(DeviceField(link, 0), controller);
  SetText(DeviceField(link, 1), hardware);
}

void MainFormDevice::SetFirmwareField(bool link, const std::string& text) { SetText(DeviceField(link, 2), text); }

void MainFormDevice::SetDeviceFieldsEnabled(bool link, bool enabled) {
  for (int which = 0; which < 3; ++which) EnableNode(DeviceField(link, which), enabled);
}

void MainFormDevice::SetSettingsButtonsEnabled(bool enabled) {
  SetUpdateButtonEnabled(enabled);
  SetDefaultButtonEnabled(enabled);
}

bool MainFormDevice::UpgradeButtonEnabled(bool link) {
  auto* button = dynamic_cast<vg::TvgVisualObject*>(Find(DeviceField(link, 3)));
  return button && button->Enabled();
}

void MainFormDevice::SetUpgradeButtonEnabled(bool link, bool enabled) {
  EnableNode(DeviceField(link, 3), enabled);
}

int MainFormDevice::SideListIndex() {
  auto* list = dynamic_cast<vg::TvgListBox*>(Find("ListBox1"));
  return list ? list->ItemIndex() : -1;
}

void MainFormDevice::SetSideListIndex(int index) {
  if (auto* list = dynamic_cast<vg::TvgListBox*>(Find("ListBox1"))) list->SetItemIndex(index);
}

bool MainFormDevice::ShownPageNeedsDevice() {
  auto* list = dynamic_cast<vg::TvgListBox*>(Find("ListBox1"));
  vg::TvgListBoxItem* shown = list ? list->Selected() : nullptr;
  return shown && PageNeedsDevice(static_cast<int>(shown->Tag()));
}

void MainFormDevice::ShowSidePage(int item) {
  SetSideListIndex(DescriptionTabCount() + 1);
  form_.ShowPageItem(item);
}

void MainFormDevice::ClickMotorChecker() {
  if (auto* item = dynamic_cast<gui::TMenuItem*>(Find("MotorChecker1"))) item->Click();
}

// ----- the shell

std::string MainFormDevice::ProgramFolder() { return form_.ProgramFolder(); }

std::string MainFormDevice::LocalDatabaseVersion() {
  return form_.Updates().LocalDatabaseVersion;
}

bool MainFormDevice::IsChinese() { return form_.IsChinese(); }

bool MainFormDevice::HasInvalidChars(const std::string& text) { return app::HasInvalidChars(text); }

bool MainFormDevice::AskYesNo(const std::string& text, const std::string& caption) {
  return gui::Dialogs().MessageBox(&form_, rtl::W(text), rtl::W(caption), gui::MB_YESNO | gui::MB_ICONQUESTION) ==
         gui::IDYES;
}

// ----- components by name

rtl::TComponent* MainFormDevice::Find(const std::string& name) const { return form_.FindComponent(name); }

void MainFormDevice::SetEnabled(const std::string& name, bool enabled) { EnableNode(name, enabled); }

void MainFormDevice::EnableNode(const std::string& name, bool enabled) {
  rtl::TComponent* component = Find(name);
  if (auto* item = dynamic_cast<gui::TMenuItem*>(component))
    item->SetEnabled(enabled);
  else if (auto* node = dynamic_cast<vg::TvgVisualObject*>(component))
    node->SetEnabled(enabled);
}

void MainFormDevice::SetVisible(const std::string& name, bool visible) {
  rtl::TComponent* component = Find(name);
  if (auto* item = dynamic_cast<gui::TMenuItem*>(component))
    item->SetVisible(visible);
  else if (auto* node = dynamic_cast<vg::TvgVisualObject*>(component))
    node->SetVisible(visible);
}

bool MainFormDevice::Checked(const std::string& name) {
  rtl::TComponent* component = Find(name);
  if (auto* item = dynamic_cast<gui::TMenuItem*>(component)) return item->Checked();
  if (auto* box = dynamic_cast<vg::TvgTwoStateControl*>(component)) return box->IsChecked();
  return false;
}

void MainFormDevice::SetChecked(const std::string& name, bool checked) {
  rtl::TComponent* component = Find(name);
  if (auto* item = dynamic_cast<gui::TMenuItem*>(component))
    item->SetChecked(checked);
  else if (auto* box = dynamic_cast<vg::TvgTwoStateControl*>(component))
    box->SetIsChecked(checked);
}

std::string MainFormDevice::Text(const std::string& name) {
  rtl::TComponent* component = Find(name);
  if (auto* item = dynamic_cast<gui::TMenuItem*>(component)) return rtl::Utf16ToUtf8(item->Caption());
  if (auto* control = dynamic_cast<vg::TvgTextControl*>(component)) return rtl::Utf16ToUtf8(control->Text());
  if (auto* box = dynamic_cast<vg::TvgCustomTextBox*>(component)) return rtl::Utf16ToUtf8(box->Text());
  if (auto* memo = dynamic_cast<vg::TvgMemo*>(component)) return rtl::Utf16ToUtf8(memo->Text());
  return {};
}

void MainFormDevice::SetText(const std::string& name, const std::string& text) {
  rtl::TComponent* component = Find(name);
  if (auto* item = dynamic_cast<gui::TMenuItem*>(component))
    item->SetCaption(rtl::W(text));
  else if (auto* control = dynamic_cast<vg::TvgTextControl*>(component))
    control->SetText(rtl::W(text));
  else if (auto* box = dynamic_cast<vg::TvgCustomTextBox*>(component))
    box->SetText(rtl::W(text));
  else if (auto* memo = dynamic_cast<vg::TvgMemo*>(component))
    memo->SetText(rtl::W(text));
}

void MainFormDevice::InsertFirstLine(const std::string& name, const std::string& line) {
  if (auto* memo = dynamic_cast<vg::TvgMemo*>(Find(name))) {
    memo->Lines()->Insert(0, rtl::W(line));
    memo->GoToTextBegin();
  }
}

}  // namespace app
