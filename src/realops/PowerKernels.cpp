#include "realops/Kernels.h"
#include "x87/X87.h"

namespace numora::kernels {

long double IntPower(long double base, int32_t exponent) {
  if (exponent == 0) return 1.0L;
  uint32_t remaining =
      exponent < 0 ? 0u - static_cast<uint32_t>(exponent) : static_cast<uint32_t>(exponent);
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
