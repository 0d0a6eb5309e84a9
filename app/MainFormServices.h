#pragma once
// The main window's side of the update, help, history and about commands:
// what those commands need of it (program folder, texts, message sink, a
// message pump for the waits, dialog owner and style book, the reload after
// new settings databases and closing), answered from the window and its
// parts.
#include "app/MainWindowServices.h"
#include "platform/net/HttpClient.h"

namespace app {

class TfrmInterface;

class MainFormServices final : public IMainWindowServices, public net::IMessagePump {
 public:
  explicit MainFormServices(TfrmInterface& form) : form_(form) {}

  std::string ProgramFolder() override;
  Language CurrentLanguage() override;
  std::string Text(std::string_view key, std::string_view fallback) override;
  std::string Setting(std::string_view key) override;
  void ShowInfo(const std::string& text, int mode) override;
  net::IMessagePump* Pump() override { return this; }
  gui::TForm* DialogOwner() override;
  vg::TvgResources* StyleBook() override;
  void ReloadAfterDatabaseInstall() override;
  void CloseMainWindow() override;

  void ProcessMessages() override;

 private:
  TfrmInterface& form_;
};

}  // namespace app
