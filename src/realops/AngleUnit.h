// The angle unit of the trigonometric and hyperbolic operands.
#pragma once

#include "plugin/PluginState.h"
#include "realops/ArgumentReduction.h"
#include "realops/CircularKernels.h"
#include "realops/ExactProduct.h"

namespace numora {

long double DegreesToRadiansFactor();
long double RadiansToDegreesFactor();
long double GradsToRadiansFactor();
long double RadiansToGradsFactor();

enum class AngleUnit { kRadians, kDegrees, kGrads };
// The unit set last in `state`; an unknown unit reads as radians and is reset to "RAD".
AngleUnit CurrentAngleUnit(PluginState& state);

// x in `unit`, in radians: one product with the unit's factor.
inline long double AngleToRadians(long double x, AngleUnit unit) {
  switch (unit) {
    case AngleUnit::kDegrees:
      return x * DegreesToRadiansFactor();
    case AngleUnit::kGrads:
      return x * GradsToRadiansFactor();
    default:
      return x;
  }
}

// The same as hi + lo: hi is AngleToRadians(x), lo what its rounding left out of the exact
// angle x * pi/180 (or pi/200), for the functions that amplify that half unit.
kernels::Pair DegreesOrGradsInParts(long double x, AngleUnit unit);
inline kernels::Pair AngleToRadiansInParts(long double x, AngleUnit unit) {
  if (unit == AngleUnit::kRadians) return {x, 0.0L};
  return DegreesOrGradsInParts(x, unit);
}

// In degrees and grads an operand below about 2^-16376 becomes an angle below the normal
// range, held with fewer bits than a function of it may need, or as a zero. Where a function is
// the angle's reciprocal or logarithm to every digit, or the angle's sign decides it, it takes
// the angle from x instead: these tell such an angle, and give 1/(x f) and ln |x f| for the
// current unit's exact factor f.
inline bool IsBelowNormalRange(long double angle, long double x) {
  return angle != x && kernels::Magnitude(angle) < 0x1p-16382L;
}
long double ReciprocalOfAngle(long double x, AngleUnit unit);
long double LnOfAngleMagnitude(long double x, AngleUnit unit);

// x in `unit`, reduced for the circular functions: degrees and grads in their own unit, radians
// by pi/2.
inline kernels::ReducedAngle ReduceAngle(long double x, AngleUnit unit) {
  switch (unit) {
    case AngleUnit::kDegrees:
      return kernels::ReduceByRightAngle(x, 90.0L, DegreesToRadiansFactor());
    case AngleUnit::kGrads:
      return kernels::ReduceByRightAngle(x, 100.0L, GradsToRadiansFactor());
    default:
      return kernels::ReduceRadians(x);
  }
}

}  // namespace numora
