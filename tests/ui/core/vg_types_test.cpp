#include <gtest/gtest.h>

#include <cmath>

#include "ui/core/vg_pixels.h"
#include "ui/core/vg_types.h"

using namespace vg;

TEST(VgRect, IntersectFormsDifferOnASharedEdge) {
  const TvgRect a{0, 0, 10, 10}, b{10, 0, 20, 10};
  EXPECT_TRUE(vgIntersectRect(a, b));
  TvgRect dest{1, 2, 3, 4};
  EXPECT_FALSE(vgIntersectRect(dest, a, b));
  EXPECT_EQ(dest, NullRect);
  EXPECT_TRUE(vgIntersectRect(dest, a, TvgRect{5, 5, 15, 15}));
  EXPECT_EQ(dest, (TvgRect{5, 5, 10, 10}));
  EXPECT_FALSE(vgIntersectRect(a, TvgRect{10.5f, 0, 20, 10}));
}

TEST(VgRect, FitRectScalesDownOrKeepsSizeAndCentres) {
  struct Case {
    TvgRect r, bounds, expected;
    float ratio;
  } cases[] = {
      {{0, 0, 200, 100}, {0, 0, 100, 100}, {0, 25, 100, 75}, 2},
      {{0, 0, 50, 50}, {0, 0, 100, 100}, {25, 25, 75, 75}, 0.5f},
      {{0, 0, 50, 50}, {0, 0, 0, 100}, {0, 0, 50, 50}, 1},  // degenerate bounds: unchanged
      {{0, 0, 30, 300}, {10, 10, 110, 110}, {55, 10, 65, 110}, 3},
  };
  for (const Case& c : cases) {
    TvgRect r = c.r;
    EXPECT_FLOAT_EQ(vgFitRect(r, c.bounds), c.ratio);
    EXPECT_EQ(r, c.expected);
  }
}

TEST(VgRect, CentreOffsetsRoundHalfToEven) {
  struct Case {
    float boundsWidth, width, expectedLeft;
  } cases[] = {{101, 50, 26}, {103, 50, 26}, {105, 50, 28}, {100, 50, 25}};
  for (const Case& c : cases) {
    TvgRect r{7, 7, 7 + c.width, 17};
    vgRectCenter(r, TvgRect{0, 0, c.boundsWidth, 10});
    EXPECT_EQ(r.Left, c.expectedLeft) << c.boundsWidth;
    EXPECT_EQ(vgRectWidth(r), c.width);
  }
}

TEST(VgRect, BoundingRectangles) {
  EXPECT_EQ(vgNormalizeRect({}), (TvgRect{61440, 61440, -61440, -61440}));
  EXPECT_EQ(vgNormalizeRect({{3, 4}, {-1, 9}}), (TvgRect{-1, 4, 3, 9}));
  EXPECT_EQ(vgNormalizeRect2(TvgRect{10, 20, 0, 5}), (TvgRect{0, 5, 10, 20}));
  EXPECT_EQ(vgUnionRect(TvgRect{0, 0, 1, 1}, TvgRect{5, -2, 6, 0}), (TvgRect{0, -2, 6, 1}));
  EXPECT_TRUE(vgPtInRect({10, 10}, TvgRect{0, 0, 10, 10}));
  EXPECT_TRUE(vgIsRectEmpty(TvgRect{0, 0, 0, 10}));
}

TEST(VgAngles, NormalizeAndVectorAngle) {
  const float cases[][2] = {{-190, 170}, {-170, -170}, {725, 5}, {-360, 0}, {359, 359}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(vgNormalizeAngle(c[0]), c[1]) << c[0];
  EXPECT_FLOAT_EQ(vgVectorAngle({1, 0, 1}, {0, 1, 1}), -90);
  EXPECT_FLOAT_EQ(vgVectorAngle({0, 1, 1}, {1, 0, 1}), 90);
  EXPECT_FLOAT_EQ(vgVectorAngleCosine({0, 0, 1}, {1, 0, 1}), 0);
  EXPECT_EQ(vgDegToRad(180), cPI);
}

TEST(VgMatrix, ProductInverseAndRotation) {
  TvgMatrix zero = ZeroMatrix;
  vgInvertMatrix(zero);
  EXPECT_EQ(zero, IdentityMatrix);

  // Scale, then rotate a quarter turn, then translate: row vectors apply left to right.
  TvgMatrix scale = IdentityMatrix;
  scale.m11 = 2;
  scale.m22 = 3;
  const TvgMatrix m = vgMatrixMultiply(vgMatrixMultiply(scale, vgCreateRotationMatrix(cPI / 2)),
                                       vgCreateTranslateMatrix(10, 20));
  const TvgVector p = vgVectorTransform({1, 1, 1}, m);
  EXPECT_NEAR(p.X, 10 - 3, 1e-5);
  EXPECT_NEAR(p.Y, 20 + 2, 1e-5);
  EXPECT_EQ(p.W, 1);

  TvgMatrix inverse = m;
  vgInvertMatrix(inverse);
  const TvgVector back = vgVectorTransform(p, inverse);
  EXPECT_NEAR(back.X, 1, 1e-5);
  EXPECT_NEAR(back.Y, 1, 1e-5);
  EXPECT_FLOAT_EQ(vgMatrixDeterminant(m), 6);
}

TEST(VgVector, NormalizeReflectAndHelpers) {
  EXPECT_EQ(vgVectorNormalize({3, 4, 1}), (TvgVector{0.6f, 0.8f, 0}));
  EXPECT_EQ(vgVectorNormalize({0, 0, 1}), (TvgVector{0, 0, 0}));
  EXPECT_EQ(vgVectorReflect({1, -1, 1}, {0, 1, 0}), (TvgVector{1, 1, 1}));
  EXPECT_EQ(vgMinPoint({5, 1}, {2, 1}), (TvgPoint{2, 1}));
  EXPECT_EQ(vgMinPoint({5, 1}, {5, 1}), (TvgPoint{5, 1}));
  EXPECT_EQ(vgMinMax(-3, 0, 1), 0);
  EXPECT_FLOAT_EQ(vgInterpolateRotation(350, 10, 0.5f), 180);
}

TEST(VgPixels, FillRectClampsAndIgnoresInvertedRanges) {
  std::uint32_t buffer[4 * 3] = {};
  vgFillLongwordRect(buffer, 4, 3, 1, 1, 9, 9, 7);  // clamped to the buffer
  const std::uint32_t expected[12] = {0, 0, 0, 0, 0, 7, 7, 7, 0, 7, 7, 7};
  EXPECT_TRUE(std::equal(buffer, buffer + 12, expected));
  vgFillLongwordRect(buffer, 4, 3, 6, 0, 9, 3, 1);  // x1 beyond the clamped x2
  vgFillLongwordRect(buffer, 4, 3, 0, 2, 4, 1, 1);  // y1 >= y2
  EXPECT_TRUE(std::equal(buffer, buffer + 12, expected));

  vgFillAlpha(buffer, 12, 0x80);
  EXPECT_EQ(buffer[5], 0x80000007u);
  std::uint16_t units[] = {1, 2, 3};
  vgReverseBytes(units, 3);
  EXPECT_EQ(units[0], 3);
  EXPECT_EQ(units[2], 1);
}
