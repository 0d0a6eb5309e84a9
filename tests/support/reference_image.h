#pragma once
// Reference-image checks for what is drawn off screen: the drawn pixels are
// compared with a PNG kept in the source tree, within a tolerance. On a
// mismatch the drawn image (<name>.actual.png) and a diff image
// (<name>.diff.png: differing pixels red over a faded reference) go to the
// artifact folder. Running a test with ESCTOOL_UPDATE_REFERENCES=1 writes the
// drawn image as the reference instead, for a person to look at and commit.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace test_support {

// Pixels as the toolkit and cairo keep them: 32-bit ARGB, premultiplied,
// row after row `stride` pixels apart. Not owned.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * stride + x]; }
};

struct ImageTolerance {
  int channel = 2;            // largest difference of one channel (0-255) that still matches
  double pixelShare = 0.002;  // share of pixels that may differ by more (edge smoothing)
};

// Whether `image` matches the reference `reference`, a path below the source
// tree ($ESCTOOL_SOURCE_DIR), e.g. "tests/ui/render/references/shapes.png".
// A missing reference or a different size fails.
::testing::AssertionResult MatchesReferenceImage(const PixelView& image, const std::string& reference,
                                                 ImageTolerance tolerance = {});

}  // namespace test_support
