// The program and database update checks against a web server on the
// loopback interface: what the user is shown, what is installed into the
// program folder, and what the main window is asked to do afterwards.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/UpdateCheck.h"
#include "app/UpdateForm.h"
#include "platform/gui/Shell.h"
#include "platform/net/WebHost.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/web_command_fixture.h"
#include "tests/support/gui_fakes.h"

namespace app_test {
namespace {

using app::TfrmUpdate;
using app::UpdateState;
using app::UpdateTarget;
using Info = test_support::TFakeMainWindow::Info;

std::string Element(const char* name, const std::string& version, int code, const std::string& readme,
                    const std::string& urls) {
  return std::string("<") + name + "><Version>" + version + "</Version><VersionCode>" + std::to_string(code) +
         "</VersionCode><ReadmeCn>" + readme + "</ReadmeCn><ReadmeEn>" + readme + "</ReadmeEn><Url>" + urls +
         "</Url></" + name + ">";
}

std::string Description(const std::string& software, const std::string& database) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><VersionControl>" + software + database + "</VersionControl>";
}

constexpr const char* kInstalledDatabase = "old settings";

class UpdateCheckTest : public WebCommandTest {
 protected:
  void SetUp() override {
    WebCommandTest::SetUp();
    rtl::WriteFileBytes(folder_ / "version_control.xml",
                        Description(Element("Software", "V4.0", 40, "", ""), Element("Database", "D7", 7, "", "")));
    rtl::WriteFileBytes(folder_ / "esc_settings.db3", kInstalledDatabase);
    app::GetXMLDBVersion(state_, window_.Folder);
    ASSERT_TRUE(state_.NumericVersionCodes);
    window_.Texts = {{"engUpdateNew", "A new version"},       {"engUpdateAlready", "Up to date"},
                     {"engDBUpdateNew", "New databases"},      {"engDBUpdateAlready", "Databases up to date"},
                     {"engnetwork_connect_fail", "No network"}, {"engupgrade_succ", "Updated"},
                     {"engUpgrade_fail", "Update failed"}};
  }
  // Offers a database of code 8 from these packages.
  void OfferDatabase(const std::string& urls) {
    Serve(app::kVersionFilePath,
          Description(Element("Software", "V4.0", 40, "", ""), Element("Database", "D8", 8, "", urls)));
  }
  // Runs the check; `step` acts on the dialog as the user would.
  void Check(UpdateTarget target, std::function<void(TfrmUpdate&)> step) {
    test_support::TScriptedModalRunner runner;
    runner.Then([&](gui::TForm& form) {
      step(static_cast<TfrmUpdate&>(form));
      if (form.ModalResult() == gui::mrNone) form.SetModalResult(gui::mrCancel);  // the close box
    });
    app::RunUpdateCheck(state_, target, window_);
    dialogs_ = static_cast<int>(runner.Shown.size());
  }
  static void Install(TfrmUpdate& form) { form.btnInstallClick(form.btnInstall); }

  UpdateState state_;
  int dialogs_ = 0;
};

TEST_F(UpdateCheckTest, ShowsTheOfferOrTheLatestNoteOrSaysTheNetworkFailed) {
  std::string deadHost;
  {
    test_support::LoopbackHttpServer gone;
    deadHost = gone.Host();
  }
  struct Case {
    const char* what;
    std::function<void()> arrange;
    UpdateTarget target;
    const char* label;  // nullptr: no dialog
    bool installShown, installEnabled;
    std::vector<Info> infos;
  };
  const std::string software41 = Element("Software", "V4.1", 41, server_.Url("/notes.txt"), server_.Url("/a.exe"));
  const std::string database7 = Element("Database", "D7", 7, "", "");
  const Case cases[] = {
      {"up to date", [&] { Serve(app::kVersionFilePath, Description(Element("Software", "V4.9", 40, "", ""), database7)); },
       UpdateTarget::Software, "Up to date", false, false, {}},
      {"newer program", [&] { Serve(app::kVersionFilePath, Description(software41, database7)); },
       UpdateTarget::Software, "A new version", true, true, {}},
      {"databases up to date", [&] { Serve(app::kVersionFilePath, Description(software41, database7)); },
       UpdateTarget::Database, "Databases up to date", false, false, {}},
      {"a package that is missing", [&] { Fail("/a.exe", 404); }, UpdateTarget::Software, "A new version", true, false,
       {}},
      {"server down", [&] { setenv("ESCTOOL_WEB_HOST", deadHost.c_str(), 1); }, UpdateTarget::Software, nullptr,
       false, false, {{"No network", 2}}},
      {"404", [&] { Fail(app::kVersionFilePath, 404); }, UpdateTarget::Database, nullptr, false, false,
       {{"No network", 2}}},
      {"malformed", [&] { Serve(app::kVersionFilePath, "<VersionControl><Software>"); }, UpdateTarget::Software,
       nullptr, false, false, {{"No network", 2}}},
      {"time-out", [&] { Fail(app::kVersionFilePath, 0); }, UpdateTarget::Software, nullptr, false, false,
       {{"No network", 2}}},
  };
  Serve("/notes.txt", "What is new\nline two");
  Serve("/a.exe", std::string(300, 'x'));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    window_.Infos.clear();
    setenv("ESCTOOL_WEB_HOST", server_.Host().c_str(), 1);
    c.arrange();
    std::string label, notes;
    bool installShown = false, installEnabled = false;
    Check(c.target, [&](TfrmUpdate& form) {
      label = rtl::Utf16ToUtf8(form.Label1->Text());
      notes = rtl::Utf16ToUtf8(form.mmoDetail->Lines()->Text());
      installShown = form.btnInstall->Visible();
      installEnabled = form.btnInstall->Enabled();
    });
    EXPECT_EQ(dialogs_, c.label ? 1 : 0);
    if (c.label) {
      EXPECT_EQ(label, c.label);
      EXPECT_EQ(installShown, c.installShown);
      if (c.installShown) {
        EXPECT_EQ(installEnabled, c.installEnabled);
        EXPECT_EQ(notes.substr(0, 11), "What is new");
      }
    }
    EXPECT_EQ(window_.Infos, c.infos);
    EXPECT_EQ(window_.Closes, 0);
    EXPECT_EQ(window_.Reloads, 0);
  }
}

// Bytes that keep coming never trip the read time-out: the check stops
// reading a description or release notes longer than any real one.
TEST_F(UpdateCheckTest, AnEndlessDescriptionOrReleaseNoteIsCutShort) {
  constexpr std::int64_t kSentAtMost = std::int64_t{24} << 20;  // the limit and what the sockets buffer
  ServeEndless(app::kVersionFilePath);
  Check(UpdateTarget::Software, [](TfrmUpdate&) {});
  EXPECT_EQ(dialogs_, 0);
  EXPECT_EQ(window_.Infos, (std::vector<Info>{{"No network", 2}}));
  EXPECT_LT(served_.endlessSent, kSentAtMost);

  window_.Infos.clear();
  ServeEndless("/notes.txt");
  Serve("/a.exe", "installer");
  Serve(app::kVersionFilePath, Description(Element("Software", "V4.1", 41, server_.Url("/notes.txt"),
                                                   server_.Url("/a.exe")),
                                           Element("Database", "D7", 7, "", "")));
  std::string notes = "not shown";
  Check(UpdateTarget::Software, [&](TfrmUpdate& form) { notes = rtl::Utf16ToUtf8(form.mmoDetail->Lines()->Text()); });
  EXPECT_EQ(dialogs_, 1);
  EXPECT_EQ(notes, "");
  EXPECT_TRUE(window_.Infos.empty());
  EXPECT_LT(served_.endlessSent, 2 * kSentAtMost);
}

TEST_F(UpdateCheckTest, BlanksAroundTheVersionCodesAreNoReasonToOfferAnUpdate) {
  const auto spaced = [](const char* name, const char* version, const char* code) {
    return std::string("<") + name + ">\n  <Version>" + version + "</Version>\n  <VersionCode> " + code +
           " </VersionCode>\n  <ReadmeCn/>\n  <ReadmeEn/>\n  <Url/>\n</" + name + ">\n";
  };
  rtl::WriteFileBytes(folder_ / "version_control.xml",
                      Description(spaced("Software", "V4.0", "40"), spaced("Database", "D7", "7")));
  state_ = UpdateState();
  app::GetXMLDBVersion(state_, window_.Folder);
  struct Case {
    const char* code;
    const char* label;
  };
  for (const Case c : {Case{"40", "Up to date"}, Case{"\n 41\t", "A new version"}}) {
    Serve(app::kVersionFilePath, Description(spaced("Software", "V4.9", c.code), spaced("Database", "D7", "7")));
    std::string label;
    Check(UpdateTarget::Software, [&](TfrmUpdate& form) { label = rtl::Utf16ToUtf8(form.Label1->Text()); });
    EXPECT_EQ(label, c.label) << c.code;
  }
}

TEST_F(UpdateCheckTest, TheLatestNoteShowsThePictureLangIniNames) {
  cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 12, 20);
  ASSERT_EQ(cairo_surface_write_to_png(picture, (folder_ / "update.png").c_str()), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(picture);
  Serve(app::kVersionFilePath,
        Description(Element("Software", "V4.0", 40, "", ""), Element("Database", "D7", 7, "", "")));
  struct Case {
    const char* setting;
    int width;
    bool defaultShown;
  };
  for (const Case& c : {Case{"update.png", 12, false}, Case{"missing.png", 0, true}, Case{"", 0, true}}) {
    window_.Settings["updateimage"] = c.setting;
    Check(UpdateTarget::Software, [&](TfrmUpdate& form) {
      EXPECT_EQ(form.Image1->Bitmap()->Width(), c.width) << c.setting;
      EXPECT_EQ(form.DefaultPicture->Visible(), c.defaultShown) << c.setting;
    });
  }
}

TEST_F(UpdateCheckTest, ANewerDatabaseIsUnpackedIntoTheProgramFolderAndTheProgramRestarts) {
  Serve("/db.zip", ZipBytes(folder_ / "scratch.zip", {{"esc_settings.db3", "new settings"}, {"help/new.htm", "<p/>"}}));
  OfferDatabase(server_.Url("/db.zip"));
  Check(UpdateTarget::Database, Install);
  EXPECT_EQ(ReadFile(folder_ / "esc_settings.db3"), "new settings");
  EXPECT_EQ(ReadFile(folder_ / "help/new.htm"), "<p/>");
  EXPECT_FALSE(fs::exists(folder_ / "_dbupdate.zip"));
  EXPECT_TRUE(fs::exists(folder_ / "_control.tmp"));
  EXPECT_EQ(window_.Reloads, 1);
  EXPECT_EQ(window_.Infos, (std::vector<Info>{{"Updated", 2}}));
  EXPECT_TRUE(app::RestartFlag);
  EXPECT_EQ(window_.Closes, 1);
}

// A database package holds databases, texts and pages: one that climbs out
// of the program folder, would replace the program or any other file, or
// runs past the size its address announced is refused whole, and the
// dialog says so.
TEST_F(UpdateCheckTest, ADatabasePackageWithAnythingButDatabaseFilesIsRefusedWhole) {
  const auto package = [&](const char* name, const char* content) {
    return ZipBytes(folder_ / "scratch.zip", {{"esc_settings.db3", "new settings"}, {name, content}});
  };
  struct Case {
    const char* what;
    std::function<void()> serve;
    const char* createdFile;  // must not appear
  };
  const Case cases[] = {
      {"climbs out", [&] { Serve("/db.zip", package("../escaped.txt", "x")); }, "../escaped.txt"},
      {"the program", [&] { Serve("/db.zip", package("esctool", "#!/bin/sh\n")); }, "esctool"},
      {"another file", [&] { Serve("/db.zip", package("config.dat", "e30=")); }, "config.dat"},
      {"longer than announced", [&] { ServeEndless("/db.zip", 1000); }, "_dbupdate.zip"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.serve();
    window_.Infos.clear();
    OfferDatabase(server_.Url("/db.zip"));
    std::string label;
    bool cancelEnabled = false, progressShown = true;
    float progress = -1;
    Check(UpdateTarget::Database, [&](TfrmUpdate& form) {
      Install(form);
      EXPECT_TRUE(form.InstallFailed);
      EXPECT_EQ(form.ModalResult(), gui::mrNone);  // the dialog stays to say so
      cancelEnabled = form.btnCancel->Enabled();
      label = rtl::Utf16ToUtf8(form.Label1->Text());
      progressShown = form.ProgressBar1->Visible();
      progress = form.ProgressBar1->Value();
    });
    EXPECT_TRUE(cancelEnabled);
    EXPECT_EQ(label, "Update failed");
    EXPECT_FALSE(progressShown);
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(ReadFile(folder_ / "esc_settings.db3"), kInstalledDatabase);
    EXPECT_FALSE(fs::exists(folder_ / c.createdFile));
    EXPECT_FALSE(fs::exists(folder_ / "_dbupdate.zip"));
    EXPECT_EQ(window_.Infos, (std::vector<Info>{{"Update failed", 2}}));
    EXPECT_FALSE(app::RestartFlag);
    EXPECT_EQ(window_.Closes, 0);
  }
  EXPECT_LT(served_.endlessSent, std::int64_t{24} << 20);
}

TEST(DatabasePackageEntryTest, TakesDatabasesTextsAndPagesOnly) {
  struct Case {
    const char* path;
    bool folder, accepted;
  };
  const Case cases[] = {
      {"esc_settings.db3", false, true},      {"lang.ini", false, true},
      {"version_control.ini", false, true},   {"version_control.xml", false, true},
      {"help", true, true},                   {"help/help_gb.htm", false, true},
      {"history/img/a.png", false, true},     {"pictures/update.png", false, true},
      {"esctool", false, false},              {"esc_settings.db3.sh", false, false},
      {"sub/esc_settings.db3", false, false}, {"lang.ini", true, false},
      {"config.dat", false, false},           {"helpers/x", false, false},
      {"Lang.ini", false, false},             {"lib", true, false},
  };
  for (const Case& c : cases) EXPECT_EQ(app::IsDatabasePackageEntry(c.path, c.folder), c.accepted) << c.path;
}

TEST_F(UpdateCheckTest, ADatabasePackageThatIsNoZipLeavesTheInstalledFilesAlone) {
  Serve("/esc_settings.db3", "downloaded");
  OfferDatabase(server_.Url("/esc_settings.db3"));
  Check(UpdateTarget::Database, Install);
  EXPECT_EQ(ReadFile(folder_ / "esc_settings.db3"), kInstalledDatabase);
  EXPECT_FALSE(fs::exists(folder_ / "_dbupdate_esc_settings.db3"));
  EXPECT_EQ(window_.Reloads, 1);
}

TEST_F(UpdateCheckTest, CancellingTheOfferInstallsNothing) {
  Serve("/db.zip", ZipBytes(folder_ / "scratch.zip", {{"esc_settings.db3", "new settings"}}));
  OfferDatabase(server_.Url("/db.zip"));
  Check(UpdateTarget::Database, [](TfrmUpdate& form) { form.btnCancelClick(form.btnCancel); });
  EXPECT_EQ(ReadFile(folder_ / "esc_settings.db3"), kInstalledDatabase);
  EXPECT_EQ(window_.Reloads, 0);
  EXPECT_TRUE(window_.Infos.empty());
  EXPECT_FALSE(app::RestartFlag);
}

TEST_F(UpdateCheckTest, ASlowDownloadShowsItsProgressWhileTheWindowsRun) {
  std::string settings(6000, '\0');
  for (std::size_t i = 0; i < settings.size(); ++i) settings[i] = static_cast<char>((i * 7919 + i / 13) % 251);
  const std::string package = ZipBytes(folder_ / "scratch.zip", {{"esc_settings.db3", settings}});
  served_.slowChunkDelay = std::chrono::milliseconds(40);
  Serve("/slow/db.zip", package);
  OfferDatabase(server_.Url("/slow/db.zip"));
  std::vector<float> seen;
  bool buttonsLocked = true;
  Check(UpdateTarget::Database, [&](TfrmUpdate& form) {
    EXPECT_EQ(form.ProgressBar1->Max(), static_cast<float>(package.size()));
    window_.MessagePump.Action = [&] {
      if (!form.ProgressBar1->Visible()) return;
      if (seen.empty() || seen.back() != form.ProgressBar1->Value()) seen.push_back(form.ProgressBar1->Value());
      buttonsLocked = buttonsLocked && !form.btnInstall->Enabled() && !form.btnCancel->Enabled();
    };
    Install(form);
    window_.MessagePump.Action = nullptr;
  });
  ASSERT_GE(seen.size(), 3u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_GT(seen[1], 0);
  EXPECT_LT(seen[1], static_cast<float>(package.size()));
  EXPECT_EQ(seen.back(), static_cast<float>(package.size()));
  EXPECT_TRUE(buttonsLocked);
  EXPECT_EQ(ReadFile(folder_ / "esc_settings.db3"), settings);
}

// Packages are saved under names no installed file has: one named like
// lang.ini leaves the program's lang.ini alone.
TEST_F(UpdateCheckTest, AProgramOfferDownloadsEveryPackageAndStartsTheInstaller) {
  rtl::WriteFileBytes(folder_ / "lang.ini", "[common]\nlang=1\n");
  Serve("/setup.exe", std::string(100, 'e'));
  Serve("/tools/lang.ini", std::string(50, 'r'));
  Serve(app::kVersionFilePath,
        Description(Element("Software", "V4.1", 41, "", server_.Url("/setup.exe") + "|" + server_.Url("/tools/lang.ini")),
                    Element("Database", "D7", 7, "", "")));
  Check(UpdateTarget::Software, [](TfrmUpdate& form) {
    EXPECT_EQ(form.ProgressBar1->Max(), 150.0f);  // both packages' sizes
    Install(form);
  });
  EXPECT_EQ(ReadFile(folder_ / "_setup.exe"), std::string(100, 'e'));
  EXPECT_EQ(ReadFile(folder_ / "_setup_lang.ini"), std::string(50, 'r'));
  EXPECT_EQ(ReadFile(folder_ / "lang.ini"), "[common]\nlang=1\n");
  EXPECT_EQ(shell_.Opened, std::vector<std::string>{gui::FileUri((folder_ / "_setup.exe").string())});
  EXPECT_EQ(window_.Closes, 1);
  EXPECT_FALSE(app::RestartFlag);
  EXPECT_TRUE(window_.Infos.empty());
}

TEST(PackageFileNameTest, NamesTheDownloadAfterTheAddress) {
  struct Case {
    const char* url;
    bool database;
    const char* name;
  };
  const Case cases[] = {
      {"http://h/p/db.zip", true, "_dbupdate.zip"},
      {"http://h/p/db.ZIP", true, "_dbupdate_db.ZIP"},  // the extension is compared exactly
      {"http://h/p/esc_settings.db3", true, "_dbupdate_esc_settings.db3"},
      {"http://h/p/db.zip", false, "_setup_db.zip"},
      {"http://h/p/esctool", false, "_setup_esctool"},
      {"http://h/setup.exe", false, "_setup.exe"},
      {"http://h/setup.exe", true, "_dbupdate_setup.exe"},
      {"http://h/get?file=x.bin", false, "_setup_get"},
      {"http://h/dir/", true, "_dbupdate_download"},
      {"http://h/..", false, "_setup_download"},
  };
  for (const Case& c : cases) EXPECT_EQ(app::PackageFileName(c.url, c.database), c.name) << c.url;
}

TEST(UpdateHostTest, TheTestVariableWinsOverLangIniWhichWinsOverTheBuiltInAddress) {
  test_support::TFakeMainWindow window;
  unsetenv("ESCTOOL_WEB_HOST");
  EXPECT_EQ(app::UpdateHost(window), net::kDefaultWebHost);
  window.Settings["update_host"] = "http://mirror.example";
  EXPECT_EQ(app::UpdateHost(window), "http://mirror.example");
  setenv("ESCTOOL_WEB_HOST", "http://127.0.0.1:9", 1);
  EXPECT_EQ(app::UpdateHost(window), "http://127.0.0.1:9");
  unsetenv("ESCTOOL_WEB_HOST");
}

TEST(FinishRunTest, WritesTheSettingsBackBeforeTheRestart) {
  test_support::TRecordingShell shell;
  std::vector<std::string> order;
  const auto writeBack = [&] { order.push_back(shell.Restarts ? "written after restart" : "written"); };
  app::RestartFlag = false;
  EXPECT_FALSE(app::FinishRun(writeBack, shell));
  EXPECT_EQ(shell.Restarts, 0);
  app::RestartFlag = true;
  EXPECT_TRUE(app::FinishRun(writeBack, shell));
  EXPECT_EQ(order, (std::vector<std::string>{"written", "written"}));
  EXPECT_EQ(shell.Restarts, 1);
  EXPECT_THROW(app::FinishRun([] { throw rtl::Exception("disk full"); }, shell), rtl::Exception);
  EXPECT_EQ(shell.Restarts, 1);
  app::RestartFlag = false;
}

}  // namespace
}  // namespace app_test

namespace app_test {
namespace {

TEST(ShippedVersionsTest, TheProgramFolderDescribesItsVersionsWithCodes) {
  const char* source = std::getenv("ESCTOOL_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  app::UpdateState state;
  app::GetXMLDBVersion(state, std::string(source) + "/data/");
  EXPECT_TRUE(state.NumericVersionCodes);
  EXPECT_GT(state.LocalSoftwareCode, 0);
  EXPECT_EQ(state.LocalDatabaseVersion, "2019-05-20");
}

}  // namespace
}  // namespace app_test
