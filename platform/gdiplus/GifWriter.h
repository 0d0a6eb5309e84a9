#pragma once
// A small GIF89a writer for pictures of the toolkit's pixel layout: one frame,
// a global palette of the picture's own colours when it has at most 255 (so
// such pictures come back exactly), else a fixed 6 x 7 x 6 colour cube; pixels
// less than half opaque become the transparent index.
#include <cstdint>
#include <vector>

namespace gdip {

/// Encodes width x height premultiplied ARGB words (rows top-down, no gaps)
/// into a GIF file; empty when a side is outside 1..65535.
std::vector<std::uint8_t> EncodeGif(const std::uint32_t* pixels, int width, int height);

}  // namespace gdip
