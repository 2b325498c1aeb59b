// Products carried with their rounding errors, for the ranges where one rounded product loses
// digits that show in the 15th.
#pragma once

namespace numora::kernels {

// A value carried as hi + lo, lo holding the rounding errors of the products that formed it.
struct Pair {
  long double hi, lo;
};

// a * b = hi + lo exactly (Dekker: each factor split into two halves of 32 bits, whose products
// are exact), for factors whose products and halves stay normal.
inline Pair ExactProduct(long double a, long double b) {
  constexpr long double kSplit = 4294967297.0L;  // 2^32 + 1
  const long double product = a * b;
  const long double ca = kSplit * a;
  const long double a_high = ca - (ca - a);
  const long double a_low = a - a_high;
  const long double cb = kSplit * b;
  const long double b_high = cb - (cb - b);
  const long double b_low = b - b_high;
  const long double error =
      ((a_high * b_high - product) + a_high * b_low + a_low * b_high) + a_low * b_low;
  return {product, error};
}

// a + b = hi + lo exactly (Knuth), whatever their magnitudes.
inline Pair ExactSum(long double a, long double b) {
  const long double sum = a + b;
  const long double b_part = sum - a;
  return {sum, (a - (sum - b_part)) + (b - b_part)};
}

}  // namespace numora::kernels
