#include <limits>

#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

// 1 - x^2 of x + x_low, computed as (1 - x - x_low)(1 + x + x_low) near +-1, where the
// square's rounding would cancel (1 - x and 1 + x are exact there).
static long double OneMinusSquare(long double x, long double x_low) {
  if (Magnitude(x) > 0.5L) return ((1.0L - x) - x_low) * ((1.0L + x) + x_low);
  return 1.0L - x * x;
}

long double ArcSine(long double x, long double x_low) {
  return x87::ArcTangent2(x, x87::Sqrt(OneMinusSquare(x, x_low)));
}
long double ArcCosine(long double x, long double x_low) {
  return x87::ArcTangent2(x87::Sqrt(OneMinusSquare(x, x_low)), x);
}

long double ArcCotangent(long double x) {
  if (x == 0.0L) return HalfPi();
  return x87::ArcTangent2(1.0L / x, 1.0L);
}

// Near |x| = 1 the rounding of 1/x costs half the digits of acos(1/x) and asin(1/x); both are
// angles of the point (sign x, sqrt(x^2 - 1)), scaled by |x|, without the reciprocal.
static bool NearOneOutside(long double x) { return Magnitude(x) < 2.0L; }
static long double SquareMinusOneRoot(long double x, long double x_low) {
  const long double m = Magnitude(x);  // +0 at x = -1, so the angle there is +pi
  const long double m_low = x < 0.0L ? -x_low : x_low;
  return x87::Sqrt(((m - 1.0L) + m_low) * ((m + 1.0L) + m_low));
}

long double ArcSecant(long double x, long double x_low) {
  if (x == 0.0L) return std::numeric_limits<long double>::infinity();
  if (NearOneOutside(x)) {
    return x87::ArcTangent2(SquareMinusOneRoot(x, x_low), CopySign(1.0L, x));
  }
  return ArcCosine(1.0L / x);
}

long double ArcCosecant(long double x, long double x_low) {
  if (x == 0.0L) return std::numeric_limits<long double>::infinity();
  if (NearOneOutside(x)) {
    return x87::ArcTangent2(CopySign(1.0L, x), SquareMinusOneRoot(x, x_low));
  }
  return ArcSine(1.0L / x);
}

}  // namespace numora::kernels
