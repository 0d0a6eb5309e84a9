#pragma once
// TfrmInterface, the main window: its components come from its form
// resource; it holds the program's state and runs the life cycle (creation,
// first activation, the 100 ms poll, destruction with the write-back of
// lang.ini). The device link, the texts and the message sink are parts it is
// composed of (MainFormDevice, MessageSink, InfoBox, ProgressBox).
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/GovernorPage.h"
#include "app/InfoForm.h"
#include "app/MainFormState.h"
#include "app/MessageSink.h"
#include "app/PageSwitch.h"
#include "app/ProgressForm.h"
#include "app/RotorSpeedPage.h"
#include "app/SceneForm.h"
#include "app/VersionControl.h"
#include "components/JvTimer.h"
#include "device/LinkServices.h"
#include "platform/gui/Menus.h"
#include "platform/rtl/MemIniFile.h"
#include "ui/controls/vg_memo.h"
#include "ui/controls/vg_panels.h"

namespace gui {
class TWebBrowser;
}

namespace hid {
class IHidApi;
class ITickClock;
}

namespace vg {
class TvgListBoxItem;
}

namespace app {

class MainFormDevice;
class MainFormParams;
class MainFormServices;
class IMainWindowServices;
class MainFormHelp;

/// What the main window needs from outside: the HID library and its clock,
/// and whether hot-plug notifications can be had.
struct MainFormPlatform {
  hid::IHidApi& hid;
  hid::ITickClock& clock;
  /// Starts listening for adapters being plugged in and out; false when
  /// that is impossible (the registration error box is shown then).
  std::function<bool(MainFormDevice& device)> registerNotifications;
};

class TfrmInterface : public TSceneForm, public device::ITexts, public IStatusLog {
  RTL_CLASS(TfrmInterface, TSceneForm)

  TfrmInterface(rtl::TComponent* owner, const MainFormPlatform& platform);

  // --- components
  gui::TMainMenu* MainMenu1 = nullptr;
  gui::TMenuItem* English1 = nullptr;
  gui::TMenuItem* Chinese1 = nullptr;
  gui::TMenuItem* Demo1 = nullptr;
  components::TJvTimer* Timer1 = nullptr;
  vg::TvgResources* SceneStyle = nullptr;
  vg::TvgCalloutPanel* Panel2 = nullptr;
  gui::TWebBrowser* web = nullptr;
  vg::TvgMemo* eMessage = nullptr;
  vg::TvgMemo* vgmMessage = nullptr;

  // --- life cycle
  void FormCreate(rtl::TObject* sender);
  void FormActivate(rtl::TObject* sender);
  void FormDestroy(rtl::TObject* sender);
  void Timer1Timer(rtl::TObject* sender);
  void Exit1Click(rtl::TObject* sender);
  void StyleClick(rtl::TObject*) {}
  void test1Click(rtl::TObject*) {}
  void PORTAVEX1Click(rtl::TObject* sender);
  void PORTAVEX2Click(rtl::TObject* sender);
  void PORTAVEX3Click(rtl::TObject* sender);
  void PORTAVEX4Click(rtl::TObject* sender);
  void PORTAVEX5Click(rtl::TObject* sender);
  void btnScanClick(rtl::TObject* sender);
  void btnUpgradeClick(rtl::TObject* sender);
  void btnUpgrade2Click(rtl::TObject* sender);
  void btnReadClick(rtl::TObject* sender);
  void btnWriteClick(rtl::TObject* sender);
  /// Any of the channel buttons rbChannel1..rbChannel8 changed.
  void rbChannelChange(rtl::TObject* sender);
  void btnUpdateClick(rtl::TObject* sender);
  void btnDefaultClick(rtl::TObject* sender);
  void Export1Click(rtl::TObject* sender);
  void Import1Click(rtl::TObject* sender);
  // --- device kind, language, demo model, connect toggle
  void ESCSpeedController1Click(rtl::TObject* sender);
  void MotorChecker1Click(rtl::TObject* sender);
  void LCDProgramCard1Click(rtl::TObject* sender);
  /// A language item or a model item of the supported-version menu.
  void VersionClick(rtl::TObject* sender);
  void btnConnectClick(rtl::TObject* sender);
  /// Writes the settings report (a PDF file of the window's pages).
  void Print1Click(rtl::TObject* sender);
  // --- the Help menu (MainFormServices.cpp)
  void Help2Click(rtl::TObject* sender);
  void History1Click(rtl::TObject* sender);
  void About1Click(rtl::TObject* sender);
  void Update1Click(rtl::TObject* sender);
  void DBUpdateClick(rtl::TObject* sender);
  // --- the data recorder page (MainFormRecorder.cpp)
  void btnLoadClick(rtl::TObject* sender);
  void btnStartClick(rtl::TObject* sender);
  void btnSaveClick(rtl::TObject* sender);
  void btnPrintClick(rtl::TObject*) {}
  void PlotGrid1Paint(rtl::TObject* sender, vg::TvgCanvas* canvas, const vg::TvgRect& paintRect);
  /// Registers for adapter hot-plug notifications; a failure shows the
  /// registration error box once.
  void RegisterDevice();
  /// The extra device text holds a character other than [0-9A-Za-z._-].
  bool HasInvalidChars() const;

  // --- texts and messages
  rtl::TMemIniFile& LangIni() { return *langIni_; }
  /// Reads lang.ini afresh; an unreadable file raises and keeps the texts
  /// read before.
  const rtl::TMemIniFile& ReloadLangIni();
  /// Writes every fixed text in the chosen language (LanguageApply.h).
  void ApplyLanguage();
  bool IsChinese() const { return Chinese1 && Chinese1->Checked(); }
  std::string LangKey(const std::string& key) override;
  std::string LangText(const std::string& key, const std::string& fallback) override;
  void ShowInfo(const std::string& text, int mode) { messages_->ShowInfo(text, mode); }
  /// Loads a picture file of the program folder into an image node; an
  /// empty name or a missing file changes nothing.
  void LoadImageFile(vg::TvgImage* image, const std::string& fileName);

  // --- state and parts
  MainFormState& State() { return state_; }
  MainFormDevice& Device() { return *device_; }
  /// The parameter pages, their description and editor.
  MainFormParams& Params() { return *params_; }
  const std::string& ProgramFolder() const { return programFolder_; }
  /// The installed versions read at creation from version_control.xml.
  UpdateState& Updates() { return updates_; }
  InfoBox& Info() { return *info_; }
  /// What the update, help and about commands need of this window.
  IMainWindowServices& Services();
  ProgressBox& Progress() { return *progress_; }
  /// The page items' click: shows exactly the page layouts of the item's
  /// Tag, the help column beside the pages that have help, and resets the
  /// help frame; the page list marks the item.
  void ListBoxItemClick(rtl::TObject* sender);
  /// ListBoxItemClick with ListBoxItem<item>.
  void ShowPageItem(int item);
  /// The first visible page layout (1..13), 0 when none is.
  int VisiblePage() const;
  /// The Tag of the page item shown last (0, the first page, at start).
  int ShownPageTag() const { return shownPageTag_; }
  /// What the help view, the help panel and the calculators do when a page
  /// is shown.
  PageHooks& Hooks() { return pageHooks_; }
  /// Fills the help panel with the help of `code`; kNoHelp empties it.
  void ShowHelp(int code);
  void SetCalculatorText(int n, const std::string& text);

  // --- calculator pages (their handlers: MainFormCalculators.cpp)
  GovernorPage& Governor() { return *governor_; }
  RotorSpeedPage& Rotor() { return *rotor_; }
  void calcChange(rtl::TObject* sender);
  void calcTextBoxChange(rtl::TObject* sender);
  void calcTextBoxKeyDown(rtl::TObject* sender, std::uint16_t& key, char16_t& keyChar, vg::TvgShiftState shift);
  void CalcGovernor();
  void tbPercentChange(rtl::TObject* sender);
  void nbPolesChange(rtl::TObject* sender);
  void nbCBChange(rtl::TObject* sender);
  void nbDJCChange(rtl::TObject* sender);
  void nbZCChange(rtl::TObject* sender);
  void rbDJCChange(rtl::TObject* sender);
  void rbCBChange(rtl::TObject* sender);
  void nbRPM1Change(rtl::TObject* sender);
  void nbRPM2Change(rtl::TObject* sender);
  void nbRPM3Change(rtl::TObject* sender);

  // --- help column
  /// The focus event of the parameter controls and of the firmware and
  /// calculator boxes: the help panel points at the sender and shows its help.
  void itemEnterFocus(rtl::TObject* sender);
  MainFormHelp& Help() { return *help_; }

  static void Publish(rtl::TPublisher<TfrmInterface>& p);

 protected:
  void BeforeDestruction() override;

 private:
  void InsertTopLine(const std::string& line) override;  // the status log in use
  void ReadFeatureSwitches();
  void ShowPageOfTag(int tag);
  void MarkShownEntry(vg::TvgListBoxItem* entry);
  /// ApplyLanguage at creation and first activation: a failure leaves the
  /// texts as they are and the window goes on.
  void ApplyLanguageQuietly();
  /// The text of calcTextBox<n> (a text box or a compound box); none when
  /// the window has no such box.
  std::optional<std::string> CalculatorText(int n) const;
  vg::TvgMemo* StatusLogInUse();
  static void PublishCalculators(rtl::TPublisher<TfrmInterface>& p);
  /// Recalculates the governor page and fills the rotor-rpm page when the
  /// page switch shows them.
  void PrepareShownCalculators();

  MainFormPlatform platform_;
  bool closing_ = false;
  std::string programFolder_;
  MainFormState state_;
  UpdateState updates_;
  std::unique_ptr<rtl::TMemIniFile> langIni_;
  std::unique_ptr<InfoBox> info_;
  std::unique_ptr<ProgressBox> progress_;
  std::unique_ptr<MessageSink> messages_;
  std::unique_ptr<MainFormDevice> device_;
  std::unique_ptr<MainFormParams> params_;
  std::unique_ptr<GovernorPage> governor_;
  std::unique_ptr<RotorSpeedPage> rotor_;
  PageHooks pageHooks_;
  int shownPageTag_ = 0;
  std::unique_ptr<MainFormServices> services_;
  std::unique_ptr<MainFormHelp> help_;
};

/// The one main window, nullptr outside its life.
extern TfrmInterface* frmInterface;

}  // namespace app
