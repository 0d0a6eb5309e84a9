#include <gtest/gtest.h>

#include "ui/core/vg_easing.h"

using namespace vg;

namespace {

struct EaseCase {
  TvgInterpolationType interpolation;
  TvgAnimationType type;
  double fraction;  // of the duration
  double expected;
};

}  // namespace

TEST(VgEasing, EveryEasingRunsFromStartToEnd) {
  for (int i = vgInterpolationLinear; i <= vgInterpolationBounce; ++i)
    for (int t = vgAnimationIn; t <= vgAnimationInOut; ++t) {
      const auto interpolation = TvgInterpolationType(i);
      const auto type = TvgAnimationType(t);
      EXPECT_NEAR(vgEase(interpolation, type, 0, 0.4), 0, 1e-9) << i << "/" << t;
      EXPECT_NEAR(vgEase(interpolation, type, 0.4, 0.4), 1, 1e-9) << i << "/" << t;
    }
}

TEST(VgEasing, ValuesOnTheWay) {
  const EaseCase cases[] = {
      {vgInterpolationLinear, vgAnimationOut, 0.25, 0.25},
      {vgInterpolationQuadratic, vgAnimationIn, 0.5, 0.25},
      {vgInterpolationQuadratic, vgAnimationOut, 0.5, 0.75},
      {vgInterpolationQuadratic, vgAnimationInOut, 0.25, 0.125},
      {vgInterpolationQuadratic, vgAnimationInOut, 0.75, 0.875},
      {vgInterpolationCubic, vgAnimationIn, 0.5, 0.125},
      {vgInterpolationCubic, vgAnimationOut, 0.5, 0.875},
      {vgInterpolationCubic, vgAnimationInOut, 0.75, 0.9375},
      {vgInterpolationQuartic, vgAnimationIn, 0.5, 0.0625},
      {vgInterpolationQuartic, vgAnimationOut, 0.5, 0.9375},
      {vgInterpolationQuintic, vgAnimationIn, 0.5, 0.03125},
      {vgInterpolationQuintic, vgAnimationInOut, 0.25, 0.015625},
      {vgInterpolationSinusoidal, vgAnimationIn, 0.5, 0.29289321881},
      {vgInterpolationSinusoidal, vgAnimationOut, 0.5, 0.70710678119},
      {vgInterpolationSinusoidal, vgAnimationInOut, 0.5, 0.5},
      {vgInterpolationExponential, vgAnimationIn, 0.5, 0.03125},
      {vgInterpolationExponential, vgAnimationOut, 0.5, 0.96875},
      {vgInterpolationExponential, vgAnimationInOut, 0.5, 0.5},
      {vgInterpolationCircular, vgAnimationIn, 0.5, 0.13397459622},
      {vgInterpolationCircular, vgAnimationOut, 0.5, 0.86602540378},
      {vgInterpolationElastic, vgAnimationOut, 0.5, 1.015625},  // overshoots
      {vgInterpolationBack, vgAnimationIn, 0.5, -0.0876975},    // pulls back first
      {vgInterpolationBounce, vgAnimationOut, 0.75, 0.97265625},  // on the third arc
      {vgInterpolationBounce, vgAnimationInOut, 0.5, 0.5},
  };
  for (const EaseCase& c : cases)
    EXPECT_NEAR(vgEase(c.interpolation, c.type, c.fraction * 2, 2), c.expected, 1e-9)
        << rtl::EnumName(c.interpolation) << " " << rtl::EnumName(c.type) << " " << c.fraction;
}

TEST(VgEasing, ExactEndsStartValuesAndUnknownTypes) {
  EXPECT_EQ(vgInterpolateExpo(0, 3, 5, 2, vgAnimationIn), 3.0);
  EXPECT_EQ(vgInterpolateExpo(2, 3, 5, 2, vgAnimationOut), 8.0);
  EXPECT_DOUBLE_EQ(vgInterpolateBack(2, 0, 1, 2, 0, vgAnimationIn), 1.0);
  EXPECT_EQ(vgInterpolateElastic(2, 3, 5, 2, 0, 0, vgAnimationIn), 8.0);
  EXPECT_DOUBLE_EQ(vgInterpolateLinear(1, 10, -4, 2), 8.0);
  EXPECT_DOUBLE_EQ(vgInterpolateBounce(0.75, 10, 2, 1, vgAnimationOut), 10 + 2 * 0.97265625);
  // A larger amplitude than the change keeps its own value.
  EXPECT_NE(vgInterpolateElastic(0.5, 0, 1, 1, 2, 0, vgAnimationOut),
            vgInterpolateElastic(0.5, 0, 1, 1, 0, 0, vgAnimationOut));
  const auto bad = TvgAnimationType(7);
  EXPECT_EQ(vgInterpolateQuad(0.5, 1, 1, 1, bad), 0.0);
  EXPECT_EQ(vgInterpolateBounce(0.5, 1, 1, 1, bad), 0.0);
  EXPECT_EQ(vgInterpolateElastic(0.5, 1, 1, 1, 0, 0, bad), 0.0);
}
