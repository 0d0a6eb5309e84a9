// Push buttons on a real scene with the built-in style book: pressing,
// toggling, auto-repeat on a clock, dialog keys and the corner settings.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/vg_timed_oneshots.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/core/vg_popupmenu.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

// A popup menu component that counts where it was opened.
struct NodeMenu : rtl::TComponent, IvgPopupMenu {
  NodeMenu() : rtl::TComponent(nullptr) {}
  void SetPopupComponent(rtl::TComponent*) override {}
  void Popup(int x, int y) override {
    ++popups;
    at = {float(x), float(y)};
  }
  int popups = 0;
  TvgPoint at{0, 0};
};

struct Buttons : ControlScene {
  TvgPoint Centre(TvgVisualObject* control) {
    return control->LocalToAbsolute({control->Width() / 2, control->Height() / 2});
  }
  void Press(TvgVisualObject* control) {
    const TvgPoint p = Centre(control);
    scene->MouseMove(0, p.X, p.Y);
    scene->MouseDown(vgMouseLeft, vgLeftButton, p.X, p.Y);
  }
  void Release(TvgVisualObject* control, float dx = 0) {
    const TvgPoint p = Centre(control);
    scene->MouseUp(vgMouseLeft, 0, p.X + dx, p.Y);
  }
  void Key(std::uint16_t key) {
    char16_t ch = 0;
    scene->UnicodeKeyDown(key, ch, 0);
    lastKey = key;
  }
  template <class T>
  T* Counted(int& clicks) {
    T* button = Add<T>();
    button->Position()->SetPoint({20, 20});
    button->OnClick = [&clicks](rtl::TObject*) { ++clicks; };
    return button;
  }
  std::uint16_t lastKey = 0;
};

TEST_F(Buttons, PressedLookFollowsThePointerAndOnlyAReleaseInsideClicks) {
  int clicks = 0;
  auto* button = Counted<TvgButton>(clicks);
  EXPECT_EQ(button->Width(), 80);
  EXPECT_EQ(button->Height(), 22);
  Press(button);
  EXPECT_TRUE(button->IsPressed());
  const TvgPoint outside{Centre(button).X + 100, Centre(button).Y};
  scene->MouseMove(vgLeftButton, outside.X, outside.Y);
  EXPECT_FALSE(button->IsPressed());
  const TvgPoint inside = Centre(button);
  scene->MouseMove(vgLeftButton, inside.X, inside.Y);
  EXPECT_TRUE(button->IsPressed());
  Release(button, 100);
  EXPECT_FALSE(button->IsPressed());
  EXPECT_EQ(clicks, 0);
  Press(button);
  Release(button);
  EXPECT_EQ(clicks, 1);

  button->SetIsPressed(true);  // only toggle buttons take it
  EXPECT_FALSE(button->IsPressed());
}

TEST_F(Buttons, StaysPressedButtonFlipsOnEveryPress) {
  int clicks = 0;
  auto* button = Counted<TvgButton>(clicks);
  button->SetStaysPressed(true);
  for (bool expected : {true, false, true}) {
    Press(button);
    Release(button, 100);  // wherever it is released
    EXPECT_EQ(button->IsPressed(), expected);
  }
  button->SetIsPressed(false);
  EXPECT_FALSE(button->IsPressed());
  EXPECT_EQ(clicks, 0);
}

TEST_F(Buttons, HeldRepeatButtonClicksEvery100MsFrom600MsOn) {
  vgtest::TimedOneShots clock;
  std::vector<double> clicks;
  auto* button = Add<TvgSpeedButton>();
  button->OnClick = [&](rtl::TObject*) { clicks.push_back(clock.Now()); };
  EXPECT_TRUE(button->RepeatClick());
  EXPECT_FALSE(button->CanFocused());
  EXPECT_EQ(button->Width(), 23);

  Press(button);
  clock.Advance(599);
  EXPECT_TRUE(clicks.empty());
  clock.Advance(1050 - 599);
  EXPECT_EQ(clicks, (std::vector<double>{600, 700, 800, 900, 1000}));
  Release(button);
  EXPECT_EQ(clicks.size(), 6u);  // the release inside
  clock.Advance(1000);
  EXPECT_EQ(clicks.size(), 6u);

  clicks.clear();
  Press(button);  // a second press waits the whole delay again
  const double pressed = clock.Now();
  clock.Advance(650);
  EXPECT_EQ(clicks, (std::vector<double>{pressed + 600}));
  Release(button, 100);
  clock.Advance(500);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(Buttons, RepeatTimerDiesWithTheButton) {
  vgtest::TimedOneShots clock;
  auto* button = Add<TvgSpeedButton>();
  Press(button);
  button->Free();
  clock.Advance(2000);  // nothing fires into the freed button
}

TEST_F(Buttons, EnterAndSpaceClickTheFocusedButton) {
  int clicks = 0;
  auto* button = Counted<TvgButton>(clicks);
  button->SetFocus();
  for (std::uint16_t key : {vgKeyReturn, vgKeySpace}) {
    char16_t ch = 0;
    std::uint16_t k = key;
    button->KeyDown(k, ch, 0);
  }
  EXPECT_EQ(clicks, 2);
}

TEST_F(Buttons, DefaultAndCancelButtonsAnswerEnterAndEscAnywhere) {
  int okClicks = 0, cancelClicks = 0, plainClicks = 0;
  auto* ok = Counted<TvgButton>(okClicks);
  auto* cancel = Counted<TvgButton>(cancelClicks);
  Counted<TvgButton>(plainClicks);
  Add<TvgCheckBox>()->SetFocus();  // the focus is elsewhere
  ok->SetDefault(true);
  cancel->SetCancel(true);

  const struct {
    std::uint16_t key;
    int ok, cancel;
  } cases[] = {{vgKeyReturn, 1, 0}, {27, 1, 1}, {vgKeySpace, 1, 1}};
  for (const auto& c : cases) {
    Key(c.key);
    EXPECT_EQ(okClicks, c.ok) << c.key;
    EXPECT_EQ(cancelClicks, c.cancel) << c.key;
  }
  EXPECT_EQ(plainClicks, 0);
  Key(vgKeyReturn);
  EXPECT_EQ(lastKey, 0);  // consumed
}

TEST_F(Buttons, CornerButtonHandsItsCornersToTheBackground) {
  auto* button = Add<TvgCornerButton>();
  auto* background = dynamic_cast<TvgRectangle*>(button->FindResource("Background"));
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->xRadius(), 3);
  button->SetxRadius(7);
  button->SetCorners({vgCornerTopLeft});
  button->SetSides({});
  button->SetCornerType(vgCornerBevel);
  EXPECT_EQ(background->xRadius(), 7);
  EXPECT_EQ(background->Corners(), TvgCorners{vgCornerTopLeft});
  EXPECT_EQ(background->Sides(), TvgSides{});
  EXPECT_EQ(background->CornerType(), vgCornerBevel);
}

TEST_F(Buttons, PopupButtonOpensItsMenuBelowItself) {
  int clicks = 0;
  auto* button = Counted<TvgPopupButton>(clicks);
  Press(button);
  Release(button);  // no menu set: a plain click
  TvgOwned<NodeMenu> menu(new NodeMenu);
  button->SetPopupMenu(menu.get());
  Press(button);
  Release(button);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(menu->popups, 1);
  EXPECT_EQ(menu->at, (TvgPoint{20, 20 + 22}));  // the scene is its own screen here
  menu.reset();
  EXPECT_EQ(button->PopupMenu(), nullptr);
}

TEST_F(Buttons, EventDataBecomesOnClick) {
  int clicks = 0;
  auto* button = Add<TvgButton>();
  button->SetData(rtl::Variant(5));  // ignored
  button->SetData(EventToVariant([&clicks](rtl::TObject*) { ++clicks; }));
  button->Click();
  EXPECT_EQ(clicks, 1);
  button->DblClick();  // the second click of a double click counts too
  EXPECT_EQ(clicks, 2);
}

}  // namespace
