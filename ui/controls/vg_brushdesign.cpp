#include "ui/controls/vg_brushdesign.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/rtl/Rounding.h"

namespace vg {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// |1 / v| when it lies within 1..1.42 (the line then reaches the corners),
// else 1.
double CornerReach(double v) {
  if (v == 0) return 1;
  const double reach = std::fabs(1 / v);
  return reach >= 1 && reach <= 1.42 ? reach : 1;
}

}  // namespace

float vgGradientAngle(const TvgGradient& gradient, float current) {
  const double dx = gradient.StopPosition()->X() - gradient.StartPosition()->X();
  const double dy = gradient.StopPosition()->Y() - gradient.StartPosition()->Y();
  if (dx == 0) return current;
  double angle = -std::atan(dy / dx) / kDegree;
  if (dx < 0) angle -= 180;
  return static_cast<float>(angle);
}

void vgSetGradientAngle(TvgGradient& gradient, float angle) {
  double c = std::cos(angle * kDegree), s = std::sin(angle * kDegree);
  // cos(-90) is not exactly 0 in doubles: treat what rounds to 0 as 0.
  if (std::fabs(c) < 1e-9) c = 0;
  if (std::fabs(s) < 1e-9) s = 0;
  const double k = std::max(CornerReach(c), CornerReach(s)) / 2;
  gradient.StartPosition()->SetPoint({static_cast<float>(0.5 - c * k), static_cast<float>(0.5 + s * k)});
  gradient.StopPosition()->SetPoint({static_cast<float>(0.5 + c * k), static_cast<float>(0.5 - s * k)});
  gradient.Change();
}

void vgCropBitmap(const TvgBitmap& source, const TvgRect& frame, float scale, TvgBitmap& dest) {
  if (vgRectWidth(frame) <= 0 || vgRectHeight(frame) <= 0 || scale <= 0) {
    dest.Assign(&source);
    return;
  }
  const int left = static_cast<int>(rtl::Trunc(frame.Left / scale));
  const int top = static_cast<int>(rtl::Trunc(frame.Top / scale));
  const int right = left + static_cast<int>(rtl::Trunc(vgRectWidth(frame) / scale));
  const int bottom = top + static_cast<int>(rtl::Trunc(vgRectHeight(frame) / scale));
  // A frame dragged past an edge keeps only what lies on the bitmap.
  const int x0 = std::clamp(left, 0, source.Width()), y0 = std::clamp(top, 0, source.Height());
  const int width = std::clamp(right, x0, source.Width()) - x0;
  const int height = std::clamp(bottom, y0, source.Height()) - y0;
  dest.SetSize(width, height);
  if (width == 0 || height == 0) return;
  for (int y = 0; y < height; ++y)
    std::memcpy(dest.Bits() + y * width, source.Bits() + (y0 + y) * source.Width() + x0,
                static_cast<std::size_t>(width) * 4);
  dest.BitmapChanged();
}

float vgKeepAspect(float side, float otherSide, float newSide) {
  if (side == 0) return otherSide;
  return static_cast<float>(rtl::Round(otherSide / side * newSide));
}

}  // namespace vg
