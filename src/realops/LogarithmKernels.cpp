#include "numtext/Extended.h"
#include "realops/Kernels.h"
#include "x87/X87.h"

namespace numora::kernels {

long double LnXP1(long double x) {
  // Below 0.25 in magnitude the processor's log2(1 + x) keeps full precision near 0.
  if ((BitsOfExtended(x).sign_and_exponent & 0x7FFF) < 0x3FFD) {
    return x87::YLog2XP1(x87::Ln2(), x);
  }
  return x87::YLog2X(x87::Ln2(), 1.0L + x);
}

long double Log10(long double x) { return x87::YLog2X(x87::Log10Of2(), x); }
long double Log2(long double x) { return x87::YLog2X(1.0L, x); }

long double LogN(long double base, long double x) {
  const long double log_x = Log2(x);
  return log_x / Log2(base);
}

}  // namespace numora::kernels
