#pragma once
// TvgSpline: a natural cubic spline through a point list, each coordinate a
// function of the point index (t = i is the i-th point). The path animation
// moves nodes along it.
#include <vector>

#include "ui/core/vg_types.h"

namespace vg {

// One segment's cubic in its local parameter u = t - (segment index).
struct TvgSplineCoefficients {
  float Cubic = 0;
  float Quadratic = 0;
  float Linear = 0;
  float Constant = 0;
};
using TvgSplineMatrix = std::vector<TvgSplineCoefficients>;

class TvgSpline {
 public:
  explicit TvgSpline(const TvgPolygon& polygon);

  // Both results are 0 for a spline of fewer than two points; outside
  // [0, count - 1] the first or last cubic is extrapolated.
  void SplineXY(float t, float& x, float& y) const;

 private:
  TvgSplineMatrix matX_;
  TvgSplineMatrix matY_;
  int len_ = 0;
};

}  // namespace vg
