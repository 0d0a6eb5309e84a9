#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/vg_anim_fakes.h"
#include "ui/core/vg_ani.h"

using namespace vg;
using vgtest::FakeAniClock;
using vgtest::FakeScene;
using vgtest::FakeShape;

namespace {

// A node in a scene with one float animation on its Opacity that records
// the progress of every step.
struct AnimatedNode : ::testing::Test {
  FakeAniClock clock;
  FakeScene scene;
  TvgOwned<FakeShape> node{new FakeShape};
  TvgFloatAnimation* animation = nullptr;
  std::vector<float> progress;
  int finished = 0;

  void SetUp() override {
    node->SetNewScene(&scene);
    animation = new TvgFloatAnimation(node.get());
    animation->SetParent(node.get());
    animation->SetPropertyName("Opacity");
    animation->SetStartValue(0);
    animation->SetStopValue(1);
    animation->OnProcess = [this](rtl::TObject*) { progress.push_back(animation->NormalizedTime()); };
    animation->OnFinish = [this](rtl::TObject*) { ++finished; };
  }
  // Ticks until the animation stops, at most limit times.
  void RunToEnd(int limit = 200) {
    for (int i = 0; i < limit && animation->Running(); ++i) clock.Step();
  }
};

}  // namespace

TEST_F(AnimatedNode, RunsItsDurationOnThe33msClockAndLeavesIt) {
  animation->Start();
  EXPECT_FLOAT_EQ(node->Opacity(), 0);  // the start state at once
  ASSERT_NE(aniThread, nullptr);
  EXPECT_EQ(clock.Interval(), 33u);
  EXPECT_TRUE(aniThread->HasAnimation(animation));
  RunToEnd();
  ASSERT_EQ(progress.size(), 7u);  // 6 x 33 ms < 0.2 s <= 7 x 33 ms
  EXPECT_FLOAT_EQ(progress.back(), 1);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_FLOAT_EQ(node->Opacity(), 1);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(aniThread->HasAnimation(animation));
  EXPECT_TRUE(animation->Enabled());  // a natural end leaves Enabled as it was
}

TEST_F(AnimatedNode, TheTimerRunsOnlyWhileAnAnimationRunsAndARestIsNoStep) {
  animation->Start();
  EXPECT_TRUE(clock.Ticking());
  RunToEnd();
  EXPECT_FALSE(clock.Ticking());

  clock.Advance(10000);
  progress.clear();
  animation->Start();
  EXPECT_TRUE(clock.Ticking());
  clock.Step();
  ASSERT_EQ(progress.size(), 1u);
  EXPECT_NEAR(progress[0], 33.0 / 200, 0.001);  // one step, not the ten seconds of rest
  RunToEnd();
  EXPECT_EQ(finished, 2);
  EXPECT_FALSE(clock.Ticking());

  for (const bool stop : {true, false}) {
    animation->Start();
    clock.Step();
    if (stop)
      animation->Stop();
    else
      animation->Free();
    EXPECT_FALSE(clock.Ticking()) << stop;
  }
}

TEST_F(AnimatedNode, TheClockKeepsRunningAtAnyUptime) {
  // 2^32 ms and more: a 32-bit tick count would have wrapped here.
  FakeAniClock late(4294967296.0 - 50);
  animation->Start();
  for (int i = 0; i < 10 && animation->Running(); ++i) late.Step();
  EXPECT_FLOAT_EQ(node->Opacity(), 1);
  EXPECT_EQ(finished, 1);
}

TEST_F(AnimatedNode, LoopsWithAndWithoutAutoReverse) {
  animation->SetLoop(true);
  animation->SetAutoReverse(true);
  animation->SetDuration(0.099f);
  animation->Start();
  for (int i = 0; i < 12; ++i) clock.Step();
  // Up, down, up: never a jump larger than one step.
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_LE(std::fabs(progress[i] - progress[i - 1]), 0.34f);
  EXPECT_FLOAT_EQ(*std::max_element(progress.begin(), progress.end()), 1);
  EXPECT_FLOAT_EQ(*std::min_element(progress.begin() + 3, progress.end()), 0);
  EXPECT_TRUE(animation->Running());

  progress.clear();
  animation->StopAtCurrent();
  animation->SetAutoReverse(false);
  animation->SetInverse(false);
  animation->Start();
  for (int i = 0; i < 6; ++i) clock.Step();
  // Loop only: reaching the end starts again at 0.
  bool jumped = false;
  for (std::size_t i = 1; i < progress.size(); ++i) jumped |= progress[i - 1] > 0.5f && progress[i] < 0.1f;
  EXPECT_TRUE(jumped);
  EXPECT_EQ(finished, 1);  // StopAtCurrent
}

TEST_F(AnimatedNode, InverseRunsFromTheEndBackToZero) {
  animation->SetInverse(true);
  animation->Start();
  EXPECT_FLOAT_EQ(node->Opacity(), 1);
  RunToEnd();
  EXPECT_FLOAT_EQ(node->Opacity(), 0);
  EXPECT_FLOAT_EQ(progress.back(), 0);
}

TEST_F(AnimatedNode, DelayHoldsTheStartAndTheNextTickAdvances) {
  animation->SetDelay(0.5f);
  node->SetOpacity(0.3f);
  animation->Start();
  EXPECT_FLOAT_EQ(node->Opacity(), 0.3f);  // nothing applied yet
  for (int i = 0; i < 15; ++i) clock.Step();  // 0.495 s
  EXPECT_TRUE(progress.empty());
  clock.Step();  // ends the delay, restarts, does not advance
  EXPECT_TRUE(progress.empty());
  EXPECT_EQ(animation->DelayTime(), 0);
  clock.Step();
  ASSERT_EQ(progress.size(), 1u);
  EXPECT_GT(progress[0], 0);
}

TEST_F(AnimatedNode, CompletesAtOnceWithoutDurationOrScene) {
  animation->SetDuration(0);
  animation->SetEnabled(true);
  EXPECT_FLOAT_EQ(node->Opacity(), 1);
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(animation->Enabled());
  EXPECT_FLOAT_EQ(animation->Duration(), 0.00001f);
  EXPECT_EQ(aniThread, nullptr);

  // Without a scene a real duration survives, so the animation still
  // animates once its node is in a scene.
  node->SetNewScene(nullptr);
  animation->SetDuration(0.2f);
  animation->SetStartValue(0.5f);
  animation->Start();
  EXPECT_FLOAT_EQ(node->Opacity(), 1);
  EXPECT_FLOAT_EQ(animation->Duration(), 0.2f);
  node->SetNewScene(&scene);
  animation->Start();
  EXPECT_TRUE(animation->Running());
  EXPECT_FLOAT_EQ(node->Opacity(), 0.5f);
}

TEST_F(AnimatedNode, HiddenParentsDoNotAnimate) {
  node->SetVisible(false);
  animation->Start();
  EXPECT_FALSE(animation->Running());
  EXPECT_FLOAT_EQ(node->Opacity(), 1);

  node->SetVisible(true);
  animation->Start();
  clock.Step();
  node->SetVisible(false);
  clock.Step();  // stopped at its end state
  EXPECT_FALSE(animation->Running());
  EXPECT_FLOAT_EQ(node->Opacity(), 1);
  EXPECT_EQ(finished, 1);
}

TEST_F(AnimatedNode, TheCaretAnimationMovesEveryThirdTick) {
  animation->SetBindingName("Caret");
  animation->SetDuration(10);
  animation->Start();
  for (int i = 0; i < 9; ++i) clock.Step();
  ASSERT_EQ(progress.size(), 3u);
  EXPECT_NEAR(animation->Time(), 3 * 0.033f, 1e-5);  // one tick's delta each
}

TEST_F(AnimatedNode, TriggersStartForwardsAndTheInverseTextBackwards) {
  animation->SetTrigger("IsMouseOver=true");
  animation->SetTriggerInverse("IsMouseOver=false");
  node->SetMouseOver(true);
  animation->StartTrigger(node.get(), "IsMouseOver");
  EXPECT_TRUE(animation->Running());
  EXPECT_FALSE(animation->Inverse());
  RunToEnd();
  node->SetMouseOver(false);
  animation->StartTrigger(node.get(), "IsMouseOver");
  EXPECT_TRUE(animation->Inverse());
  RunToEnd();
  EXPECT_FLOAT_EQ(node->Opacity(), 0);

  animation->SetTrigger("IsPressed=true");  // no such property on the node
  animation->SetTriggerInverse("");
  animation->StartTrigger(node.get(), "IsPressed");
  EXPECT_FALSE(animation->Running());
}

TEST_F(AnimatedNode, StopJumpsToTheEndAndDestructionLeavesTheClock) {
  animation->Start();
  clock.Step();
  animation->Stop();
  EXPECT_FLOAT_EQ(node->Opacity(), 1);
  EXPECT_FALSE(animation->Enabled());
  EXPECT_EQ(finished, 1);
  animation->Start();
  EXPECT_EQ(aniThread->Count(), 1);
  animation->Free();
  EXPECT_EQ(aniThread->Count(), 0);
  clock.Step();
}

TEST_F(AnimatedNode, PropertyAnimationsWriteByPath) {
  struct Case {
    const char* path;
    float expected;
  };
  animation->SetDuration(1);
  TvgOwned<FakeShape> parent(new FakeShape);
  parent->SetNewScene(&scene);
  node->SetParent(parent.get());
  for (Case c : {Case{"parent.OPACITY", 0.5f}, Case{"Position.Y", 0.5f}, Case{"Opacitty", -1}}) {
    animation->SetPropertyName(c.path);
    animation->Start();
    animation->ProcessTick(0, 0.5f);
    const float written = c.path[0] == 'p' ? parent->Opacity() : c.path[1] == 'o' ? node->Position()->Y() : -1;
    EXPECT_FLOAT_EQ(written, c.expected) << c.path;
    animation->Stop();
  }
  EXPECT_FLOAT_EQ(node->Opacity(), 1);  // the misspelt path wrote nothing
  EXPECT_EQ(finished, 3);
  node->SetParent(nullptr);
}

TEST(VgPropertyAnimations, BitmapAnimationCrossFadesFromTheStartPicture) {
  FakeAniClock clock;
  FakeScene scene;
  TvgOwned<FakeShape> node(new FakeShape);
  node->SetNewScene(&scene);
  auto* fade = new TvgBitmapAnimation(node.get());
  fade->SetParent(node.get());
  fade->SetPropertyName("Bitmap");
  fade->StartValue()->SetSize(2, 1);
  fade->StartValue()->Clear(0xFFFF0000);
  fade->StopValue()->SetSize(2, 1);
  fade->StopValue()->Clear(0xFF0000FF);
  fade->SetDuration(1);
  fade->Start();
  EXPECT_EQ(node->Bitmap()->GetPixels(0, 0), 0xFFFF0000u) << "the start picture shows first";
  fade->ProcessTick(0, 0.5f);
  EXPECT_EQ(node->Bitmap()->GetPixels(1, 0), 0xFF80007Fu);  // halfway, channels cut toward zero
  fade->ProcessTick(0, 0.5f);
  EXPECT_EQ(node->Bitmap()->GetPixels(0, 0), 0xFF0000FFu) << "and the stop picture alone at the end";
}

TEST(VgPropertyAnimations, ColoursKeyFramesAndRectangles) {
  FakeAniClock clock;
  FakeScene scene;
  TvgOwned<FakeShape> node(new FakeShape);
  node->SetNewScene(&scene);

  auto* colour = new TvgColorAnimation(node.get());
  colour->SetParent(node.get());
  colour->SetPropertyName("Fill.Color");
  colour->SetStartValue("#FF000000");
  colour->SetStopValue("#FFFFFFFF");
  colour->SetDuration(1);
  colour->Start();
  colour->ProcessTick(0, 0.5f);
  EXPECT_EQ(node->Fill()->GetColor(), "#FF7F7F7F");

  auto* keys = new TvgColorKeyAnimation(node.get());
  keys->SetParent(node.get());
  keys->SetPropertyName("Fill.Color");
  keys->AddKey(0, "#FFFF0000");
  keys->AddKey(0.5f, "#FF00FF00");
  keys->AddKey(1, "#FF0000FF");
  keys->SetDuration(1);
  keys->Start();
  keys->ProcessTick(0, 0.25f);
  EXPECT_EQ(node->Fill()->GetColor(), vgColorToStr(vgInterpolateColor(0xFFFF0000, 0xFF00FF00, 0.5f)));
  keys->ProcessTick(0, 0.5f);
  EXPECT_EQ(node->Fill()->GetColor(), vgColorToStr(vgInterpolateColor(0xFF00FF00, 0xFF0000FF, 0.5f)));

  auto* floats = new TvgFloatKeyAnimation(node.get());
  floats->SetParent(node.get());
  floats->SetPropertyName("Opacity");
  floats->AddKey(0.2f, 0.2f);
  floats->AddKey(0.8f, 0.8f);
  floats->SetDuration(1);
  node->SetOpacity(0.05f);
  floats->Start();
  floats->ProcessTick(0, 0.1f);
  EXPECT_FLOAT_EQ(node->Opacity(), 0.05f);  // before the first key: nothing
  floats->ProcessTick(0, 0.4f);
  EXPECT_FLOAT_EQ(node->Opacity(), 0.5f);
  floats->ProcessTick(0, 0.45f);
  EXPECT_FLOAT_EQ(node->Opacity(), 0.5f);  // past the last key: nothing

  auto* padding = new TvgRectAnimation(node.get());
  padding->SetParent(node.get());
  padding->SetPropertyName("Padding");
  padding->StopValue()->SetRect({4, 4, 4, 4});
  padding->SetDuration(1);
  padding->Start();
  int changes = 0;
  const rtl::TNotifyEvent listener = node->Padding()->OnChange;
  node->Padding()->OnChange = [&](rtl::TObject* sender) {
    ++changes;
    listener(sender);
  };
  padding->ProcessTick(0, 0.5f);
  EXPECT_EQ(node->Padding()->GetRect(), (TvgRect{2, 2, 2, 2}));
  EXPECT_EQ(changes, 1);
}

TEST(VgPropertyAnimations, PathAnimationMovesTheParentAlongThePath) {
  FakeAniClock clock;
  FakeScene scene;
  TvgOwned<FakeShape> node(new FakeShape);
  node->SetNewScene(&scene);
  node->Position()->SetPoint({10, 20});
  auto* path = new TvgPathAnimation(node.get());
  path->SetParent(node.get());
  path->Path()->SetPathString("M0,0 L100,0");
  path->SetDuration(1);
  path->Start();
  for (int i = 0; i < 40 && path->Running(); ++i) clock.Step();
  EXPECT_FLOAT_EQ(node->Position()->X(), 110);
  EXPECT_FLOAT_EQ(node->Position()->Y(), 20);
}

TEST_F(AnimatedNode, ATargetWhoseNodeIsDestroyedIsForgotten) {
  TvgOwned<FakeShape> parent(new FakeShape);
  parent->SetNewScene(&scene);
  node->SetParent(parent.get());
  animation->SetPropertyName("Parent.Opacity");
  animation->Start();
  animation->Stop();  // a float animation looks its property up again
  auto* colour = new TvgColorAnimation(node.get());
  colour->SetParent(node.get());
  colour->SetPropertyName("Parent.Fill.Color");
  colour->SetStopValue("#FF0000FF");
  colour->Start();
  node->SetParent(nullptr);
  parent.reset();  // the node holding the animated brush goes
  colour->Stop();  // writes nothing, touches nothing
  EXPECT_EQ(node->Fill()->GetColor(), "#FF000000");
}

TEST_F(AnimatedNode, AFinishHandlerMayDestroyTheClock) {
  auto* other = new TvgFloatAnimation(node.get());
  other->SetParent(node.get());
  other->SetDuration(1);
  animation->OnFinish = [](rtl::TObject*) { vgFreeAniThread(); };
  other->Start();
  animation->Start();
  RunToEnd();
  EXPECT_EQ(aniThread, nullptr);
  EXPECT_TRUE(other->Running());  // waits for the next clock
  other->Start();
  EXPECT_NE(aniThread, nullptr);
}

TEST_F(AnimatedNode, AFinishHandlerMayFreeTheNodeItFades) {
  for (bool stopped : {false, true}) {
    bool freed = false;
    animation->OnFinish = [&, fading = node.release()](rtl::TObject*) {
      freed = true;
      fading->Free();  // fade out, then remove (this handler goes with it)
    };
    animation->Start();
    if (stopped) animation->Stop();
    for (int i = 0; i < 200 && !freed; ++i) clock.Step();
    EXPECT_TRUE(freed) << stopped;
    EXPECT_EQ(aniThread->Count(), 0) << stopped;
    node.reset(new FakeShape);
    SetUp();
  }
}
