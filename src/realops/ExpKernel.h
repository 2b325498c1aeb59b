// e^x, inline: a long double passed to a function in another file goes through memory, a store
// and a load on the value's path.
#pragma once

#include <cstdint>

#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

// e^(x + x_low) * 2^k for |x| beyond kLargeExpArgument (after clamping): t = x log2 e carried
// in parts.
long double ExpOfLargeArgument(long double x, int32_t k, long double x_low = 0.0L);

// e^x = 2^t, t = n + f: 2^f from 2^f - 1 (|f| <= 1/2), scaled by 2^(n + k).
inline long double ExpTimesPowerOfTwo(long double x, int32_t k) {
  // Beyond 2^16 e^x lies past either end of the range: clamped there, t stays finite (no
  // infinity minus infinity in the split) and the scale raises the overflow or underflow.
  x = ClampBeyondRange(x);
  if (Magnitude(x) > kLargeExpArgument) return ExpOfLargeArgument(x, k);
  const long double t = x * x87::Log2OfE();
  const long double n = x87::RoundToInteger(t);
  const long double f = t - n;
  return x87::Scale(x87::TwoToXMinus1(f) + 1.0L, n + static_cast<long double>(k));
}

inline long double Exp(long double x) {
  // e^(+inf) = inf and e^(-inf) = 0: the split would subtract infinities.
  if (IsInfinite(x)) return x > 0.0L ? x : 0.0L;
  return ExpTimesPowerOfTwo(x, 0);
}

}  // namespace numora::kernels
