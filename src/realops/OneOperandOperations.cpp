// The one-operand real operations: each names its computation; the frame does the rest.
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"
#include "realops/AccurateOperations.h"
#include "realops/AngleUnit.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::ops {
namespace {

using OfTinyAngle = long double (*)(long double x, AngleUnit unit);

// The accurate phase of an operation of one operand read in the angle unit.
long double NearestOf(accurate::Function f, long double x, AngleUnit unit) {
  return accurate::NearestValue(f, {x, 0.0L, unit});
}

// The inverse and hyperbolic functions read their operand in the angle unit too; those given
// `OfTiny` take an angle below the normal range from x (AngleUnit.h). Each result within
// `kBound` units in the last place of the true one at the exact angle, made correctly rounded
// by `kAccurate`.
template <long double (*Kernel)(long double), int kBound, accurate::Function kAccurate,
          OfTinyAngle OfTiny = nullptr>
void Angular(PluginState& state) {
  RunOneOperandReal(
      state,
      [&state](long double x) {
        const AngleUnit unit = CurrentAngleUnit(state);
        const long double angle = AngleToRadians(x, unit);
        if constexpr (OfTiny != nullptr) {
          if (IsBelowNormalRange(angle, x)) [[unlikely]] {
            return OfTiny(x, unit);
          }
        }
        return Kernel(angle);
      },
      kBound, [&state](long double x) { return NearestOf(kAccurate, x, CurrentAngleUnit(state)); });
}

// Those that amplify the rounding of a converted operand read it in two parts.
template <long double (*Kernel)(long double, long double), int kBound, accurate::Function kAccurate,
          OfTinyAngle OfTiny = nullptr>
void AngularInParts(PluginState& state) {
  RunOneOperandReal(
      state,
      [&state](long double x) {
        const AngleUnit unit = CurrentAngleUnit(state);
        const kernels::Pair angle = AngleToRadiansInParts(x, unit);
        if constexpr (OfTiny != nullptr) {
          if (IsBelowNormalRange(angle.hi, x)) [[unlikely]] {
            return OfTiny(x, unit);
          }
        }
        return Kernel(angle.hi, angle.lo);
      },
      kBound, [&state](long double x) { return NearestOf(kAccurate, x, CurrentAngleUnit(state)); });
}

// The circular functions reduce their operand in its own unit. Below a right angle's fraction
// the remainder is the converted operand itself. The accurate phase takes the same exact
// reduction in degrees and grads, and its own in radians.
template <long double (*Kernel)(const kernels::ReducedAngle&), int kBound,
          accurate::Function kAccurate, OfTinyAngle OfTiny = nullptr>
void Circular(PluginState& state) {
  RunOneOperandReal(
      state,
      [&state](long double x) {
        const AngleUnit unit = CurrentAngleUnit(state);
        const kernels::ReducedAngle angle = ReduceAngle(x, unit);
        if constexpr (OfTiny != nullptr) {
          if (kernels::Magnitude(x) < 1.0L && IsBelowNormalRange(angle.remainder, x)) [[unlikely]] {
            return OfTiny(x, unit);
          }
        }
        return Kernel(angle);
      },
      kBound,
      [&state](long double x) {
        const AngleUnit unit = CurrentAngleUnit(state);
        const kernels::ReducedAngle angle = ReduceAngle(x, unit);
        return accurate::NearestValue(kAccurate, {x, 0.0L, unit, angle.quadrant, angle.in_unit});
      });
}

// Of an angle below the normal range: 1/a is csc a, cot a, csch a and coth a to every digit,
// ln(2/a) arcsch a and arsech a; arccot a is +-pi/2 by its sign; arcsec and arccsc are
// undefined there, as at any angle inside (-1, 1).
long double ReciprocalOfTinyAngle(long double x, AngleUnit unit) {
  return ReciprocalOfAngle(x, unit);
}
long double ArcCscHOfTinyAngle(long double x, AngleUnit unit) {
  return kernels::CopySign(x87::Ln2() - LnOfAngleMagnitude(x, unit), x);
}
long double ArcSecHOfTinyAngle(long double x, AngleUnit unit) {
  return x > 0.0L ? x87::Ln2() - LnOfAngleMagnitude(x, unit) : kernels::ArcSecH(-0x1p-16382L);
}
long double ArcCotOfTinyAngle(long double x, AngleUnit) {
  return kernels::CopySign(kernels::HalfPi(), x);
}
long double ArcSecOfTinyAngle(long double x, AngleUnit) {
  return kernels::ArcSecant(kernels::CopySign(0x1p-16382L, x));
}
long double ArcCscOfTinyAngle(long double x, AngleUnit) {
  return kernels::ArcCosecant(kernels::CopySign(0x1p-16382L, x));
}

// Exact, or correctly rounded by the processor itself.
template <long double (*Kernel)(long double)>
void Plain(PluginState& state) {
  RunOneOperandReal(state, [](long double x) { return Kernel(x); });
}

template <long double (*Kernel)(long double), int kBound, accurate::Function kAccurate>
void Rounded(PluginState& state) {
  RunOneOperandReal(
      state, [](long double x) { return Kernel(x); }, kBound,
      [](long double x) { return accurate::NearestValue(kAccurate, {x}); });
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

// The first phase's bounds, in units in the last place of the true result (at the exact angle
// in degrees and grads): from the error of each step (the processor's transcendental
// instructions within one unit, as Intel documents them; each rounding half a unit; the
// conversion from degrees or grads read in two parts where the function amplifies it), twice
// the largest error measured over a million of the sweep's draws, the sensitive ones among them
// (scripts/measure_first_phase.py; the largest met in brackets).
constexpr int kCircularBound = 4;            // fsin, fcos of the exact remainder (1.3)
constexpr int kReciprocalBound = 6;          // fptan, or a reciprocal after them (2.7)
constexpr int kInverseBound = 6;             // fpatan of x and a root of 1 - x^2 (1.9)
constexpr int kHyperbolicBound = 8;          // e^x - 1 or two exponentials (3.1)
constexpr int kLogarithmBound = 8;           // fyl2x, fyl2xp1 of 1 + x beyond 1/4 (4.0)
constexpr int kExponentialBound = 8;         // f2xm1 of t - n, t within 3 units (1.2)
constexpr int kInverseHyperbolicBound = 10;  // a root and the logarithm of 1 + t (4.6)

void Get_Sqrt(PluginState& state) { Plain<SquareRoot>(state); }
void Get_Sin(PluginState& state) {
  Circular<kernels::SineOf, kCircularBound, accurate::Sin>(state);
}
void Get_Cos(PluginState& state) {
  Circular<kernels::CosineOf, kCircularBound, accurate::Cos>(state);
}
void Get_Tan(PluginState& state) {
  Circular<kernels::TangentOf, kReciprocalBound, accurate::Tan>(state);
}
void Get_Cot(PluginState& state) {
  Circular<kernels::CotangentOf, kReciprocalBound, accurate::Cot, ReciprocalOfTinyAngle>(state);
}
void Get_Cotan(PluginState& state) {
  Circular<kernels::CotangentOf, kReciprocalBound, accurate::Cot, ReciprocalOfTinyAngle>(state);
}
void Get_Sec(PluginState& state) {
  Circular<kernels::SecantOf, kReciprocalBound, accurate::Sec>(state);
}
void Get_Csc(PluginState& state) {
  Circular<kernels::CosecantOf, kReciprocalBound, accurate::Csc, ReciprocalOfTinyAngle>(state);
}
void Get_ASin(PluginState& state) {
  AngularInParts<kernels::ArcSine, kInverseBound, accurate::ArcSin>(state);
}
void Get_ACos(PluginState& state) {
  AngularInParts<kernels::ArcCosine, kInverseBound, accurate::ArcCos>(state);
}
void Get_ATan(PluginState& state) { Angular<ArcTangent, kInverseBound, accurate::ArcTan>(state); }
void Get_ACot(PluginState& state) {
  Angular<kernels::ArcCotangent, kInverseBound, accurate::ArcCot, ArcCotOfTinyAngle>(state);
}
void Get_ASec(PluginState& state) {
  AngularInParts<kernels::ArcSecant, kInverseBound, accurate::ArcSec, ArcSecOfTinyAngle>(state);
}
void Get_ACsc(PluginState& state) {
  AngularInParts<kernels::ArcCosecant, kInverseBound, accurate::ArcCsc, ArcCscOfTinyAngle>(state);
}
void Get_SinH(PluginState& state) {
  AngularInParts<kernels::SinH, kHyperbolicBound, accurate::SinH>(state);
}
void Get_CosH(PluginState& state) {
  AngularInParts<kernels::CosH, kHyperbolicBound, accurate::CosH>(state);
}
void Get_TanH(PluginState& state) {
  Angular<kernels::TanH, kHyperbolicBound, accurate::TanH>(state);
}
void Get_CotH(PluginState& state) {
  Angular<kernels::CotH, kHyperbolicBound, accurate::CotH, ReciprocalOfTinyAngle>(state);
}
void Get_SecH(PluginState& state) {
  AngularInParts<kernels::SecH, kHyperbolicBound, accurate::SecH>(state);
}
void Get_CscH(PluginState& state) {
  AngularInParts<kernels::CscH, kHyperbolicBound, accurate::CscH, ReciprocalOfTinyAngle>(state);
}
void Get_ASinH(PluginState& state) {
  Angular<kernels::ArcSinH, kInverseHyperbolicBound, accurate::ArcSinH>(state);
}
void Get_ACosH(PluginState& state) {
  AngularInParts<kernels::ArcCosH, kInverseHyperbolicBound, accurate::ArcCosH>(state);
}
void Get_ATanH(PluginState& state) {
  AngularInParts<kernels::ArcTanH, kInverseHyperbolicBound, accurate::ArcTanH>(state);
}
void Get_ACotH(PluginState& state) {
  AngularInParts<kernels::ArcCotH, kInverseHyperbolicBound, accurate::ArcCotH>(state);
}
void Get_ASecH(PluginState& state) {
  AngularInParts<kernels::ArcSecH, kInverseHyperbolicBound, accurate::ArcSecH, ArcSecHOfTinyAngle>(
      state);
}
void Get_ACscH(PluginState& state) {
  Angular<kernels::ArcCscH, kInverseHyperbolicBound, accurate::ArcCscH, ArcCscHOfTinyAngle>(state);
}
void Get_Ln(PluginState& state) { Rounded<kernels::Ln, kLogarithmBound, accurate::Ln>(state); }
void Get_LnXP1(PluginState& state) {
  Rounded<kernels::LnXP1, kLogarithmBound, accurate::LnXP1>(state);
}
void Get_Log10(PluginState& state) {
  Rounded<kernels::Log10, kLogarithmBound, accurate::Log10>(state);
}
void Get_Log2(PluginState& state) {
  Rounded<kernels::Log2, kLogarithmBound, accurate::Log2>(state);
}
void Get_Exp(PluginState& state) { Rounded<kernels::Exp, kExponentialBound, accurate::Exp>(state); }
void Get_Floor(PluginState& state) { Plain<FloorAsReal>(state); }
void Get_Frac(PluginState& state) { Plain<kernels::Fraction>(state); }
void Get_Round(PluginState& state) { Plain<RoundAsReal>(state); }
void Get_Trunc(PluginState& state) { Plain<TruncAsReal>(state); }

void Get_Pi(PluginState& state) {
  char buffer[platform::kSeparatorBuffer];
  state.last_result = kernels::Pi();
  StoreRealResult(state, state.last_result, ReadCallSeparator(buffer));
}

}  // namespace numora::ops
