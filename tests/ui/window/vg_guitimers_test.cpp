// The toolkit's clocks on the GLib main loop, without a display.
#include "ui/window/vg_guitimers.h"

#include <gtest/gtest.h>

#include "tests/support/gui_pump.h"
#include "tests/support/vg_anim_fakes.h"
#include "ui/core/vg_ani.h"
#include "ui/core/vg_object.h"

namespace {

using namespace vg;

struct GuiTimers : ::testing::Test {
  GuiTimers() { vgUseGuiTimers(); }
  ~GuiTimers() override {
    vgFreeAniThread();
    vgSetAniClock(nullptr);
    vgSetOneShotFactory(nullptr);
  }
};

TEST_F(GuiTimers, TheGLibClockDrivesAnimationsToTheirEndThenRestsUntilTheNext) {
  vgtest::FakeScene scene;
  TvgOwned<vgtest::FakeShape> node(new vgtest::FakeShape);
  node->SetNewScene(&scene);
  for (const float opacity : {0.0f, 1.0f}) {
    node->AnimateFloat("Opacity", opacity, 0.1f);
    EXPECT_EQ(node->ChildrenCount(), 1);
    ASSERT_NE(aniThread, nullptr);
    EXPECT_TRUE(aniThread->Ticking());
    EXPECT_TRUE(test_support::PumpUntil([&] { return node->ChildrenCount() == 0; }));
    EXPECT_FLOAT_EQ(node->Opacity(), opacity);
    EXPECT_FALSE(aniThread->Ticking()) << opacity;
  }
}

TEST_F(GuiTimers, AOneShotFiresOnceFromTheLoopUnlessItsHandleGoesFirst) {
  int fired = 0, cancelledFired = 0;
  std::unique_ptr<IvgOneShot> shot = vgStartOneShot(1, [&] { ++fired; });
  std::unique_ptr<IvgOneShot> cancelled = vgStartOneShot(1, [&] { ++cancelledFired; });
  cancelled.reset();
  EXPECT_EQ(fired, 0);  // never at the moment it is started
  EXPECT_TRUE(test_support::PumpUntil([&] { return fired > 0; }));
  test_support::PumpFor(std::chrono::milliseconds(20));
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(cancelledFired, 0);
}

TEST_F(GuiTimers, AOneShotMayFreeItsOwnHandleWhenItFires) {
  bool fired = false;
  std::unique_ptr<IvgOneShot> shot;
  shot = vgStartOneShot(1, [&] {
    shot.reset();
    fired = true;
  });
  EXPECT_TRUE(test_support::PumpUntil([&] { return fired; }));
  EXPECT_EQ(shot, nullptr);
}

TEST_F(GuiTimers, FakesPutTheInstalledClocksBackWhenTheyGo) {
  IvgAniClock* gui = &vgAniClock();
  {
    vgtest::FakeAniClock fake;
    EXPECT_EQ(&vgAniClock(), &fake);
  }
  EXPECT_EQ(&vgAniClock(), gui);
}

}  // namespace
