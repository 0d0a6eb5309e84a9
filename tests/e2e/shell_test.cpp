// The program's shell as a user meets it: the language switched from the
// File menu both ways, and the program update checked from the Help menu
// against a web server on the loopback interface, first offering a newer
// program (declined), then one of the installed version. lang.ini keeps the
// language chosen last.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <regex>
#include <sstream>
#include <string>

#include "app/MainForm.h"
#include "platform/net/WebHost.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/e2e/e2e_user.h"
#include "tests/support/loopback_http_server.h"

namespace {

using app::TfrmInterface;
namespace fs = std::filesystem;

constexpr const char* kVersionFilePath = "/Upload/software/version_control.xml";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The program's own VersionCode, from the description beside it.
int InstalledProgramCode(const fs::path& folder) {
  const std::string text = ReadText(folder / "version_control.xml");
  std::smatch code;
  const bool found = std::regex_search(text, code, std::regex("<Software>[\\s\\S]*?<VersionCode>(\\d+)</VersionCode>"));
  return found ? std::stoi(code[1]) : -1;
}

// What the web server hands out; the test changes it between checks.
class UpdateServer {
 public:
  UpdateServer()
      : server_([this](httplib::Server& server) {
          server.Get(R"(/.*)", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard guard(lock_);
            const auto file = files_.find(request.path);
            if (file == files_.end())
              response.status = 404;
            else
              response.set_content(file->second, "application/octet-stream");
          });
        }) {}

  void Serve(const std::string& path, std::string body) {
    std::lock_guard guard(lock_);
    files_[path] = std::move(body);
  }
  // A description whose program part offers `code`, with release notes
  // and a package.
  void OfferProgram(int code) {
    Serve(kVersionFilePath, "<VersionControl><Software><Version>V" + std::to_string(code) +
                                "</Version><VersionCode>" + std::to_string(code) + "</VersionCode><ReadmeEn>" +
                                server_.Url("/notes.txt") + "</ReadmeEn><Url>" + server_.Url("/esctool-setup.exe") +
                                "</Url></Software><Database><Version>2019-05-20</Version>"
                                "<VersionCode>20190520</VersionCode></Database></VersionControl>");
  }
  std::string Host() const { return server_.Host(); }

 private:
  std::mutex lock_;
  std::map<std::string, std::string> files_;
  test_support::LoopbackHttpServer server_;
};

// The update dialog once it faces the user, else nullptr.
e2e::TSceneForm* UpdateBox() {
  e2e::TSceneForm* box = e2e::Front();
  return box && box->ClassName() == "TfrmUpdate" ? box : nullptr;
}

bool MainWindowFaces() { return e2e::Front() == gui::MainForm(); }

struct Seen {
  std::string file, help, update, exit, calculatorTab, stateGroup, title;
};

Seen SeenOn(TfrmInterface& form) {
  return {e2e::MenuCaption(form, "File1"),       e2e::MenuCaption(form, "Help1"),
          e2e::MenuCaption(form, "Update1"),     e2e::MenuCaption(form, "Exit1"),
          e2e::Shows(form, "tabLabel10"),        e2e::Shows(form, "GroupBox1"),
          rtl::Utf16ToUtf8(form.Caption())};
}

struct UpdateBoxSeen {
  std::string caption, message, notes;
  bool installOffered = false;
};

// A step that notes what the update dialog shows, then cancels it.
std::function<bool(TfrmInterface&)> NoteAndCancel(UpdateBoxSeen& seen) {
  return [&seen](TfrmInterface&) {
    e2e::TSceneForm* box = UpdateBox();
    if (!box) return false;
    seen = {rtl::Utf16ToUtf8(box->Caption()), e2e::Shows(*box, "Label1"), e2e::Shows(*box, "mmoDetail"),
            e2e::Reachable(*box, "btnInstall") != nullptr};
    return e2e::Click(*box, "btnCancel");
  };
}

TEST(Shell, SwitchesLanguageBothWaysAndChecksForProgramUpdates) {
  unsetenv("ESCTOOL_SIMULATED_HID");
  UpdateServer server;
  setenv("no_proxy", "*", 1);
  setenv(net::kWebHostVariable, server.Host().c_str(), 1);
  server.Serve("/notes.txt", "Version notes: faster settings reads.");
  server.Serve("/esctool-setup.exe", "not an installer");

  app::testing::ProgramRun run;
  const int installed = InstalledProgramCode(run.folder);
  ASSERT_GT(installed, 0);
  Seen chinese, english, chineseAgain;
  UpdateBoxSeen offer, upToDate;
  bool shots[5] = {};

  run.Then("the window shows",
           [](TfrmInterface& form) { return MainWindowFaces() && form.ControlsScene->DrawCount() > 0; })
      .Then("Chinese is noted", [&](TfrmInterface& form) {
        chinese = SeenOn(form);
        return true;
      })
      .Then("shot in Chinese", e2e::ShotStep("e2e_shell_chinese", &shots[0]))
      .Then("English chosen", [](TfrmInterface& form) { return e2e::Choose(form, "English1"); })
      .Then("English shown",
            [&](TfrmInterface& form) {
              english = SeenOn(form);
              return english.file == "File";
            })
      .Then("shot in English", e2e::ShotStep("e2e_shell_english", &shots[1]))
      .Then("update checked against a newer program",
            [&](TfrmInterface& form) {
              server.OfferProgram(installed + 1);
              return e2e::Choose(form, "Update1");
            })
      .Then("offer shot", e2e::ShotStep("e2e_shell_update_offer", &shots[2]))
      .Then("offer noted and cancelled", NoteAndCancel(offer))
      .Then("update checked against the installed version",
            [&](TfrmInterface& form) {
              if (!MainWindowFaces()) return false;
              server.OfferProgram(installed);
              return e2e::Choose(form, "Update1");
            })
      .Then("up-to-date note shot", e2e::ShotStep("e2e_shell_update_latest", &shots[3]))
      .Then("note read and closed", NoteAndCancel(upToDate))
      .Then("Chinese chosen again",
            [](TfrmInterface& form) { return MainWindowFaces() && e2e::Choose(form, "Chinese1"); })
      .Then("Chinese shown again",
            [&](TfrmInterface& form) {
              chineseAgain = SeenOn(form);
              return chineseAgain.file == chinese.file;
            })
      .Then("shot in Chinese again", e2e::ShotStep("e2e_shell_chinese_again", &shots[4]))
      .Then("exit", [](TfrmInterface& form) { return e2e::Choose(form, "Exit1"); });
  EXPECT_EQ(run.Run(std::chrono::seconds(50)), 0);
  unsetenv(net::kWebHostVariable);
  EXPECT_EQ(run.timedOut, "");

  EXPECT_EQ(chinese.file, "文件(F)");
  EXPECT_EQ(chinese.help, "帮助(H)");
  EXPECT_EQ(chinese.calculatorTab, "速度计算");
  EXPECT_EQ(chinese.stateGroup, "连接状态");
  EXPECT_EQ(chinese.title.find("Valtorine电调设置软件 V3.0 V4.0.5      Database: 2019-05-20"), 0u) << chinese.title;
  EXPECT_EQ(english.help, "Help");
  EXPECT_EQ(english.update, "Update...");
  EXPECT_EQ(english.exit, "Exit");
  EXPECT_EQ(english.calculatorTab, "Speed Calculator");
  EXPECT_EQ(english.stateGroup, "Connection State");
  EXPECT_EQ(english.title, "Valtorine ESC System V3.0 V4.0.5      Database: 05-20-2019(MM-DD-YY)");
  EXPECT_EQ(chineseAgain.help, chinese.help);
  EXPECT_EQ(chineseAgain.calculatorTab, chinese.calculatorTab);
  EXPECT_EQ(chineseAgain.title, chinese.title);

  EXPECT_EQ(offer.caption, "Program Update");
  EXPECT_EQ(offer.message, "A new version of the program is available.");
  EXPECT_EQ(offer.notes.find("Version notes: faster settings reads."), 0u) << offer.notes;
  EXPECT_TRUE(offer.installOffered);
  EXPECT_EQ(upToDate.message, "This is the latest version.");
  EXPECT_FALSE(upToDate.installOffered);
  for (bool shot : shots) EXPECT_TRUE(shot);

  // Declining the offer installs and restarts nothing.
  EXPECT_TRUE(run.launcher.launched.empty());
  EXPECT_FALSE(fs::exists(run.folder / "_setup.exe"));
  EXPECT_NE(app::testing::ReadLang(run.folder).find("\nlang=1"), std::string::npos);
}

}  // namespace
