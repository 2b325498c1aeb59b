// Pure numeric kernels in x87 extended precision. They raise the processor's floating-point
// conditions and decide special cases only at their tolerance tests.
#pragma once

#include <cstdint>

#include "realops/ArgumentReduction.h"
#include "realops/ExpKernel.h"

namespace numora::kernels {

long double DefaultTolerance();  // 1e-16
long double Pi();
long double HalfPi();

bool IsZero(long double a, long double tolerance = 0.0L);
bool SameValue(long double a, long double b, long double tolerance = 0.0L);

// Primitives (e^x: ExpKernel.h)
long double Fraction(long double x);
int64_t Truncate(long double x);
int64_t RoundToNearest(long double x);
long double Ln(long double x);  // ln 2 * log2 x

// Circular functions of a reduced angle, and the reduction of radians: CircularKernels.h
// The functions given an operand x + x_low (an angle converted from degrees or grads, whose
// rounding x_low keeps) read it whole where they amplify that rounding: near +-1 for the
// inverse functions, at large magnitudes for the hyperbolic ones.
// Inverse circular functions, of radians
long double ArcSine(long double x, long double x_low = 0.0L);
long double ArcCosine(long double x, long double x_low = 0.0L);
long double ArcCotangent(long double x);
long double ArcSecant(long double x, long double x_low = 0.0L);
long double ArcCosecant(long double x, long double x_low = 0.0L);

// Hyperbolic
long double SinH(long double x, long double x_low = 0.0L);
long double CosH(long double x, long double x_low = 0.0L);
long double TanH(long double x);
long double CotH(long double x);
long double SecH(long double x, long double x_low = 0.0L);
long double CscH(long double x, long double x_low = 0.0L);
long double ArcSinH(long double x);
long double ArcCosH(long double x, long double x_low = 0.0L);
long double ArcTanH(long double x, long double x_low = 0.0L);
long double ArcCotH(long double x, long double x_low = 0.0L);
long double ArcSecH(long double x, long double x_low = 0.0L);
long double ArcCscH(long double x);

// Logarithms
long double LnXP1(long double x);
long double Log10(long double x);
long double Log2(long double x);
long double LogN(long double base, long double x);

// Powers and scaling
long double IntPower(long double base, int32_t exponent);
long double Power(long double base, long double exponent);
// The same with every product carried in pairs: within 2 units in the last place, where the
// first two try cheaper ways first (the integer power's plain loop, e^(e ln a) for small
// |e log2 a|) and stay within 8.
long double IntPowerInPairs(long double base, int32_t exponent);
long double PowerInParts(long double base, long double exponent);
long double Hypot(long double a, long double b);
long double Ldexp(long double x, int32_t n);
// x * 2^e for a real e, one rounding beside 2^f for its fraction.
long double ScaleByPowerOfTwo(long double x, long double e);
int64_t Floor(long double x);

}  // namespace numora::kernels
