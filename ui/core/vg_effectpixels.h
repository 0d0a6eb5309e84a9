#pragma once
// The pixel work of the bitmap effects, on premultiplied bitmaps in place:
// the shared stack blur and what each effect makes of a node's rendered
// image. The effect nodes (vg_effects.h) supply the parameters.
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_canvas.h"
#include "ui/core/vg_colors.h"

namespace vg {

// Stack blur with triangular weights (radius + 1 - |offset|) over
// 2 * radius + 1 pixels, horizontally then vertically, edge pixels repeated;
// linear in the pixel count for any radius. Nothing below radius 1. Without
// blurAlpha the colour channels are blurred and every alpha becomes 0. The
// canvas is not used and may be nullptr.
void Blur(TvgCanvas* canvas, TvgBitmap& bitmap, int radius, bool blurAlpha = true);

// The node's shape filled with color at opacity, blurred with radius
// Trunc(softness * 10 + 5), and cut away where the node itself covers it
// once the shadow is drawn shifted by distance along direction (degrees),
// both scaled by scale.
void vgDropShadow(TvgBitmap& image, TvgColor color, float opacity, float softness, float distance,
                  float direction, float scale);
// The node's shape filled with color at opacity and blurred with radius
// Trunc(softness * 10 + 5), kept only outside the shape.
void vgOuterGlow(TvgBitmap& image, TvgColor color, float opacity, float softness);
// As the outer glow of the area outside the shape, kept only inside it.
void vgInnerGlow(TvgBitmap& image, TvgColor color, float opacity, float softness);
// Lights the node's pixels as a relief of its blurred alpha (blur radius
// size) lit from direction (degrees); the last row and column stay as they
// are. Size 0 changes nothing.
void vgBevel(TvgBitmap& image, float direction, int size);
// Turns the image upside down and fades it from opacity to 0 over
// n = Round((Height - 1) * length) rows; rows from n on become transparent.
void vgReflection(TvgBitmap& image, float opacity, float length);

}  // namespace vg
