#include <gtest/gtest.h>

#include <cstring>

#include "ui/core/vg_colors.h"

using namespace vg;

TEST(VgColors, ColorTextIn) {
  struct Case {
    const char* text;
    TvgColor expected;
  } cases[] = {
      {"", 0},
      {"#80FF0000", 0x80FF0000},
      {"#FF0000", 0x00FF0000},  // six digits: a transparent red
      {"#FFFFFFFF", 0xFFFFFFFF},
      {"#1FFFFFFFF", 0},  // more than 32 bits
      {"#GG", 0},
      {"#", 0},
      {"red", 0xFFFF0000},
      {"RED", 0xFFFF0000},
      {"Grey", 0xFF808080},
      {"gray", 0xFF808080},
      {"Lightgoldenrodyellow", 0xFFFAFAD2},
      {"255", 0x000000FF},
      {"-1", 0xFFFFFFFF},
      {"$FF00", 0x0000FF00},
      {"2147483648", 0},  // beyond the signed 32-bit range
      {"notacolour", 0},
      {"Rebeccapurple", 0},  // not a CSS Color 3 name
  };
  for (const Case& c : cases) EXPECT_EQ(vgStrToColor(c.text), c.expected) << c.text;
}

TEST(VgColors, ColorTextOutRoundTrips) {
  EXPECT_EQ(vgColorToStr(0xFF00FF00), "#FF00FF00");
  EXPECT_EQ(vgColorToStr(0), "#00000000");
  EXPECT_EQ(vgColorToStr(0x0A0B0C0D), "#0A0B0C0D");
  for (TvgColor c : {0x12345678u, 0xFFFFFFFFu}) EXPECT_EQ(vgStrToColor(vgColorToStr(c)), c);
}

TEST(VgColors, NameTableIsTheCss3List) {
  EXPECT_STREQ(vgColorIdents[0].Name, "Aliceblue");
  EXPECT_STREQ(vgColorIdents[0].Value, "#FFF0F8FF");
  EXPECT_STREQ(vgColorIdents[vgColorIdentCount - 1].Name, "Yellowgreen");
  for (int i = 1; i < vgColorIdentCount; ++i)
    EXPECT_LT(std::strcmp(vgColorIdents[i - 1].Name, vgColorIdents[i].Name), 0) << i;
  for (const TvgColorIdent& ident : vgColorIdents) {
    EXPECT_EQ(std::strlen(ident.Value), 9u) << ident.Name;
    EXPECT_EQ(vgStrToColor(ident.Value) >> 24, 0xFFu) << ident.Name;
    EXPECT_EQ(vgColorToStr(vgStrToColor(ident.Value)), ident.Value);  // upper-case digits
  }
}

TEST(VgColors, PremultiplyAndOpacityNumbers) {
  struct Case {
    TvgColor (*op)(TvgColor);
    TvgColor in, out;
  } cases[] = {
      {vgPremultyAlpha, 0x80FF8000, 0x80804000},
      {vgPremultyAlpha, 0x00FFFFFF, 0},
      {vgPremultyAlpha, 0x40FFFFFF, 0x40404040},
      {vgPremultyAlpha, 0xFF123456, 0xFF123456},
      {vgUnpremultyAlpha, 0x80804000, 0x80FE7F00},  // single-precision divisor loses a step
      {vgUnpremultyAlpha, 0x00123456, 0},
      {vgUnpremultyAlpha, 0x40404040, 0x40FEFEFE},
      {vgRGBtoBGR, 0x11223344, 0x11443322},
  };
  for (const Case& c : cases) EXPECT_EQ(c.op(c.in), c.out) << std::hex << c.in;
  EXPECT_EQ(vgOpacity(0xFF123456, 0.5f), 0x7F123456u);
  EXPECT_EQ(vgOpacity(0x80123456, 1.2f), 0x80123456u);
  EXPECT_EQ(vgOpacity(0xFF123456, -0.5f), 0x00123456u);  // never more opaque
  EXPECT_EQ(vgColorFromVCL(0x00332211), 0xFF112233u);
}

TEST(VgColors, ChannelArithmetic) {
  EXPECT_EQ(vgInterpolateColor(0xFF000000, 0xFFFFFFFF, 0.5f), 0xFF7F7F7Fu);
  EXPECT_EQ(vgInterpolateColor(0xFFFFFFFF, 0xFF000000, 0.5f), 0xFF808080u);
  EXPECT_EQ(vgAppendColor(0x80F00010, 0x90200010), 0xFFFF0020u);
  EXPECT_EQ(vgSubtractColor(0x10000020, 0x20000010), 0xF0000010u);
  EXPECT_EQ(vgColor(1, 2, 3, 4), 0x04010203u);
}

TEST(VgColors, HslConversions) {
  struct Case {
    TvgColor rgb;
    float h, s, l;
  } cases[] = {
      {0xFFFF0000, 0, 1, 0.5f},
      {0xFF00FF00, 1 / 3.0f, 1, 0.5f},
      {0xFF0000FF, 2 / 3.0f, 1, 0.5f},
      {0xFF808080, 0, 0, 128 / 255.0f},
      {0xFFFF00FF, 5 / 6.0f, 1, 0.5f},  // negative raw hue wraps by +1
      {0xFF336699, 7 / 12.0f, 0.5f, 0.4f},
  };
  for (const Case& c : cases) {
    float h, s, l;
    vgRGBtoHSL(c.rgb, h, s, l);
    EXPECT_NEAR(h, c.h, 1e-6) << std::hex << c.rgb;
    EXPECT_NEAR(s, c.s, 1e-6);
    EXPECT_NEAR(l, c.l, 1e-6);
    EXPECT_EQ(vgHSLtoRGB(h, s, l), c.rgb);
  }
  // Deltas clamp (hue too, it is not wrapped) and the alpha byte stays.
  EXPECT_EQ(vgChangeHSL(0x80FF0000, -0.5f, 0, 0), 0x80FF0000u);
  EXPECT_EQ(vgChangeHSL(0x80FF0000, 0, 0, 1), 0x80FFFFFFu);
  EXPECT_EQ(vgChangeHSL(0x40FF0000, 0, -1, 0), 0x40808080u);
}
