// The six circular functions of a reduced angle, and the reduction of radians. Inline: a
// long double passed to or returned from a function in another file goes through memory: a
// store and a load on the value's path.
#pragma once

#include "realops/ArgumentReduction.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

// Beyond pi/4 the argument is reduced here, exactly, and the processor's instructions run on
// the remainder only: its own reduction carries a 66-bit pi.
inline bool NeedsReduction(long double x) {
  constexpr long double kQuarterPi = 0.78539816339744830961L;
  return Magnitude(x) > kQuarterPi && !IsInfinite(x) && x == x;
}

inline ReducedAngle ReduceRadians(long double x) {
  if (!NeedsReduction(x)) return {0, x};
  return ReduceByHalfPi(x);
}

inline long double SineOfRemainder(const ReducedAngle& a) {
  if (a.exact == ExactRemainder::kSineHalf) return CopySign(0.5L, a.remainder);
  return x87::Sine(a.remainder);
}

inline long double TangentOfRemainder(const ReducedAngle& a) {
  if (a.exact == ExactRemainder::kTangentOne) return CopySign(1.0L, a.remainder);
  return x87::PartialTangent(a.remainder);
}

// sin((4n + q) * pi/2 + r), for |r| <= pi/4.
inline long double SineOf(const ReducedAngle& a) {
  switch (a.quadrant & 3) {
    case 0:
      return SineOfRemainder(a);
    case 1:
      return x87::Cosine(a.remainder);
    case 2:
      return -SineOfRemainder(a);
    default:
      return -x87::Cosine(a.remainder);
  }
}

// cos x = sin(x + pi/2): one quadrant on.
inline long double CosineOf(const ReducedAngle& a) {
  return SineOf({a.quadrant + 1, a.remainder, a.exact, a.in_unit});
}

inline long double TangentOf(const ReducedAngle& a) {
  const long double t = TangentOfRemainder(a);
  return (a.quadrant & 1) == 0 ? t : -1.0L / t;
}

inline long double CotangentOf(const ReducedAngle& a) {
  const long double t = TangentOfRemainder(a);
  return (a.quadrant & 1) == 0 ? 1.0L / t : -t;
}

inline long double SecantOf(const ReducedAngle& a) { return 1.0L / CosineOf(a); }
inline long double CosecantOf(const ReducedAngle& a) { return 1.0L / SineOf(a); }

}  // namespace numora::kernels
