// F1 help and the revision history: which page the browser is asked to open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/HelpCommands.h"
#include "platform/gui/Shell.h"
#include "tests/app/web_command_fixture.h"

namespace app_test {
namespace {

using app::Language;

class HelpCommandsTest : public WebCommandTest {
 protected:
  std::string LocalUri(const std::string& name) { return gui::FileUri((folder_ / name).string()); }
};

TEST_F(HelpCommandsTest, HelpOpensThePageOfTheLanguageWhenItExists) {
  fs::create_directories(folder_ / "help");
  rtl::WriteFileBytes(folder_ / "help/help.htm", "<p>help</p>");
  struct Case {
    Language language;
    std::vector<std::string> opened;
  };
  const Case cases[] = {
      {Language::English, {LocalUri("help/help.htm")}},
      {Language::Chinese, {}},  // help_gb.htm is missing
  };
  for (const Case& c : cases) {
    shell_.Opened.clear();
    window_.Language = c.language;
    app::OpenHelpPage(window_);
    EXPECT_EQ(shell_.Opened, c.opened);
  }
  rtl::WriteFileBytes(folder_ / "help/help_gb.htm", "<p>帮助</p>");
  app::OpenHelpPage(window_);
  EXPECT_EQ(shell_.Opened, std::vector<std::string>{LocalUri("help/help_gb.htm")});
}

TEST_F(HelpCommandsTest, HistoryOpensTheOnlinePageWhenTheServerAnswersElseTheLocalOne) {
  std::string deadHost;
  {
    test_support::LoopbackHttpServer gone;
    deadHost = gone.Host();
  }
  Serve("/article.php", "history");
  struct Case {
    const char* what;
    bool serverUp;
    Language language;
    const char* historyText;  // nullptr: no key
    std::vector<std::string> opened;
  };
  const Case cases[] = {
      {"online", true, Language::English, "http://history.example/en", {"http://history.example/en"}},
      {"online without an address", true, Language::English, nullptr, {}},
      {"offline", false, Language::English, "http://history.example/en", {LocalUri("history/index_en.html")}},
      {"offline in Chinese", false, Language::Chinese, nullptr, {LocalUri("history/index_cn.html")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    shell_.Opened.clear();
    setenv("ESCTOOL_WEB_HOST", (c.serverUp ? server_.Host() : deadHost).c_str(), 1);
    window_.Language = c.language;
    window_.Texts.clear();
    if (c.historyText) window_.Texts[app::LangKey(c.language, "History")] = c.historyText;
    app::OpenHistory(window_);
    EXPECT_EQ(shell_.Opened, c.opened);
  }
}

TEST_F(HelpCommandsTest, HistoryTakesTheLocalPageWhenTheServerAnswersWithAnError) {
  Fail("/article.php", 500);
  app::OpenHistory(window_);
  EXPECT_EQ(shell_.Opened, std::vector<std::string>{LocalUri("history/index_en.html")});
}

TEST_F(HelpCommandsTest, APageNoBrowserOpensIsSaidInABox) {
  fs::create_directories(folder_ / "help");
  rtl::WriteFileBytes(folder_ / "help/help.htm", "<p>help</p>");
  Fail("/article.php", 500);
  shell_.Succeeds = false;
  window_.Texts = {{"engbrowser_fail", "No browser for"}};
  app::OpenHelpPage(window_);
  app::OpenHistory(window_);
  using Info = test_support::TFakeMainWindow::Info;
  EXPECT_EQ(window_.Infos, (std::vector<Info>{{"No browser for\n" + LocalUri("help/help.htm"), 1},
                                              {"No browser for\n" + LocalUri("history/index_en.html"), 1}}));
}

}  // namespace
}  // namespace app_test
