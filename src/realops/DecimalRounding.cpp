#include "realops/DecimalRounding.h"

#include "realops/Kernels.h"

namespace numora::kernels {
namespace {

double PowerOfTenAsDouble(int8_t digit_position) {
  return static_cast<double>(IntPower(10.0L, digit_position));
}

}  // namespace

double RoundToNearestEvenDecimal(double x, int8_t digit_position) {
  const double p = PowerOfTenAsDouble(digit_position);
  const long double q = static_cast<long double>(x) / static_cast<long double>(p);
  const int64_t k = RoundToNearest(q);
  return static_cast<double>(static_cast<long double>(k) * static_cast<long double>(p));
}

double RoundHalfUpDecimal(double x, int8_t digit_position) {
  const double p = PowerOfTenAsDouble(digit_position);
  const long double q = static_cast<long double>(x) / static_cast<long double>(p);
  // Halves move away from zero on both sides.
  const int64_t k = q >= 0.0L ? Truncate(q + 0.5L) : Truncate(q - 0.5L);
  return static_cast<double>(static_cast<long double>(k) * static_cast<long double>(p));
}

}  // namespace numora::kernels
