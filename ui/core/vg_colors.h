#pragma once
// 32-bit ARGB colours (0xAARRGGBB as an unsigned value, bytes B, G, R, A in
// memory): packing, premultiplication, HSL, colour arithmetic, the colour
// text "#AARRGGBB" and the table of the 147 named colours.
//
// Colour arithmetic works on the straight channel values it is given;
// premultiplied values appear only where a caller says so (bitmap pixels).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vg {

using TvgColor = std::uint32_t;

// The bytes of a colour value in memory order.
struct TvgColorRec {
  std::uint8_t B = 0;
  std::uint8_t G = 0;
  std::uint8_t R = 0;
  std::uint8_t A = 0;

  static TvgColorRec From(TvgColor c) {
    return {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16), std::uint8_t(c >> 24)};
  }
  TvgColor Color() const { return TvgColor(A) << 24 | TvgColor(R) << 16 | TvgColor(G) << 8 | B; }
  std::uint16_t HiWord() const { return std::uint16_t(B | G << 8); }  // 16 bits at byte 0
  std::uint16_t LoWord() const { return std::uint16_t(R | A << 8); }  // 16 bits at byte 2
};

using TvgColorRecArray = std::vector<TvgColorRec>;
// A pixel buffer: 32-bit colour values.
using PvgColorArray = std::uint32_t*;

struct TvgColor24 {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
};

struct TvgColorIdent {
  const char* Name;
  const char* Value;
};

inline constexpr int vgColorIdentCount = 147;
// CSS Color 3 / SVG 1.1 keywords, alphabetical, "Aliceblue" casing, values "#FFRRGGBB".
extern const TvgColorIdent vgColorIdents[vgColorIdentCount];

TvgColor vgColor(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255);
TvgColor vgRGBtoBGR(TvgColor c);  // swaps R and B
// A class-library colour in RGB form (0x00BBGGRR) made opaque ARGB; system
// colour indices must be resolved to RGB by the caller.
TvgColor vgColorFromVCL(std::uint32_t color);
TvgColor vgCorrectColor(TvgColor c);
TvgColor vgPremultyAlpha(TvgColor c);
TvgColor vgUnpremultyAlpha(TvgColor c);
TvgColor vgOpacity(TvgColor c, float opacity);
TvgColor vgInterpolateColor(TvgColor c1, TvgColor c2, float t);
TvgColor vgAppendColor(TvgColor c1, TvgColor c2);    // saturating per channel
TvgColor vgSubtractColor(TvgColor c1, TvgColor c2);  // wrapping per channel

void vgRGBtoHSL(TvgColor c, float& h, float& s, float& l);
TvgColor vgHSLtoRGB(float h, float s, float l);  // opaque
TvgColor vgChangeHSL(TvgColor c, float dH, float dS, float dL);

// "#" and eight upper-case hex digits AARRGGBB.
std::string vgColorToStr(TvgColor c);
// "#hex", a colour name (ASCII case-insensitive), a signed decimal or "$hex"
// integer; anything else (also overflow) gives 0. Never raises.
TvgColor vgStrToColor(std::string_view text);

}  // namespace vg
