// Power-of-ten tables shared by the real parse and the real print.
#pragma once

#include <array>
#include <cstdint>

#include "numtext/Extended.h"

namespace numora {

// The same powers by their fields, for arithmetic done in integers.
extern const ExtendedBits kPowersOfTenLowBits[32];
extern const ExtendedBits kPowersOfTenMidBits[16];
extern const ExtendedBits kPowersOfTenHighBits[10];

extern const std::array<long double, 32> PowersOfTenLow;   // 10^0 .. 10^31
extern const std::array<long double, 16> PowersOfTenMid;   // [k] = 10^(32k), k = 1..15
extern const std::array<long double, 10> PowersOfTenHigh;  // [k] = 10^(512k), k = 1..9

// 10^0 .. 10^18, the powers an int64_t holds.
inline constexpr uint32_t kIntegerPowersOfTen = 19;
inline constexpr auto kPowersOfTenAsIntegers = [] {
  std::array<int64_t, kIntegerPowersOfTen> powers{};
  powers[0] = 1;
  for (uint32_t k = 1; k < kIntegerPowersOfTen; ++k) powers[k] = powers[k - 1] * 10;
  return powers;
}();

// x * 10^n with at most three roundings, low part first. Inline: an extended value passed
// through memory costs a store-forwarding stall on every call.
inline long double ScaleByPowerOfTen(long double x, int32_t n) {
  if (n == 0) return x;
  // Beyond every reachable exponent: no flag may be raised.
  if (n >= 5120) return __builtin_infl();
  if (n <= -5120) return 0.0L;
  const bool up = n > 0;
  const uint32_t m = up ? static_cast<uint32_t>(n) : static_cast<uint32_t>(-n);
  // Up to 10^18 the power is read as an exact 64-bit integer: a shorter load than the 80-bit one.
  const long double low = m < kIntegerPowersOfTen
                              ? static_cast<long double>(kPowersOfTenAsIntegers[m])
                              : PowersOfTenLow[m % 32];
  x = up ? x * low : x / low;
  if (m >= 32) {
    const uint32_t k = (m / 32) % 16;
    if (k != 0) x = up ? x * PowersOfTenMid[k] : x / PowersOfTenMid[k];
  }
  if (m >= 512) {
    const long double high = PowersOfTenHigh[m / 512];
    x = up ? x * high : x / high;
  }
  return x;
}

}  // namespace numora
