// The main window's boxes on screen: the progress box of the device jobs,
// and the information box opened from a key press on a button.
#include "app/InfoForm.h"
#include "platform/gui/GuiInit.h"
#include "tests/app/main_form_fixture.h"
#include "tests/app/when_shown.h"
#include "tests/support/gui_events.h"
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

TEST_F(MainFormTest, AnInfoBoxGivesItsButtonTheFocusHoweverItWasOpened) {
  ASSERT_TRUE(gui::InitGui());
  Create();
  auto* button = new vg::TvgButton(form);
  form->ControlsScene->GetRoot()->AddObject(button);
  button->SetBounds(10, 10, 80, 22);
  int opened = 0;
  button->OnClick = [&](rtl::TObject*) {
    ++opened;
    form->ShowInfo("written", 1);
  };
  form->Show();
  ASSERT_TRUE(test_support::PumpUntil([&] { return form->ControlsScene->DrawCount() > 0; }));
  for (const auto& [key, shot] : {std::pair{GDK_KEY_space, "info_box_opened_by_space"},
                                  std::pair{GDK_KEY_Return, "info_box_opened_by_enter"}}) {
    SCOPED_TRACE(shot);
    button->SetFocus();
    bool focused = false, closedByEnter = false;
    app_test::WhenShown<TfrmInfo> answer(*form, [&](TfrmInfo& box) {
      focused = box.btnOk->IsFocused();
      test_support::PumpFor(std::chrono::milliseconds(200));
      EXPECT_TRUE(test_support::SaveWindowShot(box.Handle(), shot));
      test_support::Type(box.Handle(), GDK_KEY_Return);
      closedByEnter = box.ModalResult() != gui::mrNone;
      if (!closedByEnter) box.Close();
    });
    const int before = opened;
    test_support::Type(form->Handle(), key);
    ASSERT_TRUE(test_support::PumpUntil([&] { return answer.Done() && !form->Info().Form()->IsModal(); }));
    EXPECT_EQ(opened, before + 1);
    EXPECT_TRUE(focused) << "the box's button has the focus";
    EXPECT_TRUE(closedByEnter);
  }
}

}  // namespace
}  // namespace app
