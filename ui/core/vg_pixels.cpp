#include "ui/core/vg_pixels.h"

#include <algorithm>
#include <cstring>

namespace vg {

void vgMoveLongword(const std::uint32_t* src, std::uint32_t* dst, int count) {
  if (count > 0) std::memmove(dst, src, size_t(count) * sizeof *dst);
}

void vgFillLongword(std::uint32_t* dst, int count, std::uint32_t value) {
  if (count > 0) std::fill_n(dst, count, value);
}

void vgFillAlpha(std::uint32_t* dst, int count, std::uint8_t alpha) {
  for (int i = 0; i < count; ++i) dst[i] = (dst[i] & 0x00FFFFFFu) | std::uint32_t(alpha) << 24;
}

void vgFillLongwordRect(std::uint32_t* dst, int width, int height, int x1, int y1, int x2, int y2,
                        std::uint32_t value) {
  x2 = std::min(x2, width);
  y2 = std::min(y2, height);
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  if (x1 >= x2) return;
  for (int y = y1; y < y2; ++y) vgFillLongword(dst + size_t(y) * width + x1, x2 - x1, value);
}

void vgReverseBytes(std::uint16_t* p, int count) {
  if (count > 1) std::reverse(p, p + count);
}

}  // namespace vg
