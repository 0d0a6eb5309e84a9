#include "ui/core/vg_effectpixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/rtl/Rounding.h"

namespace vg {

namespace {

// One channel of a bitmap as integers, row-major.
using Plane = std::vector<int>;

// Blurs count values of src (every stride-th one) into dst with the
// triangular kernel, keeping running sums so each step costs the same for
// any radius. stack is a ring of 2 * radius + 1 entries.
void BlurLine(const int* src, int* dst, int stride, int count, int radius, std::vector<int>& stack) {
  const int div = 2 * radius + 1;
  const long divsum = long(radius + 1) * (radius + 1);
  auto at = [&](int i) { return src[std::clamp(i, 0, count - 1) * stride]; };
  long sum = 0, inSum = 0, outSum = 0;
  for (int i = -radius; i <= radius; ++i) {
    const int value = at(i);
    stack[i + radius] = value;
    sum += long(value) * (radius + 1 - std::abs(i));
    (i > 0 ? inSum : outSum) += value;
  }
  int pointer = radius;
  for (int x = 0; x < count; ++x) {
    dst[x * stride] = int(sum / divsum);
    sum -= outSum;
    int& oldest = stack[(pointer + radius + 1) % div];
    outSum -= oldest;
    oldest = at(x + radius + 1);
    inSum += oldest;
    sum += inSum;
    pointer = (pointer + 1) % div;
    const int middle = stack[pointer];
    outSum += middle;
    inSum -= middle;
  }
}

void BlurPlane(Plane& plane, Plane& work, int width, int height, int radius,
               std::vector<int>& stack) {
  for (int y = 0; y < height; ++y)
    BlurLine(&plane[size_t(y) * width], &work[size_t(y) * width], 1, width, radius, stack);
  for (int x = 0; x < width; ++x) BlurLine(&work[x], &plane[x], width, height, radius, stack);
}

int BlurRadius(float softness) { return int(rtl::Trunc(softness * 10.0 + 5)); }

// Fills the covered pixels with the colour and blurs them; returns the
// coverage the image had before.
std::vector<std::uint8_t> BlurredFill(TvgBitmap& image, TvgColor color, float opacity,
                                      float softness) {
  std::vector<std::uint8_t> mask = image.CreateMask();
  image.FillColor(vgOpacity(color, opacity));
  Blur(nullptr, image, BlurRadius(softness), true);
  return mask;
}

}  // namespace

void Blur(TvgCanvas*, TvgBitmap& bitmap, int radius, bool blurAlpha) {
  if (radius < 1 || bitmap.IsEmpty()) return;
  const int width = bitmap.Width(), height = bitmap.Height();
  const size_t count = size_t(width) * height;
  std::uint32_t* bits = bitmap.Bits();
  constexpr std::array<int, 4> kShifts{16, 8, 0, 24};  // R, G, B, A
  const int planes = blurAlpha ? 4 : 3;
  std::vector<Plane> channel(planes, Plane(count));
  for (size_t i = 0; i < count; ++i)
    for (int p = 0; p < planes; ++p) channel[p][i] = int((bits[i] >> kShifts[p]) & 0xFF);
  Plane work(count);
  std::vector<int> stack(2 * size_t(radius) + 1);
  for (Plane& plane : channel) BlurPlane(plane, work, width, height, radius, stack);
  for (size_t i = 0; i < count; ++i) {
    std::uint32_t pixel = 0;
    for (int p = 0; p < planes; ++p) pixel |= std::uint32_t(channel[p][i]) << kShifts[p];
    bits[i] = pixel;
  }
  bitmap.SetNeedUpdate(true);
  bitmap.BitmapChanged();
}

void vgDropShadow(TvgBitmap& image, TvgColor color, float opacity, float softness, float distance,
                  float direction, float scale) {
  const std::vector<std::uint8_t> mask = BlurredFill(image, color, opacity, softness);
  const double angle = vgDegToRad(direction);
  const int dx = int(rtl::Round(distance * std::cos(angle) * scale));
  const int dy = int(rtl::Round(distance * std::sin(angle) * scale));
  image.ApplyMask(mask, -dx, -dy);
}

void vgOuterGlow(TvgBitmap& image, TvgColor color, float opacity, float softness) {
  image.ApplyMask(BlurredFill(image, color, opacity, softness), 0, 0);
}

void vgInnerGlow(TvgBitmap& image, TvgColor color, float opacity, float softness) {
  image.InvertAlpha();
  image.ApplyMask(BlurredFill(image, color, opacity, softness), 0, 0);
}

void vgBevel(TvgBitmap& image, float direction, int size) {
  if (size == 0 || image.IsEmpty()) return;
  TvgBitmap relief(image.Width(), image.Height());
  std::copy_n(image.ConstBits(), size_t(image.Width()) * image.Height(), relief.Bits());
  Blur(nullptr, relief, size, true);
  const double angle = vgDegToRad(direction);
  const double lx = std::cos(angle), lz = std::sin(angle);
  auto height = [&](int x, int y) { return (relief.GetPixels(x, y) >> 24) / 255.0; };
  std::uint32_t* bits = image.Bits();
  for (int x = image.Width() - 2; x >= 0; --x)
    for (int y = image.Height() - 2; y >= 0; --y) {
      std::uint32_t& pixel = bits[size_t(y) * image.Width() + x];
      const std::uint32_t alpha = pixel >> 24;
      if (alpha == 0) continue;
      const double c = height(x + 1, y + 1);
      const double nx = height(x + 1, y) - c, ny = -1, nz = height(x, y + 1) - c;
      const double lengths = std::sqrt(lx * lx + lz * lz) * std::sqrt(nx * nx + ny * ny + nz * nz);
      const double k = lengths > 1e-40 ? (lx * nx + lz * nz) / lengths : 1;
      pixel = vgPremultyAlpha(
          vgOpacity(vgChangeHSL(pixel, 0, 0, float(0.4 * k * size)), alpha / 255.0f));
    }
  image.SetNeedUpdate(true);
  image.BitmapChanged();
}

void vgReflection(TvgBitmap& image, float opacity, float length) {
  const int rows = int(rtl::Round((image.Height() - 1) * double(length)));
  image.FlipHorizontal();
  std::uint32_t* bits = image.Bits();
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      std::uint32_t& pixel = bits[size_t(y) * image.Width() + x];
      if (y >= rows) {
        pixel = 0;
        continue;
      }
      const std::uint32_t alpha = pixel >> 24;
      if (alpha == 0) continue;
      // Clamped: an opacity above 1 would wrap the byte, one below 0 turn it
      // opaque.
      const double fade = std::clamp(opacity * (double(rows - y) / rows) * alpha, 0.0, 255.0);
      const auto faded = std::uint32_t(rtl::Trunc(fade));
      pixel = vgPremultyAlpha((pixel & 0x00FFFFFFu) | (faded << 24));
    }
  image.SetNeedUpdate(true);
  image.BitmapChanged();
}

}  // namespace vg
