// The one-operand real operations: each names its computation; the frame does the rest.
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"
#include "realops/AngleUnit.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::ops {
namespace {

using OfTinyAngle = long double (*)(long double x);

// The inverse and hyperbolic functions read their operand in the angle unit too; those given
// `OfTiny` take an angle below the normal range from x (AngleUnit.h).
template <long double (*Kernel)(long double), OfTinyAngle OfTiny = nullptr>
void Angular() {
  RunOneOperandReal([](long double x) {
    const long double angle = AngleToRadians(x);
    if constexpr (OfTiny != nullptr) {
      if (IsBelowNormalRange(angle, x)) [[unlikely]] {
        return OfTiny(x);
      }
    }
    return Kernel(angle);
  });
}

// Those that amplify the rounding of a converted operand read it in two parts.
template <long double (*Kernel)(long double, long double), OfTinyAngle OfTiny = nullptr>
void AngularInParts() {
  RunOneOperandReal([](long double x) {
    const kernels::Pair angle = AngleToRadiansInParts(x);
    if constexpr (OfTiny != nullptr) {
      if (IsBelowNormalRange(angle.hi, x)) [[unlikely]] {
        return OfTiny(x);
      }
    }
    return Kernel(angle.hi, angle.lo);
  });
}

// The circular functions reduce their operand in its own unit. Below a right angle's fraction
// the remainder is the converted operand itself.
template <long double (*Kernel)(const kernels::ReducedAngle&), OfTinyAngle OfTiny = nullptr>
void Circular() {
  RunOneOperandReal([](long double x) {
    const kernels::ReducedAngle angle = ReduceAngle(x);
    if constexpr (OfTiny != nullptr) {
      if (kernels::Magnitude(x) < 1.0L && IsBelowNormalRange(angle.remainder, x)) [[unlikely]] {
        return OfTiny(x);
      }
    }
    return Kernel(angle);
  });
}

// Of an angle below the normal range: 1/a is csc a, cot a, csch a and coth a to every digit,
// ln(2/a) arcsch a and arsech a; arccot a is +-pi/2 by its sign; arcsec and arccsc are
// undefined there, as at any angle inside (-1, 1).
long double ReciprocalOfTinyAngle(long double x) { return ReciprocalOfAngle(x); }
long double ArcCscHOfTinyAngle(long double x) {
  return kernels::CopySign(x87::Ln2() - LnOfAngleMagnitude(x), x);
}
long double ArcSecHOfTinyAngle(long double x) {
  return x > 0.0L ? x87::Ln2() - LnOfAngleMagnitude(x) : kernels::ArcSecH(-0x1p-16382L);
}
long double ArcCotOfTinyAngle(long double x) { return kernels::CopySign(kernels::HalfPi(), x); }
long double ArcSecOfTinyAngle(long double x) {
  return kernels::ArcSecant(kernels::CopySign(0x1p-16382L, x));
}
long double ArcCscOfTinyAngle(long double x) {
  return kernels::ArcCosecant(kernels::CopySign(0x1p-16382L, x));
}

template <long double (*Kernel)(long double)>
void Plain() {
  RunOneOperandReal([](long double x) { return Kernel(x); });
}

long double SquareRoot(long double x) { return x87::Sqrt(x); }
long double ArcTangent(long double x) { return x87::ArcTangent2(x, 1.0L); }
using kernels::IsWholeBeyondInt64;  // its own floor, rounding and truncation
long double FloorAsReal(long double x) {
  if (IsWholeBeyondInt64(x)) return x;
  return static_cast<long double>(kernels::Floor(x));
}
// From 2^62 on the nearest integer may be 2^63 itself, beyond the 64-bit store (x = 2^63 - 1/2
// rounds to it, ties to even): there the processor rounds to an integer in place, as the store
// would round, and the integer stays a real.
long double RoundAsReal(long double x) {
  if (kernels::Magnitude(x) >= 0x1p62L) return x87::RoundToInteger(x);
  return static_cast<long double>(kernels::RoundToNearest(x));
}
long double TruncAsReal(long double x) {
  if (IsWholeBeyondInt64(x)) return x;
  return static_cast<long double>(kernels::Truncate(x));
}

}  // namespace

void Get_Sqrt() { Plain<SquareRoot>(); }
void Get_Sin() { Circular<kernels::SineOf>(); }
void Get_Cos() { Circular<kernels::CosineOf>(); }
void Get_Tan() { Circular<kernels::TangentOf>(); }
void Get_Cot() { Circular<kernels::CotangentOf, ReciprocalOfTinyAngle>(); }
void Get_Cotan() { Circular<kernels::CotangentOf, ReciprocalOfTinyAngle>(); }
void Get_Sec() { Circular<kernels::SecantOf>(); }
void Get_Csc() { Circular<kernels::CosecantOf, ReciprocalOfTinyAngle>(); }
void Get_ASin() { AngularInParts<kernels::ArcSine>(); }
void Get_ACos() { AngularInParts<kernels::ArcCosine>(); }
void Get_ATan() { Angular<ArcTangent>(); }
void Get_ACot() { Angular<kernels::ArcCotangent, ArcCotOfTinyAngle>(); }
void Get_ASec() { AngularInParts<kernels::ArcSecant, ArcSecOfTinyAngle>(); }
void Get_ACsc() { AngularInParts<kernels::ArcCosecant, ArcCscOfTinyAngle>(); }
void Get_SinH() { AngularInParts<kernels::SinH>(); }
void Get_CosH() { AngularInParts<kernels::CosH>(); }
void Get_TanH() { Angular<kernels::TanH>(); }
void Get_CotH() { Angular<kernels::CotH, ReciprocalOfTinyAngle>(); }
void Get_SecH() { AngularInParts<kernels::SecH>(); }
void Get_CscH() { AngularInParts<kernels::CscH, ReciprocalOfTinyAngle>(); }
void Get_ASinH() { Angular<kernels::ArcSinH>(); }
void Get_ACosH() { AngularInParts<kernels::ArcCosH>(); }
void Get_ATanH() { AngularInParts<kernels::ArcTanH>(); }
void Get_ACotH() { AngularInParts<kernels::ArcCotH>(); }
void Get_ASecH() { AngularInParts<kernels::ArcSecH, ArcSecHOfTinyAngle>(); }
void Get_ACscH() { Angular<kernels::ArcCscH, ArcCscHOfTinyAngle>(); }
void Get_Ln() { Plain<kernels::Ln>(); }
void Get_LnXP1() { Plain<kernels::LnXP1>(); }
void Get_Log10() { Plain<kernels::Log10>(); }
void Get_Log2() { Plain<kernels::Log2>(); }
void Get_Exp() { Plain<kernels::Exp>(); }
void Get_Floor() { Plain<FloorAsReal>(); }
void Get_Frac() { Plain<kernels::Fraction>(); }
void Get_Round() { Plain<RoundAsReal>(); }
void Get_Trunc() { Plain<TruncAsReal>(); }

void Get_Pi() {
  State().last_result = kernels::Pi();
  StoreRealResult(State().last_result);
}

}  // namespace numora::ops
