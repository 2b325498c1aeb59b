// Reduction of a trigonometric argument by pi/2, exact for every extended value: x = (4n + q)
// * pi/2 + r with |r| <= pi/4. The processor's own reduction uses a 66-bit pi and loses digits
// near multiples of pi/2 and for large arguments.
#pragma once

#include <cstdint>

namespace numora::kernels {

inline constexpr int kTwoOverPiLimbs = 530;
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
};

// For finite x with |x| > pi/4.
ReducedAngle ReduceByHalfPi(long double x);
// Any x in radians, reduced by the library beyond pi/4: ReduceRadians in CircularKernels.h.
// x in a unit whose right angle is `right_angle` (90 degrees, 100 grads): reduced exactly in
// that unit, so only the remainder meets the rounded factor `to_radians`. Multiples of the
// right angle give exact zeros and poles, signed as sinpi, cospi and tanpi sign them.
ReducedAngle ReduceByRightAngle(long double x, long double right_angle, long double to_radians);

}  // namespace numora::kernels
