#include <cstdint>
#include <limits>

#include "numtext/PowersOfTen.h"

namespace numora {

long double ScaleByPowerOfTen(long double x, int32_t n) {
  if (n == 0) return x;
  // Beyond every reachable exponent: no flag may be raised.
  if (n >= 5120) return std::numeric_limits<long double>::infinity();
  if (n <= -5120) return 0.0L;
  const bool up = n > 0;
  const uint32_t m = up ? static_cast<uint32_t>(n) : static_cast<uint32_t>(-n);
  const long double low = PowersOfTenLow[m % 32];
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
