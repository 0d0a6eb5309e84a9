#include "ui/core/vg_spline.h"

#include <cmath>

namespace vg {

namespace {

// Per-segment cubics for the values y, each in its local parameter
// u = t - j: re-expanded in the global t, single-precision coefficients
// lose tens of pixels on long point lists.
TvgSplineMatrix BuildNaturalSpline(const std::vector<double>& y) {
  const int n = static_cast<int>(y.size());
  if (n < 2) return {};
  // First derivatives D from the tridiagonal system, through its Cholesky factors.
  std::vector<double> r(n), c(n), s(n), z(n), d(n);
  r[0] = 3 * (y[1] - y[0]);
  for (int i = 1; i < n - 1; ++i) r[i] = 3 * (y[i + 1] - y[i - 1]);
  r[n - 1] = 3 * (y[n - 1] - y[n - 2]);
  c[0] = std::sqrt(2.0);
  for (int i = 1; i < n - 1; ++i) {
    s[i - 1] = 1 / c[i - 1];
    c[i] = std::sqrt(4 - s[i - 1] * s[i - 1]);
  }
  s[n - 2] = 1 / c[n - 2];
  c[n - 1] = std::sqrt(2 - s[n - 2] * s[n - 2]);
  z[0] = r[0] / c[0];
  for (int i = 1; i < n; ++i) z[i] = (r[i] - z[i - 1] * s[i - 1]) / c[i];
  d[n - 1] = z[n - 1] / c[n - 1];
  for (int i = n - 2; i >= 0; --i) d[i] = (z[i] - d[i + 1] * s[i]) / c[i];

  TvgSplineMatrix segments(n - 1);
  for (int j = 0; j < n - 1; ++j) {
    const double a = y[j], b = d[j];
    const double cc = 3 * (y[j + 1] - y[j]) - 2 * d[j] - d[j + 1];
    const double dd = 2 * (y[j] - y[j + 1]) + d[j] + d[j + 1];
    segments[j] = {float(dd), float(cc), float(b), float(a)};
  }
  return segments;
}

double Evaluate(const TvgSplineCoefficients& k, double u) {
  return ((k.Cubic * u + k.Quadratic) * u + k.Linear) * u + k.Constant;
}

}  // namespace

TvgSpline::TvgSpline(const TvgPolygon& polygon) : len_(static_cast<int>(polygon.size())) {
  std::vector<double> xs, ys;
  for (const TvgPoint& p : polygon) {
    xs.push_back(p.X);
    ys.push_back(p.Y);
  }
  matX_ = BuildNaturalSpline(xs);
  matY_ = BuildNaturalSpline(ys);
}

void TvgSpline::SplineXY(float t, float& x, float& y) const {
  if (matX_.empty()) {
    x = y = 0;
    return;
  }
  int i = !(t > 0) ? 0 : t > len_ - 1 ? len_ - 1 : static_cast<int>(std::trunc(t));
  if (i >= len_ - 1) i = len_ - 2;
  const double u = double(t) - i;
  x = static_cast<float>(Evaluate(matX_[i], u));
  y = static_cast<float>(Evaluate(matY_[i], u));
}

}  // namespace vg
