#include "ui/core/vg_popup.h"

#include "tests/support/vg_popup_fakes.h"
#include "tests/ui/core/vg_scene_fixture.h"

using namespace vg;
using namespace vgtest;

namespace {

// The scene's client area starts at (1000, 2000) on the screen.
class OffsetWindow : public IvgSceneWindow {
 public:
  bool HandleAllocated() override { return false; }
  void Invalidate(const TvgRect&) override {}
  void Flush(TvgCanvas&, const std::vector<TvgRect>&) override {}
  bool ParentIsForm() override { return false; }
  void SetMouseCapture(bool) override {}
  TvgPoint ClientToScreen(TvgPoint p) override { return {p.X + 1000, p.Y + 2000}; }
};

struct PopupScene : EmbeddedScene {
  FakePopupPlatform platform;
  OffsetWindow window;
  TTestRect* root = nullptr;
  TTestRect* target = nullptr;

  void SetUp() override {
    EmbeddedScene::SetUp();
    scene->SetWindow(&window);
    scene->SetBounds(0, 0, 400, 300);
    root = AddRoot<TTestRect>(400, 300);
    target = Add<TTestRect>(root, 10, 10, 100, 20);
  }
  void TearDown() override {
    for (TvgPopup* popup : std::vector<TvgPopup*>(OpenPopups())) popup->Free();
    DrawQueued();  // released catchers go
    EmbeddedScene::TearDown();
  }
  template <class T = TvgPopup>
  T* MakePopup(TvgPlacementScene mode, float width = 120, float height = 60) {
    auto* popup = Add<T>(root, 0, 0, width, height);
    popup->SetPlacementTarget(target);
    popup->SetPlacementScene(mode);
    return popup;
  }
  void Click(int x, int y) {
    scene->EmbeddedMouseDown(vgMouseLeft, 0, x, y);
    scene->EmbeddedMouseUp(vgMouseLeft, 0, x, y);
  }
  // A close animation of the popup's opacity, 0.2 s.
  static TvgFloatAnimation* FadeOnClose(TvgPopup* popup) {
    auto* fade = new TvgFloatAnimation(popup);
    fade->SetParent(popup);
    fade->SetTrigger("IsOpen=false");
    fade->SetPropertyName("Opacity");
    fade->SetStartValue(1);
    fade->SetStopValue(0);
    return fade;
  }
};

bool IsOpenListed(TvgPopup* popup) {
  return std::find(OpenPopups().begin(), OpenPopups().end(), popup) != OpenPopups().end();
}

}  // namespace

TEST(PopupPlacement, EachPlacementFromTargetOrRectangle) {
  struct Case {
    TvgPlacement placement;
    bool hasTarget;
    TvgRect rect;
    TvgPoint expected;
  };
  // Popup 40 x 20, target 100 x 30, offsets (3, 5).
  const TvgRect none{0, 0, 0, 0};
  const TvgRect r{10, 20, 70, 50};
  const Case cases[] = {
      {vgPlacementBottom, true, none, {3, 35}},
      {vgPlacementTop, true, none, {3, -25}},
      {vgPlacementLeft, true, none, {-43, 5}},
      {vgPlacementRight, true, none, {103, 5}},
      {vgPlacementCenter, true, none, {33, 10}},
      {vgPlacementBottomCenter, true, none, {33, 35}},
      {vgPlacementTopCenter, true, none, {33, -25}},
      {vgPlacementLeftCenter, true, none, {-43, 10}},
      {vgPlacementRightCenter, true, none, {103, 10}},
      {vgPlacementBottom, true, r, {13, 55}},
      {vgPlacementTop, true, r, {13, -5}},
      {vgPlacementLeft, true, r, {-33, 25}},
      {vgPlacementRight, true, r, {73, 25}},
      {vgPlacementCenter, true, r, {23, 30}},
      {vgPlacementBottomCenter, true, r, {23, 55}},
      {vgPlacementTopCenter, true, r, {23, -5}},
      {vgPlacementLeftCenter, true, r, {-33, 25}},
      {vgPlacementRightCenter, true, r, {73, 25}},
      // Without a target the centred kinds keep the rectangle's left edge.
      {vgPlacementBottomCenter, false, r, {13, 55}},
      {vgPlacementTopCenter, false, r, {13, -5}},
      {vgPlacementCenter, false, r, {23, 30}},
  };
  for (const Case& c : cases) {
    const TvgPoint p = vgPlacementPoint(c.placement, 40, 20, c.hasTarget, 100, 30, c.rect, 3, 5);
    EXPECT_EQ(p, c.expected) << "placement " << int(c.placement) << " target " << c.hasTarget;
  }
}

TEST(PopupPlacement, ClampMovesBackAtTheRightAndBottomAndKeepsLargeWindowsOnScreen) {
  struct Case {
    TvgRect window, work, expected;
  };
  const TvgRect work{0, 0, 1000, 800};
  const Case cases[] = {
      {{100, 100, 300, 200}, work, {100, 100, 300, 200}},       // inside
      {{900, 100, 1100, 200}, work, {800, 100, 1000, 200}},     // past the right edge
      {{100, 750, 300, 850}, work, {100, 700, 300, 800}},       // past the bottom
      {{-50, -20, 150, 80}, work, {-50, -20, 150, 80}},         // left and top are left alone
      {{500, 300, 1700, 1300}, work, {0, 0, 1200, 1000}},       // larger than the work area
      {{1900, 100, 2100, 200}, {1920, 0, 3840, 1080}, {1900, 100, 2100, 200}},  // second monitor
  };
  for (const Case& c : cases) EXPECT_EQ(vgClampToWorkArea(c.window, c.work), c.expected);
}

TEST_F(PopupScene, OwnWindowOpensBesideItsTargetOnTheScreenAndIsClampedToTheWorkArea) {
  platform.Work = {0, 0, 4000, 4000};
  auto* popup = MakePopup(vgPlacementSceneNew);
  popup->SetIsOpen(true);
  FakePopupWindow* window = platform.Last();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Bounds(), (TvgRect{1010, 2030, 1130, 2090}));
  EXPECT_EQ(popup->GetScene(), &window->Scene());
  EXPECT_EQ(window->Shows, 0);  // shown from the next loop turn
  DrawQueued();
  EXPECT_EQ(window->Shows, 1);

  popup->SetIsOpen(false);
  EXPECT_TRUE(window->Released);
  EXPECT_EQ(popup->Parent(), root);
  EXPECT_EQ(popup->GetScene(), scene.get());

  popup->SetPlacement(vgPlacementTop);
  popup->SetVerticalOffset(5);
  platform.Work = {0, 0, 1100, 4000};
  popup->SetIsOpen(true);
  EXPECT_EQ(platform.Last()->Bounds(), (TvgRect{980, 1945, 1100, 2005}));  // 5 above, moved left
}

TEST_F(PopupScene, OwnWindowTakesTheScaleOfThePopupInItsScene) {
  root->Scale()->SetPoint({2, 1.5f});
  auto* popup = MakePopup(vgPlacementSceneNew, 50, 40);
  popup->SetIsOpen(true);
  const TvgRect bounds = platform.Last()->Bounds();
  EXPECT_EQ(vgRectWidth(bounds), 100);
  EXPECT_EQ(vgRectHeight(bounds), 60);
  popup->SetIsOpen(false);
  EXPECT_EQ(popup->Scale()->GetPoint(), (TvgPoint{1, 1}));
}

TEST_F(PopupScene, OverlayCatchesAClickOutsideButNotInside) {
  auto* focused = Add<TvgTestButton>(root, 300, 200, 40, 20);
  focused->SetFocus();
  auto* popup = MakePopup(vgPlacementSceneTarget);
  int closed = 0;
  popup->OnClosePopup = [&](rtl::TObject*) { ++closed; };
  popup->SetIsOpen(true);
  EXPECT_EQ(popup->Position()->GetPoint(), (TvgPoint{10, 30}));
  EXPECT_NE(popup->Parent(), root);  // in the catcher
  EXPECT_TRUE(IsOpenListed(popup));

  Click(50, 50);  // on the popup
  EXPECT_TRUE(popup->IsOpen());
  Click(350, 250);  // elsewhere
  EXPECT_FALSE(popup->IsOpen());
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(popup->Parent(), root);
  EXPECT_FALSE(popup->Visible());
  EXPECT_EQ(scene->GetFocused(), focused);
  EXPECT_FALSE(IsOpenListed(popup));

  popup->SetStaysOpen(true);
  popup->SetIsOpen(true);
  Click(350, 250);
  EXPECT_TRUE(popup->IsOpen());
  DrawQueued();  // the released catcher goes
  popup->OnClosePopup = nullptr;  // TearDown closes it after `closed` is gone
}

namespace {
// Watches a node for its end.
struct FreedWatch : IvgFreeNotification {
  virtual ~FreedWatch() = default;
  bool freed = false;
  void FreeNotification(IvgFreeNotifier*) override { freed = true; }
};
}  // namespace

TEST_F(PopupScene, APopupWithoutParentOutlivesTheCatcherOfItsOverlay) {
  auto* popup = new TvgPopup(nullptr);
  popup->SetBounds(0, 0, 120, 60);
  popup->SetPlacementTarget(target);
  popup->SetPlacementScene(vgPlacementSceneTarget);
  FreedWatch watch;
  popup->AddFreeNotify(&watch);
  for (int round = 0; round < 2; ++round) {
    popup->SetIsOpen(true);
    EXPECT_TRUE(popup->IsOpen());
    EXPECT_EQ(popup->Position()->GetPoint(), (TvgPoint{10, 30}));
    Click(350, 250);  // elsewhere
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(popup->Parent(), nullptr);
    DrawQueued();  // the released catcher goes
    ASSERT_FALSE(watch.freed);
  }
  popup->RemoveFreeNotify(&watch);
  popup->Free();
}

TEST_F(PopupScene, EscapeClosesOnlyAPopupThatDoesNotStayOpen) {
  for (bool staysOpen : {false, true}) {
    auto* popup = MakePopup(vgPlacementSceneTarget);
    popup->SetStaysOpen(staysOpen);
    popup->SetIsOpen(true);
    std::uint16_t key = 27;
    char16_t ch = 0;
    scene->EmbeddedKeyDown(key, ch, 0);
    EXPECT_EQ(popup->IsOpen(), staysOpen);
    popup->Free();
  }
}

TEST_F(PopupScene, CloseAnimationsRunToTheirEndBeforeThePopupIsHidden) {
  auto* popup = MakePopup(vgPlacementSceneTarget);
  FadeOnClose(popup);
  popup->SetIsOpen(true);
  DrawQueued();  // on screen now
  bool visibleWhileFading = false;
  clock.OnWait = [&] { visibleWhileFading = visibleWhileFading || popup->Visible(); };
  popup->SetIsOpen(false);
  EXPECT_TRUE(visibleWhileFading);
  EXPECT_GE(clock.Waits(), 6);  // 0.2 s of 33 ms steps
  EXPECT_EQ(popup->Opacity(), 0);
  EXPECT_FALSE(popup->Visible());
  popup->Free();
}

TEST_F(PopupScene, OpeningAndClosingAtOnceNeitherWaitsNorShowsAWindow) {
  for (TvgPlacementScene mode : {vgPlacementSceneNew, vgPlacementSceneTarget}) {
    auto* popup = MakePopup(mode);
    FadeOnClose(popup);
    const int waits = clock.Waits();
    popup->SetIsOpen(true);
    popup->SetIsOpen(false);
    popup->SetIsOpen(true);
    popup->SetIsOpen(false);
    EXPECT_EQ(clock.Waits(), waits);
    EXPECT_EQ(popup->Opacity(), 0);  // the animation jumped to its end
    DrawQueued();
    for (FakePopupWindow* window : platform.Windows) EXPECT_EQ(window->Shows, 0);
    popup->Free();
  }
}

TEST_F(PopupScene, FreeingAnOpenPopupClosesItWithoutWaiting) {
  auto* popup = MakePopup(vgPlacementSceneNew);
  FadeOnClose(popup);
  int closed = 0;
  popup->OnClosePopup = [&](rtl::TObject*) { ++closed; };
  popup->SetIsOpen(true);
  DrawQueued();
  FakePopupWindow* window = platform.Last();
  popup->Free();
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(window->Released);
  EXPECT_TRUE(OpenPopups().empty());
  EXPECT_EQ(window->Scene().GetCount(), 0);
}

TEST_F(PopupScene, TearingDownTheTreeUnderAnOpenPopupFreesEverythingOnce) {
  for (TvgPlacementScene mode : {vgPlacementSceneNew, vgPlacementSceneTarget}) {
    auto* popup = MakePopup(mode);
    int closed = 0;
    popup->OnClosePopup = [&](rtl::TObject*) { ++closed; };
    popup->SetIsOpen(true);
    DrawQueued();
    if (mode == vgPlacementSceneTarget) {
      root->Free();  // the catcher and the popup inside it go with the root
      EXPECT_EQ(closed, 1);
      root = nullptr;
    } else {
      popup->Free();
    }
    EXPECT_TRUE(OpenPopups().empty());
    DrawQueued();
  }
}

TEST_F(PopupScene, PopupModalReturnsThePressedButtonsResult) {
  auto* popup = MakePopup(vgPlacementSceneTarget);
  auto* button = Add<TvgTestButton>(popup, 10, 10, 40, 20);
  button->OnClick = [&](rtl::TObject*) { popup->SetModalResult(6); };
  clock.OnWait = [&] {
    DrawQueued();
    if (clock.Waits() == 3) Click(30, 50);  // the button: popup at (10, 30), button at (10, 10) in it
  };
  EXPECT_EQ(popup->PopupModal(), 6);
  EXPECT_FALSE(popup->IsOpen());
  EXPECT_EQ(popup->Parent(), root);
}

TEST_F(PopupScene, OwnWindowModalRunEndsWithTheWindowsResultAndCloseRequestsCancel) {
  auto* popup = MakePopup(vgPlacementSceneNew);
  clock.OnWait = [&] { platform.Last()->SetModalResult(1); };
  EXPECT_EQ(popup->PopupModal(), 1);
  EXPECT_TRUE(platform.Last()->Released);

  clock.OnWait = [&] { popup->ClosePopup(); };  // Esc, an outside click...
  EXPECT_EQ(popup->PopupModal(), 2);
  EXPECT_FALSE(popup->IsOpen());
}

TEST_F(PopupScene, ActivatingAnotherWindowClosesPopupsOpenedAfterItOrAll) {
  auto* first = MakePopup(vgPlacementSceneNew);
  auto* second = MakePopup(vgPlacementSceneNew);
  auto* staying = MakePopup(vgPlacementSceneNew);
  staying->SetStaysOpen(true);
  for (TvgPopup* popup : {first, second, staying}) popup->SetIsOpen(true);
  EXPECT_EQ(OpenPopups(), (std::vector<TvgPopup*>{first, second}));

  first->WindowDeactivated(second);  // the sub-popup took the activation
  EXPECT_TRUE(first->IsOpen());
  second->WindowDeactivated(first);  // back to the parent popup
  EXPECT_FALSE(second->IsOpen());
  EXPECT_TRUE(first->IsOpen());

  second->SetIsOpen(true);
  second->WindowDeactivated(staying);  // a popup that stays open counts as any window
  EXPECT_FALSE(first->IsOpen());
  EXPECT_FALSE(second->IsOpen());
  EXPECT_TRUE(staying->IsOpen());
  staying->WindowDeactivated(nullptr);
  EXPECT_TRUE(staying->IsOpen());
  staying->SetIsOpen(false);
}

TEST_F(PopupScene, MouseAndAbsolutePlacementsPutTheWindowAtTheCursorOrRectangle) {
  auto* popup = MakePopup(vgPlacementSceneNew);
  platform.Cursor = {1900, 500};
  popup->SetPlacement(vgPlacementMouseCenter);
  popup->SetIsOpen(true);
  EXPECT_EQ(platform.Last()->Bounds(), (TvgRect{1800, 500, 1920, 560}));  // clamped: it has a target
  popup->SetIsOpen(false);

  popup->SetPlacement(vgPlacementAbsolute);
  popup->PlacementRectangle()->SetLeft(1890.6f);
  popup->PlacementRectangle()->SetTop(7.2f);
  popup->SetIsOpen(true);
  EXPECT_EQ(platform.Last()->Bounds(), (TvgRect{1891, 7, 2011, 67}));  // never clamped
  popup->SetIsOpen(false);
}

TEST_F(PopupScene, InTheDesignerAPopupItemShowsItsPopupInPlaceOnADesignClick) {
  scene->SetDesigning(true);
  auto* item = Add<TvgPopupItem>(root, 200, 100, 80, 20);
  TvgPopup* popup = item->PopupBox();
  popup->SetBounds(0, 0, 120, 60);
  EXPECT_TRUE(popup->DesignHide());
  item->DesignClick();
  EXPECT_FALSE(popup->DesignHide());
  EXPECT_FALSE(popup->Locked());
  EXPECT_FALSE(popup->IsOpen()) << "never opened in the designer";
  EXPECT_EQ(popup->Position()->GetPoint(), (TvgPoint{0, 20})) << "below the item, where it opens";
  scene->Draw();
  EXPECT_FALSE(Lines("DrawRect (0.5,0.5,119.5,59.5)").empty()) << "its dashed design frame";
  item->DesignClick();
  EXPECT_TRUE(popup->DesignHide());
  EXPECT_TRUE(popup->Locked());
}

TEST_F(PopupScene, PopupItemOpensOnEnterAndTakesChildrenIntoItsPopup) {
  auto* item = Add<TvgPopupItem>(root, 200, 100, 80, 20);
  item->PopupBox()->SetPlacementScene(vgPlacementSceneTarget);
  auto* child = Add<TTestRect>(item, 0, 0, 30, 10);
  EXPECT_EQ(child->Parent(), item->PopupBox());
  item->SetPlacement(vgPlacementRight);
  scene->EmbeddedMouseMove(0, 210, 105);
  EXPECT_TRUE(item->PopupBox()->IsOpen());
  EXPECT_EQ(item->PopupBox()->Placement(), vgPlacementRight);
  scene->EmbeddedMouseMove(0, 5, 290);
  EXPECT_FALSE(item->PopupBox()->IsOpen());
  DrawQueued();
}
