// The program started from its program folder on the simulated adapter:
// it identifies the simulated controller, shows it on its pages, and the
// File menu's Exit closes it, writing lang.ini.
#include <gtk/gtk.h>

#include "app/MainFormDevice.h"
#include "platform/rtl/MemIniFile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"
#include "tests/app/program_run.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_textbox.h"

namespace app {
namespace {

std::string BoxText(TfrmInterface& form, const char* name) {
  auto* box = form.Node<vg::TvgCustomTextBox>(name);
  return box ? rtl::Utf16ToUtf8(box->Text()) : std::string();
}

TEST(ProgramOnSimulatedAdapter, IdentifiesShowsAndExitsWritingLangIni) {
  setenv("ESCTOOL_SIMULATED_HID", "CAR_ESC", 1);
  testing::ProgramRun run;
  rtl::TMemIniFile before((run.folder / "lang.ini").string());
  ASSERT_EQ(before.ReadString("common", "lang", "?"), "1");
  std::string controller, hardware;
  bool shot = false, pageShot = false;
  int drawsBefore = 0;
  std::vector<std::string> boxTexts;
  run.Then("the window shows", [](TfrmInterface& form) { return form.ControlsScene->DrawCount() > 0; })
      .Then("the controller is identified",
            [&](TfrmInterface& form) {
              // A slow machine can make a read fail; its message box is
              // closed as a user would, and the poll tries again.
              if (TfrmInfo* box = form.Info().Form(); box && box->IsModal()) {
                boxTexts.push_back(rtl::Utf16ToUtf8(box->Label1->Text()));
                box->btnOk->Click();
                return false;
              }
              const device::DeviceState& link = form.Device().State();
              if (!link.Connected || link.Busy || form.Progress().Exists()) return false;
              controller = BoxText(form, "eController");
              hardware = BoxText(form, "eHardware");
              return !controller.empty();
            })
      .Then("the window is shot",
            [&](TfrmInterface& form) {
              form.ControlsScene->UpdateBuffer();
              shot = test_support::SaveWindowShot(form.Handle(), "main_window_simulated_controller").has_value();
              return true;
            })
      .Then("the firmware page is shown",
            [&](TfrmInterface& form) {
              form.ShowPageItem(8);
              drawsBefore = form.ControlsScene->DrawCount();
              return true;
            })
      .Then("the firmware page is shot",
            [&](TfrmInterface& form) {
              if (form.ControlsScene->DrawCount() == drawsBefore) return false;
              pageShot = test_support::SaveWindowShot(form.Handle(), "main_window_firmware_page").has_value();
              return true;
            })
      .Then("Exit is chosen", [](TfrmInterface& form) {
        form.Node<gui::TMenuItem>("Exit1")->Click();
        return true;
      });
  EXPECT_EQ(run.Run(std::chrono::seconds(30)), 0);
  unsetenv("ESCTOOL_SIMULATED_HID");
  EXPECT_EQ(run.timedOut, "");
  if (!boxTexts.empty()) std::printf("messages shown on the way: %s\n", boxTexts.front().c_str());
  EXPECT_EQ(controller, "CAR_ESC");
  EXPECT_EQ(hardware, "VALTORINE_456_A");
  EXPECT_TRUE(shot);
  EXPECT_TRUE(pageShot);
  EXPECT_TRUE(run.launcher.launched.empty());

  const rtl::TBytes bytes = rtl::ReadFileBytes((run.folder / "lang.ini").string());
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_TRUE(text.starts_with("[common]")) << text.substr(0, 40);
  rtl::TMemIniFile after((run.folder / "lang.ini").string());
  EXPECT_EQ(after.ReadString("common", "lang", "?"), "1");  // the language of the last exit is kept
  EXPECT_EQ(after.ReadString("common", "cacl1", "?"), before.ReadString("common", "cacl1", "!"));
}

}  // namespace
}  // namespace app
