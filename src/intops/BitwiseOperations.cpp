// And, or, exclusive or and complement of 32-bit integers, and the two shifts.
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"
#include "realops/Kernels.h"

namespace numora::ops {
namespace {

template <class Combine>
void RunBitwise(PluginState& state, Combine combine) {
  SplitOperands(state);
  const int32_t a = ReadIntegerOperand(state.first_operand_text);
  const int32_t b = ReadIntegerOperand(state.second_operand_text);
  state.bitwise_result = combine(a, b);
  StoreIntegerResult(state, state.bitwise_result);
}

}  // namespace

void Get_And(PluginState& state) {
  RunBitwise(state, [](int32_t a, int32_t b) { return a & b; });
}
void Get_Or(PluginState& state) {
  RunBitwise(state, [](int32_t a, int32_t b) { return a | b; });
}
void Get_Xor(PluginState& state) {
  RunBitwise(state, [](int32_t a, int32_t b) { return a ^ b; });
}

void Get_Not(PluginState& state) {
  state.integer_value = ReadIntegerOperand(state.exchange_register);
  state.bitwise_result = ~state.integer_value;
  StoreIntegerResult(state, state.bitwise_result);
}

void Get_ShL(PluginState& state) {
  RunTwoOperand<int32_t, int32_t>(state, [](int32_t a, int32_t n) -> long double {
    const uint32_t shifted = static_cast<uint32_t>(a) << (static_cast<uint32_t>(n) & 31u);
    return static_cast<long double>(static_cast<int32_t>(shifted));
  });
}

void Get_ShR(PluginState& state) {
  // The count is read, and its power of two formed, before the value is read.
  SplitOperands(state);
  char buffer[platform::kSeparatorBuffer];
  const CallSeparator separator = ReadCallSeparator(buffer);
  const long double count = ReadRealOperand(state.second_operand_text, separator);
  // Beyond 2^16000 the power leaves the range while the quotient may not: the value is then
  // scaled by 2^-count instead.
  const bool power_in_range = count < 16000.0L && count > -16000.0L;
  const long double divisor = power_in_range ? kernels::Power(2.0L, count) : 1.0L;
  const long double value = ReadRealOperand(state.first_operand_text, separator);
  const long double result =
      power_in_range ? value / divisor : kernels::ScaleByPowerOfTwo(value, -count);
  x87::Wait();
  state.last_result = result;
  StoreRealResult(state, state.last_result, separator);
}

}  // namespace numora::ops
