// The one-operand real operations: each names its computation; the frame does the rest.
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"
#include "realops/AngleUnit.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"
#include "x87/X87.h"

namespace numora::ops {
namespace {

// The inverse and hyperbolic functions read their operand in the angle unit too.
template <long double (*Kernel)(long double)>
void Angular() {
  RunOneOperandReal([](long double x) { return Kernel(AngleToRadians(x)); });
}

// The circular functions reduce their operand in its own unit.
template <long double (*Kernel)(const kernels::ReducedAngle&)>
void Circular() {
  RunOneOperandReal([](long double x) { return Kernel(ReduceAngle(x)); });
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
long double RoundAsReal(long double x) {
  if (IsWholeBeyondInt64(x)) return x;
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
void Get_Cot() { Circular<kernels::CotangentOf>(); }
void Get_Cotan() { Circular<kernels::CotangentOf>(); }
void Get_Sec() { Circular<kernels::SecantOf>(); }
void Get_Csc() { Circular<kernels::CosecantOf>(); }
void Get_ASin() { Angular<kernels::ArcSine>(); }
void Get_ACos() { Angular<kernels::ArcCosine>(); }
void Get_ATan() { Angular<ArcTangent>(); }
void Get_ACot() { Angular<kernels::ArcCotangent>(); }
void Get_ASec() { Angular<kernels::ArcSecant>(); }
void Get_ACsc() { Angular<kernels::ArcCosecant>(); }
void Get_SinH() { Angular<kernels::SinH>(); }
void Get_CosH() { Angular<kernels::CosH>(); }
void Get_TanH() { Angular<kernels::TanH>(); }
void Get_CotH() { Angular<kernels::CotH>(); }
void Get_SecH() { Angular<kernels::SecH>(); }
void Get_CscH() { Angular<kernels::CscH>(); }
void Get_ASinH() { Angular<kernels::ArcSinH>(); }
void Get_ACosH() { Angular<kernels::ArcCosH>(); }
void Get_ATanH() { Angular<kernels::ArcTanH>(); }
void Get_ACotH() { Angular<kernels::ArcCotH>(); }
void Get_ASecH() { Angular<kernels::ArcSecH>(); }
void Get_ACscH() { Angular<kernels::ArcCscH>(); }
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
