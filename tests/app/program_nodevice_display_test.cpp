// The program started from its program folder with no adapter plugged in:
// it waits in its no-device state on its first page.
#include <gtk/gtk.h>

#include "app/MainFormDevice.h"
#include "tests/app/program_run.h"
#include "tests/support/window_shot.h"
#include "ui/controls/vg_textbox.h"
#include "ui/render/vg_objects.h"

namespace app {
namespace {

// Presses the information box's OK once it is drawn, after a screenshot.
struct InfoBoxUser {
  TfrmInterface* form = nullptr;
  bool shot = false;
  int left = 0, top = 0;

  static gboolean Poll(gpointer data) {
    auto& user = *static_cast<InfoBoxUser*>(data);
    TfrmInfo* box = user.form->Info().Form();
    if (!box || !box->Visible() || box->ControlsScene->DrawCount() == 0) return G_SOURCE_CONTINUE;
    user.left = box->Left();
    user.top = box->Top();
    user.shot = test_support::SaveWindowShot(box->Handle(), "info_box").has_value();
    box->btnOk->Click();
    return G_SOURCE_REMOVE;
  }
};

TEST(ProgramWithoutAdapter, ShowsTheNoDeviceState) {
  unsetenv("ESCTOOL_SIMULATED_HID");
  testing::ProgramRun run;
  bool connected = true, jobsEnabled = true, shot = false;
  int page = 0;
  std::uint32_t led = 0;
  InfoBoxUser infoUser;
  std::string langAtLaunch;
  run.Then("the window shows and was activated",
           [](TfrmInterface& form) { return form.ControlsScene->DrawCount() > 0 && form.State().AdapterListCreated; })
      .Then("a second passes", [start = std::chrono::steady_clock::now()](TfrmInterface&) {
        return std::chrono::steady_clock::now() - start > std::chrono::seconds(1);
      })
      .Then("the state is read", [&](TfrmInterface& form) {
        connected = form.Device().State().Connected;
        jobsEnabled = form.Node<vg::TvgVisualObject>("btnUpdate")->Enabled();
        page = form.VisiblePage();
        led = form.Node<vg::TvgShape>("Circle1")->Fill()->SolidColor();
        form.ControlsScene->UpdateBuffer();
        shot = test_support::SaveWindowShot(form.Handle(), "main_window_no_adapter").has_value();
        return true;
      })
      .Then("an information box is shown and closed", [&](TfrmInterface& form) {
        infoUser.form = &form;
        g_timeout_add(50, &InfoBoxUser::Poll, &infoUser);
        form.ShowInfo("Settings written.", 2);  // returns once OK was pressed
        return true;
      })
      .Then("Exit is chosen after an update asked for a restart", [&](TfrmInterface& form) {
        RestartFlag = true;
        form.English1->SetChecked(true);  // so the write-back shows in lang.ini
        form.Node<gui::TMenuItem>("Exit1")->Click();
        return true;
      });
  run.launcher.onLaunch = [&] { langAtLaunch = testing::ReadLang(run.folder); };
  EXPECT_EQ(run.Run(std::chrono::seconds(20)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_FALSE(connected);
  EXPECT_FALSE(jobsEnabled);
  EXPECT_EQ(page, 1);
  EXPECT_EQ(led, device::kLedOff);
  EXPECT_TRUE(shot);
  EXPECT_TRUE(infoUser.shot);
  EXPECT_EQ(run.launcher.launched.size(), 1u);  // once, after the loop ended
  EXPECT_NE(langAtLaunch.find("lang=0"), std::string::npos) << "lang.ini was not written before the restart";
  RestartFlag = false;
}

}  // namespace
}  // namespace app
