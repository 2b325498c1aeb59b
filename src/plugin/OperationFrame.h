// The sequence every operation follows: read the register, compute, write the register last.
// An operation works on the state it is given: the process-wide one for the exported entry
// points, a caller's own context for NumoraRunIn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "numtext/RealText.h"
#include "platform/Platform.h"
#include "plugin/LocaleSeparator.h"
#include "plugin/PluginState.h"
#include "x87/X87.h"

namespace numora {

// Cuts the register at commas into FirstOperandText and (when present) SecondOperandText.
void SplitOperands(PluginState& state);

// A real operand: translated to the call's separator, then parsed with it; the translation is
// released before anything is computed. `inexact_left` as in ParseRealValue.
long double ReadRealOperand(std::string_view text, const CallSeparator& separator,
                            bool* inexact_left = nullptr);
int32_t ReadIntegerOperand(std::string_view text);

template <class T>
T ReadOperandAs(std::string_view text, const CallSeparator& separator, bool* inexact_left);
template <>
inline long double ReadOperandAs<long double>(std::string_view text, const CallSeparator& separator,
                                              bool* inexact_left) {
  return ReadRealOperand(text, separator, inexact_left);
}
template <>
inline int32_t ReadOperandAs<int32_t>(std::string_view text, const CallSeparator&, bool*) {
  return ReadIntegerOperand(text);
}

// The only writes of the register.
void StoreText(PluginState& state, std::string_view text);
// RealToText with the call's separator, then LocaleSeparatorToDot.
void StoreRealResult(PluginState& state, long double result, const CallSeparator& separator);
// A printed result: LocaleSeparatorToDot, then into the register.
void StoreRealText(PluginState& state, char* text, std::size_t length,
                   const CallSeparator& separator);
void StoreIntegerResult(PluginState& state, int32_t result);  // IntToText

// Computes the result and writes its text. An inexact flag the parse left standing is harmless
// where the print certainly raises it too, or where the computation overflowed or underflowed
// (masked, both raise it); anywhere else it is cleared and the computation and the print run
// again (they are pure), so the flags after the operation are theirs alone, as if the parse had
// cleared it. A clear, and raising the flag again after it, cost more than the rest of a call.
// (The computations raise no library errors: nothing leaves between the parse and the print.)
template <class Compute>
void ComputeAndStoreReal(PluginState& state, Compute compute, const CallSeparator& separator,
                         bool inexact_left) {
  const long double result = compute();
  x87::Wait();  // an unmasked fault leaves from the computation, before any text exists
  state.last_result = result;
  char text[kRealTextCapacity];
  bool print_inexact;
  std::size_t length = RealToText(result, separator.number, text, print_inexact);
  state.last_print_rounded = print_inexact;
  if (inexact_left && !print_inexact &&
      (x87::StatusWord() & (x87::kOverflowFlag | x87::kUnderflowFlag)) == 0) {
    x87::ClearExceptions();
    length = RealToText(compute(), separator.number, text, print_inexact);
  }
  StoreRealText(state, text, length, separator);
}

// Where the last result printed exactly the next one likely does too (integral results): its
// parse clears the flags itself, and the computation runs once.
inline bool* InexactLeftIfLikelyHarmless(const PluginState& state, bool& inexact_left) {
  return state.last_print_rounded ? &inexact_left : nullptr;
}

// One-operand real operation: LastOperand := register, LastResult := compute(LastOperand).
template <class Compute>
void RunOneOperandReal(PluginState& state, Compute compute) {
  // The locale's separator is read once: the operand's translation and parse and the result's
  // print and translation share it.
  char buffer[platform::kSeparatorBuffer];
  const CallSeparator separator = ReadCallSeparator(buffer);
  bool inexact_left = false;
  // The values stay in the processor's registers: an 80-bit value stored and loaded again puts
  // a store and a load on its path.
  const long double x = ReadRealOperand(state.exchange_register, separator,
                                        InexactLeftIfLikelyHarmless(state, inexact_left));
  state.last_operand = x;
  ComputeAndStoreReal(
      state, [&] { return compute(x); }, separator, inexact_left);
}

// Two-operand real operation: both fields read in order, then LastResult := compute(a, b).
template <class First, class Second, class Compute>
void RunTwoOperand(PluginState& state, Compute compute) {
  SplitOperands(state);
  char buffer[platform::kSeparatorBuffer];
  const CallSeparator separator = ReadCallSeparator(buffer);
  bool first_left = false;
  bool second_left = false;
  const First a = ReadOperandAs<First>(state.first_operand_text, separator,
                                       InexactLeftIfLikelyHarmless(state, first_left));
  Second b;
  try {
    b = ReadOperandAs<Second>(state.second_operand_text, separator,
                              InexactLeftIfLikelyHarmless(state, second_left));
  } catch (...) {
    if (first_left) x87::ClearExceptions();  // a failed call leaves no flag of its parse
    throw;
  }
  ComputeAndStoreReal(
      state, [&] { return compute(a, b); }, separator, first_left || second_left);
}

}  // namespace numora
