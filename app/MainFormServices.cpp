// The main window's services to the web and help commands, and the Help
// menu's handlers that run them.
#include "app/MainFormServices.h"

#include "app/HelpCommands.h"
#include "app/MainForm.h"
#include "app/MainFormDevice.h"
#include "app/MainFormParams.h"
#include "app/UpdateCheck.h"
#include "platform/gui/Application.h"

namespace app {

std::string MainFormServices::ProgramFolder() { return form_.ProgramFolder(); }

Language MainFormServices::CurrentLanguage() { return form_.IsChinese() ? Language::Chinese : Language::English; }

std::string MainFormServices::Text(std::string_view key, std::string_view fallback) {
  return form_.LangText(std::string(key), std::string(fallback));
}

std::string MainFormServices::Setting(std::string_view key) {
  return form_.LangIni().ReadString("common", std::string(key), "");
}

void MainFormServices::ShowInfo(const std::string& text, int mode) { form_.ShowInfo(text, mode); }

gui::TForm* MainFormServices::DialogOwner() { return &form_; }

vg::TvgResources* MainFormServices::StyleBook() { return form_.SceneStyle; }

// The new database files take over: the connected device's database is
// chosen again, its description read and the pages rebuilt, and the link
// identifies the device afresh on the next tick.
void MainFormServices::ReloadAfterDatabaseInstall() {
  MainFormDevice& device = form_.Device();
  form_.ApplyLanguage();  // chooses the settings database again
  form_.Params().LoadDeviceDescription("");
  form_.Params().BuildParameterPages();
  device::DeviceState& link = device.State();
  link.AutoConnect = 1;
  link.HandshakeFreeCount = 0;
  link.Busy = link.Connected = link.Identifying = false;
}

void MainFormServices::CloseMainWindow() { form_.Close(); }

void MainFormServices::ProcessMessages() { gui::Application->ProcessMessages(); }

// ----- the Help menu

void TfrmInterface::Help2Click(rtl::TObject*) { OpenHelpPage(Services()); }
void TfrmInterface::History1Click(rtl::TObject*) { OpenHistory(Services()); }
void TfrmInterface::About1Click(rtl::TObject*) { ShowAboutBox(Services()); }
void TfrmInterface::Update1Click(rtl::TObject*) { RunUpdateCheck(updates_, UpdateTarget::Software, Services()); }
void TfrmInterface::DBUpdateClick(rtl::TObject*) { RunUpdateCheck(updates_, UpdateTarget::Database, Services()); }

}  // namespace app
