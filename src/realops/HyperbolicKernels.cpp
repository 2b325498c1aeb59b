#include <limits>

#include "realops/Kernels.h"
#include "x87/X87.h"

namespace numora::kernels {

long double SinH(long double x) {
  if (IsZero(x)) return 0.0L;
  const long double up = Exp(x);
  const long double down = Exp(-x);
  return (up - down) / 2.0L;
}

long double CosH(long double x) {
  if (IsZero(x)) return 1.0L;
  const long double up = Exp(x);
  const long double down = Exp(-x);
  return (up + down) / 2.0L;
}

long double TanH(long double x) {
  if (IsZero(x)) return 0.0L;
  const long double sinh = SinH(x);
  return sinh / CosH(x);
}

long double CotH(long double x) { return 1.0L / TanH(x); }
long double SecH(long double x) { return 1.0L / CosH(x); }
long double CscH(long double x) { return 1.0L / SinH(x); }

long double ArcSinH(long double x) {
  // The sum cancels for negative operands; the function is odd.
  if (x < 0.0L) return -ArcSinH(-x);
  return Ln(x + x87::Sqrt(x * x + 1.0L));
}

long double ArcCosH(long double x) {
  return Ln(x + (x + 1.0L) * x87::Sqrt((x - 1.0L) / (x + 1.0L)));
}

long double ArcTanH(long double x) {
  if (SameValue(x, 1.0L)) return std::numeric_limits<long double>::infinity();
  if (SameValue(x, -1.0L)) return -std::numeric_limits<long double>::infinity();
  return 0.5L * Ln((x + 1.0L) / (1.0L - x));
}

long double ArcCotH(long double x) {
  if (SameValue(x, 1.0L)) return std::numeric_limits<long double>::infinity();
  if (SameValue(x, -1.0L)) return -std::numeric_limits<long double>::infinity();
  return 0.5L * Ln((x + 1.0L) / (x - 1.0L));
}

long double ArcSecH(long double x) {
  if (IsZero(x)) return std::numeric_limits<long double>::infinity();
  if (SameValue(x, 1.0L)) return 0.0L;
  return Ln((1.0L + x87::Sqrt(1.0L - x * x)) / x);
}

long double ArcCscH(long double x) {
  const long double reciprocal = 1.0L / x;
  return Ln(reciprocal + x87::Sqrt(1.0L / (x * x) + 1.0L));
}

}  // namespace numora::kernels
