// The two-operand real operations on "a,b" registers.
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"
#include "realops/DecimalRounding.h"
#include "realops/Kernels.h"

namespace numora::ops {
namespace {

using Real = long double;

// The digit position is the integer's low 8 bits, two's complement, unchecked.
int8_t DigitPosition(int32_t n) { return static_cast<int8_t>(static_cast<uint8_t>(n & 0xFF)); }

}  // namespace

void Get_LogN(PluginState& state) { RunTwoOperand<Real, Real>(state, kernels::LogN); }
void Get_Power(PluginState& state) { RunTwoOperand<Real, Real>(state, kernels::Power); }
void Get_IntPower(PluginState& state) { RunTwoOperand<Real, int32_t>(state, kernels::IntPower); }
void Get_Ldexp(PluginState& state) { RunTwoOperand<Real, int32_t>(state, kernels::Ldexp); }
void Get_Hypot(PluginState& state) { RunTwoOperand<Real, Real>(state, kernels::Hypot); }

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
