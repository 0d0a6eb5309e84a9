#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/vg_anim_fakes.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_effects.h"

using namespace vg;
using vgtest::FakeAniClock;
using vgtest::FakeScene;
using vgtest::FakeShape;

namespace {

struct NodeInScene : ::testing::Test {
  FakeAniClock clock;
  FakeScene scene;
  TvgOwned<FakeShape> control{new FakeShape};

  void SetUp() override { control->SetNewScene(&scene); }

  FakeShape* AddShape(TvgObject* parent, bool stylePart) {
    auto* shape = new FakeShape(control.get());
    shape->SetParent(parent);
    shape->SetLocked(stylePart);
    shape->SetHitTest(!stylePart);
    return shape;
  }
  TvgFloatAnimation* AddAnimation(TvgObject* parent, const std::string& trigger, const std::string& name = {}) {
    auto* animation = new TvgFloatAnimation(control.get());
    animation->SetParent(parent);
    animation->SetName(name);
    animation->SetTrigger(trigger);
    animation->SetPropertyName("Opacity");
    animation->SetStopValue(0.5f);
    return animation;
  }
  void RunClock(int ticks = 20) {
    for (int i = 0; i < ticks; ++i) clock.Step();
  }
};

}  // namespace

TEST_F(NodeInScene, TriggerFanOutStopsThenStartsAndStaysOutOfNestedControls) {
  FakeShape* part = AddShape(control.get(), true);
  FakeShape* nested = AddShape(control.get(), false);
  TvgFloatAnimation* focus = AddAnimation(part, "IsFocused=true");
  TvgFloatAnimation* hover = AddAnimation(part, "IsMouseOver=true");
  TvgFloatAnimation* nestedFocus = AddAnimation(nested, "IsFocused=true");
  TvgFloatAnimation* nestedHover = AddAnimation(nested, "IsMouseOver=true");
  TvgFloatAnimation* untriggered = AddAnimation(control.get(), "");
  untriggered->SetTriggerInverse("IsMouseOver=false");
  std::vector<std::string> order;
  focus->OnFinish = [&](rtl::TObject*) {
    order.push_back(hover->Running() ? "focus after hover" : "focus");
    EXPECT_FLOAT_EQ(part->Opacity(), 0.5f);  // its end state
  };
  for (TvgAnimation* a : {focus, nestedFocus, untriggered}) a->Start();

  control->SetMouseOver(true);
  nested->SetMouseOver(true);
  control->StartTriggerAnimation(control.get(), "IsMouseOver");

  EXPECT_EQ(order, std::vector<std::string>{"focus"});  // stopped at its end first
  EXPECT_TRUE(hover->Running());
  EXPECT_TRUE(nestedFocus->Running());
  EXPECT_FALSE(nestedHover->Running());
  EXPECT_TRUE(untriggered->Running());
}

TEST_F(NodeInScene, EffectsFollowTheirTriggerAcrossStyleParts) {
  FakeShape* part = AddShape(control.get(), true);
  auto* glow = new TvgGlowEffect(control.get());
  glow->SetParent(part);
  glow->SetTrigger("IsFocused=true");
  glow->SetEnabled(false);

  control->SetFocusState(true);
  control->ApplyTriggerEffect(control.get(), "IsFocused");
  EXPECT_TRUE(glow->Enabled());
  EXPECT_TRUE(part->HasEffect());
  control->SetFocusState(false);
  control->ApplyTriggerEffect(control.get(), "IsMouseOver");  // not named: unchanged
  EXPECT_TRUE(glow->Enabled());
  control->ApplyTriggerEffect(control.get(), "IsFocused");
  EXPECT_FALSE(glow->Enabled());
}

TEST_F(NodeInScene, StartAndStopAnimationByName) {
  TvgFloatAnimation* a = AddAnimation(control.get(), "", "Fade");
  TvgFloatAnimation* b = AddAnimation(control.get(), "", "fade2");
  TvgFloatAnimation* unnamed = AddAnimation(control.get(), "");
  control->StartAnimation(u"FADE");
  EXPECT_TRUE(a->Running());
  EXPECT_FALSE(b->Running());
  control->StartAnimation(u"");
  EXPECT_TRUE(unnamed->Running());
  control->StopAnimation(u"fade");
  EXPECT_FALSE(a->Running());
  EXPECT_TRUE(unnamed->Running());
}

TEST_F(NodeInScene, AnimateFloatAddsATemporaryChildUntilItFinishes) {
  const int children = control->ChildrenCount();
  control->AnimateFloat("Opacity", 0, 0.2f);
  EXPECT_EQ(control->ChildrenCount(), children + 1);
  RunClock();
  EXPECT_EQ(control->ChildrenCount(), children);
  EXPECT_FLOAT_EQ(control->Opacity(), 0);

  control->AnimateColor("Fill.Color", "#FFFFFFFF", 0.1f);
  control->AnimateFloatDelay("Position.X", 30, 0.1f, 0.1f);
  EXPECT_EQ(control->ChildrenCount(), children + 2);
  RunClock();
  EXPECT_EQ(control->ChildrenCount(), children);
  EXPECT_EQ(control->Fill()->GetColor(), "#FFFFFFFF");
  EXPECT_FLOAT_EQ(control->Position()->X(), 30);

  control->AnimateFloat("Opacitty", 1, 0.1f);  // nothing to animate: still ends
  RunClock();
  EXPECT_EQ(control->ChildrenCount(), children);
}

TEST_F(NodeInScene, AnimateFloatWithoutASceneCompletesAtOnce) {
  control->SetNewScene(nullptr);
  control->AnimateFloat("Opacity", 0.25f, 0.2f);
  EXPECT_FLOAT_EQ(control->Opacity(), 0.25f);
  EXPECT_EQ(control->ChildrenCount(), 0);
}

TEST_F(NodeInScene, AnimateFloatWaitReturnsWhenDoneOrWhenTheClockGoes) {
  control->AnimateFloatWait("Opacity", 0.1f, 0.2f);
  EXPECT_FLOAT_EQ(control->Opacity(), 0.1f);
  EXPECT_EQ(control->ChildrenCount(), 0);
  EXPECT_GE(clock.Waits(), 7);

  clock.OnWait = [] { vgFreeAniThread(); };  // the last scene went
  control->AnimateFloatWait("Opacity", 1, 10);
  EXPECT_LT(control->Opacity(), 1);
  EXPECT_EQ(control->ChildrenCount(), 0);
}

TEST_F(NodeInScene, StartTriggerAnimationWaitRunsThemOneAfterAnother) {
  FakeShape* part = AddShape(control.get(), true);
  TvgFloatAnimation* first = AddAnimation(control.get(), "IsMouseOver=true");
  TvgFloatAnimation* second = AddAnimation(part, "IsMouseOver=true");
  bool firstDoneBeforeSecond = false;
  second->OnProcess = [&](rtl::TObject*) { firstDoneBeforeSecond = !first->Running(); };
  control->SetMouseOver(true);
  control->StartTriggerAnimationWait(control.get(), "IsMouseOver");
  EXPECT_FALSE(first->Running());
  EXPECT_FALSE(second->Running());
  EXPECT_TRUE(firstDoneBeforeSecond);
  EXPECT_FLOAT_EQ(part->Opacity(), 0.5f);
}

TEST_F(NodeInScene, OnAHiddenNodeTemporaryAnimationsDoNothing) {
  control->SetVisible(false);
  control->AnimateFloat("Opacity", 0, 0.2f);
  EXPECT_EQ(control->ChildrenCount(), 1);  // idle until the node goes
  control->AnimateFloatWait("Opacity", 0, 0.2f);
  EXPECT_EQ(control->ChildrenCount(), 1);
  EXPECT_EQ(clock.Waits(), 0);
  EXPECT_FLOAT_EQ(control->Opacity(), 1);
}
