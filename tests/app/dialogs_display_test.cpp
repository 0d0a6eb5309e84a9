// The update dialog and the about box on real windows (run under
// xvfb-run), run by the real modal loop: the update dialog while a database
// package arrives slowly, the about box before and after its credits. The
// windows are saved as screenshot artifacts.
#include <glib.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <string>

#include "app/AboutForm.h"
#include "app/HelpCommands.h"
#include "app/UpdateCheck.h"
#include "app/UpdateForm.h"
#include "platform/gui/GuiInit.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/web_command_fixture.h"
#include "tests/app/when_shown.h"
#include "tests/support/gui_pump.h"
#include "tests/support/window_shot.h"

namespace app_test {
namespace {

using namespace std::chrono_literals;

class DialogsOnScreen : public WebCommandTest {
 protected:
  void SetUp() override {
    if (!gui::InitGui()) GTEST_SKIP() << "no display";
    WebCommandTest::SetUp();
    owner_ = new gui::TForm(nullptr);
    window_.Owner = owner_;
  }
  void TearDown() override {
    if (owner_) owner_->Free();
    WebCommandTest::TearDown();
  }
  // Lets the window repaint what changed, then saves it.
  static void Shoot(gui::TForm& form, const char* name) {
    test_support::PumpFor(150ms);
    EXPECT_TRUE(test_support::SaveWindowShot(form.Handle(), name)) << name;
  }

  gui::TForm* owner_ = nullptr;
};

TEST_F(DialogsOnScreen, TheUpdateDialogShowsItsProgressDuringADownload) {
  std::string settings(24000, '\0');
  unsigned seed = 12345;
  for (char& c : settings) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
  const std::string package = ZipBytes(folder_ / "scratch.zip", {{"esc_settings.db3", settings}});
  served_.slowChunkDelay = 60ms;
  Serve("/slow/db.zip", package);
  Serve("/notes.txt", "Settings for the new car controllers.\nFaster reading of the settings.");
  Serve(app::kVersionFilePath,
        "<VersionControl><Software><Version>V4.0</Version></Software><Database><Version>2031-01-01</Version>"
        "<ReadmeEn>" + server_.Url("/notes.txt") + "</ReadmeEn><Url>" + server_.Url("/slow/db.zip") +
            "</Url></Database></VersionControl>");
  window_.Texts = {{"engDBUpdateTitle", "Database update"}, {"engDBUpdateNew", "New settings databases are ready."},
                   {"engUpdateInstall", "Download"},         {"engUpdateCancel", "Cancel"}};
  float shotAt = -1;
  WhenShown<app::TfrmUpdate> install(*owner_, [&](app::TfrmUpdate& form) {
    Shoot(form, "update_offer");
    window_.MessagePump.Action = [&] {
      while (g_main_context_iteration(nullptr, FALSE)) {
      }
      const float value = form.ProgressBar1->Value();
      if (shotAt < 0 && value > form.ProgressBar1->Max() * 0.4f) {
        shotAt = value;
        Shoot(form, "update_download");
      }
    };
    form.btnInstallClick(form.btnInstall);
    window_.MessagePump.Action = nullptr;
  });
  app::UpdateState state;
  app::RunUpdateCheck(state, app::UpdateTarget::Database, window_);
  EXPECT_TRUE(install.Done());
  EXPECT_GT(shotAt, 0);
  EXPECT_LT(shotAt, static_cast<float>(package.size()));
  EXPECT_EQ(ReadFile(folder_ / "esc_settings.db3"), settings);
  EXPECT_TRUE(app::RestartFlag);
}

TEST_F(DialogsOnScreen, AFailedInstallSaysSoInTheDialogWithNoProgressLeft) {
  Serve("/db.zip", ZipBytes(folder_ / "scratch.zip", {{"esc_settings.db3", "new"}, {"esctool", "#!/bin/sh\n"}}));
  Serve(app::kVersionFilePath,
        "<VersionControl><Software><Version>V4.0</Version></Software><Database><Version>2031-01-01</Version>"
        "<ReadmeEn/><Url>" + server_.Url("/db.zip") + "</Url></Database></VersionControl>");
  window_.Texts = {{"engDBUpdateTitle", "Database update"}, {"engDBUpdateNew", "New settings databases are ready."},
                   {"engUpdateInstall", "Download"},         {"engUpdateCancel", "Cancel"},
                   {"engUpgrade_fail", "Upgrade failed, please try again!"}};
  std::string label;
  bool progressShown = true;
  WhenShown<app::TfrmUpdate> install(*owner_, [&](app::TfrmUpdate& form) {
    form.btnInstallClick(form.btnInstall);
    Shoot(form, "update_failed");
    label = rtl::Utf16ToUtf8(form.Label1->Text());
    progressShown = form.ProgressBar1->Visible();
    form.btnCancelClick(form.btnCancel);
  });
  app::UpdateState state;
  app::RunUpdateCheck(state, app::UpdateTarget::Database, window_);
  EXPECT_TRUE(install.Done());
  EXPECT_EQ(label, "Upgrade failed, please try again!");
  EXPECT_FALSE(progressShown);
  EXPECT_FALSE(fs::exists(folder_ / "esctool"));
}

TEST_F(DialogsOnScreen, TheAboutBoxFadesInItsCreditsAndScrollsThem) {
  window_.Texts = {{"engAbout_title", "About esctool"},
                   {"engAbout_label1", "Made by"},
                   {"engAbout_label2", "esctool configures the speed controllers of model cars, boats and planes."},
                   {"engAbout_label3", "http://www.valtorine.example"},
                   {"engAbout_btncredits", "Credits"},
                   {"engAbout_btnok", "Close"}};
  float before = 0, after = 0;
  WhenShown<app::TfrmAbout> look(*owner_, [&](app::TfrmAbout& about) {
    Shoot(about, "about_box");
    about.Button1Click(about.Button1);
    before = about.AniLayout->Position()->Y();
    test_support::PumpUntil([&] { return about.Slide->Running(); }, 3000ms);
    test_support::PumpFor(1500ms);
    after = about.AniLayout->Position()->Y();
    Shoot(about, "about_credits");
    about.Button2Click(about.Button2);
  });
  app::ShowAboutBox(window_);
  EXPECT_TRUE(look.Done());
  EXPECT_LT(after, before);  // scrolling up
}

}  // namespace
}  // namespace app_test
