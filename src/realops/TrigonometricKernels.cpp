#include <limits>

#include "realops/ArgumentReduction.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

// Beyond pi/4 the argument is reduced here, exactly, and the processor's instructions run on
// the remainder only: its own reduction carries a 66-bit pi.
static bool NeedsReduction(long double x) {
  constexpr long double kQuarterPi = 0.78539816339744830961L;
  return Magnitude(x) > kQuarterPi && !IsInfinite(x) && x == x;
}

ReducedAngle ReduceRadians(long double x) {
  if (!NeedsReduction(x)) return {0, x};
  return ReduceByHalfPi(x);
}

static long double SineOfRemainder(const ReducedAngle& a) {
  if (a.exact == ExactRemainder::kSineHalf) return CopySign(0.5L, a.remainder);
  return x87::Sine(a.remainder);
}

static long double TangentOfRemainder(const ReducedAngle& a) {
  if (a.exact == ExactRemainder::kTangentOne) return CopySign(1.0L, a.remainder);
  return x87::PartialTangent(a.remainder);
}

// sin((4n + q) * pi/2 + r), for |r| <= pi/4.
long double SineOf(const ReducedAngle& a) {
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
long double CosineOf(const ReducedAngle& a) {
  return SineOf({a.quadrant + 1, a.remainder, a.exact});
}

long double TangentOf(const ReducedAngle& a) {
  const long double t = TangentOfRemainder(a);
  return (a.quadrant & 1) == 0 ? t : -1.0L / t;
}

long double CotangentOf(const ReducedAngle& a) {
  const long double t = TangentOfRemainder(a);
  return (a.quadrant & 1) == 0 ? 1.0L / t : -t;
}

long double SecantOf(const ReducedAngle& a) { return 1.0L / CosineOf(a); }
long double CosecantOf(const ReducedAngle& a) { return 1.0L / SineOf(a); }

long double SinePrimitive(long double x) { return SineOf(ReduceRadians(x)); }
long double CosinePrimitive(long double x) { return CosineOf(ReduceRadians(x)); }
long double Tangent(long double x) { return TangentOf(ReduceRadians(x)); }
long double Cotangent(long double x) { return CotangentOf(ReduceRadians(x)); }
long double Secant(long double x) { return SecantOf(ReduceRadians(x)); }
long double Cosecant(long double x) { return CosecantOf(ReduceRadians(x)); }

// 1 - x^2, computed as (1 - x)(1 + x) near +-1, where the square's rounding would cancel.
static long double OneMinusSquare(long double x) {
  if (Magnitude(x) > 0.5L) return (1.0L - x) * (1.0L + x);
  return 1.0L - x * x;
}

long double ArcSine(long double x) { return x87::ArcTangent2(x, x87::Sqrt(OneMinusSquare(x))); }
long double ArcCosine(long double x) { return x87::ArcTangent2(x87::Sqrt(OneMinusSquare(x)), x); }

long double ArcCotangent(long double x) {
  if (x == 0.0L) return HalfPi();
  return x87::ArcTangent2(1.0L / x, 1.0L);
}

// Near |x| = 1 the rounding of 1/x costs half the digits of acos(1/x) and asin(1/x); both are
// angles of the point (sign x, sqrt(x^2 - 1)), scaled by |x|, without the reciprocal.
static bool NearOneOutside(long double x) { return Magnitude(x) < 2.0L; }
static long double SquareMinusOneRoot(long double x) {
  const long double m = Magnitude(x);  // +0 at x = -1, so the angle there is +pi
  return x87::Sqrt((m - 1.0L) * (m + 1.0L));
}

long double ArcSecant(long double x) {
  if (x == 0.0L) return std::numeric_limits<long double>::infinity();
  if (NearOneOutside(x)) return x87::ArcTangent2(SquareMinusOneRoot(x), CopySign(1.0L, x));
  return ArcCosine(1.0L / x);
}

long double ArcCosecant(long double x) {
  if (x == 0.0L) return std::numeric_limits<long double>::infinity();
  if (NearOneOutside(x)) return x87::ArcTangent2(CopySign(1.0L, x), SquareMinusOneRoot(x));
  return ArcSine(1.0L / x);
}

}  // namespace numora::kernels
