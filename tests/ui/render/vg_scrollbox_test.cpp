#include "ui/render/vg_scrollbox.h"

#include <gtest/gtest.h>

#include "platform/rtl/Strings.h"
#include "tests/support/vg_anim_fakes.h"
#include "tests/support/vg_scene_fakes.h"
#include "ui/core/vg_scene.h"
#include "ui/render/vg_layouts.h"

using namespace vg;
using namespace vgtest;

namespace {

// A view area filling the box but for a 10 px vertical bar at the right
// and a 10 px horizontal bar at the bottom.
constexpr const char* kStyle = R"(object TvgLayout
  object TvgLayout
    ResourceName = 'scrollboxstyle'
    Width = 100
    Height = 100
    object TvgScrollBar
      ResourceName = 'vscrollbar'
      Align = vaRight
      Width = 10
      Orientation = vgVertical
    end
    object TvgScrollBar
      ResourceName = 'hscrollbar'
      Align = vaBottom
      Height = 10
    end
    object TvgLayout
      ResourceName = 'content'
      Align = vaClient
    end
  end
end
)";

struct ScrollScene : ::testing::Test {
  ManualOneShots timers;
  FakeAniClock clock;
  TvgOwned<TvgResources> book{new TvgResources(nullptr)};
  TvgOwned<TvgScene> scene{new TvgScene(nullptr)};
  TvgLayout* root = nullptr;
  TvgScrollBox* box = nullptr;

  void SetUp() override {
    vgStartCore();
    RegisterLayoutClasses();
    DefaultCanvasClass = &kRecordingCanvasClass;
    rtl::TStringList lines;
    lines.SetText(kStyle);
    book->SetResource(&lines);
    ASSERT_NE(book->Root(), nullptr);
    scene->CreateEmbedded(300, 300, [](rtl::TObject*) {});
    scene->SetStyle(book.get());
    root = new TvgLayout(nullptr);
    scene->AddObject(root);
    box = Make<TvgScrollBox>(root, 0, 0, 100, 100);
    box->ApplyResource();
    ASSERT_NE(box->ContentLayout(), nullptr);
  }
  void TearDown() override {
    scene.reset();
    DefaultCanvasClass = nullptr;
  }
  template <class T>
  T* Make(TvgObject* parent, float x, float y, float width, float height) {
    auto* node = new T(nullptr);
    node->SetParent(parent);
    node->SetBounds(x, y, width, height);
    return node;
  }
  void RunAnimations() {
    for (int i = 0; i < 40; ++i) clock.Step();
  }
  TvgScrollBar* V() { return box->VScrollBar(); }
  TvgScrollBar* H() { return box->HScrollBar(); }
};

}  // namespace

TEST_F(ScrollScene, BarsAppearWithOverflowAndTheSecondPassSettlesAgainstTheNarrowerView) {
  Make<TTestRect>(box, 0, 0, 50, 80);
  EXPECT_FALSE(V()->Enabled());
  EXPECT_FALSE(V()->Visible());
  EXPECT_FALSE(H()->Visible());
  EXPECT_EQ(V()->Value(), 0);
  EXPECT_EQ(box->ClientWidth(), 100);

  auto* tall = Make<TTestRect>(box, 0, 0, 50, 300);
  EXPECT_EQ(tall->Parent(), box->Content());
  EXPECT_TRUE(V()->Visible());
  EXPECT_FALSE(H()->Visible());
  EXPECT_EQ(box->ClientWidth(), 90);
  EXPECT_EQ(V()->Max(), 300);
  EXPECT_EQ(V()->ViewportSize(), 100);
  EXPECT_EQ(V()->SmallChange(), 20);

  // 95 wide fits 100 but not the 90 left beside the vertical bar.
  Make<TTestRect>(box, 0, 0, 95, 10);
  EXPECT_TRUE(H()->Visible());
  EXPECT_EQ(H()->Padding()->Right(), 10);  // the corner stays free
  EXPECT_EQ(box->ClientHeight(), 90);
  EXPECT_EQ(V()->ViewportSize(), 90);
}

TEST_F(ScrollScene, WheelStepsThreeFifthsOfTheViewAndClamps) {
  box->SetAnimated(false);
  Make<TTestRect>(box, 0, 0, 50, 300);
  struct Step {
    int delta;
    float value;
  };
  const Step steps[] = {{-120, 60}, {-60, 90}, {120, 30}, {240, 0}, {-1200, 200}};
  for (const Step& s : steps) {
    bool handled = false;
    box->MouseWheel(0, s.delta, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(V()->Value(), s.value) << s.delta;
    EXPECT_EQ(box->Content()->Position()->Y(), -s.value);
    EXPECT_EQ(box->ScrollDesign().Y, s.value);
  }
  box->SetDisableMouseWheel(true);
  bool handled = false;
  box->MouseWheel(0, 120, handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(V()->Value(), 200);
}

TEST_F(ScrollScene, AnimatedWheelAndFlingEndAtTheirTargets) {
  Make<TTestRect>(box, 0, 0, 50, 300);
  bool handled = false;
  box->MouseWheel(0, -120, handled);
  EXPECT_EQ(V()->Value(), 0);  // eases there
  RunAnimations();
  EXPECT_FLOAT_EQ(V()->Value(), 60);

  box->SetMouseTracking(true);
  box->MouseDown(vgMouseLeft, 0, 50, 50);
  box->MouseMove(0, 50, 45, 0, -5);
  box->MouseMove(0, 50, 35, 0, -10);
  EXPECT_FLOAT_EQ(V()->Value(), 75);  // the content follows the pointer
  box->MouseUp(vgMouseLeft, 0, 50, 35);
  RunAnimations();
  EXPECT_FLOAT_EQ(V()->Value(), 145);  // 7 more steps of 10
}

TEST_F(ScrollScene, ScrollToAndCentreMoveOnlyVisibleBars) {
  box->SetAnimated(false);
  Make<TTestRect>(box, 0, 0, 50, 300);
  box->ScrollTo(0, -60);
  box->ScrollTo(0, 25);
  EXPECT_EQ(V()->Value(), 35);
  box->ScrollTo(-30, 0);  // the horizontal bar is hidden
  EXPECT_EQ(H()->Value(), 0);
  box->Centre();
  EXPECT_EQ(V()->Value(), 100);
  EXPECT_EQ(box->VScrollBarValue(), 100);
  EXPECT_EQ(box->HScrollBarValue(), 0);
}

TEST_F(ScrollScene, HiddenBarsStayUsableButTransparentAndOutOfTheBox) {
  box->SetAnimated(false);
  box->SetShowScrollBars(false);
  Make<TTestRect>(box, 0, 0, 50, 300);
  EXPECT_TRUE(V()->Enabled());
  EXPECT_EQ(V()->Opacity(), 0);
  EXPECT_EQ(V()->Position()->X(), 200);
  EXPECT_EQ(box->ClientWidth(), 100);
  bool handled = false;
  box->MouseWheel(0, -120, handled);
  EXPECT_EQ(V()->Value(), 60);
}

TEST_F(ScrollScene, SelfTaggedChildrenEffectsAndAnimationsStayOnTheBox) {
  auto* fixed = new TTestRect(nullptr);
  fixed->TagString = "self";
  fixed->SetParent(box);
  auto* animation = new TvgFloatAnimation(nullptr);
  animation->SetParent(box);
  auto* scrolled = Make<TTestRect>(box, 0, 0, 10, 10);
  EXPECT_EQ(fixed->Parent(), box);
  EXPECT_EQ(animation->Parent(), box);
  EXPECT_EQ(scrolled->Parent(), box->Content());
}

TEST_F(ScrollScene, ClicksOnContentOutsideTheVisibleWindowAreDropped) {
  box->SetAnimated(false);
  auto* top = Make<TTestRect>(box, 0, 0, 50, 40);
  auto* below = Make<TTestRect>(box, 0, 150, 50, 150);
  EXPECT_EQ(scene->ObjectByPoint(20, 20), top);
  EXPECT_EQ(scene->ObjectByPoint(20, 160), nullptr);  // under the box, not shown
  box->ScrollTo(0, -100);
  EXPECT_EQ(scene->ObjectByPoint(20, 60), below);
  EXPECT_EQ(scene->ObjectByPoint(20, 20), box);  // the top one scrolled out: the box takes it
}

TEST(ScrollBarValues, RangeViewportAndValueClampEachOther) {
  TvgOwned<TvgScrollBar> bar{new TvgScrollBar(nullptr)};
  int changes = 0;
  bar->OnChange = [&](rtl::TObject*) { ++changes; };
  bar->SetViewportSize(20);
  bar->SetValue(95);
  EXPECT_EQ(bar->Value(), 80);
  bar->SetViewportSize(150);
  EXPECT_EQ(bar->ViewportSize(), 100);
  EXPECT_EQ(bar->Value(), 0);
  EXPECT_EQ(changes, 2);
  bar->SetMax(-5);
  EXPECT_FLOAT_EQ(bar->Max(), 0.001f);
  bar->SetMin(-10);
  bar->SetValue(-20);
  EXPECT_EQ(bar->Value(), -10);
}
