// The elementary functions in many-bit arithmetic, for the accurate phase. Each computes with
// two guard limbs beyond the precision and returns its result at the precision's limbs, within
// 2^8 units of its last bit (from the guard limbs: every series and reduction step loses less
// than a unit of them, and the few hundred steps together less than 2^10 of them).
#pragma once

#include "realops/BigFloat.h"

namespace numora::accurate {

// The same value at more limbs (exact), or fewer (truncated, noted when inexact).
BigFloat Widened(const BigFloat& a, int from_limbs, int to_limbs);
BigFloat Narrowed(const BigFloat& a, int from_limbs, Precision& p);

BigFloat Pi(Precision& p);
BigFloat Ln2(Precision& p);
BigFloat Ln10(Precision& p);

BigFloat Exp(const BigFloat& x, Precision& p);    // |x| below 2^16
BigFloat ExpM1(const BigFloat& x, Precision& p);  // e^x - 1, relative to itself near 0
BigFloat Log(const BigFloat& x, Precision& p);    // x > 0
BigFloat Log1p(const BigFloat& x, Precision& p);  // ln(1 + x), x > -1, relative near 0
BigFloat Atan(const BigFloat& x, Precision& p);
// sin r and cos r for |r| <= 1.
void SinCos(const BigFloat& r, Precision& p, BigFloat& sine, BigFloat& cosine);

// x = (4k + quadrant) pi/2 + r exactly, for finite x with |x| > pi/4 (below it, r = x), r at
// the precision's limbs.
BigFloat ReduceByHalfPi(long double x, Precision& p, int& quadrant);

}  // namespace numora::accurate
