// Angles in degrees or grads, reduced in their own unit: the remainder of a binary value by a
// whole number of degrees is exact, so sin 180 deg is 0 and tan 90 deg a pole, and only the
// remainder, at most half a right angle, is multiplied by the rounded factor.
#include "realops/ArgumentReduction.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

ReducedAngle ReduceByRightAngle(long double x, long double right_angle, long double to_radians) {
  const long double half = right_angle / 2.0L;  // exact, as every constant below
  const long double magnitude = Magnitude(x);
  int quadrant = 0;
  long double r = magnitude;  // infinities and NaNs go on to the kernel as they are
  if (magnitude > half && !IsInfinite(x)) {
    // One turn first (the processor's quotient bits are not kept across its partial steps),
    // then the nearest right angle by comparison: that difference is exact (Sterbenz).
    const long double turn = x87::Remainder(magnitude, 4.0L * right_angle);
    int n = 0;
    if (turn > 3.0L * half) {
      n = 2;
    } else if (turn > half) {
      n = 1;
    } else if (turn < -3.0L * half) {
      n = -2;
    } else if (turn < -half) {
      n = -1;
    }
    quadrant = n & 3;
    r = turn - static_cast<long double>(n) * right_angle;
    // sinpi(1) = +0, cospi(1/2) = +0, tanpi(1/2) = +inf, tanpi(1) = -0: a zero remainder
    // takes the side those signs come from.
    if (r == 0.0L) r = (quadrant == 1 || quadrant == 2) ? -0.0L : 0.0L;
  }
  ExactRemainder exact = ExactRemainder::kNone;
  const long double size = Magnitude(r);
  if (size == half) {
    exact = ExactRemainder::kTangentOne;
  } else if (right_angle == 90.0L && size == 30.0L) {
    exact = ExactRemainder::kSineHalf;
  }
  // The circular functions are odd or even: the negative side mirrors the positive one.
  if (x < 0.0L) {
    quadrant = (4 - quadrant) & 3;
    r = -r;
  }
  return {quadrant, r * to_radians, exact, r};
}

}  // namespace numora::kernels
