// e^x, inline: a long double passed to a function in another file goes through memory, a store
// and a load on the value's path.
#pragma once

#include <cstdint>

#include "numtext/Extended.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

// e^(x + x_low) * 2^k for |x| beyond kLargeExpArgument (after clamping): t = x log2 e carried
// in parts.
long double ExpOfLargeArgument(long double x, int32_t k, long double x_low = 0.0L);

// ln 2 in two parts, the first of 48 bits: n times it is exact for |n| below 2^16.
inline constexpr long double kLn2High = ConstantFromBits({0x3FFE, 0xB17217F7D1CF0000ULL});
inline constexpr long double kLn2Low = ConstantFromBits({0x3FCD, 0xF35793C7673007E6ULL});

// e^x = 2^t, t = n + f: 2^f from 2^f - 1 (|f| <= 1/2), scaled by 2^(n + k). The stated
// t = x log2 e rounded once costs |t| 2^-64 of the result, up to a thousand units in its last
// place beyond 700: f comes from x - n ln 2 there (exact but for ln 2's low part), within 2^-65
// of the true fraction, so within 2 units in the last place: f2xm1 within one, the sum and the
// fraction's errors half a unit each. Up to |x| = 2 (|t| below 3) the stated t costs 3 units
// at most, 5 in all.
inline long double ExpTimesPowerOfTwo(long double x, int32_t k) {
  // Beyond 2^16 e^x lies past either end of the range: clamped there, t stays finite (no
  // infinity minus infinity in the split) and the scale raises the overflow or underflow.
  x = ClampBeyondRange(x);
  if (Magnitude(x) > kLargeExpArgument) return ExpOfLargeArgument(x, k);
  const long double t = x * x87::Log2OfE();
  const long double n = x87::RoundToInteger(t);
  const long double f =
      Magnitude(x) <= 2.0L ? t - n : ((x - n * kLn2High) - n * kLn2Low) * x87::Log2OfE();
  return x87::Scale(x87::TwoToXMinus1(f) + 1.0L, n + static_cast<long double>(k));
}

inline long double Exp(long double x) {
  // e^(+inf) = inf and e^(-inf) = 0: the split would subtract infinities.
  if (IsInfinite(x)) return x > 0.0L ? x : 0.0L;
  return ExpTimesPowerOfTwo(x, 0);
}

}  // namespace numora::kernels
