// Binary floating-point numbers of a few hundred to a few thousand bits, in integer arithmetic
// only (the x87 unit is not touched, so no flag is raised and no fault can leave): the accurate
// phase of the correctly rounded results. Each operation truncates its result to the
// precision's limbs, an error below one unit of the last limb's lowest bit, and notes in the
// precision whether it dropped a nonzero bit, so a computation knows when it was exact.
#pragma once

#include <cstdint>

#include "numtext/Extended.h"

namespace numora::accurate {

inline constexpr int kMaxLimbs = 72;  // 2304 bits

// value = (-1)^negative * m * 2^(exponent - 32 * limbs), m the first `limbs` limbs read as one
// integer (limb[0] the least significant) with its top bit set: the value lies in
// [2^(exponent - 1), 2^exponent). Zero has `zero` set and nothing else counts. The limbs past
// `limbs` are not read: a value is never cleared beyond them.
struct BigFloat {
  bool zero = true;
  bool negative = false;
  int limbs = 0;
  int64_t exponent = 0;
  uint32_t limb[kMaxLimbs];
};

// The limbs every result keeps, and whether a step has dropped a nonzero bit.
struct Precision {
  int limbs;
  bool inexact = false;
};

BigFloat FromExtended(long double x, Precision& p);  // exact: 64 bits
BigFloat FromInteger(int64_t value, Precision& p);   // exact
// A constant given by its leading bits, most significant limb first: value =
// sum of bits[j] * 2^(exponent - 32 (j + 1)).
BigFloat FromBits(const uint32_t* bits, int count, int64_t exponent, Precision& p);

BigFloat Negated(BigFloat a);
BigFloat Magnitude(BigFloat a);
BigFloat Scaled(BigFloat a, int64_t k);  // a * 2^k, exact
BigFloat Add(const BigFloat& a, const BigFloat& b, Precision& p);
BigFloat Sub(const BigFloat& a, const BigFloat& b, Precision& p);
BigFloat Mul(const BigFloat& a, const BigFloat& b, Precision& p);
BigFloat MulSmall(const BigFloat& a, uint32_t k, Precision& p);
BigFloat Div(const BigFloat& a, const BigFloat& b, Precision& p);
BigFloat DivSmall(const BigFloat& a, uint32_t k, Precision& p);
BigFloat Sqrt(const BigFloat& a, Precision& p);  // a >= 0

// -1, 0 or 1 as |a| is below, equal to or above |b|.
int CompareMagnitude(const BigFloat& a, const BigFloat& b);
// The integer nearest to a (ties away from zero), for |a| below 2^62.
int64_t NearestInteger(const BigFloat& a);
// The binary exponent e with 2^e <= |a| < 2^(e+1); a nonzero.
inline int64_t BinaryExponent(const BigFloat& a) { return a.exponent - 1; }

// The extended value nearest to a (ties to even), on the subnormal grid below the normal range
// and infinite beyond it. `infinite` tells an infinity (its sign in bits).
struct Extended {
  ExtendedBits bits;
  bool infinite = false;
  bool operator==(const Extended& other) const {
    return infinite == other.infinite && bits.sign_and_exponent == other.bits.sign_and_exponent &&
           bits.significand == other.bits.significand;
  }
};
Extended NearestExtended(const BigFloat& a);

// Whether every value within 2^slack units of a's last bit of a has the same nearest extended
// value; then `out` holds it. With slack below 0 a is exact.
bool RoundsUniquely(const BigFloat& a, int slack, Precision& p, Extended& out);

}  // namespace numora::accurate
