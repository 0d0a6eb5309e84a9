#pragma once
// The easing functions that turn elapsed time into animation progress (the
// classic Penner equations). t is the elapsed time, b the start value, c the
// change and d the duration; the last argument picks the In, Out or InOut
// form, and any other value gives 0.
#include "platform/rtl/TypeInfo.h"

namespace vg {

enum TvgInterpolationType {
  vgInterpolationLinear,
  vgInterpolationQuadratic,
  vgInterpolationCubic,
  vgInterpolationQuartic,
  vgInterpolationQuintic,
  vgInterpolationSinusoidal,
  vgInterpolationExponential,
  vgInterpolationCircular,
  vgInterpolationElastic,
  vgInterpolationBack,
  vgInterpolationBounce,
};
RTL_ENUM_NAMES(TvgInterpolationType, vgInterpolationLinear, vgInterpolationQuadratic,
               vgInterpolationCubic, vgInterpolationQuartic, vgInterpolationQuintic,
               vgInterpolationSinusoidal, vgInterpolationExponential, vgInterpolationCircular,
               vgInterpolationElastic, vgInterpolationBack, vgInterpolationBounce)

enum TvgAnimationType { vgAnimationIn, vgAnimationOut, vgAnimationInOut };
RTL_ENUM_NAMES(TvgAnimationType, vgAnimationIn, vgAnimationOut, vgAnimationInOut)

double vgInterpolateLinear(double t, double b, double c, double d);
double vgInterpolateQuad(double t, double b, double c, double d, TvgAnimationType type);
double vgInterpolateCubic(double t, double b, double c, double d, TvgAnimationType type);
double vgInterpolateQuart(double t, double b, double c, double d, TvgAnimationType type);
double vgInterpolateQuint(double t, double b, double c, double d, TvgAnimationType type);
double vgInterpolateSine(double t, double b, double c, double d, TvgAnimationType type);
double vgInterpolateExpo(double t, double b, double c, double d, TvgAnimationType type);
double vgInterpolateCirc(double t, double b, double c, double d, TvgAnimationType type);
// s is the overshoot; 0 stands for 1.70158.
double vgInterpolateBack(double t, double b, double c, double d, double s, TvgAnimationType type);
// a is the amplitude and p the period; 0 picks the usual values.
double vgInterpolateElastic(double t, double b, double c, double d, double a, double p,
                            TvgAnimationType type);
double vgInterpolateBounce(double t, double b, double c, double d, TvgAnimationType type);

// The progress from 0 to 1 (Back, Elastic and Bounce may leave that range)
// after time t of duration d, as an animation eases it: b = 0, c = 1 and the
// default overshoot, amplitude and period.
double vgEase(TvgInterpolationType interpolation, TvgAnimationType type, double t, double d);

}  // namespace vg
