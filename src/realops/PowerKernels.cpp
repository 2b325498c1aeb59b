#include "numtext/Extended.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

namespace {

// A value carried as hi + lo, lo holding the rounding errors of the products that formed it.
struct Pair {
  long double hi, lo;
};

// Within these magnitudes the products and the splitting of their factors stay normal.
bool SplitsSafely(long double x) {
  const long double m = Magnitude(x);
  return m < 0x1p8000L && m > 0x1p-8000L;
}

// hi * hi of two pairs with the exact error of that product (Dekker: each factor split into
// two halves of 32 bits, whose products are exact), then the cross terms.
Pair Multiply(Pair a, Pair b) {
  if (!SplitsSafely(a.hi) || !SplitsSafely(b.hi)) return {a.hi * b.hi, 0.0L};
  constexpr long double kSplit = 4294967297.0L;  // 2^32 + 1
  const long double product = a.hi * b.hi;
  const long double ca = kSplit * a.hi;
  const long double a_high = ca - (ca - a.hi);
  const long double a_low = a.hi - a_high;
  const long double cb = kSplit * b.hi;
  const long double b_high = cb - (cb - b.hi);
  const long double b_low = b.hi - b_high;
  const long double error =
      ((a_high * b_high - product) + a_high * b_low + a_low * b_high) + a_low * b_low;
  const long double low = error + (a.hi * b.lo + a.lo * b.hi);
  const long double sum = product + low;
  return {sum, low - (sum - product)};
}

// Beyond this many squarings the plain loop's doubling of the relative error shows in the
// 15th digit: the products are then carried with their errors and rounded once at the end.
constexpr uint32_t kPlainLoopLimit = 4096;

long double CompensatedPower(long double base, uint32_t remaining, bool reciprocal) {
  Pair result{1.0L, 0.0L};
  Pair power{base, 0.0L};
  for (;;) {
    const bool bit = (remaining & 1u) != 0;
    remaining >>= 1;
    if (bit) {
      result = Multiply(result, power);
      if (remaining == 0) break;
    }
    power = Multiply(power, power);
  }
  if (!reciprocal) return result.hi + result.lo;
  const long double inverse = 1.0L / result.hi;
  return inverse - inverse * (result.lo * inverse);
}

// Whether an integral value is odd; from 2^64 on every extended value is even.
bool IsOddIntegral(long double x) {
  const ExtendedBits bits = BitsOfExtended(x);
  const int exponent = (bits.sign_and_exponent & 0x7FFF) - 16383;
  if (exponent < 0 || exponent > 63) return false;
  return ((bits.significand >> (63 - exponent)) & 1u) != 0;
}

// A negative base to an integral power of any size: the parity decides the sign. A power that
// is not integral keeps the stated formula (the logarithm's invalid operation).
__attribute__((noinline, cold)) long double PowerOfNegativeBase(long double base,
                                                                long double exponent) {
  if (Fraction(exponent) != 0.0L) return Exp(exponent * Ln(base));
  const long double magnitude = Exp(exponent * Ln(-base));
  return IsOddIntegral(exponent) ? -magnitude : magnitude;
}

}  // namespace

long double IntPower(long double base, int32_t exponent) {
  if (exponent == 0) return 1.0L;
  uint32_t remaining =
      exponent < 0 ? 0u - static_cast<uint32_t>(exponent) : static_cast<uint32_t>(exponent);
  if (remaining > kPlainLoopLimit) return CompensatedPower(base, remaining, exponent < 0);
  long double result = 1.0L;
  long double power = base;
  for (;;) {
    const bool bit = (remaining & 1u) != 0;
    remaining >>= 1;
    if (bit) {
      result = result * power;
      if (remaining == 0) break;
    }
    power = power * power;  // squared only while bits remain
  }
  return exponent < 0 ? 1.0L / result : result;
}

long double Power(long double base, long double exponent) {
  if (exponent == 0.0L) return 1.0L;
  if (base == 0.0L && exponent > 0.0L) return 0.0L;
  if (Fraction(exponent) == 0.0L && exponent <= 2147483647.0L && exponent >= -2147483647.0L) {
    return IntPower(base, static_cast<int32_t>(Truncate(exponent)));
  }
  if (base < 0.0L) [[unlikely]] {
    return PowerOfNegativeBase(base, exponent);
  }
  return Exp(exponent * Ln(base));
}

long double Hypot(long double a, long double b) {
  const long double abs_a = a < 0.0L ? -a : a;
  const long double abs_b = b < 0.0L ? -b : b;
  const long double larger = abs_a > abs_b ? abs_a : abs_b;
  const long double smaller = abs_a > abs_b ? abs_b : abs_a;
  if (smaller == 0.0L) return larger;
  const long double ratio = smaller / larger;
  return larger * x87::Sqrt(1.0L + ratio * ratio);
}

long double Ldexp(long double x, int32_t n) { return x87::Scale(x, static_cast<long double>(n)); }

int64_t Floor(long double x) {
  const int64_t whole = Truncate(x);
  const int64_t below = Fraction(x) < 0.0L ? 1 : 0;
  const long double magnitude = x < 0.0L ? -x : x;
  // Within the 64-bit truncation's range the floor is exact; beyond it (or for a NaN) only
  // the low 32 bits of the truncation count.
  if (magnitude < 9223372036854775808.0L) return whole - below;
  return static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(whole))) - below;
}

}  // namespace numora::kernels
