#include <limits>

#include "realops/Kernels.h"
#include "x87/X87.h"

namespace numora::kernels {

long double Tangent(long double x) { return x87::PartialTangent(x); }
long double Cotangent(long double x) { return 1.0L / x87::PartialTangent(x); }
long double Secant(long double x) { return 1.0L / x87::Cosine(x); }
long double Cosecant(long double x) { return 1.0L / x87::Sine(x); }

long double ArcSine(long double x) { return x87::ArcTangent2(x, x87::Sqrt(1.0L - x * x)); }
long double ArcCosine(long double x) { return x87::ArcTangent2(x87::Sqrt(1.0L - x * x), x); }

long double ArcCotangent(long double x) {
  if (IsZero(x)) return HalfPi();
  return x87::ArcTangent2(1.0L / x, 1.0L);
}

long double ArcSecant(long double x) {
  if (IsZero(x)) return std::numeric_limits<long double>::infinity();
  return ArcCosine(1.0L / x);
}

long double ArcCosecant(long double x) {
  if (IsZero(x)) return std::numeric_limits<long double>::infinity();
  return ArcSine(1.0L / x);
}

}  // namespace numora::kernels
