#pragma once
// The colours the render tests paint with, a four-coloured test picture, and a
// per-channel comparison for pixels that went through a codec or a filter.
#include <cstdint>
#include <cstdlib>

#include "ui/core/vg_bitmap.h"

namespace vgtest {

constexpr vg::TvgColor kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

// Quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
inline void PaintQuadrants(vg::TvgBitmap& bitmap) {
  const float w = float(bitmap.Width()), h = float(bitmap.Height());
  bitmap.ClearRect({0, 0, w / 2, h / 2}, kRed);
  bitmap.ClearRect({w / 2, 0, w, h / 2}, kGreen);
  bitmap.ClearRect({0, h / 2, w / 2, h}, kBlue);
  bitmap.ClearRect({w / 2, h / 2, w, h}, kWhite);
}

// Every channel of a within tolerance of b's.
inline bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

}  // namespace vgtest
