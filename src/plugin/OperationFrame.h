// The sequence every operation follows: read the register, compute, write the register last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "plugin/PluginState.h"
#include "x87/X87.h"

namespace numora {

// Cuts the register at commas into FirstOperandText and (when present) SecondOperandText.
void SplitOperands();

// A real operand: translated to the locale separator, then parsed; the translation is
// released before anything is computed.
long double ReadRealOperand(std::string_view text);
int32_t ReadIntegerOperand(std::string_view text);

template <class T>
T ReadOperandAs(std::string_view text);
template <>
inline long double ReadOperandAs<long double>(std::string_view text) {
  return ReadRealOperand(text);
}
template <>
inline int32_t ReadOperandAs<int32_t>(std::string_view text) {
  return ReadIntegerOperand(text);
}

// The only writes of the register.
void StoreText(std::string_view text);
void StoreRealResult(long double result);  // RealToText, then LocaleSeparatorToDot
void StoreIntegerResult(int32_t result);   // IntToText

// One-operand real operation: LastOperand := register, LastResult := compute(LastOperand).
template <class Compute>
void RunOneOperandReal(Compute compute) {
  PluginState& state = State();
  // The values stay in the processor's registers: an 80-bit value stored and loaded again at
  // once stalls the load.
  const long double x = ReadRealOperand(state.exchange_register);
  state.last_operand = x;
  const long double result = compute(x);
  x87::Wait();  // an unmasked fault leaves from the computation, before any text exists
  state.last_result = result;
  StoreRealResult(result);
}

// Two-operand real operation: both fields read in order, then LastResult := compute(a, b).
template <class First, class Second, class Compute>
void RunTwoOperand(Compute compute) {
  SplitOperands();
  PluginState& state = State();
  const First a = ReadOperandAs<First>(state.first_operand_text);
  const Second b = ReadOperandAs<Second>(state.second_operand_text);
  const long double result = compute(a, b);
  x87::Wait();
  state.last_result = result;
  StoreRealResult(result);
}

}  // namespace numora
