// The real operations evaluated from their definitions in many-bit arithmetic, and the extended
// value nearest to the result: the accurate phase of the correctly rounded results, run only
// where the first phase cannot tell the printed text.
#pragma once

#include <cstdint>

#include "realops/AngleUnit.h"
#include "realops/BigFloat.h"

namespace numora::accurate {

// An operation's operands as the first phase read them; the circular functions in degrees and
// grads also take the reduction of their operand (quadrant and remainder in the unit, exact).
struct Arguments {
  long double a = 0.0L;  // the operand, or the first of two
  long double b = 0.0L;  // the second operand (an integer exponent as a real)
  AngleUnit unit = AngleUnit::kRadians;
  int quadrant = 0;
  long double in_unit = 0.0L;
};

// f(arguments) at the precision's limbs, within 2^12 units of its last bit.
using Function = BigFloat (*)(const Arguments& arguments, Precision& p);

// The extended value nearest to the result: the function is evaluated at 128, 512 and 2048
// bits (each with guard limbs) until every value its error bound allows rounds to the same
// extended value. At the end it is exact, or its value lies 2^-1900 from the nearest midpoint
// of two extended values (for the transcendental functions at an extended operand, never on
// one), and the nearest value of the last evaluation is taken. A result beyond the range is
// formed by an overflowing multiply, so it raises the overflow flag (or faults).
long double NearestValue(Function f, const Arguments& arguments);

BigFloat Sin(const Arguments& a, Precision& p);
BigFloat Cos(const Arguments& a, Precision& p);
BigFloat Tan(const Arguments& a, Precision& p);
BigFloat Cot(const Arguments& a, Precision& p);
BigFloat Sec(const Arguments& a, Precision& p);
BigFloat Csc(const Arguments& a, Precision& p);
BigFloat ArcSin(const Arguments& a, Precision& p);
BigFloat ArcCos(const Arguments& a, Precision& p);
BigFloat ArcTan(const Arguments& a, Precision& p);
BigFloat ArcCot(const Arguments& a, Precision& p);
BigFloat ArcSec(const Arguments& a, Precision& p);
BigFloat ArcCsc(const Arguments& a, Precision& p);
BigFloat SinH(const Arguments& a, Precision& p);
BigFloat CosH(const Arguments& a, Precision& p);
BigFloat TanH(const Arguments& a, Precision& p);
BigFloat CotH(const Arguments& a, Precision& p);
BigFloat SecH(const Arguments& a, Precision& p);
BigFloat CscH(const Arguments& a, Precision& p);
BigFloat ArcSinH(const Arguments& a, Precision& p);
BigFloat ArcCosH(const Arguments& a, Precision& p);
BigFloat ArcTanH(const Arguments& a, Precision& p);
BigFloat ArcCotH(const Arguments& a, Precision& p);
BigFloat ArcSecH(const Arguments& a, Precision& p);
BigFloat ArcCscH(const Arguments& a, Precision& p);
BigFloat Ln(const Arguments& a, Precision& p);
BigFloat LnXP1(const Arguments& a, Precision& p);
BigFloat Log10(const Arguments& a, Precision& p);
BigFloat Log2(const Arguments& a, Precision& p);
BigFloat Exp(const Arguments& a, Precision& p);
BigFloat LogN(const Arguments& a, Precision& p);
BigFloat Power(const Arguments& a, Precision& p);
BigFloat IntPower(const Arguments& a, Precision& p);
BigFloat Hypot(const Arguments& a, Precision& p);

}  // namespace numora::accurate
