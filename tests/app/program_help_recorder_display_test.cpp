// The whole program, driven through its Help menu and its data recorder
// page as a user would: the about box, a program update check and a
// settings-database install against a web server on the loopback
// interface, and a recorder file loaded into the recorder page. The windows
// are saved as screenshot artifacts.
#include <gtk/gtk.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/AboutForm.h"
#include "app/InfoForm.h"
#include "app/Restart.h"
#include "app/UpdateCheck.h"
#include "app/UpdateForm.h"
#include "platform/net/WebHost.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/app/web_command_fixture.h"
#include "tests/app/when_shown.h"
#include "tests/support/gui_events.h"
#include "tests/support/gui_pump.h"
#include "tests/support/shell_fakes.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_grid.h"
#include "ui/controls/vg_tabcontrol.h"

namespace app {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Lets the window repaint what changed, then saves it.
bool Shoot(gui::TForm& form, const char* name) {
  test_support::PumpFor(150ms);
  return test_support::SaveWindowShot(form.Handle(), name).has_value();
}

std::string CellText(TfrmInterface& form, const char* grid, int column, int row) {
  return rtl::Utf16ToUtf8(form.Node<vg::TvgStringGrid>(grid)->GetCells(column, row));
}

class ProgramHelpAndRecorder : public ::testing::Test {
 protected:
  ProgramHelpAndRecorder()
      : server_([this](httplib::Server& server) { app_test::ServeFiles(server, served_, server_); }) {}

  void SetUp() override {
    unsetenv("ESCTOOL_SIMULATED_HID");
    setenv("no_proxy", "*", 1);
    setenv(net::kWebHostVariable, server_.Host().c_str(), 1);
    RestartFlag = false;
  }
  void TearDown() override {
    unsetenv(net::kWebHostVariable);
    RestartFlag = false;
  }

  void Serve(const std::string& path, std::string body) {
    std::lock_guard guard(served_.lock);
    served_.files[path] = std::move(body);
  }
  // The web server's description offering a newer program and newer
  // settings databases.
  void ServeNewerVersions(const std::string& databasePackage) {
    Serve("/program-notes.txt", "Version 4.1: the data recorder page loads recorder files.");
    Serve("/db.zip", databasePackage);
    Serve(kVersionFilePath,
          "<VersionControl><Software><Version>V4.1.0</Version><VersionCode>410</VersionCode>"
          "<ReadmeEn>" + server_.Url("/program-notes.txt") + "</ReadmeEn><Url>" + server_.Url("/setup.exe") +
              "</Url></Software><Database><Version>2031-01-01</Version><VersionCode>20310101</VersionCode>"
              "<ReadmeEn></ReadmeEn><Url>" + server_.Url("/db.zip") + "</Url></Database></VersionControl>");
  }

  app_test::ServedFiles served_;
  test_support::LoopbackHttpServer server_;
};

TEST_F(ProgramHelpAndRecorder, RunsTheHelpMenuAndTheRecorderPage) {
  testing::ProgramRun run;
  const fs::path scratch = run.folder.parent_path() / "program_help_scratch";
  fs::create_directories(scratch);
  const std::string newSettings = "settings of the new controllers";
  ServeNewerVersions(app_test::ZipBytes(scratch / "db.zip", {{"esc2031_settings.db3", newSettings}}));
  const fs::path recorderFile = scratch / "record.txt";
  std::ofstream(recorderFile) << "[setup]\ncount=4\nrpm1=1200\nvoltage1=12.345\ncurrent1=3.5\nrpm2=23000.7\n"
                                 "rpm3=5400\nvoltage3=11.9\ncurrent3=bad\nrpmavg=3300\nvoltagemax=12.35\n"
                                 "currentmin=0.00\n";
  run.dialogs.ChooseFile(recorderFile.string());
  test_support::TRecordingShell shell;

  std::unique_ptr<app_test::WhenShown<TfrmAbout>> about;
  std::unique_ptr<app_test::WhenShown<TfrmUpdate>> offer, install;
  std::unique_ptr<app_test::WhenShown<TfrmInfo>> info;
  std::string aboutCaption, aboutText, offerNotes, infoText, langAtLaunch;
  bool aboutShot = false, offerShot = false, tableShot = false, chartShot = false, infoShot = false;
  bool installable = false, mainWindowStayed = false, chartPaintBound = false;
  int rows = 0;
  std::string cells[4][4], statistics[3][3];

  run.Then("the window shows in English",
           [](TfrmInterface& form) {
             if (form.ControlsScene->DrawCount() == 0 || !form.State().AdapterListCreated) return false;
             form.Chinese1->SetChecked(false);
             form.English1->SetChecked(true);
             return true;
           })
      .Then("F1 and History are pressed", [&](TfrmInterface& form) {
        test_support::Type(form.Handle(), GDK_KEY_F1);
        form.Node<gui::TMenuItem>("History1")->Click();  // the web server has no history page
        return true;
      })
      .Then("About is chosen", [&](TfrmInterface& form) {
        about = std::make_unique<app_test::WhenShown<TfrmAbout>>(form, [&](TfrmAbout& box) {
          aboutCaption = rtl::Utf16ToUtf8(box.Caption());
          aboutText = rtl::Utf16ToUtf8(box.Text2->Text());
          aboutShot = Shoot(box, "program_about_box");
          box.Button2->Click();
        });
        form.Node<gui::TMenuItem>("About1")->Click();  // returns when the box has closed
        return true;
      })
      .Then("the program update is checked", [&](TfrmInterface& form) {
        offer = std::make_unique<app_test::WhenShown<TfrmUpdate>>(form, [&](TfrmUpdate& dialog) {
          offerNotes = rtl::Utf16ToUtf8(dialog.mmoDetail->Lines()->Text());
          installable = dialog.btnInstall->Enabled();
          offerShot = Shoot(dialog, "program_update_offer");
          dialog.btnCancel->Click();
        });
        form.Node<gui::TMenuItem>("Update1")->Click();
        mainWindowStayed = form.Visible();
        return true;
      })
      .Then("a recorder file is loaded into the recorder page", [&](TfrmInterface& form) {
        form.ShowPageItem(9);
        form.Node<vg::TvgTabControl>("TabControl1")->SetItemIndex(0);
        form.Node<vg::TvgVisualObject>("btnLoad")->Click();
        rows = form.Node<vg::TvgStringGrid>("StringGrid1")->RowCount();
        for (int row = 0; row < 4; ++row)
          for (int column = 0; column < 4; ++column) cells[row][column] = CellText(form, "StringGrid1", column, row);
        for (int row = 0; row < 3; ++row)
          for (int column = 0; column < 3; ++column)
            statistics[row][column] = CellText(form, "StringGrid2", column + 1, row);
        tableShot = Shoot(form, "program_recorder_table");
        form.Node<vg::TvgTabControl>("TabControl1")->SetItemIndex(1);
        chartPaintBound = static_cast<bool>(form.Node<vg::TvgVisualObject>("PlotGrid1")->OnPaint);
        chartShot = Shoot(form, "program_recorder_chart");
        return true;
      })
      .Then("the settings databases are updated", [&](TfrmInterface& form) {
        install = std::make_unique<app_test::WhenShown<TfrmUpdate>>(
            form, [](TfrmUpdate& dialog) { dialog.btnInstall->Click(); });
        info = std::make_unique<app_test::WhenShown<TfrmInfo>>(form, [&](TfrmInfo& box) {
          infoText = rtl::Utf16ToUtf8(box.Label1->Text());
          infoShot = Shoot(box, "program_database_updated");
          box.btnOk->Click();
        });
        form.Node<gui::TMenuItem>("DBUpdate")->Click();  // closes the main window after a restart request
        if (!RestartFlag) form.Close();
        return true;
      });
  run.launcher.onLaunch = [&] { langAtLaunch = testing::ReadLang(run.folder); };
  EXPECT_EQ(run.Run(std::chrono::seconds(40)), 0);
  EXPECT_EQ(run.timedOut, "");

  ASSERT_GE(shell.Opened.size(), 2u);
  EXPECT_EQ(shell.Opened[0], gui::FileUri((run.folder / "help" / "help.htm").string()));
  EXPECT_EQ(shell.Opened[1], gui::FileUri((run.folder / "history" / "index_en.html").string()));
  EXPECT_EQ(aboutCaption, "About");
  EXPECT_NE(aboutText.find("esctool configures"), std::string::npos);
  EXPECT_TRUE(aboutShot);

  EXPECT_EQ(offerNotes.find("Version 4.1"), 0u);
  EXPECT_FALSE(installable);  // the package's size cannot be learnt: no install
  EXPECT_TRUE(offerShot);
  EXPECT_TRUE(mainWindowStayed);

  EXPECT_EQ(rows, 4);
  const std::string expected[4][4] = {{"", "", "", ""},
                                      {"1", "1200", "12.35", "3.50"},
                                      {"2", "0", "0.00", "0.00"},
                                      {"3", "5400", "11.90", "0.00"}};
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      EXPECT_EQ(cells[row][column], expected[row][column]) << "row " << row << " column " << column;
  EXPECT_EQ(statistics[0][0], "3300");
  EXPECT_EQ(statistics[1][1], "12.35");
  EXPECT_EQ(statistics[2][2], "0.00");
  EXPECT_EQ(statistics[0][1], "");
  EXPECT_TRUE(chartPaintBound);
  EXPECT_TRUE(tableShot);
  EXPECT_TRUE(chartShot);

  EXPECT_EQ(infoText, "Upgrade succeeded.");
  EXPECT_TRUE(infoShot);
  EXPECT_EQ(app_test::ReadFile(run.folder / "esc2031_settings.db3"), newSettings);
  EXPECT_FALSE(fs::exists(run.folder / "_dbupdate.zip"));
  EXPECT_EQ(run.launcher.launched.size(), 1u);  // the restart, after the window closed
  EXPECT_NE(langAtLaunch.find("lang=0"), std::string::npos) << "lang.ini was not written before the restart";
  fs::remove_all(scratch);
}

}  // namespace
}  // namespace app
