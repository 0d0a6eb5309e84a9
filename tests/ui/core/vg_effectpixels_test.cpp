#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "ui/core/vg_effectpixels.h"

using namespace vg;

namespace {

std::uint32_t Alpha(const TvgBitmap& b, int x, int y) { return b.GetPixels(x, y) >> 24; }

// An opaque square of the given colour (premultiplied) on a transparent square bitmap.
void PaintSquare(TvgBitmap& b, int left, int top, int side, std::uint32_t color = 0xFF204080) {
  b.Clear(0);
  for (int y = top; y < top + side; ++y)
    for (int x = left; x < left + side; ++x) b.Bits()[y * b.Width() + x] = color;
}

// The triangular-kernel blur written out directly, for one channel.
int DirectBlur(const TvgBitmap& b, int x0, int y0, int r, int shift) {
  long total = 0;
  const long divsum = long(r + 1) * (r + 1);
  // Horizontal pass first, with its own integer division, then vertical.
  for (int dy = -r; dy <= r; ++dy) {
    const int y = std::clamp(y0 + dy, 0, b.Height() - 1);
    long row = 0;
    for (int dx = -r; dx <= r; ++dx) {
      const int x = std::clamp(x0 + dx, 0, b.Width() - 1);
      row += long((b.GetPixels(x, y) >> shift) & 0xFF) * (r + 1 - std::abs(dx));
    }
    total += (row / divsum) * (r + 1 - std::abs(dy));
  }
  return int(total / divsum);
}

}  // namespace

TEST(VgBlur, MatchesTheWeightedSumWithRepeatedEdges) {
  std::mt19937 random(7);
  TvgBitmap source(7, 5);
  for (int i = 0; i < 35; ++i) {
    const std::uint32_t a = random() % 256;
    source.Bits()[i] = a << 24 | (random() % (a + 1)) << 16 | (random() % (a + 1)) << 8 |
                       (random() % (a + 1));
  }
  for (int radius : {1, 2, 3, 9}) {
    TvgBitmap blurred(7, 5);
    std::copy_n(source.Bits(), 35, blurred.Bits());
    Blur(nullptr, blurred, radius);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x)
        for (int shift : {0, 8, 16, 24})
          ASSERT_EQ(int((blurred.GetPixels(x, y) >> shift) & 0xFF),
                    DirectBlur(source, x, y, radius, shift))
              << "radius " << radius << " at " << x << "," << y << " shift " << shift;
  }
}

TEST(VgBlur, SinglePixelSpreadsIntoASquareAndRadiusZeroChangesNothing) {
  TvgBitmap b(9, 9);
  PaintSquare(b, 4, 4, 1, 0xFFFFFFFF);
  Blur(nullptr, b, 0);
  EXPECT_EQ(b.GetPixels(4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(Alpha(b, 3, 4), 0u);

  Blur(nullptr, b, 2);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool inside = std::abs(x - 4) <= 2 && std::abs(y - 4) <= 2;
      EXPECT_EQ(Alpha(b, x, y) != 0, inside) << x << "," << y;
      if (x != 4 || y != 4) {
        EXPECT_LT(Alpha(b, x, y), Alpha(b, 4, 4));
      }
    }

  TvgBitmap colourOnly(5, 5);
  PaintSquare(colourOnly, 2, 2, 1, 0xFFFFFFFF);
  Blur(nullptr, colourOnly, 1, false);
  EXPECT_EQ(colourOnly.GetPixels(2, 2), 0x003F3F3Fu);  // alpha written as 0
}

TEST(VgEffectPixels, DropShadowIsCutWhereTheShiftedNodeCoversIt) {
  TvgBitmap b(24, 24);
  PaintSquare(b, 8, 8, 4);
  vgDropShadow(b, 0xFF000000, 1, 0.3f, 3, 0, 1);  // radius 8, shifted 3 to the right
  // Where the node will lie over the displaced shadow nothing remains.
  for (int x = 5; x < 9; ++x) EXPECT_EQ(Alpha(b, x, 9), 0u) << x;
  // Elsewhere the blurred black shape shows.
  EXPECT_GT(Alpha(b, 10, 9), 0u);
  EXPECT_EQ(b.GetPixels(10, 9) & 0x00FFFFFFu, 0u);
  EXPECT_GT(Alpha(b, 2, 9), 0u);  // the blur reaches 8 pixels
}

TEST(VgEffectPixels, GlowsStayOutsideOrInsideTheShape) {
  TvgBitmap outer(24, 24);
  PaintSquare(outer, 8, 8, 8);
  vgOuterGlow(outer, 0xFFFFD700, 1, 0.4f);
  EXPECT_EQ(Alpha(outer, 12, 12), 0u);
  EXPECT_GT(Alpha(outer, 6, 12), 0u);
  const TvgColorRec gold = TvgColorRec::From(outer.GetPixels(6, 12));
  EXPECT_GT(gold.R, 0);
  EXPECT_GT(gold.R, gold.G);
  EXPECT_EQ(gold.B, 0);

  TvgBitmap inner(24, 24);
  PaintSquare(inner, 8, 8, 8);
  vgInnerGlow(inner, 0xFFFFD700, 1, 0.4f);
  EXPECT_EQ(Alpha(inner, 6, 12), 0u);
  EXPECT_GT(Alpha(inner, 8, 12), 0u);
  EXPECT_GT(Alpha(inner, 8, 12), Alpha(inner, 11, 12));  // strongest at the edge
}

TEST(VgEffectPixels, BevelLightsOnlyCoveredPixelsBesideTheLastRowAndColumn) {
  TvgBitmap flat(12, 12);
  PaintSquare(flat, 2, 2, 10, 0xFF808080);
  vgBevel(flat, 45, 0);
  EXPECT_EQ(flat.GetPixels(5, 5), 0xFF808080u);

  TvgBitmap b(12, 12);
  PaintSquare(b, 2, 2, 10, 0xFF808080);
  vgBevel(b, 45, 3);
  EXPECT_EQ(b.GetPixels(0, 0), 0u);
  EXPECT_EQ(b.GetPixels(11, 5), 0xFF808080u);  // last column untouched
  EXPECT_EQ(b.GetPixels(5, 11), 0xFF808080u);  // last row untouched
  EXPECT_NE(b.GetPixels(2, 2), 0xFF808080u);   // the rim is lit or shaded
  EXPECT_EQ(Alpha(b, 5, 5), 255u);
}

TEST(VgEffectPixels, ReflectionFlipsAndFades) {
  TvgBitmap line(3, 1);
  line.Clear(0xFFFFFFFF);
  vgReflection(line, 0.5f, 1);  // n = 0: nothing remains
  for (int x = 0; x < 3; ++x) EXPECT_EQ(line.GetPixels(x, 0), 0u);

  TvgBitmap b(1, 3);
  b.Bits()[0] = 0xFF0000FF;  // top row blue, bottom row red
  b.Bits()[1] = 0xFF00FF00;
  b.Bits()[2] = 0xFFFF0000;
  vgReflection(b, 0.5f, 1);  // n = 2
  EXPECT_EQ(b.GetPixels(0, 0), vgPremultyAlpha(0x7FFF0000));  // red, opacity 0.5
  EXPECT_EQ(b.GetPixels(0, 1), vgPremultyAlpha(0x3F00FF00));  // green, half of that
  EXPECT_EQ(b.GetPixels(0, 2), 0u);

  for (const float opacity : {1.5f, -1.0f}) {
    TvgBitmap c(1, 3);
    c.Clear(0xFFFFFFFF);
    vgReflection(c, opacity, 1);
    const std::uint32_t top = c.GetPixels(0, 0) >> 24, next = c.GetPixels(0, 1) >> 24;
    EXPECT_GE(top, next) << opacity;  // the fade never wraps
    EXPECT_EQ(top, opacity > 1 ? 255u : 0u) << opacity;
  }
}
