// The angle unit of the trigonometric and hyperbolic operands.
#pragma once

namespace numora {

long double DegreesToRadiansFactor();
long double RadiansToDegreesFactor();
long double GradsToRadiansFactor();
long double RadiansToGradsFactor();

// x in the current angle unit, in radians; resets an unknown unit to "RAD".
long double AngleToRadians(long double x);

}  // namespace numora
