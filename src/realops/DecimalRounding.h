// Rounding to a multiple of a power of ten, in double precision.
#pragma once

#include <cstdint>

namespace numora::kernels {

double RoundToNearestEvenDecimal(double x, int8_t digit_position);
double RoundHalfUpDecimal(double x, int8_t digit_position);

}  // namespace numora::kernels
