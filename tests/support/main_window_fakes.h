#pragma once
// A main window for the update, help and about commands: texts from maps,
// the program folder a test chose, and a record of what the commands asked
// of it (messages, reloads, closing).
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/LangKey.h"
#include "app/MainWindowServices.h"
#include "platform/net/HttpClient.h"

namespace test_support {

// Counts its calls and runs `Action` at each (a test's look at the window
// while a request waits).
struct TCountingPump final : net::IMessagePump {
  void ProcessMessages() override {
    ++Calls;
    if (Action) Action();
  }
  int Calls = 0;
  std::function<void()> Action;
};

class TFakeMainWindow final : public app::IMainWindowServices {
 public:
  struct Info {
    std::string Text;
    int Mode;
    bool operator==(const Info&) const = default;
  };

  std::string ProgramFolder() override { return Folder; }
  app::Language CurrentLanguage() override { return Language; }
  std::string Text(std::string_view key, std::string_view fallback) override {
    const auto found = Texts.find(app::LangKey(Language, key));
    return found == Texts.end() ? std::string(fallback) : found->second;
  }
  std::string Setting(std::string_view key) override {
    const auto found = Settings.find(std::string(key));
    return found == Settings.end() ? std::string() : found->second;
  }
  void ShowInfo(const std::string& text, int mode) override { Infos.push_back({text, mode}); }
  net::IMessagePump* Pump() override { return &MessagePump; }
  gui::TForm* DialogOwner() override { return Owner; }
  vg::TvgResources* StyleBook() override { return nullptr; }
  void ReloadAfterDatabaseInstall() override { ++Reloads; }
  void CloseMainWindow() override { ++Closes; }

  std::string Folder;  // ends in "/"
  app::Language Language = app::Language::English;
  std::map<std::string, std::string, std::less<>> Texts;  // by prefixed key
  std::map<std::string, std::string, std::less<>> Settings;
  gui::TForm* Owner = nullptr;
  TCountingPump MessagePump;
  std::vector<Info> Infos;
  int Reloads = 0;
  int Closes = 0;
};

}  // namespace test_support
