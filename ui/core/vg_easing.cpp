#include "ui/core/vg_easing.h"

#include <cmath>
#include <numbers>

namespace vg {

namespace {

constexpr double kPi = std::numbers::pi;

// The polynomial easings of degree n share one shape.
double PowerIn(double u, int n) { return std::pow(u, n); }
double PowerOut(double u, int n) { return 1 - std::pow(1 - u, n); }

double PowerEase(double t, double b, double c, double d, int n, TvgAnimationType type) {
  switch (type) {
    case vgAnimationIn:
      return c * PowerIn(t / d, n) + b;
    case vgAnimationOut:
      return c * PowerOut(t / d, n) + b;
    case vgAnimationInOut: {
      const double w = t / (d / 2);
      if (w < 1) return c / 2 * PowerIn(w, n) + b;
      return c / 2 * (2 - std::pow(2 - w, n)) + b;
    }
  }
  return 0;
}

double BounceOut(double t, double b, double c, double d) {
  double u = t / d;
  if (u < 1 / 2.75) return c * (7.5625 * u * u) + b;
  if (u < 2 / 2.75) {
    u -= 1.5 / 2.75;
    return c * (7.5625 * u * u + 0.75) + b;
  }
  if (u < 2.5 / 2.75) {
    u -= 2.25 / 2.75;
    return c * (7.5625 * u * u + 0.9375) + b;
  }
  u -= 2.625 / 2.75;
  return c * (7.5625 * u * u + 0.984375) + b;
}

double BounceIn(double t, double b, double c, double d) { return c - BounceOut(d - t, 0, c, d) + b; }

// The phase shift of the elastic wave for amplitude a (updated when it is
// too small to reach c) and period p.
double ElasticShift(double c, double& a, double p) {
  if (a == 0 || a < std::fabs(c)) {
    a = c;
    return p / 4;
  }
  return p / (2 * kPi) * std::asin(c / a);
}

}  // namespace

double vgInterpolateLinear(double t, double b, double c, double d) { return c * t / d + b; }

double vgInterpolateQuad(double t, double b, double c, double d, TvgAnimationType type) {
  return PowerEase(t, b, c, d, 2, type);
}

double vgInterpolateCubic(double t, double b, double c, double d, TvgAnimationType type) {
  return PowerEase(t, b, c, d, 3, type);
}

double vgInterpolateQuart(double t, double b, double c, double d, TvgAnimationType type) {
  return PowerEase(t, b, c, d, 4, type);
}

double vgInterpolateQuint(double t, double b, double c, double d, TvgAnimationType type) {
  return PowerEase(t, b, c, d, 5, type);
}

double vgInterpolateSine(double t, double b, double c, double d, TvgAnimationType type) {
  switch (type) {
    case vgAnimationIn:
      return -c * std::cos(t / d * (kPi / 2)) + c + b;
    case vgAnimationOut:
      return c * std::sin(t / d * (kPi / 2)) + b;
    case vgAnimationInOut:
      return -c / 2 * (std::cos(kPi * t / d) - 1) + b;
  }
  return 0;
}

double vgInterpolateExpo(double t, double b, double c, double d, TvgAnimationType type) {
  switch (type) {
    case vgAnimationIn:
      return t == 0 ? b : c * std::pow(2, 10 * (t / d - 1)) + b;
    case vgAnimationOut:
      return t == d ? b + c : c * (1 - std::pow(2, -10 * t / d)) + b;
    case vgAnimationInOut: {
      if (t == 0) return b;
      if (t == d) return b + c;
      const double w = t / (d / 2);
      if (w < 1) return c / 2 * std::pow(2, 10 * (w - 1)) + b;
      return c / 2 * (2 - std::pow(2, -10 * (w - 1))) + b;
    }
  }
  return 0;
}

double vgInterpolateCirc(double t, double b, double c, double d, TvgAnimationType type) {
  switch (type) {
    case vgAnimationIn: {
      const double u = t / d;
      return -c * (std::sqrt(1 - u * u) - 1) + b;
    }
    case vgAnimationOut: {
      const double u = t / d - 1;
      return c * std::sqrt(1 - u * u) + b;
    }
    case vgAnimationInOut: {
      const double w = t / (d / 2);
      if (w < 1) return -c / 2 * (std::sqrt(1 - w * w) - 1) + b;
      return c / 2 * (std::sqrt(1 - (w - 2) * (w - 2)) + 1) + b;
    }
  }
  return 0;
}

double vgInterpolateBack(double t, double b, double c, double d, double s, TvgAnimationType type) {
  if (s == 0) s = 1.70158;
  switch (type) {
    case vgAnimationIn: {
      const double u = t / d;
      return c * u * u * ((s + 1) * u - s) + b;
    }
    case vgAnimationOut: {
      const double u = t / d - 1;
      return c * (u * u * ((s + 1) * u + s) + 1) + b;
    }
    case vgAnimationInOut: {
      s *= 1.525;
      const double w = t / (d / 2);
      if (w < 1) return c / 2 * (w * w * ((s + 1) * w - s)) + b;
      const double v = w - 2;
      return c / 2 * (v * v * ((s + 1) * v + s) + 2) + b;
    }
  }
  return 0;
}

double vgInterpolateElastic(double t, double b, double c, double d, double a, double p,
                            TvgAnimationType type) {
  switch (type) {
    case vgAnimationIn:
    case vgAnimationOut: {
      if (t == 0) return b;
      const double u = t / d;
      if (u == 1) return b + c;
      if (p == 0) p = d * 0.3;
      const double s = ElasticShift(c, a, p);
      if (type == vgAnimationIn)
        return -(a * std::pow(2, 10 * (u - 1)) * std::sin(((u - 1) * d - s) * (2 * kPi) / p)) + b;
      return a * std::pow(2, -10 * u) * std::sin((u * d - s) * (2 * kPi) / p) + c + b;
    }
    case vgAnimationInOut: {
      if (t == 0) return b;
      const double w = t / (d / 2);
      if (w == 2) return b + c;
      if (p == 0) p = d * 0.45;
      const double s = ElasticShift(c, a, p);
      const double wave = std::sin(((w - 1) * d - s) * (2 * kPi) / p);
      if (w < 1) return -0.5 * (a * std::pow(2, 10 * (w - 1)) * wave) + b;
      return a * std::pow(2, -10 * (w - 1)) * wave * 0.5 + c + b;
    }
  }
  return 0;
}

double vgInterpolateBounce(double t, double b, double c, double d, TvgAnimationType type) {
  switch (type) {
    case vgAnimationIn:
      return BounceIn(t, b, c, d);
    case vgAnimationOut:
      return BounceOut(t, b, c, d);
    case vgAnimationInOut:
      if (t < d / 2) return BounceIn(t * 2, 0, c, d) * 0.5 + b;
      return BounceOut(t * 2 - d, 0, c, d) * 0.5 + c * 0.5 + b;
  }
  return 0;
}

double vgEase(TvgInterpolationType interpolation, TvgAnimationType type, double t, double d) {
  switch (interpolation) {
    case vgInterpolationLinear:
      return vgInterpolateLinear(t, 0, 1, d);
    case vgInterpolationQuadratic:
      return vgInterpolateQuad(t, 0, 1, d, type);
    case vgInterpolationCubic:
      return vgInterpolateCubic(t, 0, 1, d, type);
    case vgInterpolationQuartic:
      return vgInterpolateQuart(t, 0, 1, d, type);
    case vgInterpolationQuintic:
      return vgInterpolateQuint(t, 0, 1, d, type);
    case vgInterpolationSinusoidal:
      return vgInterpolateSine(t, 0, 1, d, type);
    case vgInterpolationExponential:
      return vgInterpolateExpo(t, 0, 1, d, type);
    case vgInterpolationCircular:
      return vgInterpolateCirc(t, 0, 1, d, type);
    case vgInterpolationElastic:
      return vgInterpolateElastic(t, 0, 1, d, 0, 0, type);
    case vgInterpolationBack:
      return vgInterpolateBack(t, 0, 1, d, 0, type);
    case vgInterpolationBounce:
      return vgInterpolateBounce(t, 0, 1, d, type);
  }
  return 0;
}

}  // namespace vg
