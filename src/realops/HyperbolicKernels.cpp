#include <cmath>
#include <limits>

#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

// e^|x| / 2 for |x| beyond kLargeExpArgument, where e^-|x| is below every digit of it: one
// exponential, carried in parts with x_low, which the result amplifies |x| times. Where e^x
// alone overflows, e^x / 2 does not yet.
static long double HalfExpOfMagnitude(long double x, long double x_low) {
  const long double magnitude = Magnitude(x);
  // Beyond 2^16 the result lies past the range whatever x_low is.
  if (magnitude > kBeyondRange) return ExpOfLargeArgument(kBeyondRange, -1);
  return ExpOfLargeArgument(magnitude, -1, x < 0.0L ? -x_low : x_low);
}

// Below 1/2 e^x - e^-x cancels (at 2^-8 a hundred units in the last place): e^x - 1 from
// 2^f - 1 keeps the digits, and the tangent's e^2x - 1 below 3/10.
constexpr long double kCancellingSinH = 0.5L;
constexpr long double kCancellingTanH = 0.3L;

long double SinH(long double x, long double x_low) {
  if (x == 0.0L) return x;  // the zero keeps its sign: csch(-0) = -inf
  if (Magnitude(x) < kCancellingSinH) {
    const long double u = ExpM1(x);
    return (u + u / (u + 1.0L)) / 2.0L;
  }
  if (Magnitude(x) > kLargeExpArgument) return CopySign(HalfExpOfMagnitude(x, x_low), x);
  const long double up = Exp(x);
  const long double down = Exp(-x);
  // sinh(x + x_low) = sinh x + x_low cosh x to every digit: the result amplifies x_low |x| times.
  return (up - down) / 2.0L + x_low * ((up + down) / 2.0L);
}

long double CosH(long double x, long double x_low) {
  if (IsZero(x)) return 1.0L;
  if (Magnitude(x) > kLargeExpArgument) return HalfExpOfMagnitude(x, x_low);
  const long double up = Exp(x);
  const long double down = Exp(-x);
  return (up + down) / 2.0L + x_low * ((up - down) / 2.0L);
}

long double TanH(long double x) {
  if (x == 0.0L) return x;  // the zero keeps its sign: coth(-0) = -inf
  if (Magnitude(x) < kCancellingTanH) {
    const long double u = ExpM1(2.0L * x);
    return u / (u + 2.0L);
  }
  // Beyond the range of sinh and cosh their ratio is 1 to every digit.
  if (Magnitude(x) > kExpOverflowArgument) return CopySign(1.0L, x);
  const long double sinh = SinH(x);
  return sinh / CosH(x);
}

long double CotH(long double x) { return 1.0L / TanH(x); }
long double SecH(long double x, long double x_low) { return 1.0L / CosH(x, x_low); }
long double CscH(long double x, long double x_low) { return 1.0L / SinH(x, x_low); }

long double ArcSinH(long double x) {
  // The sum cancels for negative operands; the function is odd.
  if (x < 0.0L) return -ArcSinH(-x);
  // Below 2 ln(x + sqrt(x^2 + 1)) is ln of a value near 1 (at 2^-8 two hundred units in the
  // last place lost): ln(1 + t) keeps the digits.
  if (x < 2.0L) return LnXP1(x + x * x / (1.0L + x87::Sqrt(x * x + 1.0L)));
  // Where x^2 would overflow, sqrt(x^2 + 1) is x to every digit.
  if (x > kSquareOverflowArgument) return Ln(x) + x87::Ln2();
  return Ln(x + x87::Sqrt(x * x + 1.0L));
}

long double ArcCosH(long double x, long double x_low) {
  // Near 1 the logarithm's argument is near 1: ln(1 + t) with t = (x - 1) + sqrt(x^2 - 1).
  if (x < 1.5L && x >= 1.0L) {
    const long double below = (x - 1.0L) + x_low;  // x - 1 exact here
    return LnXP1(below + x87::Sqrt(below * (x + 1.0L)));
  }
  if (x > kSquareOverflowArgument) return Ln(x) + x87::Ln2();
  return Ln(x + (x + 1.0L) * x87::Sqrt((x - 1.0L) / (x + 1.0L)));
}

// Whether x + x_low is exactly +-1, a pole of artanh and arcoth.
static bool IsPlusOrMinusOne(long double x, long double x_low) {
  return Magnitude(x) == 1.0L && x_low == 0.0L;
}

// Near +-1 the ratios' small sides 1 -+ x are exact, and x_low is taken into them.
long double ArcTanH(long double x, long double x_low) {
  if (IsPlusOrMinusOne(x, x_low)) return CopySign(std::numeric_limits<long double>::infinity(), x);
  // Below 1/2 the ratio is near 1: ln((1 + x) / (1 - x)) = ln(1 + 2x / (1 - x)).
  if (Magnitude(x) < 0.5L) return 0.5L * LnXP1(2.0L * x / (1.0L - x));
  return 0.5L * Ln(((x + 1.0L) + x_low) / ((1.0L - x) - x_low));
}

long double ArcCotH(long double x, long double x_low) {
  if (IsPlusOrMinusOne(x, x_low)) return CopySign(std::numeric_limits<long double>::infinity(), x);
  // Beyond 2 the ratio is near 1: ln((x + 1) / (x - 1)) = ln(1 + 2 / (x - 1)).
  if (Magnitude(x) > 2.0L) return 0.5L * LnXP1(2.0L / (x - 1.0L));
  return 0.5L * Ln(((x + 1.0L) + x_low) / ((x - 1.0L) + x_low));
}

long double ArcSecH(long double x, long double x_low) {
  if (x == 0.0L) return std::numeric_limits<long double>::infinity();
  if (x == 1.0L && x_low == 0.0L) return 0.0L;
  // Where 2/x overflows the result is ln 2 - ln x to every digit.
  if (x > 0.0L && x < 1.0L / kSquareOverflowArgument) return x87::Ln2() - Ln(x);
  // Near 1: 1 - x^2 as (1 - x)(1 + x), and ln(1 + t) with t = ((1 - x) + sqrt(1 - x^2)) / x.
  if (x > 0.5L && x <= 1.0L) {
    const long double below = (1.0L - x) - x_low;  // 1 - x exact here
    return LnXP1((below + x87::Sqrt(below * (1.0L + x))) / x);
  }
  return Ln((1.0L + x87::Sqrt(1.0L - x * x)) / x);
}

long double ArcCscH(long double x) {
  if (std::signbit(x)) return -ArcCscH(-x);  // odd, as asinh is, -0 included
  // Where 1/x^2 overflows it is ln(2/x), and 2/x itself may overflow: ln 2 - ln x.
  if (x != 0.0L && x < 1.0L / kSquareOverflowArgument) return x87::Ln2() - Ln(x);
  // The stated ln(1/x + sqrt(1/x^2 + 1)) is ln of a value near 1 for large x: asinh(1/x),
  // whose own forms keep the digits (the reciprocal's rounding costs half a unit).
  if (x != 0.0L) return ArcSinH(1.0L / x);
  const long double reciprocal = 1.0L / x;
  return Ln(reciprocal + x87::Sqrt(1.0L / (x * x) + 1.0L));
}

}  // namespace numora::kernels
