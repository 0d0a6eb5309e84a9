#pragma once
// The arithmetic of the design-time editors, apart from their windows:
// the gradient angle the brush designer shows and sets, the crop of the
// bitmap editor at its scale, and the aspect-keeping resize boxes.
#include "ui/core/vg_bitmap.h"
#include "ui/core/vg_brush.h"

namespace vg {

// The angle (degrees) the designer shows for a linear gradient: from the
// start/stop line; `current` when the line is vertical (no x extent).
float vgGradientAngle(const TvgGradient& gradient, float current);
// Places start and stop for an angle (degrees) so that, within about 45
// degrees of an axis, the line reaches the corners of the unit square.
void vgSetGradientAngle(TvgGradient& gradient, float angle);

// Copies into dest the part of source under a crop frame given in preview
// pixels at `scale` (frame / scale in bitmap pixels, whole pixels, cut to
// the bitmap); without a frame (empty), the whole bitmap.
void vgCropBitmap(const TvgBitmap& source, const TvgRect& frame, float scale, TvgBitmap& dest);

// The other side of a resize that keeps the aspect ratio of width x height
// when one side becomes newSide.
float vgKeepAspect(float side, float otherSide, float newSide);

}  // namespace vg
