#include "app/MainForm.h"

#include "app/DeviceMenus.h"
#include "app/ExtraDeviceText.h"
#include "app/Heartbeat.h"
#include "app/HelpContent.h"
#include "app/LangKey.h"
#include "app/LangWriteBack.h"
#include "app/LanguageApply.h"
#include "app/MainFormDevice.h"
#include "app/MainFormHelp.h"
#include "app/MainFormParams.h"
#include "app/MainFormReport.h"
#include "app/MainFormServices.h"
#include "app/PageSwitch.h"
#include "platform/gui/Application.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/ProcessLauncher.h"
#include "platform/rtl/DebugOutput.h"
#include "platform/gui/Shell.h"
#include "platform/gui/WebBrowser.h"
#include "platform/rtl/TextConvert.h"
#include "ui/controls/vg_listbox.h"
#include "ui/render/vg_layouts.h"
#include "ui/render/vg_objects.h"

#include <filesystem>
#include <vector>

namespace app {

TfrmInterface* frmInterface = nullptr;

namespace {

constexpr int kCalculatorBoxes = 19;

std::string PageName(int page) { return "tabLayout" + std::to_string(page); }

}  // namespace

TfrmInterface::TfrmInterface(rtl::TComponent* owner, const MainFormPlatform& platform)
    : TSceneForm(owner), platform_(platform), programFolder_(gui::ProgramFolder()) {
  frmInterface = this;
  device_ = std::make_unique<MainFormDevice>(*this, platform_.hid, platform_.clock);
  params_ = std::make_unique<MainFormParams>(*this, device_->Link(), device_->Jobs());
  governor_ = std::make_unique<GovernorPage>(*this);
  rotor_ = std::make_unique<RotorSpeedPage>(*this, [this](ThrottleWarning warning) {
    return ThrottleWarningText(warning, LangIni(), IsChinese() ? Language::Chinese : Language::English);
  });
  services_ = std::make_unique<MainFormServices>(*this);
  help_ = std::make_unique<MainFormHelp>(*this);
  pageHooks_.placeHelpView = [this](int left) { help_->PlaceWebPane(left == kHelpViewShownLeft); };
  pageHooks_.showHelp = [this](int code) { help_->ShowHelp(code); };
  ReadSceneForm();
}

void TfrmInterface::Publish(rtl::TPublisher<TfrmInterface>& p) {
  using T = TfrmInterface;
  p.Field("MainMenu1", &T::MainMenu1);
  p.Field("English1", &T::English1);
  p.Field("Chinese1", &T::Chinese1);
  p.Field("Demo1", &T::Demo1);
  p.Field("Timer1", &T::Timer1);
  p.Field("SceneStyle", &T::SceneStyle);
  p.Field("Panel2", &T::Panel2);
  p.Field("web", &T::web);
  p.Field("eMessage", &T::eMessage);
  p.Field("vgmMessage", &T::vgmMessage);
  p.Method("FormCreate", &T::FormCreate);
  p.Method("FormActivate", &T::FormActivate);
  p.Method("FormDestroy", &T::FormDestroy);
  p.Method("Timer1Timer", &T::Timer1Timer);
  p.Method("Exit1Click", &T::Exit1Click);
  p.Method("ListBoxItemClick", &T::ListBoxItemClick);
  p.Method("itemEnterFocus", &T::itemEnterFocus);
  p.Method("StyleClick", &T::StyleClick);
  p.Method("test1Click", &T::test1Click);
  p.Method("PORTAVEX1Click", &T::PORTAVEX1Click);
  p.Method("PORTAVEX2Click", &T::PORTAVEX2Click);
  p.Method("PORTAVEX3Click", &T::PORTAVEX3Click);
  p.Method("PORTAVEX4Click", &T::PORTAVEX4Click);
  p.Method("PORTAVEX5Click", &T::PORTAVEX5Click);
  p.Method("btnScanClick", &T::btnScanClick);
  p.Method("btnUpgradeClick", &T::btnUpgradeClick);
  p.Method("btnUpgrade2Click", &T::btnUpgrade2Click);
  p.Method("btnReadClick", &T::btnReadClick);
  p.Method("btnWriteClick", &T::btnWriteClick);
  p.Method("rbChannelChange", &T::rbChannelChange);
  p.Method("btnUpdateClick", &T::btnUpdateClick);
  p.Method("btnDefaultClick", &T::btnDefaultClick);
  p.Method("Export1Click", &T::Export1Click);
  p.Method("Import1Click", &T::Import1Click);
  p.Method("ESCSpeedController1Click", &T::ESCSpeedController1Click);
  p.Method("MotorChecker1Click", &T::MotorChecker1Click);
  p.Method("LCDProgramCard1Click", &T::LCDProgramCard1Click);
  p.Method("VersionClick", &T::VersionClick);
  p.Method("btnConnectClick", &T::btnConnectClick);
  PublishCalculators(p);
  p.Method("Print1Click", &T::Print1Click);
  p.Method("Help2Click", &T::Help2Click);
  p.Method("History1Click", &T::History1Click);
  p.Method("About1Click", &T::About1Click);
  p.Method("Update1Click", &T::Update1Click);
  p.Method("DBUpdateClick", &T::DBUpdateClick);
  p.Method("btnLoadClick", &T::btnLoadClick);
  p.Method("btnStartClick", &T::btnStartClick);
  p.Method("btnSaveClick", &T::btnSaveClick);
  p.Method("btnPrintClick", &T::btnPrintClick);
  p.Method("PlotGrid1Paint", &T::PlotGrid1Paint);
}

// ----- creation and destruction

void TfrmInterface::FormCreate(rtl::TObject*) {
  device::DeviceState& link = device_->State();
  link.ProtocolSelector = 1;
  link.Upgrading = false;
  state_.FirstActivation = true;
  state_.Features = kDefaultFeatureFlags;
  GetXMLDBVersion(updates_, programFolder_);
  if (web) web->Navigate(gui::FileUri(programFolder_ + "help/help.html"));
  langIni_ = std::make_unique<rtl::TMemIniFile>(programFolder_ + "lang.ini");
  info_ = std::make_unique<InfoBox>(*this, *ControlsScene);
  progress_ = std::make_unique<ProgressBox>(*this, *ControlsScene);
  messages_ = std::make_unique<MessageSink>(*this, *info_, *this);
  ControlsScene->SetStyle(SceneStyle);
  if (Panel2) Panel2->SetCalloutLength(0);
  link.Markers = device::kEscMarkers;
  link.PendingUpgradeStep = 0;
  link.SettingsReadAttempts = 0;
  link.Busy = link.Connected = link.Identifying = false;
  state_.ReportCapture = false;
  link.AutoConnect = 1;
  link.HandshakeFreeCount = 0;
  link.DeviceInfoStrings = {};
  link.DeviceData = {};
  ApplyLanguageQuietly();
  ShowPageItem(1);
}

const rtl::TMemIniFile& TfrmInterface::ReloadLangIni() {
  langIni_ = std::make_unique<rtl::TMemIniFile>(programFolder_ + "lang.ini");
  return *langIni_;
}

void TfrmInterface::ApplyLanguage() { app::ApplyLanguage(*this); }

void TfrmInterface::ApplyLanguageQuietly() {
  try {
    ApplyLanguage();
  } catch (const std::exception& error) {
    rtl::OutputDebugString(std::string("language not applied: ") + error.what());
  }
}

std::optional<std::string> TfrmInterface::CalculatorText(int n) const { return governor_->BoxText(n); }

void TfrmInterface::SetCalculatorText(int n, const std::string& text) { governor_->SetBoxText(n, text); }

void TfrmInterface::FormDestroy(rtl::TObject*) {
  if (!langIni_) return;
  if (auto* governor = Node<vg::TvgVisualObject>(PageName(11)); governor && governor->Visible()) {
    ShowPageItem(1);
  }
  CalculatorTexts calculator;
  for (int n = 1; n <= kCalculatorBoxes; ++n) calculator[static_cast<std::size_t>(n - 1)] = CalculatorText(n);
  // A failed write is reported and leaves the old file; the window still
  // closes.
  try {
    WriteBackLangSettings(*langIni_, IsChinese(), calculator);
  } catch (const std::exception&) {
    gui::Application->HandleException(this);
  }
}

void TfrmInterface::BeforeDestruction() {
  // No tick may run once the components start to go (the timer's worker
  // stops with them); the progress box, a component of this form, is freed
  // while the form still owns it; the device part lasts through FormDestroy.
  closing_ = true;
  if (Timer1) Timer1->SetEnabled(false);
  progress_.reset();
  inherited::BeforeDestruction();
  params_.reset();
  device_.reset();
  if (frmInterface == this) frmInterface = nullptr;
}

// ----- activation, notifications and the poll

void TfrmInterface::FormActivate(rtl::TObject*) {
  if (!state_.AdapterListCreated) {
    state_.AdapterListCreated = true;
    if (!state_.NotificationRegistered) RegisterDevice();
    device_->Link().HidCtlDeviceArrival();
  }
  if (!state_.FirstActivation) return;
  ReadFeatureSwitches();
  ApplyLanguageQuietly();
}

void TfrmInterface::ReadFeatureSwitches() {
  state_.FirstActivation = false;
  const auto result = ReadFeatureFlagsFile(programFolder_ + "config.dat", state_.Features);
  if (!result) return;
  state_.Features = result->flags;
  if (result->error.empty()) return;
  rtl::OutputDebugString("config.dat: " + result->error);
  ShowInfo(LangText("config_error", "config.dat 无效，使用默认菜单。"), device::IMessageSink::kStatusLine);
}

void TfrmInterface::RegisterDevice() {
  state_.NotificationRegistered = true;
  if (platform_.registerNotifications && platform_.registerNotifications(*device_)) return;
  gui::Dialogs().MessageBox(this, u"注册USB设备通知失败", u"错误", gui::MB_OK | gui::MB_ICONERROR);
}

void TfrmInterface::Timer1Timer(rtl::TObject*) {
  if (closing_) return;
  device::DeviceState& link = device_->State();
  const HeartbeatInputs in{link.ScanMode, Demo1 && Demo1->Checked(), device_->Link().AdapterListed(),
                           link.Busy,     link.Identifying,          link.Upgrading,
                           link.DeviceKindChanged};
  switch (DecideHeartbeat(in)) {
    case HeartbeatAction::ScanChannels:
      device_->Adapter().ScanTick();
      return;
    case HeartbeatAction::Idle:
      return;
    case HeartbeatAction::IdentifyAfresh:
      link.Connected = false;
      link.DeviceKindChanged = false;
      [[fallthrough]];
    case HeartbeatAction::Identify:
      device_->Jobs().IdentifyDevice();
      return;
  }
}

void TfrmInterface::Exit1Click(rtl::TObject*) { Close(); }

IMainWindowServices& TfrmInterface::Services() { return *services_; }

bool TfrmInterface::HasInvalidChars() const {
  return app::HasInvalidChars(device_->State().DeviceInfoStrings[device::kExtraText]);
}

// ----- device handlers

void TfrmInterface::PORTAVEX1Click(rtl::TObject*) { device_->Adapter().PORTAVEX1Click(); }
void TfrmInterface::PORTAVEX2Click(rtl::TObject*) { device_->Adapter().PORTAVEX2Click(); }
void TfrmInterface::PORTAVEX3Click(rtl::TObject*) { device_->Adapter().PORTAVEX3Click(); }
void TfrmInterface::PORTAVEX4Click(rtl::TObject*) { device_->Adapter().PORTAVEX4Click(); }
void TfrmInterface::PORTAVEX5Click(rtl::TObject*) { device_->Adapter().PORTAVEX5Click(); }
void TfrmInterface::btnScanClick(rtl::TObject*) { device_->Adapter().btnScanClick(); }
void TfrmInterface::btnUpgradeClick(rtl::TObject*) { device_->Planner().btnUpgradeClick(); }
void TfrmInterface::btnUpgrade2Click(rtl::TObject*) { device_->Adapter().btnUpgrade2Click(); }
void TfrmInterface::btnReadClick(rtl::TObject*) { device_->Channels().btnReadClick(); }
void TfrmInterface::btnWriteClick(rtl::TObject*) { device_->Channels().btnWriteClick(); }
void TfrmInterface::rbChannelChange(rtl::TObject*) { device_->Channels().rbChannelChange(); }
void TfrmInterface::btnUpdateClick(rtl::TObject*) { device_->Jobs().btnUpdateClick(); }
void TfrmInterface::btnDefaultClick(rtl::TObject*) { device_->Jobs().btnDefaultClick(); }
void TfrmInterface::Export1Click(rtl::TObject*) { params_->Editor().Export1Click(); }
void TfrmInterface::Import1Click(rtl::TObject*) { params_->Editor().Import1Click(); }
void TfrmInterface::ESCSpeedController1Click(rtl::TObject*) { ChooseDeviceKind(*this, kEscKind); }
void TfrmInterface::MotorChecker1Click(rtl::TObject*) { ChooseDeviceKind(*this, kMotorCheckerKind); }
void TfrmInterface::LCDProgramCard1Click(rtl::TObject*) { ChooseDeviceKind(*this, kProgramCardKind); }
void TfrmInterface::VersionClick(rtl::TObject* sender) { ChooseLanguageOrModel(*this, sender); }
void TfrmInterface::btnConnectClick(rtl::TObject*) { ToggleAutoConnect(*this); }

void TfrmInterface::Print1Click(rtl::TObject*) {
  MainFormReport report(*this);
  PrintSettingsReport(report);
}

// ----- texts, messages, pictures, pages

std::string TfrmInterface::LangKey(const std::string& key) {
  return app::LangKey(IsChinese() ? Language::Chinese : Language::English, key);
}

std::string TfrmInterface::LangText(const std::string& key, const std::string& fallback) {
  return langIni_ ? langIni_->ReadString("common", LangKey(key), fallback) : fallback;
}

vg::TvgMemo* TfrmInterface::StatusLogInUse() {
  const int mode = device_->LinkMode();
  return mode >= 2 && mode <= 4 ? vgmMessage : eMessage;
}

void TfrmInterface::InsertTopLine(const std::string& line) {
  vg::TvgMemo* memo = StatusLogInUse();
  if (!memo) return;
  memo->Lines()->Insert(0, rtl::W(line));
  memo->GoToTextBegin();
}

void TfrmInterface::LoadImageFile(vg::TvgImage* image, const std::string& fileName) {
  if (!image || fileName.empty()) return;
  const std::string path = programFolder_ + fileName;
  if (!std::filesystem::is_regular_file(path)) return;
  image->Bitmap()->LoadFromFile(path);
  image->Repaint();
}

void TfrmInterface::ListBoxItemClick(rtl::TObject* sender) {
  auto* item = dynamic_cast<rtl::TComponent*>(sender);
  if (!item) return;
  MarkShownEntry(dynamic_cast<vg::TvgListBoxItem*>(item));
  ShowPageOfTag(static_cast<int>(item->Tag()));
}

// Whoever shows a page (a click, identification, a language switch, the
// report), the page list marks its entry, so a click on the marked entry
// never means another page; a page whose entry is not listed marks none.
void TfrmInterface::MarkShownEntry(vg::TvgListBoxItem* entry) {
  auto* list = Node<vg::TvgListBox>("ListBox1");
  if (!list) return;
  if (entry && entry->ListBox() != list) entry = nullptr;
  // The page builder moves entries between the lists: one may come back
  // still marked, and the list may keep an index whose entry is unmarked.
  for (int i = 0; i < list->Count(); ++i)
    if (vg::TvgListBoxItem* item = list->ItemByIndex(i); item != entry && item && item->IsSelected())
      item->SetIsSelected(false);
  if (entry && !entry->IsSelected()) list->StoreItemIndex(-1);
  list->SetItemIndex(entry ? entry->Index() : -1);
}

void TfrmInterface::ShowPageItem(int item) {
  if (auto* entry = FindComponent("ListBoxItem" + std::to_string(item)))
    ListBoxItemClick(entry);
  else
    ShowPageOfTag(item - 1);
}

void TfrmInterface::ShowPageOfTag(int tag) {
  shownPageTag_ = tag;
  if (pageHooks_.placeHelpView) pageHooks_.placeHelpView(kHelpViewHiddenLeft);
  const auto visible = VisiblePages(tag, device_->State().DeviceInfoStrings[device::kController], device_->LinkMode());
  for (int n = 1; n <= kPageLayouts; ++n)
    if (auto* layout = Node<vg::TvgVisualObject>(PageName(n))) layout->SetVisible(visible[static_cast<std::size_t>(n - 1)]);
  const bool help = PageHasHelpPane(tag);
  if (help && pageHooks_.placeHelpView) pageHooks_.placeHelpView(kHelpViewShownLeft);
  if (auto* helpColumn = Node<vg::TvgVisualObject>("Panel6")) helpColumn->SetVisible(help);
  if (Panel2) {
    Panel2->SetCalloutLength(0);
    Panel2->Position()->SetX(4);
    Panel2->SetWidth(215);
  }
  PrepareShownCalculators();
  ShowHelp(visible[kGovernorRpmPage - 1] ? kGovernorPageHelp : kNoHelp);
}

void TfrmInterface::ShowHelp(int code) {
  if (pageHooks_.showHelp) pageHooks_.showHelp(code);
}

int TfrmInterface::VisiblePage() const {
  for (int n = 1; n <= kPageLayouts; ++n)
    if (auto* layout = Node<vg::TvgVisualObject>(PageName(n)); layout && layout->Visible()) return n;
  return 0;
}

void TfrmInterface::itemEnterFocus(rtl::TObject* sender) { help_->itemEnterFocus(sender); }


}  // namespace app
