#include "numtext/Extended.h"
#include "realops/ExactProduct.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::kernels {

long double DefaultTolerance() { return ExtendedFromBits(0x3FC9, 0xE69594BEC44DE15BULL); }
long double Pi() { return ExtendedFromBits(0x4000, 0xC90FDAA22168C235ULL); }
long double HalfPi() { return ExtendedFromBits(0x3FFF, 0xC90FDAA22168C235ULL); }

bool IsZero(long double a, long double tolerance) {
  if (tolerance == 0.0L) tolerance = DefaultTolerance();
  return Magnitude(a) <= tolerance;
}

bool SameValue(long double a, long double b, long double tolerance) {
  if (tolerance == 0.0L) {
    const long double smaller = Magnitude(a) < Magnitude(b) ? Magnitude(a) : Magnitude(b);
    const long double relative = smaller * DefaultTolerance();
    tolerance = relative > DefaultTolerance() ? relative : DefaultTolerance();
  }
  return b >= a ? b - a <= tolerance : a - b <= tolerance;
}

long double TwoToThePair(Pair t, long double k) {
  const long double n = x87::RoundToInteger(t.hi);
  const long double f = (t.hi - n) + t.lo;  // t.hi - n is exact
  return x87::Scale(x87::TwoToXMinus1(f) + 1.0L, n + k);
}

long double ExpOfLargeArgument(long double x, int32_t k, long double x_low) {
  // One rounding of t costs |t| * 2^-64 of the result, which shows in the 15th digit and
  // decides overflow at the top of the range: t carried with its errors, log2 e in two parts.
  const Pair t = ExactProduct(x, Log2EHigh());
  return TwoToThePair({t.hi, t.lo + (x * Log2ELow() + x_low * Log2EHigh())},
                      static_cast<long double>(k));
}

long double ExpM1(long double x) {
  const long double t = x * x87::Log2OfE();
  if (Magnitude(t) <= 1.0L) return x87::TwoToXMinus1(t);
  return Exp(x) - 1.0L;
}

// The one rounding step toward zero, at full precision, under the caller's masks.
static uint16_t TruncatingControlWord(uint16_t caller) {
  return static_cast<uint16_t>((caller & ~x87::kPrecisionAndRoundingBits) |
                               x87::kPrecision64RoundTowardZero);
}

// Whether rounding x to an integer meets a condition the caller's word leaves unmasked. Such a
// step runs under the caller's own word instead, so the fault leaves with that word in place.
static bool IntegerStepFaults(long double x, uint16_t caller, bool stores_int64) {
  const uint16_t unmasked = static_cast<uint16_t>(~caller & x87::kExceptionMasks);
  if (unmasked == 0) return false;
  const ExtendedBits bits = BitsOfExtended(x);
  const int biased = bits.sign_and_exponent & 0x7FFF;
  if (biased == 0x7FFF) {  // infinities and NaNs: only the integer store objects
    return stores_int64 && (unmasked & x87::kInvalidMask) != 0;
  }
  if (bits.significand == 0) return false;  // zero
  if (biased == 0 && (unmasked & x87::kDenormalMask) != 0) return true;
  // Truncation fits 64 bits only strictly between -(2^63 + 1) and 2^63.
  if (stores_int64 && (unmasked & x87::kInvalidMask) != 0 &&
      !(x > -9223372036854775809.0L && x < 9223372036854775808.0L)) {
    return true;
  }
  const int exponent = biased - 16383;
  const bool integral =
      exponent >= 63 || (exponent >= 0 && (bits.significand << (exponent + 1)) == 0);
  return !integral && (unmasked & x87::kPrecisionMask) != 0;
}

long double Fraction(long double x) {
  const uint16_t caller = x87::ControlWord();
  if (IntegerStepFaults(x, caller, false)) {
    x87::RoundToInteger(x);
    x87::Wait();
  }
  long double whole;
  {
    x87::ControlWordGuard guard(TruncatingControlWord(caller));
    whole = x87::RoundToInteger(x);
  }
  return x - whole;
}

int64_t Truncate(long double x) {
  const uint16_t caller = x87::ControlWord();
  if (IntegerStepFaults(x, caller, true)) {
    x87::StoreInteger64(x);
    x87::Wait();
  }
  x87::ControlWordGuard guard(TruncatingControlWord(caller));
  return x87::StoreInteger64(x);
}

int64_t RoundToNearest(long double x) { return x87::StoreInteger64(x); }

long double Ln(long double x) { return x87::YLog2X(x87::Ln2(), x); }

}  // namespace numora::kernels
