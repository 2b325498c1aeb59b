// The angle unit of the trigonometric and hyperbolic operands.
#pragma once

#include "realops/ArgumentReduction.h"

namespace numora {

long double DegreesToRadiansFactor();
long double RadiansToDegreesFactor();
long double GradsToRadiansFactor();
long double RadiansToGradsFactor();

// x in the current angle unit, in radians; resets an unknown unit to "RAD".
long double AngleToRadians(long double x);
// x in the current angle unit, reduced for the circular functions: degrees and grads in their
// own unit, radians by pi/2.
kernels::ReducedAngle ReduceAngle(long double x);

}  // namespace numora
