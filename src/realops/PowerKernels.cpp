#include "numtext/Extended.h"
#include "realops/ExactProduct.h"
#include "realops/Kernels.h"
#include "realops/Log2Table.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

namespace {

// hi * hi of two pairs with the exact error of that product, then the cross terms.
Pair Multiply(Pair a, Pair b) {
  const Pair exact = ExactProduct(a.hi, b.hi);
  const long double low = exact.lo + (a.hi * b.lo + a.lo * b.hi);
  const long double sum = exact.hi + low;
  return {sum, low - (sum - exact.hi)};
}

// A value (hi + lo) * 2^exponent with 1 <= |hi| < 2: its products never leave the range, so
// neither the squarings nor a reciprocal of a power beyond the range overflow early.
struct Scaled {
  Pair mantissa;
  int64_t exponent;
};

Scaled Split(long double x) {  // finite and not zero
  const ExtendedBits bits = BitsOfExtended(x);
  const int biased = bits.sign_and_exponent & 0x7FFF;
  uint64_t significand = bits.significand;
  int64_t exponent = biased - 16383;
  if (biased == 0) {  // subnormal: normalised from its bits, without touching the unit
    const int shift = __builtin_clzll(significand);
    significand <<= shift;
    exponent = -16382 - shift;
  }
  const uint16_t sign = bits.sign_and_exponent & 0x8000;
  return {{ExtendedFromBits(static_cast<uint16_t>(sign | 0x3FFF), significand), 0.0L}, exponent};
}

Scaled Multiply(const Scaled& a, const Scaled& b) {
  Scaled product{Multiply(a.mantissa, b.mantissa), a.exponent + b.exponent};
  if (Magnitude(product.mantissa.hi) >= 2.0L) {  // halving is exact
    product.mantissa = {product.mantissa.hi / 2.0L, product.mantissa.lo / 2.0L};
    ++product.exponent;
  }
  return product;
}

// The plain loop's error grows with the exponent (up to n units in the last place): beyond 8
// the products are carried with their errors and rounded once at the end, within a unit.
constexpr uint32_t kPlainLoopLimit = 8;

// Whether every product of the plain loop stays in the normal range: |base| in [2^e, 2^(e+1))
// keeps |base|^k for k <= n in [2^(e k), 2^((e + 1) k)).
// Zeros, infinities and NaNs stay what they are through any number of exact products, and the
// plain loop's reciprocal of a zero is the pole: they never need the scaled loop, which
// normalises its base.
// Beyond the limit the loop is still exact (and taken) where the base's significant bits, n
// times, fit the 64 of a product: 0.5^10, 3^40.
bool PlainLoopStaysInRange(long double base, uint32_t n) {
  const ExtendedBits bits = BitsOfExtended(base);
  const int biased = bits.sign_and_exponent & 0x7FFF;
  if (biased == 0x7FFF || bits.significand == 0) return true;  // 0, infinities, NaNs
  const uint32_t significant_bits = 64 - static_cast<uint32_t>(__builtin_ctzll(bits.significand));
  if (n > kPlainLoopLimit && static_cast<uint64_t>(significant_bits) * n > 64) return false;
  if (biased == 0) return false;  // subnormal
  const int64_t e = biased - 16383;
  const int64_t reach = e < 0 ? -e : e + 1;
  return reach * static_cast<int64_t>(n) <= 16000;
}

long double ScaledPower(long double base, uint32_t remaining, bool reciprocal) {
  Scaled result{{1.0L, 0.0L}, 0};
  Scaled power = Split(base);
  for (;;) {
    const bool bit = (remaining & 1u) != 0;
    remaining >>= 1;
    if (bit) {
      result = Multiply(result, power);
      if (remaining == 0) break;
    }
    power = Multiply(power, power);
  }
  long double mantissa;
  int64_t exponent = result.exponent;
  if (reciprocal) {
    const long double inverse = 1.0L / result.mantissa.hi;
    mantissa = inverse - inverse * (result.mantissa.lo * inverse);
    exponent = -exponent;
  } else {
    mantissa = result.mantissa.hi + result.mantissa.lo;
  }
  // One scaling, which raises overflow or underflow where the power lies beyond the range.
  return x87::Scale(mantissa, ClampBeyondRange(static_cast<long double>(exponent)));
}

// log2 |a| for finite nonzero a, to about 80 bits, as hi + lo with |lo| below hi's last bit:
// log2 |a| = k + log2 c + log2(m/c) for |a| = m 2^k, 1 <= m < 2, c = 1 + i/128 the nearest
// table point, and ln(m/c) = 2 atanh(u), u = (m - c)/(m + c), |u| <= 1/512, whose series ends
// at u^7. Near 1 (m near 1, or below 1 near 2) c is 1 or 2: k + log2 c is an exact 0 and the
// series alone keeps every digit, where k and a table entry would cancel.
Pair Log2OfMagnitude(long double magnitude) {
  const Scaled split = Split(magnitude);
  const long double m = split.mantissa.hi;
  // The leading bit, seven table bits and the next one: rounded to the nearest point.
  const int i = static_cast<int>((((BitsOfExtended(m).significand >> 55) + 1) >> 1) - 128);
  const Log2TableEntry& entry = kLog2Table[i];
  const long double table_high =
      ExtendedFromBits(entry.high.sign_and_exponent, entry.high.significand);
  const long double table_low =
      ExtendedFromBits(entry.low.sign_and_exponent, entry.low.significand);
  const Pair whole = ExactSum(static_cast<long double>(split.exponent), table_high);
  const long double c = 1.0L + static_cast<long double>(i) / 128.0L;
  const long double d = m - c;  // exact
  if (d == 0.0L) return ExactSum(whole.hi, whole.lo + table_low);
  const Pair s = ExactSum(m, c);
  const long double inverse = 1.0L / s.hi;  // one division: u and its low part share it
  const long double u = d * inverse;        // u + u_low = d / (s.hi + s.lo)
  const Pair us = ExactProduct(u, s.hi);
  const long double u_low = (((d - us.hi) - us.lo) - u * s.lo) * inverse;
  const long double u2 = u * u;
  const long double tail = u * u2 * (2.0L / 3.0L + u2 * (2.0L / 5.0L + u2 * (2.0L / 7.0L)));
  const long double ln_high = 2.0L * u;
  const long double ln_low = 2.0L * u_low + tail;
  const Pair product = ExactProduct(ln_high, Log2EHigh());
  const long double product_low = product.lo + (ln_high * Log2ELow() + ln_low * Log2EHigh());
  const Pair sum = ExactSum(whole.hi, product.hi);
  return ExactSum(sum.hi, sum.lo + (whole.lo + table_low + product_low));
}

// |a|^e = 2^t, t = e log2 |a|. The stated e^(e ln a) rounds e ln a once, which costs |t| 2^-64
// of the result, up to 4 of the 15th digit at |t| = 1500. The cheap first try is t from one
// fyl2x (within a unit of itself) and 2^t: up to |t| = 4 within 7 units in the last place
// (the unit of t 5.5 of them, 2^f and the sum 1.5). Beyond 4, and `in_parts`, e log2 |a| is
// carried in parts with the errors of its products (e * hi exact, so e may have any number of
// bits): within 2 units, t within 2^-70 of itself, f2xm1 within one, the sum half a unit.
long double PowerOfMagnitude(long double a, long double e, bool in_parts) {
  const long double magnitude = Magnitude(a);
  // A zero base (to a negative exponent here) is the pole of ln 0: division by zero.
  if (a == 0.0L) return Exp(e * Ln(magnitude));
  // |a| in [2^k, 2^(k+1)) bounds |t| by |e| max(|k|, |k + 1|), before any logarithm.
  const int k = (BitsOfExtended(magnitude).sign_and_exponent & 0x7FFF) - 16383;
  const int reach = k < 0 ? -k : k + 1;
  if (!in_parts && Magnitude(e) * static_cast<long double>(reach) <= 4.0L) {
    return TwoToThePair({x87::YLog2X(e, magnitude), 0.0L}, 0.0L);
  }
  const Pair log2 = Log2OfMagnitude(magnitude);
  // Beyond 2^16 the power lies past either end of the range: the scale raises the overflow or
  // underflow (and e times the logarithm's high part may not be split exactly there).
  const long double t = e * log2.hi;
  if (!(Magnitude(t) <= kBeyondRange)) return x87::Scale(1.0L, ClampBeyondRange(t));
  const Pair product = ExactProduct(e, log2.hi);
  // Normalised, so that the split of t into n + f sees all of it in its high part.
  return TwoToThePair(ExactSum(product.hi, product.lo + e * log2.lo), 0.0L);
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
                                                                long double exponent,
                                                                bool in_parts) {
  if (Fraction(exponent) != 0.0L) return Exp(exponent * Ln(base));
  const long double magnitude = PowerOfMagnitude(base, exponent, in_parts);
  return IsOddIntegral(exponent) ? -magnitude : magnitude;
}

// Whether x (finite, nonzero) is an integer within the 32-bit signed range but its lowest,
// and which: the fraction primitive's exact zero and the truncation, from the bits alone (the
// primitives switch the control word twice).
bool IsInt32Integral(long double x, int32_t& n) {
  const ExtendedBits bits = BitsOfExtended(x);
  const int exponent = (bits.sign_and_exponent & 0x7FFF) - 16383;
  if (exponent < 0 || exponent > 30) return false;              // below 1, or 2^31 and beyond
  if ((bits.significand << (exponent + 1)) != 0) return false;  // fraction bits
  const int64_t magnitude = static_cast<int64_t>(bits.significand >> (63 - exponent));
  n = static_cast<int32_t>((bits.sign_and_exponent & 0x8000) != 0 ? -magnitude : magnitude);
  return true;
}

// The general power, from its first try or in parts throughout (the integer power's products
// then carried in pairs too).
long double PowerOf(long double base, long double exponent, bool in_parts) {
  if (exponent == 0.0L) return 1.0L;
  if (base == 0.0L && exponent > 0.0L) return 0.0L;
  int32_t n;
  if (IsInt32Integral(exponent, n)) return in_parts ? IntPowerInPairs(base, n) : IntPower(base, n);
  if (base < 0.0L) [[unlikely]] {
    return PowerOfNegativeBase(base, exponent, in_parts);
  }
  return PowerOfMagnitude(base, exponent, in_parts);
}

}  // namespace

long double IntPower(long double base, int32_t exponent) {
  if (exponent == 0) return 1.0L;
  uint32_t remaining =
      exponent < 0 ? 0u - static_cast<uint32_t>(exponent) : static_cast<uint32_t>(exponent);
  if (!PlainLoopStaysInRange(base, remaining)) return ScaledPower(base, remaining, exponent < 0);
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

long double IntPowerInPairs(long double base, int32_t exponent) {
  const uint32_t remaining =
      exponent < 0 ? 0u - static_cast<uint32_t>(exponent) : static_cast<uint32_t>(exponent);
  const ExtendedBits bits = BitsOfExtended(base);
  const int biased = bits.sign_and_exponent & 0x7FFF;
  if (remaining < 2 || biased == 0x7FFF || bits.significand == 0) return IntPower(base, exponent);
  return ScaledPower(base, remaining, exponent < 0);
}

long double Power(long double base, long double exponent) { return PowerOf(base, exponent, false); }
long double PowerInParts(long double base, long double exponent) {
  return PowerOf(base, exponent, true);
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

long double ScaleByPowerOfTwo(long double x, long double e) {
  const long double n = x87::RoundToInteger(e);
  const long double f = e - n;  // exact, |f| <= 1/2
  if (f != 0.0L) x = x * (x87::TwoToXMinus1(f) + 1.0L);
  return x87::Scale(x, ClampBeyondRange(n));
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
