// MessagePopup on an embedded scene: the box opens in a popup window of a
// platform without windows, and the test presses a button with the mouse
// or the keyboard while the modal loop waits.
#include "ui/controls/vg_messagepopup.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/vg_popup_fakes.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/controls/vg_services.h"

namespace {

using namespace vg;
using vgtest::ControlScene;

void CollectButtons(TvgObject* node, std::vector<TvgButton*>& buttons) {
  for (TvgObject* child : node->Children()) {
    if (auto* button = dynamic_cast<TvgButton*>(child)) buttons.push_back(button);
    CollectButtons(child, buttons);
  }
}

struct MessageScene : ControlScene {
  vgtest::FakePopupPlatform platform;
  std::vector<TvgButton*> buttons;  // the open box's buttons, read while it runs
  bool rootEnabledDuringRun = true;

  void SetUp() override {
    ControlScene::SetUp();
    vgSetFormModalResult([this](rtl::TComponent*, int result) {
      platform.Last()->SetModalResult(result);
      return true;
    });
  }
  void TearDown() override {
    vgSetFormModalResult(nullptr);
    ControlScene::TearDown();
  }

  TvgButton* Button(const rtl::WideString& caption) {
    for (TvgButton* button : buttons)
      if (button->Text() == caption) return button;
    return nullptr;
  }
  // Runs a box with `buttons`; once it is open, `press` acts on its window.
  TvgModalResult Run(TvgMsgDlgButtons kinds, std::function<void(TvgCustomScene&)> press) {
    clock.OnWait = [this, press, pressed = false]() mutable {
      if (std::exchange(pressed, true)) return;
      vgtest::FakePopupWindow* window = platform.Last();
      CollectButtons(&window->Popup, buttons);
      rootEnabledDuringRun = root->Enabled();
      window->Scene().Draw();  // aligns the box as a paint would
      press(window->Scene());
    };
    return MessagePopup(u"Save changes?", u"The settings were changed.", vgMsgConfirmation, kinds, *scene);
  }
  std::function<void(TvgCustomScene&)> ClickOn(const rtl::WideString& caption) {
    return [this, caption](TvgCustomScene& window) {
      TvgButton* button = Button(caption);
      ASSERT_NE(button, nullptr);
      const TvgPoint at = button->LocalToAbsolute({button->Width() / 2, button->Height() / 2});
      window.EmbeddedMouseDown(vgMouseLeft, 0, int(at.X), int(at.Y));
      window.EmbeddedMouseUp(vgMouseLeft, 0, int(at.X), int(at.Y));
    };
  }
  static std::function<void(TvgCustomScene&)> Key(std::uint16_t key) {
    return [key](TvgCustomScene& window) {
      std::uint16_t k = key;
      char16_t c = 0;
      window.EmbeddedKeyDown(k, c, 0);
    };
  }
};

TEST_F(MessageScene, ReturnsTheResultOfThePressedButton) {
  constexpr std::uint16_t kEnter = vgKeyReturn, kEsc = 27;
  struct Case {
    TvgMsgDlgButtons kinds;
    std::function<void(TvgCustomScene&)> press;
    TvgModalResult expected;
    const char* what;
  };
  const Case cases[] = {
      {{vgMsgOK, vgMsgCancel}, ClickOn(u"Cancel"), vgMrCancel, "click on Cancel"},
      {{vgMsgOK, vgMsgCancel}, Key(kEnter), vgMrOk, "Enter: OK is the default"},
      {{vgMsgOK, vgMsgCancel}, Key(kEsc), vgMrCancel, "Esc: Cancel cancels"},
      {{vgMsgYes, vgMsgNo}, Key(kEnter), vgMrYes, "Enter: Yes without OK"},
      {{vgMsgYes, vgMsgNo}, Key(kEsc), vgMrNo, "Esc: No without Cancel"},
      {{vgMsgYes, vgMsgNo, vgMsgCancel}, ClickOn(u"No"), vgMrNo, "click on No"},
      {{vgMsgAbort, vgMsgRetry, vgMsgIgnore}, Key(kEnter), vgMrRetry, "Enter: Retry without OK and Yes"},
      {{vgMsgAbort, vgMsgRetry, vgMsgIgnore}, ClickOn(u"Ignore"), vgMrIgnore, "click on Ignore"},
      {{vgMsgYesToAll, vgMsgNoToAll}, ClickOn(u"NoToAll"), vgMrNoToAll, "click on NoToAll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    buttons.clear();
    EXPECT_EQ(Run(c.kinds, c.press), c.expected);
    EXPECT_FALSE(rootEnabledDuringRun);
    EXPECT_TRUE(root->Enabled());
    EXPECT_TRUE(platform.Last()->Released);
  }
}

TEST_F(MessageScene, LaysOutOneButtonPerKindSideBySideAndFreesTheBox) {
  const std::size_t rootChildren = root->Children().size();
  std::vector<TvgRect> places;
  EXPECT_EQ(Run({vgMsgYes, vgMsgNo, vgMsgOK, vgMsgCancel, vgMsgHelp},
                [&](TvgCustomScene& window) {
                  for (TvgButton* button : buttons) {
                    const TvgPoint topLeft = button->LocalToAbsolute({0, 0});
                    places.push_back({topLeft.X, topLeft.Y, topLeft.X + button->Width(), topLeft.Y + button->Height()});
                  }
                  ClickOn(u"OK")(window);
                }),
            vgMrOk);
  ASSERT_EQ(places.size(), 5u);
  for (std::size_t i = 0; i < places.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_GE(places[i].Left, 30 - 0.5f) << "inside the box's padding";
    EXPECT_LE(places[i].Right, 500 - 30 + 0.5f) << "inside the box's padding";
    EXPECT_LE(places[i].Bottom, 150 - 30 + 0.5f);
    for (std::size_t j = 0; j < i; ++j)
      EXPECT_TRUE(places[i].Right <= places[j].Left || places[j].Right <= places[i].Left) << "overlaps " << j;
  }
  EXPECT_EQ(root->Children().size(), rootChildren);
  EXPECT_TRUE(OpenPopups().empty());
}

}  // namespace
