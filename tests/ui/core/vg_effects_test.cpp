#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/vg_anim_fakes.h"
#include "ui/core/vg_effects.h"

using namespace vg;
using vgtest::FakeScene;
using vgtest::FakeShape;

namespace {

void ExpectRect(const TvgRect& actual, const TvgRect& expected) {
  EXPECT_NEAR(actual.Left, expected.Left, 1e-4);
  EXPECT_NEAR(actual.Top, expected.Top, 1e-4);
  EXPECT_NEAR(actual.Right, expected.Right, 1e-4);
  EXPECT_NEAR(actual.Bottom, expected.Bottom, 1e-4);
}

}  // namespace

TEST(VgEffects, OutputRectanglesAndOffsets) {
  const TvgRect local{0, 0, 10, 20};
  const float shift = 3 * std::cos(45 * cPIdiv180);  // 2.12
  struct Case {
    TvgEffect* effect;
    TvgRect rect;
    float offset;
  } cases[] = {
      {new TvgShadowEffect(nullptr), {-6 + shift, -6 + shift, 16 + shift, 26 + shift}, 6},
      {new TvgBlurEffect(nullptr), {-6, -6, 16, 26}, 6},
      {new TvgGlowEffect(nullptr), {-13, -13, 23, 33}, 13},
      {new TvgInnerGlowEffect(nullptr), {-8, -8, 18, 28}, 8},
      {new TvgBevelEffect(nullptr), {-5, -5, 15, 25}, 5},
      {new TvgReflectionEffect(nullptr), {-2, 18, 12, 42}, 2},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.effect->ClassName());
    ExpectRect(c.effect->GetRect(local), c.rect);
    EXPECT_EQ(c.effect->GetOffset(), (TvgPoint{c.offset, c.offset}));
    c.effect->Free();
  }
}

TEST(VgEffects, SettersClampTheirRanges) {
  TvgOwned<TvgShadowEffect> shadow(new TvgShadowEffect(nullptr));
  TvgOwned<TvgGlowEffect> glow(new TvgGlowEffect(nullptr));
  TvgOwned<TvgBlurEffect> blur(new TvgBlurEffect(nullptr));
  TvgOwned<TvgReflectionEffect> reflection(new TvgReflectionEffect(nullptr));
  shadow->SetSoftness(5);
  shadow->SetOpacity(2);
  glow->SetOpacity(-1);
  glow->SetSoftness(12);
  blur->SetSoftness(-1);
  reflection->SetLength(0);
  reflection->SetOpacity(3);  // not clamped
  EXPECT_FLOAT_EQ(shadow->Softness(), 3);
  EXPECT_FLOAT_EQ(shadow->Opacity(), 1);
  EXPECT_FLOAT_EQ(glow->Opacity(), 0);
  EXPECT_FLOAT_EQ(glow->Softness(), 9);
  EXPECT_FLOAT_EQ(blur->Softness(), 0);
  EXPECT_FLOAT_EQ(reflection->Length(), 0.1f);
  EXPECT_FLOAT_EQ(reflection->Opacity(), 3);
  glow->SetGlowColor("Red");
  EXPECT_EQ(glow->GlowColor(), "#FFFF0000");
}

TEST(VgEffects, EffectsWidenTheUpdateRectangleAndDisablingRepaintsTheirArea) {
  FakeScene scene;
  TvgOwned<FakeShape> node(new FakeShape);
  node->SetNewScene(&scene);
  node->SetBounds(10, 10, 20, 20);
  auto* blur = new TvgBlurEffect(node.get());
  blur->SetSoftness(0.25f);  // reaches 5 beyond the node
  blur->SetParent(node.get());
  EXPECT_TRUE(node->HasEffect());
  EXPECT_EQ(node->GetUpdateRect(), (TvgRect{5, 5, 35, 35}));

  scene.Queued.clear();
  blur->SetEnabled(false);
  ASSERT_FALSE(scene.Queued.empty());
  EXPECT_EQ(scene.Queued.back(), (TvgRect{5, 5, 35, 35}));

  blur->Free();
  EXPECT_FALSE(node->HasEffect());
}
