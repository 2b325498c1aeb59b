// Reduction of a trigonometric argument by pi/2, exact for every extended value: x = (4n + q)
// * pi/2 + r with |r| <= pi/4. The processor's own reduction uses a 66-bit pi and loses digits
// near multiples of pi/2 and for large arguments.
#pragma once

#include <cstdint>

#include "numtext/Extended.h"

namespace numora::kernels {

inline constexpr int kTwoOverPiLimbs = 640;
extern const uint32_t kTwoOverPiBits[kTwoOverPiLimbs];

// A remainder whose function value is known exactly, though its radians are rounded.
enum class ExactRemainder : uint8_t {
  kNone,
  kSineHalf,    // +-30 degrees: sine +-1/2
  kTangentOne,  // half a right angle: tangent +-1
};

struct ReducedAngle {
  int quadrant;           // q, 0 to 3
  long double remainder;  // r in radians, |r| <= pi/4
  ExactRemainder exact = ExactRemainder::kNone;
  long double in_unit = 0.0L;  // degrees and grads: r in the unit, exact
};

// The integer half of the reduction by pi/2: the fraction of x * 2/pi to the nearest whole,
// as its leading 64 bits and the exponent that makes them times pi/2 the remainder. Integers
// only, so they come back in registers.
struct HalfPiFraction {
  uint64_t leading;  // 0 when the fraction is zero
  uint16_t scale;    // biased exponent of pi/2 times the leading bits' weight
  uint8_t quadrant;  // 0 to 3
  bool negative;     // the remainder's sign
};
HalfPiFraction HalfPiFractionOf(uint64_t significand, uint16_t sign_and_exponent);

// For finite x with |x| > pi/4. The x87 half is inline, so the remainder stays in a register.
inline ReducedAngle ReduceByHalfPi(long double x) {
  const ExtendedBits bits = BitsOfExtended(x);
  const HalfPiFraction f = HalfPiFractionOf(bits.significand, bits.sign_and_exponent);
  constexpr uint64_t kHalfPiSignificand = 0xC90FDAA22168C235ULL;
  long double remainder = 0.0L;
  // One multiply, one rounding: the leading bits' power of two sits in pi/2's exponent.
  if (f.leading != 0)
    remainder = static_cast<long double>(f.leading) * ExtendedFromBits(f.scale, kHalfPiSignificand);
  if (f.negative) remainder = -remainder;
  return {f.quadrant, remainder};
}

// Any x in radians, reduced by the library beyond pi/4: ReduceRadians in CircularKernels.h.
// x in a unit whose right angle is `right_angle` (90 degrees, 100 grads): reduced exactly in
// that unit, so only the remainder meets the rounded factor `to_radians`. Multiples of the
// right angle give exact zeros and poles, signed as sinpi, cospi and tanpi sign them.
ReducedAngle ReduceByRightAngle(long double x, long double right_angle, long double to_radians);

}  // namespace numora::kernels
