// Correctly rounded results: the printed text is that of the extended value nearest to the true
// result. A fast first phase computes the result within a stated bound; only where a value
// within that bound could print another text does the accurate phase (AccurateOperations.h)
// find the nearest value. Under a control word with 64-bit precision and round-to-nearest; the
// print under others rounds in the caller's precision and direction, and the results keep the
// first phase's value there.
#pragma once

#include <cstdint>

#include "x87/X87.h"

namespace numora {

// Whether the control word asks for the nearest extended value.
inline bool RoundsToNearestExtended(uint16_t control_word) {
  return (control_word & x87::kPrecisionAndRoundingBits) == x87::kPrecision64;
}

// Whether some value within `bound_ulps` units in the last place of `value` prints another text
// than it: `last_digits` is the print's 18-digit integer modulo 1000 (the text changes where it
// passes 499.5), or -1 where the value printed no digits. Cheap where the print is far from
// such a point (inline), two more prints where it is near.
bool TextUncertainNear(long double value, int bound_ulps);
// One unit in the last place moves the 18-digit integer by at most 0.11, the print's scaling by
// at most 0.19 and its rounding by 0.5: beyond that many units of 499.5 the text stands. (The
// bound counts twice below a power of two, where the units are half as large.)
inline bool TextUncertain(long double value, int last_digits, int bound_ulps) {
  const int band = 2 + (2 * bound_ulps * 11 + 99) / 100;
  return last_digits >= 500 - band && last_digits < 500 + band &&
         TextUncertainNear(value, bound_ulps);
}

// Test seam: with the accurate phase off, every result is the first phase's.
void EnableAccuratePhase(bool enabled);
bool AccuratePhaseEnabled();
// How often the accurate phase ran, for the sweep's figures.
long AccuratePhaseRuns();
void CountAccuratePhaseRun();

}  // namespace numora
