// The sequence every operation follows: read the register, compute, write the register last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/Platform.h"
#include "plugin/LocaleSeparator.h"
#include "plugin/PluginState.h"
#include "x87/X87.h"

namespace numora {

// Cuts the register at commas into FirstOperandText and (when present) SecondOperandText.
void SplitOperands();

// A real operand: translated to the locale separator, then parsed; the translation is
// released before anything is computed.
long double ReadRealOperand(std::string_view text);
// The same with the separator already read for this operation.
long double ReadRealOperand(std::string_view text, std::string_view separator);
int32_t ReadIntegerOperand(std::string_view text);

template <class T>
T ReadOperandAs(std::string_view text, std::string_view separator);
template <>
inline long double ReadOperandAs<long double>(std::string_view text, std::string_view separator) {
  return ReadRealOperand(text, separator);
}
template <>
inline int32_t ReadOperandAs<int32_t>(std::string_view text, std::string_view) {
  return ReadIntegerOperand(text);
}

// The only writes of the register.
void StoreText(std::string_view text);
void StoreRealResult(long double result);  // RealToText, then LocaleSeparatorToDot
void StoreRealResult(long double result, std::string_view separator);
void StoreIntegerResult(int32_t result);  // IntToText

// One-operand real operation: LastOperand := register, LastResult := compute(LastOperand).
template <class Compute>
void RunOneOperandReal(Compute compute) {
  PluginState& state = State();
  // The locale's separator is read once: the operand's translation and the result's share it.
  char buffer[platform::kSeparatorBuffer];
  const std::string_view separator = ReadCallSeparator(buffer);
  // The values stay in the processor's registers: an 80-bit value stored and loaded again at
  // once stalls the load.
  const long double x = ReadRealOperand(state.exchange_register, separator);
  state.last_operand = x;
  const long double result = compute(x);
  x87::Wait();  // an unmasked fault leaves from the computation, before any text exists
  state.last_result = result;
  StoreRealResult(result, separator);
}

// Two-operand real operation: both fields read in order, then LastResult := compute(a, b).
template <class First, class Second, class Compute>
void RunTwoOperand(Compute compute) {
  SplitOperands();
  PluginState& state = State();
  char buffer[platform::kSeparatorBuffer];
  const std::string_view separator = ReadCallSeparator(buffer);
  const First a = ReadOperandAs<First>(state.first_operand_text, separator);
  const Second b = ReadOperandAs<Second>(state.second_operand_text, separator);
  const long double result = compute(a, b);
  x87::Wait();
  state.last_result = result;
  StoreRealResult(result, separator);
}

}  // namespace numora
