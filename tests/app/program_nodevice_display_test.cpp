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

TEST(ProgramWithoutAdapter, ShowsTheNoDeviceState) {
  unsetenv("ESCTOOL_SIMULATED_HID");
  testing::ProgramRun run;
  bool connected = true, jobsEnabled = true, shot = false;
  int page = 0;
  std::uint32_t led = 0;
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
        form.Node<gui::TMenuItem>("Exit1")->Click();
        return true;
      });
  EXPECT_EQ(run.Run(std::chrono::seconds(20)), 0);
  EXPECT_EQ(run.timedOut, "");
  EXPECT_FALSE(connected);
  EXPECT_FALSE(jobsEnabled);
  EXPECT_EQ(page, 1);
  EXPECT_EQ(led, device::kLedOff);
  EXPECT_TRUE(shot);
}

}  // namespace
}  // namespace app
