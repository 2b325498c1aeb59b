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
#include "realops/CorrectRounding.h"
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

// Computes the result and writes its text, correctly rounded: where a value within the first
// phase's bound of `bound_ulps` units could print another text, `accurate` gives the extended
// value nearest to the true result (0: the first phase is exact or correctly rounded itself).
// An inexact flag the parse left standing is harmless where the print certainly raises it too,
// or where the computation overflowed or underflowed (masked, both raise it); anywhere else it
// is cleared and the computation and the print run again (they are pure), so the flags after
// the operation are theirs alone, as if the parse had cleared it. A clear, and raising the flag
// again after it, cost more than the rest of a call. (The computations raise no library errors:
// nothing leaves between the parse and the print.)
template <class Compute, class Accurate>
void ComputeAndStoreReal(PluginState& state, Compute compute, int bound_ulps, Accurate accurate,
                         const CallSeparator& separator, bool inexact_left) {
  long double result = compute();
  x87::Wait();  // an unmasked fault leaves from the computation, before any text exists
  state.last_result = result;
  char text[kRealTextCapacity];
  bool print_inexact;
  int last_digits = -1;
  // The print tells its last digits only where a bound asks for them.
  std::size_t length = bound_ulps > 0
                           ? RealToText(result, separator.number, text, print_inexact, last_digits)
                           : RealToText(result, separator.number, text, print_inexact);
  bool corrected = false;
  if (bound_ulps > 0 && TextUncertain(result, last_digits, bound_ulps) &&
      RoundsToNearestExtended(x87::ControlWord()) && AccuratePhaseEnabled()) [[unlikely]] {
    CountAccuratePhaseRun();
    result = accurate();
    x87::Wait();  // a result beyond the range overflows here
    state.last_result = result;
    length = RealToText(result, separator.number, text, print_inexact, last_digits);
    corrected = true;
  }
  state.last_print_rounded = print_inexact;
  if (inexact_left && !print_inexact &&
      (x87::StatusWord() & (x87::kOverflowFlag | x87::kUnderflowFlag)) == 0) {
    x87::ClearExceptions();
    const long double again = compute();
    length = RealToText(corrected ? accurate() : again, separator.number, text, print_inexact);
  }
  StoreRealText(state, text, length, separator);
}

// A result the first phase gives exactly, or correctly rounded already.
inline long double NoAccuratePhase() { return 0.0L; }

// Where the last result printed exactly the next one likely does too (integral results): its
// parse clears the flags itself, and the computation runs once.
inline bool* InexactLeftIfLikelyHarmless(const PluginState& state, bool& inexact_left) {
  return state.last_print_rounded ? &inexact_left : nullptr;
}

// One-operand real operation: LastOperand := register, LastResult := compute(LastOperand),
// made correctly rounded by accurate(LastOperand) where the first phase's bound of
// `bound_ulps` cannot tell the text.
template <class Compute, class Accurate>
void RunOneOperandReal(PluginState& state, Compute compute, int bound_ulps, Accurate accurate) {
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
      state, [&] { return compute(x); }, bound_ulps, [&] { return accurate(x); }, separator,
      inexact_left);
}

// The same for a computation that is exact or correctly rounded itself.
template <class Compute>
void RunOneOperandReal(PluginState& state, Compute compute) {
  RunOneOperandReal(state, compute, 0, [](long double) { return NoAccuratePhase(); });
}

// Two-operand real operation: both fields read in order, then LastResult := compute(a, b),
// made correctly rounded by accurate(a, b) as above.
template <class First, class Second, class Compute, class Accurate>
void RunTwoOperand(PluginState& state, Compute compute, int bound_ulps, Accurate accurate) {
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
      state, [&] { return compute(a, b); }, bound_ulps, [&] { return accurate(a, b); }, separator,
      first_left || second_left);
}

template <class First, class Second, class Compute>
void RunTwoOperand(PluginState& state, Compute compute) {
  RunTwoOperand<First, Second>(state, compute, 0, [](First, Second) { return NoAccuratePhase(); });
}

}  // namespace numora
