#include "ui/core/vg_colors.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/rtl/NumberText.h"

namespace vg {

const TvgColorIdent vgColorIdents[vgColorIdentCount] = {
    {"Aliceblue", "#FFF0F8FF"},
    {"Antiquewhite", "#FFFAEBD7"},
    {"Aqua", "#FF00FFFF"},
    {"Aquamarine", "#FF7FFFD4"},
    {"Azure", "#FFF0FFFF"},
    {"Beige", "#FFF5F5DC"},
    {"Bisque", "#FFFFE4C4"},
    {"Black", "#FF000000"},
    {"Blanchedalmond", "#FFFFEBCD"},
    {"Blue", "#FF0000FF"},
    {"Blueviolet", "#FF8A2BE2"},
    {"Brown", "#FFA52A2A"},
    {"Burlywood", "#FFDEB887"},
    {"Cadetblue", "#FF5F9EA0"},
    {"Chartreuse", "#FF7FFF00"},
    {"Chocolate", "#FFD2691E"},
    {"Coral", "#FFFF7F50"},
    {"Cornflowerblue", "#FF6495ED"},
    {"Cornsilk", "#FFFFF8DC"},
    {"Crimson", "#FFDC143C"},
    {"Cyan", "#FF00FFFF"},
    {"Darkblue", "#FF00008B"},
    {"Darkcyan", "#FF008B8B"},
    {"Darkgoldenrod", "#FFB8860B"},
    {"Darkgray", "#FFA9A9A9"},
    {"Darkgreen", "#FF006400"},
    {"Darkgrey", "#FFA9A9A9"},
    {"Darkkhaki", "#FFBDB76B"},
    {"Darkmagenta", "#FF8B008B"},
    {"Darkolivegreen", "#FF556B2F"},
    {"Darkorange", "#FFFF8C00"},
    {"Darkorchid", "#FF9932CC"},
    {"Darkred", "#FF8B0000"},
    {"Darksalmon", "#FFE9967A"},
    {"Darkseagreen", "#FF8FBC8F"},
    {"Darkslateblue", "#FF483D8B"},
    {"Darkslategray", "#FF2F4F4F"},
    {"Darkslategrey", "#FF2F4F4F"},
    {"Darkturquoise", "#FF00CED1"},
    {"Darkviolet", "#FF9400D3"},
    {"Deeppink", "#FFFF1493"},
    {"Deepskyblue", "#FF00BFFF"},
    {"Dimgray", "#FF696969"},
    {"Dimgrey", "#FF696969"},
    {"Dodgerblue", "#FF1E90FF"},
    {"Firebrick", "#FFB22222"},
    {"Floralwhite", "#FFFFFAF0"},
    {"Forestgreen", "#FF228B22"},
    {"Fuchsia", "#FFFF00FF"},
    {"Gainsboro", "#FFDCDCDC"},
    {"Ghostwhite", "#FFF8F8FF"},
    {"Gold", "#FFFFD700"},
    {"Goldenrod", "#FFDAA520"},
    {"Gray", "#FF808080"},
    {"Green", "#FF008000"},
    {"Greenyellow", "#FFADFF2F"},
    {"Grey", "#FF808080"},
    {"Honeydew", "#FFF0FFF0"},
    {"Hotpink", "#FFFF69B4"},
    {"Indianred", "#FFCD5C5C"},
    {"Indigo", "#FF4B0082"},
    {"Ivory", "#FFFFFFF0"},
    {"Khaki", "#FFF0E68C"},
    {"Lavender", "#FFE6E6FA"},
    {"Lavenderblush", "#FFFFF0F5"},
    {"Lawngreen", "#FF7CFC00"},
    {"Lemonchiffon", "#FFFFFACD"},
    {"Lightblue", "#FFADD8E6"},
    {"Lightcoral", "#FFF08080"},
    {"Lightcyan", "#FFE0FFFF"},
    {"Lightgoldenrodyellow", "#FFFAFAD2"},
    {"Lightgray", "#FFD3D3D3"},
    {"Lightgreen", "#FF90EE90"},
    {"Lightgrey", "#FFD3D3D3"},
    {"Lightpink", "#FFFFB6C1"},
    {"Lightsalmon", "#FFFFA07A"},
    {"Lightseagreen", "#FF20B2AA"},
    {"Lightskyblue", "#FF87CEFA"},
    {"Lightslategray", "#FF778899"},
    {"Lightslategrey", "#FF778899"},
    {"Lightsteelblue", "#FFB0C4DE"},
    {"Lightyellow", "#FFFFFFE0"},
    {"Lime", "#FF00FF00"},
    {"Limegreen", "#FF32CD32"},
    {"Linen", "#FFFAF0E6"},
    {"Magenta", "#FFFF00FF"},
    {"Maroon", "#FF800000"},
    {"Mediumaquamarine", "#FF66CDAA"},
    {"Mediumblue", "#FF0000CD"},
    {"Mediumorchid", "#FFBA55D3"},
    {"Mediumpurple", "#FF9370DB"},
    {"Mediumseagreen", "#FF3CB371"},
    {"Mediumslateblue", "#FF7B68EE"},
    {"Mediumspringgreen", "#FF00FA9A"},
    {"Mediumturquoise", "#FF48D1CC"},
    {"Mediumvioletred", "#FFC71585"},
    {"Midnightblue", "#FF191970"},
    {"Mintcream", "#FFF5FFFA"},
    {"Mistyrose", "#FFFFE4E1"},
    {"Moccasin", "#FFFFE4B5"},
    {"Navajowhite", "#FFFFDEAD"},
    {"Navy", "#FF000080"},
    {"Oldlace", "#FFFDF5E6"},
    {"Olive", "#FF808000"},
    {"Olivedrab", "#FF6B8E23"},
    {"Orange", "#FFFFA500"},
    {"Orangered", "#FFFF4500"},
    {"Orchid", "#FFDA70D6"},
    {"Palegoldenrod", "#FFEEE8AA"},
    {"Palegreen", "#FF98FB98"},
    {"Paleturquoise", "#FFAFEEEE"},
    {"Palevioletred", "#FFDB7093"},
    {"Papayawhip", "#FFFFEFD5"},
    {"Peachpuff", "#FFFFDAB9"},
    {"Peru", "#FFCD853F"},
    {"Pink", "#FFFFC0CB"},
    {"Plum", "#FFDDA0DD"},
    {"Powderblue", "#FFB0E0E6"},
    {"Purple", "#FF800080"},
    {"Red", "#FFFF0000"},
    {"Rosybrown", "#FFBC8F8F"},
    {"Royalblue", "#FF4169E1"},
    {"Saddlebrown", "#FF8B4513"},
    {"Salmon", "#FFFA8072"},
    {"Sandybrown", "#FFF4A460"},
    {"Seagreen", "#FF2E8B57"},
    {"Seashell", "#FFFFF5EE"},
    {"Sienna", "#FFA0522D"},
    {"Silver", "#FFC0C0C0"},
    {"Skyblue", "#FF87CEEB"},
    {"Slateblue", "#FF6A5ACD"},
    {"Slategray", "#FF708090"},
    {"Slategrey", "#FF708090"},
    {"Snow", "#FFFFFAFA"},
    {"Springgreen", "#FF00FF7F"},
    {"Steelblue", "#FF4682B4"},
    {"Tan", "#FFD2B48C"},
    {"Teal", "#FF008080"},
    {"Thistle", "#FFD8BFD8"},
    {"Tomato", "#FFFF6347"},
    {"Turquoise", "#FF40E0D0"},
    {"Violet", "#FFEE82EE"},
    {"Wheat", "#FFF5DEB3"},
    {"White", "#FFFFFFFF"},
    {"Whitesmoke", "#FFF5F5F5"},
    {"Yellow", "#FFFFFF00"},
    {"Yellowgreen", "#FF9ACD32"},
};

namespace {

using Channel = std::uint8_t TvgColorRec::*;
constexpr Channel kRGB[] = {&TvgColorRec::R, &TvgColorRec::G, &TvgColorRec::B};
constexpr Channel kARGB[] = {&TvgColorRec::A, &TvgColorRec::R, &TvgColorRec::G, &TvgColorRec::B};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

double HueToChannel(double m1, double m2, double h) {
  if (h < 0) h += 1;
  if (h > 1) h -= 1;
  if (6 * h < 1) return m1 + (m2 - m1) * h * 6;
  if (2 * h < 1) return m2;
  if (3 * h < 2) return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
  return m1;
}

}  // namespace

TvgColor vgColor(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  return TvgColorRec{b, g, r, a}.Color();
}

TvgColor vgRGBtoBGR(TvgColor c) {
  TvgColorRec rec = TvgColorRec::From(c);
  std::swap(rec.R, rec.B);
  return rec.Color();
}

TvgColor vgColorFromVCL(std::uint32_t color) { return vgRGBtoBGR(color) | 0xFF000000u; }

TvgColor vgCorrectColor(TvgColor c) { return c; }

TvgColor vgPremultyAlpha(TvgColor c) {
  TvgColorRec rec = TvgColorRec::From(c);
  if (rec.A == 0) return 0;
  if (rec.A == 255) return c;
  for (Channel ch : kRGB) rec.*ch = std::uint8_t(rec.*ch * rec.A / 255);
  return rec.Color();
}

TvgColor vgUnpremultyAlpha(TvgColor c) {
  TvgColorRec rec = TvgColorRec::From(c);
  if (rec.A == 0) return 0;
  if (rec.A == 255) return c;
  // The divisor is a single: a double one would round 0x80/(0x80/255) up a step.
  const float coverage = rec.A / 255.0f;
  for (Channel ch : kRGB)
    rec.*ch = std::uint8_t(static_cast<std::uint32_t>(std::trunc(rec.*ch / double(coverage))));
  return rec.Color();
}

TvgColor vgOpacity(TvgColor c, float opacity) {
  if (opacity >= 1) return c;
  if (!(opacity > 0)) return c & 0x00FFFFFF;  // a negative (or NaN) opacity is none
  TvgColorRec rec = TvgColorRec::From(c);
  rec.A = std::uint8_t(std::trunc(rec.A * double(opacity)));
  return rec.Color();
}

TvgColor vgInterpolateColor(TvgColor c1, TvgColor c2, float t) {
  TvgColorRec a = TvgColorRec::From(c1);
  const TvgColorRec b = TvgColorRec::From(c2);
  for (Channel ch : kARGB)
    a.*ch = std::uint8_t(a.*ch + static_cast<int>(std::trunc(double(t) * (b.*ch - a.*ch))));
  return a.Color();
}

TvgColor vgAppendColor(TvgColor c1, TvgColor c2) {
  TvgColorRec a = TvgColorRec::From(c1);
  const TvgColorRec b = TvgColorRec::From(c2);
  for (Channel ch : kARGB) a.*ch = std::uint8_t(std::min(a.*ch + b.*ch, 255));
  return a.Color();
}

TvgColor vgSubtractColor(TvgColor c1, TvgColor c2) {
  TvgColorRec a = TvgColorRec::From(c1);
  const TvgColorRec b = TvgColorRec::From(c2);
  for (Channel ch : kARGB) a.*ch = std::uint8_t(a.*ch - b.*ch);
  return a.Color();
}

void vgRGBtoHSL(TvgColor c, float& h, float& s, float& l) {
  const TvgColorRec rec = TvgColorRec::From(c);
  const double r = rec.R / 255.0, g = rec.G / 255.0, b = rec.B / 255.0;
  const double max = std::max({r, g, b}), min = std::min({r, g, b});
  const double lightness = (max + min) / 2;
  l = float(lightness);
  if (max == min) {
    h = s = 0;
    return;
  }
  const double d = max - min;
  s = float(lightness > 0.5 ? d / (2 - max - min) : d / (max + min));
  double hue = max == r ? (g - b) / d : max == g ? (b - r) / d + 2 : (r - g) / d + 4;
  hue /= 6;
  if (hue < 0) hue += 1;
  h = float(hue);
}

TvgColor vgHSLtoRGB(float h, float s, float l) {
  double r = l, g = l, b = l;
  if (s != 0) {
    const double m2 = l < 0.5 ? l * (1.0 + s) : double(l) + s - double(l) * s;
    const double m1 = 2.0 * l - m2;
    r = HueToChannel(m1, m2, h + 1.0 / 3);
    g = HueToChannel(m1, m2, h);
    b = HueToChannel(m1, m2, h - 1.0 / 3);
  }
  auto toByte = [](double v) { return std::uint8_t(std::nearbyint(v * 255)); };
  return vgColor(toByte(r), toByte(g), toByte(b), 255);
}

TvgColor vgChangeHSL(TvgColor c, float dH, float dS, float dL) {
  float h, s, l;
  vgRGBtoHSL(c, h, s, l);
  auto clamp01 = [](float v) { return std::clamp(v, 0.0f, 1.0f); };
  const TvgColor rgb = vgHSLtoRGB(clamp01(h + dH), clamp01(s + dS), clamp01(l + dL));
  return (rgb & 0x00FFFFFFu) | (c & 0xFF000000u);
}

std::string vgColorToStr(TvgColor c) {
  char text[10];
  std::snprintf(text, sizeof text, "#%08X", c);
  return text;
}

TvgColor vgStrToColor(std::string_view text) {
  if (text.empty()) return 0;
  int value = 0;
  if (text[0] == '#') {
    // The full 32 bits: "#FF0000" is a transparent red.
    const std::string_view digits = text.substr(1);
    const bool hex = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) {
      return std::isxdigit(static_cast<unsigned char>(c));
    });
    return hex && rtl::TryStrToInt("$" + std::string(digits), value) ? TvgColor(value) : 0;
  }
  for (const TvgColorIdent& ident : vgColorIdents)
    if (SameTextAscii(text, ident.Name)) return vgStrToColor(ident.Value);
  return rtl::TryStrToInt(text, value) ? TvgColor(value) : 0;
}

}  // namespace vg
