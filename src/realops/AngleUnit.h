// The angle unit of the trigonometric and hyperbolic operands.
#pragma once

#include "realops/ArgumentReduction.h"
#include "realops/CircularKernels.h"

namespace numora {

long double DegreesToRadiansFactor();
long double RadiansToDegreesFactor();
long double GradsToRadiansFactor();
long double RadiansToGradsFactor();

// x in the current angle unit, in radians; resets an unknown unit to "RAD".
long double AngleToRadians(long double x);
enum class AngleUnit { kRadians, kDegrees, kGrads };
// The unit set last; an unknown unit reads as radians and is reset to "RAD".
AngleUnit CurrentAngleUnit();

// x in the current angle unit, reduced for the circular functions: degrees and grads in their
// own unit, radians by pi/2.
inline kernels::ReducedAngle ReduceAngle(long double x) {
  switch (CurrentAngleUnit()) {
    case AngleUnit::kDegrees:
      return kernels::ReduceByRightAngle(x, 90.0L, DegreesToRadiansFactor());
    case AngleUnit::kGrads:
      return kernels::ReduceByRightAngle(x, 100.0L, GradsToRadiansFactor());
    default:
      return kernels::ReduceRadians(x);
  }
}

}  // namespace numora
