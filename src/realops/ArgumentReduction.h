// Reduction of a trigonometric argument by pi/2, exact for every extended value: x = (4n + q)
// * pi/2 + r with |r| <= pi/4. The processor's own reduction uses a 66-bit pi and loses digits
// near multiples of pi/2 and for large arguments.
#pragma once

#include <cstdint>

namespace numora::kernels {

inline constexpr int kTwoOverPiLimbs = 530;
extern const uint32_t kTwoOverPiBits[kTwoOverPiLimbs];

struct ReducedAngle {
  int quadrant;           // q, 0 to 3
  long double remainder;  // r, |r| <= pi/4
};

// For finite x with |x| > pi/4.
ReducedAngle ReduceByHalfPi(long double x);

}  // namespace numora::kernels
