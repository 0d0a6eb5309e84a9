#pragma once
// Raw helpers over 32-bit pixel buffers (rows top-down, no padding).
#include <cstdint>

namespace vg {

void vgMoveLongword(const std::uint32_t* src, std::uint32_t* dst, int count);
void vgFillLongword(std::uint32_t* dst, int count, std::uint32_t value);
void vgFillAlpha(std::uint32_t* dst, int count, std::uint8_t alpha);
// Fills columns x1..x2-1 of rows y1..y2-1 of a width-pixel-wide buffer; x2 is
// limited to width and y2 to height. An empty or inverted range fills nothing.
void vgFillLongwordRect(std::uint32_t* dst, int width, int height, int x1, int y1, int x2, int y2,
                        std::uint32_t value);
// Reverses the order of count 16-bit units in place.
void vgReverseBytes(std::uint16_t* p, int count);

}  // namespace vg
