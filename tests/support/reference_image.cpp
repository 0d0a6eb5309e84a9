#include "tests/support/reference_image.h"

#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/rtl/AtomicFile.h"
#include "tests/support/artifacts.h"

namespace test_support {
namespace {

namespace fs = std::filesystem;

struct SurfaceDestroy {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDestroy>;

Surface CopyToSurface(const PixelView& image) {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height));
  auto* rows = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels + static_cast<std::size_t>(y) * image.stride, image.width,
                reinterpret_cast<std::uint32_t*>(rows + static_cast<std::ptrdiff_t>(y) * stride));
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

PixelView ViewOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  return {reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface)),
          cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface),
          cairo_image_surface_get_stride(surface) / 4};
}

// Writes the surface as a PNG through the atomic writer; false on failure.
bool SavePng(cairo_surface_t* surface, const fs::path& file) {
  std::string bytes;
  const auto append = [](void* target, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(target)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  };
  if (cairo_surface_write_to_png_stream(surface, append, &bytes) != CAIRO_STATUS_SUCCESS) return false;
  try {
    rtl::WriteFileBytes(file.string(), bytes);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

int LargestChannelDifference(std::uint32_t a, std::uint32_t b) {
  int largest = 0;
  for (const int shift : {0, 8, 16, 24}) largest = std::max(largest, std::abs(Channel(a, shift) - Channel(b, shift)));
  return largest;
}

// Red where the pixels differ beyond the tolerance, the reference faded to a
// light grey elsewhere.
Surface DiffImage(const PixelView& image, const PixelView& reference, int channel) {
  Surface diff(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height));
  auto* rows = cairo_image_surface_get_data(diff.get());
  const int stride = cairo_image_surface_get_stride(diff.get());
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(rows + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t expected = reference.At(x, y);
      if (LargestChannelDifference(image.At(x, y), expected) > channel) {
        row[x] = 0xFFFF0000;
        continue;
      }
      const int grey = 192 + (Channel(expected, 0) + Channel(expected, 8) + Channel(expected, 16)) / 12;
      row[x] = 0xFF000000u | static_cast<std::uint32_t>(grey * 0x010101);
    }
  }
  cairo_surface_mark_dirty(diff.get());
  return diff;
}

}  // namespace

::testing::AssertionResult MatchesReferenceImage(const PixelView& image, const std::string& reference,
                                                 ImageTolerance tolerance) {
  const char* source = std::getenv("ESCTOOL_SOURCE_DIR");
  if (source == nullptr) return ::testing::AssertionFailure() << "ESCTOOL_SOURCE_DIR is not set";
  const fs::path referenceFile = fs::path(source) / reference;
  const Surface drawn = CopyToSurface(image);
  const std::string stem = referenceFile.stem().string();
  const fs::path actualFile = ArtifactDir() / (stem + ".actual.png");

  const char* update = std::getenv("ESCTOOL_UPDATE_REFERENCES");
  if (update != nullptr && std::string(update) == "1") {
    if (!SavePng(drawn.get(), referenceFile))
      return ::testing::AssertionFailure() << "cannot write the reference " << referenceFile;
    return ::testing::AssertionSuccess() << "wrote the reference " << referenceFile;
  }

  const Surface expected(cairo_image_surface_create_from_png(referenceFile.c_str()));
  if (cairo_surface_status(expected.get()) != CAIRO_STATUS_SUCCESS) {
    SavePng(drawn.get(), actualFile);
    return ::testing::AssertionFailure() << "no readable reference " << referenceFile << " (drawn image: "
                                         << actualFile << "; ESCTOOL_UPDATE_REFERENCES=1 writes it)";
  }
  const PixelView wanted = ViewOf(expected.get());
  if (wanted.width != image.width || wanted.height != image.height) {
    SavePng(drawn.get(), actualFile);
    return ::testing::AssertionFailure() << "drawn " << image.width << "x" << image.height << ", reference "
                                         << wanted.width << "x" << wanted.height << " (" << referenceFile << ")";
  }
  long differing = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (LargestChannelDifference(image.At(x, y), wanted.At(x, y)) > tolerance.channel) ++differing;
  const double allowed = tolerance.pixelShare * image.width * image.height;
  if (static_cast<double>(differing) <= allowed) return ::testing::AssertionSuccess();
  const fs::path diffFile = ArtifactDir() / (stem + ".diff.png");
  SavePng(drawn.get(), actualFile);
  SavePng(DiffImage(image, wanted, tolerance.channel).get(), diffFile);
  return ::testing::AssertionFailure() << differing << " pixels differ from " << referenceFile << " by more than "
                                       << tolerance.channel << " (at most " << allowed << " may); drawn: "
                                       << actualFile << ", diff: " << diffFile;
}

}  // namespace test_support
