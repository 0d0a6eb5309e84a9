#pragma once
// The toolkit's geometry value types and the pure helpers over them: points,
// rectangles, homogeneous vectors, 3x3 matrices, polygons, angles and linear
// interpolation. All coordinates are single precision; results are computed
// in double and stored as float.
//
// Matrix convention: points are row vectors multiplied on the left,
// p' = p x M, so translation sits in m31/m32 and A x B applies A first.
#include <cstdint>
#include <vector>

#include "platform/rtl/Set.h"
#include "platform/rtl/TypeInfo.h"

namespace vg {

struct TvgPoint {
  float X = 0;
  float Y = 0;
  friend bool operator==(const TvgPoint&, const TvgPoint&) = default;
};

struct TvgRect {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
  TvgPoint TopLeft() const { return {Left, Top}; }
  TvgPoint BottomRight() const { return {Right, Bottom}; }
  void SetTopLeft(TvgPoint p) { Left = p.X, Top = p.Y; }
  void SetBottomRight(TvgPoint p) { Right = p.X, Bottom = p.Y; }
  friend bool operator==(const TvgRect&, const TvgRect&) = default;
};

// W is the homogeneous coordinate; V(i) addresses X, Y, W by index.
struct TvgVector {
  float X = 0;
  float Y = 0;
  float W = 0;
  float& V(int i) { return i == 0 ? X : i == 1 ? Y : W; }
  float V(int i) const { return i == 0 ? X : i == 1 ? Y : W; }
  friend bool operator==(const TvgVector&, const TvgVector&) = default;
};

// Nine elements row by row; M(r, c) addresses element [r][c] (0-based).
struct TvgMatrix {
  float m11 = 0, m12 = 0, m13 = 0;
  float m21 = 0, m22 = 0, m23 = 0;
  float m31 = 0, m32 = 0, m33 = 0;
  float& M(int r, int c) { return this->*kCells[r * 3 + c]; }
  float M(int r, int c) const { return this->*kCells[r * 3 + c]; }
  friend bool operator==(const TvgMatrix&, const TvgMatrix&) = default;

 private:
  static constexpr float TvgMatrix::*kCells[9] = {
      &TvgMatrix::m11, &TvgMatrix::m12, &TvgMatrix::m13, &TvgMatrix::m21, &TvgMatrix::m22,
      &TvgMatrix::m23, &TvgMatrix::m31, &TvgMatrix::m32, &TvgMatrix::m33};
};

// Several figures may share one polygon; a closed figure ends with ClosePolygon.
using TvgPolygon = std::vector<TvgPoint>;

enum TvgCorner { vgCornerTopLeft, vgCornerTopRight, vgCornerBottomLeft, vgCornerBottomRight };
enum TvgSide { vgSideTop, vgSideLeft, vgSideBottom, vgSideRight };
enum TvgCornerType { vgCornerRound, vgCornerBevel, vgCornerInnerRound, vgCornerInnerLine };
RTL_ENUM_NAMES(TvgCorner, vgCornerTopLeft, vgCornerTopRight, vgCornerBottomLeft,
               vgCornerBottomRight)
RTL_ENUM_NAMES(TvgSide, vgSideTop, vgSideLeft, vgSideBottom, vgSideRight)
RTL_ENUM_NAMES(TvgCornerType, vgCornerRound, vgCornerBevel, vgCornerInnerRound, vgCornerInnerLine)

using TvgCorners = rtl::TSet<TvgCorner>;
using TvgSides = rtl::TSet<TvgSide>;

inline constexpr float cPI = 3.14159265358979323846f;
inline constexpr float cOneHalf = 0.5f;
inline constexpr float Epsilon = 1e-40f;
inline constexpr float cPIdiv180 = 0.017453292f;
inline constexpr float c180divPI = 57.29578f;
inline constexpr float c2PI = 6.28318530717958647692f;
inline constexpr float cPIdiv2 = 1.57079632679489661923f;
inline constexpr float cPIdiv4 = 0.78539816339744830962f;
inline constexpr float c3PIdiv4 = 2.35619449019234492885f;
inline constexpr float cInv2PI = 0.15915494309189533577f;
inline constexpr float cInv360 = 0.0027777778f;
inline constexpr float c180 = 180;
inline constexpr float c360 = 360;

inline constexpr TvgMatrix IdentityMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1};
inline constexpr TvgMatrix ZeroMatrix{};
inline constexpr TvgRect NullRect{};
inline constexpr TvgCorners AllCorners{vgCornerTopLeft, vgCornerTopRight, vgCornerBottomLeft,
                                       vgCornerBottomRight};
inline constexpr TvgSides AllSides{vgSideTop, vgSideLeft, vgSideBottom, vgSideRight};
inline constexpr TvgPoint ClosePolygon{65535, 65535};

// Construction and small arithmetic.
TvgPoint vgPoint(float x, float y);
TvgRect vgRect(float left, float top, float right, float bottom);
TvgVector vgVector(float x, float y, float w = 1);
TvgVector vgVector(TvgPoint p, float w = 1);
TvgPoint vgPointFromVector(const TvgVector& v);
float vgMinFloat(float a, float b);
float vgMaxFloat(float a, float b);
float vgMinMax(float x, float min, float max);
TvgPoint vgMinPoint(TvgPoint p1, TvgPoint p2);  // smaller Y, then smaller X, ties give p1
TvgPoint vgScalePoint(TvgPoint p, float sx, float sy);
void vgSinCos(float angle, float& sin, float& cos);
float vgDegToRad(float degrees);
float vgRadToDeg(float radians);
float vgNormalizeAngle(float angle);  // result in [-180, 360)

// Rectangles; none of them normalises unless its name says so.
float vgRectWidth(const TvgRect& r);
float vgRectHeight(const TvgRect& r);
void vgOffsetRect(TvgRect& r, float dx, float dy);
void vgMultiplyRect(TvgRect& r, float sx, float sy);
void vgInflateRect(TvgRect& r, float dx, float dy);
TvgRect vgUnionRect(const TvgRect& r1, const TvgRect& r2);
// True when the rectangles touch or overlap (meeting edges count).
bool vgIntersectRect(const TvgRect& r1, const TvgRect& r2);
// True only for a strict overlap, which goes to dest; otherwise dest = NullRect.
bool vgIntersectRect(TvgRect& dest, const TvgRect& r1, const TvgRect& r2);
bool vgPtInRect(TvgPoint p, const TvgRect& r);
bool vgIsRectEmpty(const TvgRect& r);
TvgRect vgNormalizeRect(const std::vector<TvgPoint>& points);
TvgRect vgNormalizeRect2(const TvgRect& r);
// Centres r in bounds with whole-number offsets; returns the moved r.
TvgRect vgRectCenter(TvgRect& r, const TvgRect& bounds);
// Fits r into bounds keeping proportions, centred; returns the ratio.
float vgFitRect(TvgRect& r, const TvgRect& bounds);

// Matrices and vectors.
TvgMatrix vgMatrixMultiply(const TvgMatrix& a, const TvgMatrix& b);
float vgMatrixDeterminant(const TvgMatrix& m);
void vgAdjointMatrix(TvgMatrix& m);
void vgScaleMatrix(TvgMatrix& m, float s);
void vgInvertMatrix(TvgMatrix& m);  // a singular matrix becomes IdentityMatrix
TvgMatrix vgCreateRotationMatrix(float radians);
TvgMatrix vgCreateTranslateMatrix(float dx, float dy);
TvgVector vgVectorTransform(const TvgVector& v, const TvgMatrix& m);
TvgVector vgVectorAdd(const TvgVector& a, const TvgVector& b);
TvgVector vgVectorSubtract(const TvgVector& a, const TvgVector& b);
TvgVector vgVectorScale(const TvgVector& v, float s);
float vgVectorNorm(const TvgVector& v);
float vgVectorLength(const TvgVector& v);
TvgVector vgVectorNormalize(const TvgVector& v);  // W of the result is 0
float vgVectorDotProduct(const TvgVector& a, const TvgVector& b);
float vgVectorCrossProductZ(const TvgVector& a, const TvgVector& b);
float vgVectorAngleCosine(const TvgVector& a, const TvgVector& b);
TvgVector vgVectorCombine2(const TvgVector& a, const TvgVector& b, float fa, float fb);
TvgVector vgVectorReflect(const TvgVector& v, const TvgVector& n);
float vgVectorAngle(const TvgVector& a, const TvgVector& b);  // degrees, signed

// Linear interpolation (rotation takes no shortest way across 360).
float vgInterpolateSingle(float start, float stop, float t);
float vgInterpolateRotation(float start, float stop, float t);

}  // namespace vg
