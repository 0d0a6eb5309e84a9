// What the main window offers the update, help and about commands: texts
// and settings from its lang.ini, and the reload after new settings
// databases arrived.
#include "app/MainWindowServices.h"
#include "tests/app/main_form_fixture.h"

namespace app::testing {
namespace {

TEST_F(MainFormTest, ServicesReadTextsInTheCheckedLanguageAndSettingsWithoutPrefix) {
  rtl::WriteFileBytes((folder / "lang.ini").string(),
                      "[common]\nlang=0\nengUpdateTitle=Program Update\nchsUpdateTitle=更新\nupdate_host=http://h\n"
                      "engupdate_host=wrong\n");
  Create();
  IMainWindowServices& services = form->Services();
  EXPECT_EQ(services.CurrentLanguage(), Language::English);
  EXPECT_EQ(services.Text("UpdateTitle", "x"), "Program Update");
  EXPECT_EQ(services.Text("UpdateNew", "fallback"), "fallback");
  EXPECT_EQ(services.Setting("update_host"), "http://h");
  EXPECT_EQ(services.Setting("updateimage"), "");
  form->Chinese1->SetChecked(true);
  form->English1->SetChecked(false);
  EXPECT_EQ(services.CurrentLanguage(), Language::Chinese);
  EXPECT_EQ(services.Text("UpdateTitle", "x"), "更新");
  EXPECT_EQ(services.ProgramFolder(), folder.string() + "/");
}

// The reload reconnects whatever the connect toggle showed before: it
// never switches automatic connection off.
TEST_F(MainFormTest, TheReloadAfterADatabaseInstallIdentifiesTheDeviceAfresh) {
  Create();
  for (const std::uint8_t autoConnect : {0, 1}) {
    device::DeviceState& link = form->Device().State();
    link.AutoConnect = autoConnect;
    link.Connected = link.Busy = link.Identifying = true;
    link.HandshakeFreeCount = 5;
    form->Services().ReloadAfterDatabaseInstall();
    EXPECT_EQ(link.AutoConnect, 1);
    EXPECT_FALSE(link.Connected || link.Busy || link.Identifying);
    EXPECT_EQ(link.HandshakeFreeCount, 0);
  }
}

}  // namespace
}  // namespace app::testing
