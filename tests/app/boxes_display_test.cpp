// The main window's boxes on screen: the progress box of the device jobs.
#include "platform/gui/GuiInit.h"
#include "tests/app/main_form_fixture.h"
#include "tests/support/gui_pump.h"
#include "tests/support/window_shot.h"

namespace app {
namespace {

using testing::MainFormTest;

TEST_F(MainFormTest, ProgressBoxFollowsTheJobProtocol) {
  ASSERT_TRUE(gui::InitGui());
  Create();
  ProgressBox& box = form->Progress();
  box.Create("Working", 40);
  TfrmProgress* first = box.Form();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Owner(), form);
  EXPECT_EQ(first->ControlsScene->Style(), form->ControlsScene->Style());
  EXPECT_EQ(first->Label1->Text(), u"Working");
  EXPECT_EQ(box.Maximum(), 40);
  EXPECT_EQ(box.Value(), 0);
  box.SetValue(12);
  EXPECT_EQ(box.Value(), 12);
  ASSERT_TRUE(test_support::PumpUntil([&] { return first->ControlsScene->DrawCount() > 0; }));
  test_support::PumpFor(std::chrono::milliseconds(100));
  EXPECT_TRUE(test_support::SaveWindowShot(first->Handle(), "progress_box"));
  box.Create("Again", 7);  // a new job frees the box of the last one
  EXPECT_NE(box.Form(), nullptr);
  EXPECT_EQ(box.Maximum(), 7);
  box.Free();
  EXPECT_FALSE(box.Exists());
  box.Create("Left open", 3);  // freed with the window
  EXPECT_TRUE(debugLines.empty()) << debugLines.front();
}

}  // namespace
}  // namespace app
