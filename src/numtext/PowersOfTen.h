// Power-of-ten tables shared by the real parse and the real print.
#pragma once

#include <array>
#include <cstdint>

namespace numora {

extern const std::array<long double, 32> PowersOfTenLow;   // 10^0 .. 10^31
extern const std::array<long double, 16> PowersOfTenMid;   // [k] = 10^(32k), k = 1..15
extern const std::array<long double, 10> PowersOfTenHigh;  // [k] = 10^(512k), k = 1..9

// x * 10^n with at most three roundings, low part first.
long double ScaleByPowerOfTen(long double x, int32_t n);

}  // namespace numora
