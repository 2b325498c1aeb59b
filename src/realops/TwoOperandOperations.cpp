// The two-operand real operations on "a,b" registers.
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"
#include "realops/AccurateOperations.h"
#include "realops/DecimalRounding.h"
#include "realops/Kernels.h"

namespace numora::ops {
namespace {

using Real = long double;

// The digit position is the integer's low 8 bits, two's complement, unchecked.
int8_t DigitPosition(int32_t n) { return static_cast<int8_t>(static_cast<uint8_t>(n & 0xFF)); }

}  // namespace

// The accurate phase of a two-operand operation.
template <accurate::Function kAccurate>
long double NearestOf(Real a, Real b) {
  return accurate::NearestValue(kAccurate, {a, b});
}

// The first phase's bounds in units in the last place, as for the one-operand operations.
constexpr int kLogNBound = 6;          // two logarithms and their quotient (2.1)
constexpr int kPowerBound = 8;         // 2^t, t from fyl2x, up to |t| = 4 (7 in theory; 3.2 met)
constexpr int kPowerInPartsBound = 4;  // the power in parts throughout (2.0)
constexpr int kIntPowerBound = 8;      // up to 8 products rounded one by one, else pairs (2.1)
constexpr int kHypotBound = 4;         // a root of 1 + (s/l)^2, times l (1.5)

void Get_LogN(PluginState& state) {
  RunTwoOperand<Real, Real>(state, kernels::LogN, kLogNBound, NearestOf<accurate::LogN>);
}
// A power whose first try leaves its text uncertain is tried again in parts throughout, and
// only where that too cannot tell is it evaluated accurately.
Real PowerAgain(Real a, Real b) {
  const Real again = kernels::PowerInParts(a, b);
  if (!TextUncertainNear(again, kPowerInPartsBound)) return again;
  return NearestOf<accurate::Power>(a, b);
}

void Get_Power(PluginState& state) {
  RunTwoOperand<Real, Real>(state, kernels::Power, kPowerBound, PowerAgain);
}
void Get_IntPower(PluginState& state) {
  RunTwoOperand<Real, int32_t>(state, kernels::IntPower, kIntPowerBound, [](Real a, int32_t n) {
    return NearestOf<accurate::IntPower>(a, static_cast<Real>(n));
  });
}
void Get_Ldexp(PluginState& state) { RunTwoOperand<Real, int32_t>(state, kernels::Ldexp); }
void Get_Hypot(PluginState& state) {
  RunTwoOperand<Real, Real>(state, kernels::Hypot, kHypotBound, NearestOf<accurate::Hypot>);
}

void Get_RoundTo(PluginState& state) {
  RunTwoOperand<Real, int32_t>(state, [](Real x, int32_t d) -> Real {
    return kernels::RoundToNearestEvenDecimal(static_cast<double>(x), DigitPosition(d));
  });
}

void Get_SimpleRoundTo(PluginState& state) {
  RunTwoOperand<Real, int32_t>(state, [](Real x, int32_t d) -> Real {
    return kernels::RoundHalfUpDecimal(static_cast<double>(x), DigitPosition(d));
  });
}

}  // namespace numora::ops
