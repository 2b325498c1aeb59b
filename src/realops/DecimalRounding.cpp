#include "realops/DecimalRounding.h"

#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"

namespace numora::kernels {
namespace {

double PowerOfTenAsDouble(int8_t digit_position) {
  return static_cast<double>(IntPower(10.0L, digit_position));
}

// The quotient q = x / 10^d and the way back from an integer k to k * 10^d. For d < 0 the
// double 10^d is slightly too large (halves then fall below the half): q = x * 10^-d instead,
// exact in extended for -d up to 27, and k / 10^-d rounded to double once.
struct DecimalScale {
  explicit DecimalScale(int8_t d)
      : negative(d < 0),
        factor(negative ? IntPower(10.0L, -static_cast<int32_t>(d))
                        : static_cast<long double>(PowerOfTenAsDouble(d))) {}
  long double Quotient(double x) const {
    return negative ? static_cast<long double>(x) * factor : static_cast<long double>(x) / factor;
  }
  double Back(int64_t k) const {
    const long double whole = static_cast<long double>(k);
    return static_cast<double>(negative ? whole / factor : whole * factor);
  }
  bool negative;
  long double factor;
};

// Beyond the 64-bit integer steps x is a multiple of 10^d already; an x beyond the double range
// became an infinity when it was narrowed, and stays one.
bool IsWholeOrInfinite(long double q) { return IsWholeBeyondInt64(q) || IsInfinite(q); }

}  // namespace

double RoundToNearestEvenDecimal(double x, int8_t digit_position) {
  const DecimalScale scale(digit_position);
  const long double q = scale.Quotient(x);
  if (IsWholeOrInfinite(q)) return x;
  return scale.Back(RoundToNearest(q));
}

double RoundHalfUpDecimal(double x, int8_t digit_position) {
  const DecimalScale scale(digit_position);
  const long double q = scale.Quotient(x);
  if (IsWholeOrInfinite(q)) return x;
  // Halves move away from zero on both sides.
  return scale.Back(q >= 0.0L ? Truncate(q + 0.5L) : Truncate(q - 0.5L));
}

}  // namespace numora::kernels
