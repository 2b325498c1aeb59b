// pi, ln 2 and ln 10 to 2368 bits, for the accurate phase.
#pragma once

#include <cstdint>

namespace numora::accurate {

inline constexpr int kConstantLimbs = 74;

struct ConstantBits {
  int exponent;  // value = sum of limbs[j] * 2^(exponent - 32 (j + 1))
  uint32_t limbs[kConstantLimbs];
};

extern const ConstantBits kPi, kLn2, kLn10;

}  // namespace numora::accurate
