#include "ui/core/vg_types.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Rounding.h"

namespace vg {

TvgPoint vgPoint(float x, float y) { return {x, y}; }
TvgRect vgRect(float left, float top, float right, float bottom) {
  return {left, top, right, bottom};
}
TvgVector vgVector(float x, float y, float w) { return {x, y, w}; }
TvgVector vgVector(TvgPoint p, float w) { return {p.X, p.Y, w}; }
TvgPoint vgPointFromVector(const TvgVector& v) { return {v.X, v.Y}; }

float vgMinFloat(float a, float b) { return a < b ? a : b; }
float vgMaxFloat(float a, float b) { return a > b ? a : b; }
float vgMinMax(float x, float min, float max) { return x < min ? min : x > max ? max : x; }

TvgPoint vgMinPoint(TvgPoint p1, TvgPoint p2) {
  if (p2.Y < p1.Y || (p2.Y == p1.Y && p2.X < p1.X)) return p2;
  return p1;
}

TvgPoint vgScalePoint(TvgPoint p, float sx, float sy) { return {p.X * sx, p.Y * sy}; }

void vgSinCos(float angle, float& sin, float& cos) {
  sin = static_cast<float>(std::sin(double(angle)));
  cos = static_cast<float>(std::cos(double(angle)));
}

float vgDegToRad(float degrees) { return static_cast<float>(double(degrees) * M_PI / 180.0); }
float vgRadToDeg(float radians) { return static_cast<float>(double(radians) * 180.0 / M_PI); }

float vgNormalizeAngle(float angle) {
  double a = angle;
  double r = a - std::trunc(a / 360.0) * 360.0;
  if (r < -180) r += 360;
  return static_cast<float>(r);
}

float vgRectWidth(const TvgRect& r) { return r.Right - r.Left; }
float vgRectHeight(const TvgRect& r) { return r.Bottom - r.Top; }

void vgOffsetRect(TvgRect& r, float dx, float dy) {
  r.Left += dx, r.Right += dx, r.Top += dy, r.Bottom += dy;
}

void vgMultiplyRect(TvgRect& r, float sx, float sy) {
  r.Left *= sx, r.Right *= sx, r.Top *= sy, r.Bottom *= sy;
}

void vgInflateRect(TvgRect& r, float dx, float dy) {
  r.Left -= dx, r.Right += dx, r.Top -= dy, r.Bottom += dy;
}

TvgRect vgUnionRect(const TvgRect& r1, const TvgRect& r2) {
  return {std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
          std::max(r1.Bottom, r2.Bottom)};
}

bool vgIntersectRect(const TvgRect& r1, const TvgRect& r2) {
  return !(r1.Left > r2.Right || r1.Right < r2.Left || r1.Top > r2.Bottom || r1.Bottom < r2.Top);
}

bool vgIntersectRect(TvgRect& dest, const TvgRect& r1, const TvgRect& r2) {
  if (r2.Left < r1.Right && r2.Right > r1.Left && r2.Top < r1.Bottom && r2.Bottom > r1.Top) {
    dest = {std::max(r1.Left, r2.Left), std::max(r1.Top, r2.Top), std::min(r1.Right, r2.Right),
            std::min(r1.Bottom, r2.Bottom)};
    return true;
  }
  dest = NullRect;
  return false;
}

bool vgPtInRect(TvgPoint p, const TvgRect& r) {
  return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

bool vgIsRectEmpty(const TvgRect& r) { return vgRectWidth(r) <= 0 || vgRectHeight(r) <= 0; }

TvgRect vgNormalizeRect(const std::vector<TvgPoint>& points) {
  TvgRect r{61440, 61440, -61440, -61440};
  for (const TvgPoint& p : points) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X);
    r.Bottom = std::max(r.Bottom, p.Y);
  }
  return r;
}

TvgRect vgNormalizeRect2(const TvgRect& r) {
  return vgNormalizeRect({r.TopLeft(), {r.Right, r.Top}, r.BottomRight(), {r.Left, r.Bottom}});
}

TvgRect vgRectCenter(TvgRect& r, const TvgRect& bounds) {
  const float w = vgRectWidth(r), h = vgRectHeight(r);
  r = {0, 0, w, h};
  vgOffsetRect(r, float(rtl::Round((double(vgRectWidth(bounds)) - w) / 2)),
               float(rtl::Round((double(vgRectHeight(bounds)) - h) / 2)));
  vgOffsetRect(r, bounds.Left, bounds.Top);
  return r;
}

float vgFitRect(TvgRect& r, const TvgRect& bounds) {
  const double bw = vgRectWidth(bounds), bh = vgRectHeight(bounds);
  if (bw * bh == 0) return 1;
  double w = vgRectWidth(r), h = vgRectHeight(r);
  const double ratio = std::max(w / bw, h / bh);
  if (ratio >= 1) {
    w = rtl::Round(w / ratio);
    h = rtl::Round(h / ratio);
  }
  r = {0, 0, float(w), float(h)};
  vgRectCenter(r, bounds);
  return static_cast<float>(ratio);
}

TvgMatrix vgMatrixMultiply(const TvgMatrix& a, const TvgMatrix& b) {
  TvgMatrix result;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      double sum = 0;
      for (int k = 0; k < 3; ++k) sum += double(a.M(r, k)) * b.M(k, c);
      result.M(r, c) = static_cast<float>(sum);
    }
  return result;
}

namespace {

double Det2(double a, double b, double c, double d) { return a * d - b * c; }

double Cofactor(const TvgMatrix& m, int r, int c) {
  const int r0 = r == 0 ? 1 : 0, r1 = r == 2 ? 1 : 2;
  const int c0 = c == 0 ? 1 : 0, c1 = c == 2 ? 1 : 2;
  const double minor = Det2(m.M(r0, c0), m.M(r0, c1), m.M(r1, c0), m.M(r1, c1));
  return (r + c) % 2 == 0 ? minor : -minor;
}

}  // namespace

float vgMatrixDeterminant(const TvgMatrix& m) {
  double d = 0;
  for (int c = 0; c < 3; ++c) d += m.M(0, c) * Cofactor(m, 0, c);
  return static_cast<float>(d);
}

void vgAdjointMatrix(TvgMatrix& m) {
  TvgMatrix adjugate;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) adjugate.M(c, r) = static_cast<float>(Cofactor(m, r, c));
  m = adjugate;
}

void vgScaleMatrix(TvgMatrix& m, float s) {
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m.M(r, c) *= s;
}

void vgInvertMatrix(TvgMatrix& m) {
  const float d = vgMatrixDeterminant(m);
  if (std::fabs(d) < Epsilon) {
    m = IdentityMatrix;
    return;
  }
  vgAdjointMatrix(m);
  vgScaleMatrix(m, static_cast<float>(1.0 / d));
}

TvgMatrix vgCreateRotationMatrix(float radians) {
  float s, c;
  vgSinCos(radians, s, c);
  return {c, s, 0, -s, c, 0, 0, 0, 1};
}

TvgMatrix vgCreateTranslateMatrix(float dx, float dy) {
  TvgMatrix m = IdentityMatrix;
  m.m31 = dx;
  m.m32 = dy;
  return m;
}

TvgVector vgVectorTransform(const TvgVector& v, const TvgMatrix& m) {
  return {static_cast<float>(double(v.X) * m.m11 + double(v.Y) * m.m21 + double(v.W) * m.m31),
          static_cast<float>(double(v.X) * m.m12 + double(v.Y) * m.m22 + double(v.W) * m.m32), 1};
}

TvgVector vgVectorAdd(const TvgVector& a, const TvgVector& b) { return {a.X + b.X, a.Y + b.Y, 1}; }
TvgVector vgVectorSubtract(const TvgVector& a, const TvgVector& b) {
  return {a.X - b.X, a.Y - b.Y, 1};
}
TvgVector vgVectorScale(const TvgVector& v, float s) { return {v.X * s, v.Y * s, 1}; }

float vgVectorNorm(const TvgVector& v) {
  return static_cast<float>(double(v.X) * v.X + double(v.Y) * v.Y);
}
float vgVectorLength(const TvgVector& v) {
  return static_cast<float>(std::sqrt(double(v.X) * v.X + double(v.Y) * v.Y));
}

TvgVector vgVectorNormalize(const TvgVector& v) {
  const double norm = double(v.X) * v.X + double(v.Y) * v.Y;
  const double s = norm == 0 ? 1 : 1 / std::sqrt(std::fabs(norm));
  return {static_cast<float>(v.X * s), static_cast<float>(v.Y * s), 0};
}

float vgVectorDotProduct(const TvgVector& a, const TvgVector& b) {
  return static_cast<float>(double(a.X) * b.X + double(a.Y) * b.Y);
}
float vgVectorCrossProductZ(const TvgVector& a, const TvgVector& b) {
  return static_cast<float>(double(a.X) * b.Y - double(a.Y) * b.X);
}

float vgVectorAngleCosine(const TvgVector& a, const TvgVector& b) {
  const double la = vgVectorLength(a), lb = vgVectorLength(b);
  if (la == 0 || lb == 0) return 0;
  return static_cast<float>(std::min(1.0, vgVectorDotProduct(a, b) / (la * lb)));
}

TvgVector vgVectorCombine2(const TvgVector& a, const TvgVector& b, float fa, float fb) {
  return {static_cast<float>(double(fa) * a.X + double(fb) * b.X),
          static_cast<float>(double(fa) * a.Y + double(fb) * b.Y), 1};
}

TvgVector vgVectorReflect(const TvgVector& v, const TvgVector& n) {
  return vgVectorCombine2(v, n, 1, -2 * vgVectorDotProduct(v, n));
}

float vgVectorAngle(const TvgVector& a, const TvgVector& b) {
  // The cosine is capped only above; rounding may push it just below -1.
  const double cosine = std::max(-1.0, double(vgVectorAngleCosine(a, b)));
  const double d = std::acos(cosine) * 180.0 / M_PI;
  return static_cast<float>(vgVectorCrossProductZ(a, b) < 0 ? d : -d);
}

float vgInterpolateSingle(float start, float stop, float t) {
  return static_cast<float>(start + (double(stop) - start) * t);
}
float vgInterpolateRotation(float start, float stop, float t) {
  return vgInterpolateSingle(start, stop, t);
}

}  // namespace vg
