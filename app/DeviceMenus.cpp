#include "app/DeviceMenus.h"

#include <string>

#include "app/LanguageApply.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/ModelMenu.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_listbox.h"

namespace app {
namespace {

constexpr int kChineseTag = 1;
constexpr int kEnglishTag = 2;

// Forgets the device so that the next poll identifies it afresh.
void ForgetDevice(device::DeviceState& link) {
  link.DeviceKindChanged = true;
  link.Busy = link.Identifying = link.Connected = false;
  link.DeviceInfoStrings = {};
}

// The page list entry the user is on, by name ("ListBoxItem4"), or empty.
std::string ShownEntryName(TfrmInterface& form) {
  auto* list = form.Node<vg::TvgListBox>("ListBox1");
  vg::TvgListBoxItem* selected = list ? list->Selected() : nullptr;
  return selected ? selected->Name() : std::string();
}

// Goes back to the entry the user was on when the page list still holds it,
// else to the first page.
void ShowEntryAgain(TfrmInterface& form, const std::string& entry) {
  auto* list = form.Node<vg::TvgListBox>("ListBox1");
  auto* item = entry.empty() ? nullptr : form.Node<vg::TvgListBoxItem>(entry);
  if (!list || !item || item->ListBox() != list) return form.ShowPageItem(1);
  form.ListBoxItemClick(item);
}

void StopChannelScan(TfrmInterface& form) {
  if (form.Device().State().ScanMode) form.Device().Adapter().btnScanClick();
}

// The first checked model item's Tag, or `tag` when none is checked.
int CheckedModelTag(const gui::TMenuItem& version, int tag) {
  for (int i = kFixedVersionItems; i < version.Count(); ++i)
    if (version.Items(i)->Checked()) return static_cast<int>(version.Items(i)->Tag());
  return tag;
}

void ShowModel(TfrmInterface& form, gui::TMenuItem& model) {
  device::IDeviceView& view = form.Device();
  device::DeviceState& link = form.Device().State();
  if (form.Demo1) form.Demo1->SetChecked(model.Checked());
  for (const device::Led led : {device::Led::Link, device::Led::Activity}) {
    view.SetLedBlinking(led, false);
    view.SetLedFill(led, device::kLedOff);
  }
  for (const int text : {device::kController, device::kHardware, device::kFirmware}) link.DeviceInfoStrings[text].clear();
  link.Connected = false;
  form.Params().LoadDeviceDescription(rtl::Utf16ToUtf8(model.Hint()));
}

void ResetChannelPage(TfrmInterface& form) {
  device::IFormComponents& ui = form.Device();
  ui.SetChecked("rbChannel1", true);
  ui.SetText("sMessage", "");
  ui.SetEnabled("btnWrite", false);
  for (const char* box : {"cbRed", "cbGreen", "cbBlue"}) ui.SetChecked(box, false);
  ui.SetChecked("rbCW", true);
}

}  // namespace

void ChooseDeviceKind(TfrmInterface& form, const DeviceKind& kind) {
  device::IFormComponents& ui = form.Device();
  device::DeviceState& link = form.Device().State();
  StopChannelScan(form);
  ui.SetChecked(kind.menuItem, true);
  if (link.Markers.start == kind.markers.start) return;
  if (form.Timer1 && !form.Timer1->Enabled()) form.Timer1->SetEnabled(true);
  ui.SetText("Label1", ui.Text(kind.menuItem));
  form.ShowPageItem(1);
  link.Markers = kind.markers;
  ui.SetVisible("GroupBox2", kind.settingsGroup);
  if (kind.registerProtocol) link.ProtocolSelector = 0;
  ForgetDevice(link);
  form.Params().LoadDeviceDescription("");
  form.Params().BuildParameterPages();
  ui.SetVisible("btnConnect", kind.connectButton);
  for (const char* command : {"Export1", "Import1", "Print1"}) ui.SetEnabled(command, kind.fileCommands);
}

void ChooseLanguageOrModel(TfrmInterface& form, rtl::TObject* sender) {
  auto* clicked = dynamic_cast<rtl::TComponent*>(sender);
  if (!clicked) return;
  auto* version = form.Node<gui::TMenuItem>("Version1");
  form.State().LanguageSwitching = true;
  struct Done {
    TfrmInterface& form;
    ~Done() { form.State().LanguageSwitching = false; }
  } done{form};
  StopChannelScan(form);
  // Values changed but not yet written live only in the controls the rebuild
  // replaces: they go into the settings image, which the rebuild shows.
  if (form.Params().SettingsShown()) form.Params().Editor().CollectSettings();
  const std::string entry = ShownEntryName(form);
  int tag = static_cast<int>(clicked->Tag());
  if (form.Chinese1 && form.English1 && !form.Chinese1->Checked() && !form.English1->Checked())
    (tag == kEnglishTag ? form.English1 : form.Chinese1)->SetChecked(true);
  if (tag <= kEnglishTag && version) tag = CheckedModelTag(*version, tag);
  ApplyLanguage(form);
  if (tag >= kFirstModelTag && version && tag - 1 < version->Count())
    ShowModel(form, *version->Items(tag - 1));
  else
    form.Params().LoadDeviceDescription("");
  form.Params().BuildParameterPages();
  ShowEntryAgain(form, entry);
  if (form.Device().LinkMode() == 5) ResetChannelPage(form);
}

void ToggleAutoConnect(TfrmInterface& form) {
  device::DeviceState& link = form.Device().State();
  device::IFormComponents& ui = form.Device();
  link.AutoConnect = !link.AutoConnect;
  link.HandshakeFreeCount = 0;
  const bool automatic = link.AutoConnect != 0;
  if (automatic) link.Busy = link.Connected = link.Identifying = false;
  for (const char* button : {"btnUpdate", "btnDefault"}) ui.SetEnabled(button, automatic);
  ui.SetText("btnConnect", automatic ? form.LangText("DisConnect", "DisConnect") : form.LangText("Connect", "Connect"));
  if (!automatic) static_cast<device::IDeviceView&>(form.Device()).SetLedFill(device::Led::Link, device::kLedOff);
}

}  // namespace app
