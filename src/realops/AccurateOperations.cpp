#include "realops/AccurateOperations.h"

#include "realops/AccurateFunctions.h"
#include "realops/RangeHelpers.h"

namespace numora::accurate {
namespace {

constexpr int kSlackBits = 13;  // the functions' error, 2^12 units, with a bit to spare
constexpr int kLevels[] = {4, 16, 64};

BigFloat One(Precision& p) { return FromInteger(1, p); }
BigFloat Two(Precision& p) { return FromInteger(2, p); }
BigFloat HalfPi(Precision& p) { return Scaled(Pi(p), -1); }
BigFloat Operand(long double x, Precision& p) { return FromExtended(x, p); }

// A value far beyond either end of the range (2^(+-2^20)), where the true value surely lies.
BigFloat BeyondRange(bool above, bool negative, Precision& p) {
  BigFloat v = One(p);
  v.exponent = above ? (1 << 20) : -(1 << 20);
  v.negative = negative;
  p.inexact = true;
  return v;
}

// The exact angle in radians: x pi/180, x pi/200, or x.
BigFloat Angle(const Arguments& a, Precision& p) {
  const BigFloat x = Operand(a.a, p);
  if (a.unit == AngleUnit::kRadians) return x;
  return DivSmall(Mul(x, Pi(p), p), a.unit == AngleUnit::kDegrees ? 180u : 200u, p);
}

// x = (4k + quadrant) pi/2 + r: the reduction by pi/2 in radians, the first phase's exact one in
// degrees and grads (its remainder converted exactly).
BigFloat CircularRemainder(const Arguments& a, Precision& p, int& quadrant) {
  if (a.unit == AngleUnit::kRadians) return ReduceByHalfPi(a.a, p, quadrant);
  quadrant = a.quadrant & 3;
  const BigFloat r = Operand(a.in_unit, p);
  return DivSmall(Mul(r, Pi(p), p), a.unit == AngleUnit::kDegrees ? 180u : 200u, p);
}

// sin and cos of the operand: from the remainder's, one quadrant at a time.
void SineAndCosine(const Arguments& a, Precision& p, BigFloat& sine, BigFloat& cosine) {
  int quadrant;
  const BigFloat r = CircularRemainder(a, p, quadrant);
  BigFloat s, c;
  SinCos(r, p, s, c);
  switch (quadrant) {
    case 0:
      sine = s, cosine = c;
      break;
    case 1:
      sine = c, cosine = Negated(s);
      break;
    case 2:
      sine = Negated(s), cosine = Negated(c);
      break;
    default:
      sine = Negated(c), cosine = s;
      break;
  }
}

BigFloat Reciprocal(const BigFloat& x, Precision& p) { return Div(One(p), x, p); }

// (1 - t)(1 + t), near +-1 from the exact differences.
BigFloat OneMinusSquare(const BigFloat& t, Precision& p) {
  return Mul(Sub(One(p), t, p), Add(One(p), t, p), p);
}

// sqrt((|t| - 1)(|t| + 1)) for |t| >= 1.
BigFloat SquareMinusOneRoot(const BigFloat& t, Precision& p) {
  const BigFloat m = Magnitude(t);
  return Sqrt(Mul(Sub(m, One(p), p), Add(m, One(p), p), p), p);
}

bool IsOne(const BigFloat& t, Precision& p) { return CompareMagnitude(t, One(p)) == 0; }

BigFloat WithSign(BigFloat v, bool negative) {
  v.negative = negative && !v.zero;
  return v;
}

BigFloat ExpOrBeyond(const BigFloat& x, Precision& p) {
  if (!x.zero && BinaryExponent(x) >= 15) return BeyondRange(!x.negative, false, p);
  return accurate::Exp(x, p);
}

// e^|t| - 1, or beyond the range.
BigFloat ExpM1OfMagnitude(const BigFloat& t, Precision& p) {
  if (!t.zero && BinaryExponent(t) >= 15) return BeyondRange(true, false, p);
  return ExpM1(Magnitude(t), p);
}

BigFloat TanHOf(const BigFloat& t, Precision& p) {
  // Beyond 2^15 tanh is +-1 to far more digits than any precision here.
  if (!t.zero && BinaryExponent(t) >= 15) {
    p.inexact = true;
    return WithSign(One(p), t.negative);
  }
  const BigFloat u = ExpM1(Scaled(Magnitude(t), 1), p);
  return WithSign(Div(u, Add(u, Two(p), p), p), t.negative);
}

BigFloat SinHOf(const BigFloat& t, Precision& p) {
  const BigFloat u = ExpM1OfMagnitude(t, p);
  if (BinaryExponent(u) > 16400) return WithSign(u, t.negative);  // e^t / 2 beyond the range
  return WithSign(Scaled(Add(u, Div(u, Add(u, One(p), p), p), p), -1), t.negative);
}

BigFloat CosHOf(const BigFloat& t, Precision& p) {
  const BigFloat e = ExpOrBeyond(Magnitude(t), p);
  if (BinaryExponent(e) > 16400) return e;
  return Scaled(Add(e, Reciprocal(e, p), p), -1);
}

BigFloat ArcSinHOf(const BigFloat& t, Precision& p) {
  if (t.zero) return t;
  const BigFloat m = Magnitude(t);
  // Far beyond 1, asinh t = ln 2t to every bit kept (the square would leave no room).
  if (BinaryExponent(m) > 32LL * p.limbs + 64) {
    return WithSign(Add(Log(m, p), Ln2(p), p), t.negative);
  }
  const BigFloat square = Mul(m, m, p);
  const BigFloat root = Sqrt(Add(One(p), square, p), p);
  return WithSign(Log1p(Add(m, Div(square, Add(One(p), root, p), p), p), p), t.negative);
}

BigFloat Log2Of(const BigFloat& x, Precision& p) { return Div(Log(x, p), Ln2(p), p); }

}  // namespace

long double NearestValue(Function f, const Arguments& arguments) {
  Extended out;
  for (const int limbs : kLevels) {
    Precision p{limbs};
    const BigFloat v = f(arguments, p);
    if (RoundsUniquely(v, kSlackBits, p, out)) break;
    out = NearestExtended(v);
  }
  if (out.infinite) {
    // The largest value times 2 overflows, as the true result does.
    const long double largest =
        (out.bits.sign_and_exponent & 0x8000) != 0 ? -kLargestExtended : kLargestExtended;
    return largest * 2.0L;
  }
  return ExtendedFromBits(out.bits.sign_and_exponent, out.bits.significand);
}

BigFloat Sin(const Arguments& a, Precision& p) {
  BigFloat s, c;
  SineAndCosine(a, p, s, c);
  return s;
}

BigFloat Cos(const Arguments& a, Precision& p) {
  BigFloat s, c;
  SineAndCosine(a, p, s, c);
  return c;
}

BigFloat Tan(const Arguments& a, Precision& p) {
  BigFloat s, c;
  SineAndCosine(a, p, s, c);
  return Div(s, c, p);
}

BigFloat Cot(const Arguments& a, Precision& p) {
  BigFloat s, c;
  SineAndCosine(a, p, s, c);
  return Div(c, s, p);
}

BigFloat Sec(const Arguments& a, Precision& p) {
  BigFloat s, c;
  SineAndCosine(a, p, s, c);
  return Reciprocal(c, p);
}

BigFloat Csc(const Arguments& a, Precision& p) {
  BigFloat s, c;
  SineAndCosine(a, p, s, c);
  return Reciprocal(s, p);
}

BigFloat ArcSin(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  if (IsOne(t, p)) return WithSign(HalfPi(p), t.negative);
  return Atan(Div(t, Sqrt(OneMinusSquare(t, p), p), p), p);
}

BigFloat ArcCos(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  if (IsOne(t, p) && t.negative) return Pi(p);
  // 2 atan(sqrt((1 - t)/(1 + t))): no cancellation near either end.
  return Scaled(Atan(Sqrt(Div(Sub(One(p), t, p), Add(One(p), t, p), p), p), p), 1);
}

BigFloat ArcTan(const Arguments& a, Precision& p) { return Atan(Angle(a, p), p); }

BigFloat ArcCot(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  if (t.zero) return HalfPi(p);
  return Atan(Reciprocal(t, p), p);
}

BigFloat ArcSec(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  const BigFloat angle = Atan(SquareMinusOneRoot(t, p), p);
  return t.negative ? Sub(Pi(p), angle, p) : angle;
}

BigFloat ArcCsc(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  if (IsOne(t, p)) return WithSign(HalfPi(p), t.negative);
  return WithSign(Atan(Reciprocal(SquareMinusOneRoot(t, p), p), p), t.negative);
}

BigFloat SinH(const Arguments& a, Precision& p) { return SinHOf(Angle(a, p), p); }
BigFloat CosH(const Arguments& a, Precision& p) { return CosHOf(Angle(a, p), p); }
BigFloat TanH(const Arguments& a, Precision& p) { return TanHOf(Angle(a, p), p); }
BigFloat CotH(const Arguments& a, Precision& p) { return Reciprocal(TanHOf(Angle(a, p), p), p); }
BigFloat SecH(const Arguments& a, Precision& p) { return Reciprocal(CosHOf(Angle(a, p), p), p); }
BigFloat CscH(const Arguments& a, Precision& p) { return Reciprocal(SinHOf(Angle(a, p), p), p); }

BigFloat ArcSinH(const Arguments& a, Precision& p) { return ArcSinHOf(Angle(a, p), p); }

BigFloat ArcCosH(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  if (BinaryExponent(t) > 32LL * p.limbs + 64) return Add(Log(t, p), Ln2(p), p);  // ln 2t
  const BigFloat below = Sub(t, One(p), p);
  return Log1p(Add(below, Sqrt(Mul(below, Add(t, One(p), p), p), p), p), p);
}

BigFloat ArcTanH(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  return Scaled(Log1p(Div(Scaled(t, 1), Sub(One(p), t, p), p), p), -1);
}

BigFloat ArcCotH(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  return Scaled(Log1p(Div(Two(p), Sub(t, One(p), p), p), p), -1);
}

BigFloat ArcSecH(const Arguments& a, Precision& p) {
  const BigFloat t = Angle(a, p);
  const BigFloat below = Sub(One(p), t, p);
  const BigFloat root = Sqrt(Mul(below, Add(One(p), t, p), p), p);
  return Log1p(Div(Add(below, root, p), t, p), p);
}

BigFloat ArcCscH(const Arguments& a, Precision& p) {
  return ArcSinHOf(Reciprocal(Angle(a, p), p), p);
}

BigFloat Ln(const Arguments& a, Precision& p) { return Log(Operand(a.a, p), p); }
BigFloat LnXP1(const Arguments& a, Precision& p) { return Log1p(Operand(a.a, p), p); }
BigFloat Log10(const Arguments& a, Precision& p) {
  return Div(Log(Operand(a.a, p), p), Ln10(p), p);
}
BigFloat Log2(const Arguments& a, Precision& p) { return Log2Of(Operand(a.a, p), p); }
BigFloat Exp(const Arguments& a, Precision& p) { return ExpOrBeyond(Operand(a.a, p), p); }

BigFloat LogN(const Arguments& a, Precision& p) {
  return Div(Log(Operand(a.b, p), p), Log(Operand(a.a, p), p), p);
}

BigFloat IntPower(const Arguments& a, Precision& p) {
  const BigFloat base = Operand(a.a, p);
  const int64_t n = static_cast<int64_t>(a.b);
  uint64_t remaining = n < 0 ? static_cast<uint64_t>(-n) : static_cast<uint64_t>(n);
  // Square and multiply with the guard limbs: each product a unit of them, at most 64 of them.
  Precision q{p.limbs + 2};
  BigFloat power = Widened(base, p.limbs, q.limbs);
  BigFloat result = FromInteger(1, q);
  while (remaining != 0) {
    if ((remaining & 1) != 0) result = Mul(result, power, q);
    remaining >>= 1;
    if (remaining != 0) power = Mul(power, power, q);
  }
  if (n < 0) result = Div(FromInteger(1, q), result, q);
  p.inexact = p.inexact || q.inexact;
  return Narrowed(result, q.limbs, p);
}

BigFloat Power(const Arguments& a, Precision& p) {
  const long double e = a.b;
  // An integral exponent of the integer power's range is the integer power, exactly where the
  // power is exact.
  if (e >= -2147483648.0L && e <= 2147483647.0L &&
      e == static_cast<long double>(static_cast<int64_t>(e))) {
    return IntPower(a, p);
  }
  const BigFloat base = Magnitude(Operand(a.a, p));
  const BigFloat exponent = Operand(e, p);
  Precision q{p.limbs + 1};  // |e ln a| up to 2^15 takes 15 bits of the result's
  const BigFloat t =
      Mul(Widened(exponent, p.limbs, q.limbs), Log(Widened(base, p.limbs, q.limbs), q), q);
  BigFloat result = ExpOrBeyond(t, q);
  // A negative base (to an integral exponent, the first phase says): odd ones are negative.
  if (a.a < 0.0L) {
    const ExtendedBits bits = BitsOfExtended(e);
    const int unbiased = (bits.sign_and_exponent & 0x7FFF) - 16383;
    const bool odd =
        unbiased >= 0 && unbiased <= 63 && ((bits.significand >> (63 - unbiased)) & 1) != 0;
    if (odd) result = Negated(result);
  }
  p.inexact = true;
  return Narrowed(result, q.limbs, p);
}

BigFloat Hypot(const Arguments& a, Precision& p) {
  Precision q{p.limbs + 2};
  const BigFloat x = Operand(a.a, q), y = Operand(a.b, q);
  const BigFloat sum = Add(Mul(x, x, q), Mul(y, y, q), q);
  const bool sum_exact = !q.inexact;
  const BigFloat root = Sqrt(sum, q);
  // An exact root (hypot(3, 4) = 5, or one on a midpoint of two extended values) has at most
  // 66 bits: the root cut to 96 bits, or that plus one unit, squares exactly to the sum.
  if (sum_exact) {
    Precision cut{3};
    BigFloat candidate = Narrowed(root, q.limbs, cut);
    BigFloat unit;
    unit.zero = false;
    unit.limbs = 3;
    unit.limb[0] = unit.limb[1] = 0;
    unit.limb[2] = 0x80000000u;
    unit.exponent = candidate.exponent - 95;
    for (int step = 0; step < 2; ++step) {
      Precision square{6};
      const BigFloat wide = Widened(candidate, 3, 6);
      const BigFloat squared = Mul(wide, wide, square);
      if (CompareMagnitude(Widened(squared, 6, q.limbs), sum) == 0) {
        return Widened(candidate, 3, p.limbs);  // exact: p.inexact untouched
      }
      candidate = Add(candidate, unit, cut);
    }
  }
  p.inexact = true;
  return Narrowed(root, q.limbs, p);
}

}  // namespace numora::accurate
