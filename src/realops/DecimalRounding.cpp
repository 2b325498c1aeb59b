#include "realops/DecimalRounding.h"

#include "numtext/Extended.h"
#include "realops/ExactProduct.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"

namespace numora::kernels {
namespace {

// hi + lo rounded to double once (|lo| below half a unit of hi): a hi halfway between two
// doubles goes the way lo points; anywhere else hi alone decides.
double RoundedToDouble(Pair v) {
  const ExtendedBits bits = BitsOfExtended(v.hi);
  const int field = bits.sign_and_exponent & 0x7FFF;
  constexpr uint64_t kDroppedBits = 0x7FF;  // the 11 of 64 a double's 53 leave
  const bool normal_double = field > 0x3FFF - 1022 && field < 0x3FFF + 1024;
  if (v.lo == 0.0L || !normal_double || (bits.significand & kDroppedBits) != 0x400) {
    return static_cast<double>(v.hi);
  }
  const bool away = (v.lo > 0.0L) == (v.hi > 0.0L);
  const uint64_t below = bits.significand & ~kDroppedBits;
  const uint64_t above = below + (kDroppedBits + 1);
  if (!away) return static_cast<double>(ExtendedFromBits(bits.sign_and_exponent, below));
  if (above != 0) return static_cast<double>(ExtendedFromBits(bits.sign_and_exponent, above));
  // Carried into the next power of two.
  return static_cast<double>(
      ExtendedFromBits(static_cast<uint16_t>(bits.sign_and_exponent + 1), 1ULL << 63));
}

double PowerOfTenAsDouble(int8_t digit_position) {
  return static_cast<double>(IntPower(10.0L, digit_position));
}

// The quotient q = x / 10^d and the way back from an integer k to k * 10^d. For d < 0 the
// double 10^d is slightly too large (halves then fall below the half): q = x * 10^-d instead,
// exact in extended for -d up to 27, and k / 10^-d. The way back is rounded to double once:
// rounded to extended first, it would sometimes round twice.
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
    if (k == 0) return static_cast<double>(whole);
    if (!negative) return RoundedToDouble(ExactProduct(whole, factor));
    const long double quotient = whole / factor;
    const Pair back = ExactProduct(quotient, factor);  // the remainder exactly, then its share
    return RoundedToDouble({quotient, ((whole - back.hi) - back.lo) / factor});
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
