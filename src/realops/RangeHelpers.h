// Helpers of the kernels' range switches: the ranges where a stated formula loses digits,
// overflows early or cancels, and the formulations that replace it there.
#pragma once

#include <cstdint>

#include "numtext/Extended.h"
#include "realops/ExactProduct.h"

namespace numora::kernels {

// Below 2^-8 differences of values near 1 (e^x - e^-x, ln of 1 + t) lose digits.
inline constexpr long double kSmallArgument = 0x1p-8L;
// ln of the largest extended value: e^x overflows beyond it.
inline constexpr long double kExpOverflowArgument = 11356.5L;
// Beyond this e^x takes t = x log2 e carried in parts (and sinh, cosh e^|x| / 2 alone).
inline constexpr long double kLargeExpArgument = 1024.0L;
// Beyond 2^8000 a square overflows.
inline constexpr long double kSquareOverflowArgument = 0x1p8000L;

// 2^65536 and 2^-65536 lie past both ends of the range from every nonzero extended value: a
// binary exponent (or e^x's argument) clamped to it keeps its result while staying finite.
inline constexpr long double kBeyondRange = 65536.0L;
inline long double ClampBeyondRange(long double e) {
  if (e > kBeyondRange) return kBeyondRange;
  if (e < -kBeyondRange) return -kBeyondRange;
  return e;  // NaNs too
}

// log2 e in two parts: the nearest extended value and the nearest one to what remains.
inline long double Log2EHigh() { return ExtendedFromBits(0x3FFF, 0xB8AA3B295C17F0BCULL); }
inline long double Log2ELow() { return ExtendedFromBits(0xBFBE, 0x82F0025F2DC582EEULL); }

inline long double Magnitude(long double x) { return x < 0.0L ? -x : x; }
inline long double CopySign(long double magnitude, long double sign) {
  return sign < 0.0L ? -magnitude : magnitude;
}
// Compares, not bits: the value need not pass through memory.
inline bool IsInfinite(long double x) { return x > kLargestExtended || x < -kLargestExtended; }

// A finite value of magnitude 2^63 or more: an integer already, beyond the 64-bit integer
// steps, which would give the integer indefinite.
inline bool IsWholeBeyondInt64(long double x) { return Magnitude(x) >= 0x1p63L && !IsInfinite(x); }

// e^x - 1, accurate near 0.
long double ExpM1(long double x);
// 2^(t.hi + t.lo) * 2^k, for |t.hi| up to 2^17: the exponent carried in two parts rounds once.
long double TwoToThePair(Pair t, long double k);

}  // namespace numora::kernels
