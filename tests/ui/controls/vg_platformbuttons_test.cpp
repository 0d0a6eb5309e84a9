// Buttons with the platform's control services: on a scene owned by a
// form run modally through the scripted runner, a button's ModalResult ends
// the modal run and its OnClick still runs; the colour button asks the
// scripted colour dialog.
#include <gtest/gtest.h>

#include "platform/gui/Forms.h"
#include "tests/support/gui_fakes.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/window/vg_controlservices.h"

namespace {

using namespace vg;

struct ModalForm : ::testing::Test {
  vgtest::ManualOneShots timers;
  vgtest::FakeAniClock clock;
  test_support::TScriptedModalRunner runner;
  test_support::TScriptedDialogs dialogs;
  gui::TForm* form = nullptr;
  TvgScene* scene = nullptr;
  TvgBackground* root = nullptr;

  void SetUp() override {
    vgtest::StartControlTests();
    vgUsePlatformControlServices();
    DefaultCanvasClass = &vgtest::kRecordingCanvasClass;
    form = new gui::TForm(nullptr);
    form->SetName("frmAsk");
    scene = new TvgScene(form);
    scene->CreateEmbedded(300, 200, [](rtl::TObject*) {});
    root = new TvgBackground(nullptr);
    root->SetBounds(0, 0, 300, 200);
    scene->AddObject(root);
  }
  void TearDown() override {
    form->Free();
    DefaultCanvasClass = nullptr;
    vgSetFormModalResult(nullptr);
    vgSetFormCloser(nullptr);
    vgSetColorDialog(nullptr);
  }
  TvgButton* Button(float x, int modalResult, int& clicks) {
    auto* button = new TvgButton(nullptr);
    button->SetParent(root);
    button->Position()->SetPoint({x, 20});
    button->SetModalResult(modalResult);
    button->OnClick = [&clicks](rtl::TObject*) { ++clicks; };
    return button;
  }
  void Click(TvgVisualObject* control) {
    const TvgPoint p = control->LocalToAbsolute({control->Width() / 2, control->Height() / 2});
    scene->MouseMove(0, p.X, p.Y);
    scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
    scene->MouseUp(vgMouseLeft, 0, p.X, p.Y);
  }
};

TEST_F(ModalForm, ModalResultOfTheClickedButtonEndsTheRun) {
  int okClicks = 0, noClicks = 0, plainClicks = 0;
  TvgButton* ok = Button(10, gui::mrOk, okClicks);
  TvgButton* no = Button(100, gui::mrNo, noClicks);
  TvgButton* plain = Button(190, 0, plainClicks);
  runner.Then([&](gui::TForm& shown) {
    Click(plain);  // no modal result: the form keeps running
    EXPECT_EQ(shown.ModalResult(), gui::mrNone);
    Click(ok);
  });
  EXPECT_EQ(form->ShowModal(), gui::mrOk);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(plainClicks, 1);

  runner.Then([&](gui::TForm&) {
    char16_t ch = 0;
    std::uint16_t enter = vgKeyReturn;
    no->SetFocus();
    no->KeyDown(enter, ch, 0);
  });
  EXPECT_EQ(form->ShowModal(), gui::mrNo);
  EXPECT_EQ(noClicks, 1);
  EXPECT_TRUE(runner.Done());
}

TEST_F(ModalForm, DefaultButtonAnswersEnterAnywhereInTheForm) {
  int clicks = 0;
  TvgButton* ok = Button(10, gui::mrOk, clicks);
  ok->SetDefault(true);
  runner.Then([&](gui::TForm&) {
    char16_t ch = 0;
    std::uint16_t enter = vgKeyReturn;
    scene->UnicodeKeyDown(enter, ch, 0);
  });
  EXPECT_EQ(form->ShowModal(), gui::mrOk);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ModalForm, ColourButtonTakesTheDialogsChoice) {
  auto* button = new TvgColorButton(nullptr);
  button->SetParent(root);
  button->ApplyResource();
  auto* fill = dynamic_cast<TvgShape*>(button->FindResource("fill"));
  ASSERT_NE(fill, nullptr);
  int changes = 0;
  button->OnChange = [&changes](rtl::TObject*) { ++changes; };
  button->SetColor("#80102030");
  EXPECT_EQ(fill->Fill()->SolidColor(), 0x80102030u);

  dialogs.ChooseColor(std::nullopt).ChooseColor(gui::TColor(0x00563412));
  Click(button);  // cancelled
  EXPECT_EQ(button->Color(), "#80102030");
  EXPECT_EQ(changes, 1);
  Click(button);
  EXPECT_EQ(button->Color(), "#FF123456");  // red and blue back in place, opaque
  EXPECT_EQ(fill->Fill()->SolidColor(), 0xFF123456u);
  EXPECT_EQ(changes, 2);

  button->SetUseStandardDialog(false);
  Click(button);  // no dialog is asked for
  EXPECT_EQ(changes, 2);
}

}  // namespace
