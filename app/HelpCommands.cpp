#include "app/HelpCommands.h"

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/AboutForm.h"
#include "app/UpdateCheck.h"
#include "platform/gui/Shell.h"
#include "platform/net/HttpClient.h"
#include "platform/rtl/TextConvert.h"

namespace app {
namespace {

constexpr int kHistoryTimeoutMs = 3000;

bool Chinese(IMainWindowServices& services) { return services.CurrentLanguage() == Language::Chinese; }

bool WebServerAnswers(IMainWindowServices& services) {
  net::THttpClient http;
  http.ConnectTimeoutMs = kHistoryTimeoutMs;
  http.ReadTimeoutMs = kHistoryTimeoutMs;
  http.Pump = services.Pump();
  try {
    http.Head(UpdateHost(services) + kHistoryProbePath);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void SayNoBrowser(IMainWindowServices& services, const std::string& address) {
  services.ShowInfo(services.Text("browser_fail", "无法启动网页浏览器打开") + "\n" + address, 1);
}

void OpenInBrowser(IMainWindowServices& services, const std::string& address) {
  if (!gui::Shell().Open(address)) SayNoBrowser(services, address);
}

}  // namespace

void OpenHelpPage(IMainWindowServices& services) {
  const std::string page =
      services.ProgramFolder() + "help/" + (Chinese(services) ? "help_gb.htm" : "help.htm");
  std::error_code error;
  if (std::filesystem::is_regular_file(page, error)) OpenInBrowser(services, gui::FileUri(page));
}

void OpenHistory(IMainWindowServices& services) {
  const std::string target =
      WebServerAnswers(services)
          ? services.Text("History", "")
          : gui::FileUri(services.ProgramFolder() + "history/" + (Chinese(services) ? "index_cn.html" : "index_en.html"));
  if (!target.empty()) OpenInBrowser(services, target);
}

void ShowAboutBox(IMainWindowServices& services) {
  const std::unique_ptr<TfrmAbout, void (*)(TfrmAbout*)> about(new TfrmAbout(services.DialogOwner()),
                                                               [](TfrmAbout* form) { form->Free(); });
  const auto text = [&](const char* key) { return rtl::W(services.Text(key, "")); };
  about->SetCaption(rtl::W(services.Text("About_title", Chinese(services) ? "关于" : "About")));
  about->Text1->SetText(text("About_label1"));
  about->Text2->SetText(text("About_label2"));
  about->Text3->SetText(text("About_label3"));
  about->Button1->SetText(text("About_btncredits"));
  about->Button2->SetText(text("About_btnok"));
  about->OnLinkFailed = [&services](const std::string& address) { SayNoBrowser(services, address); };
  about->ShowModal();
}

}  // namespace app
