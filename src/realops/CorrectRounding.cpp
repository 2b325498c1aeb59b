#include "realops/CorrectRounding.h"

#include <atomic>
#include <cstring>

#include "numtext/Extended.h"
#include "numtext/RealText.h"

namespace numora {
namespace {

std::atomic<bool> accurate_phase{true};
std::atomic<long> accurate_runs{0};

constexpr uint64_t kIntegerBit = 0x8000000000000000ULL;

// The value `steps` representable values away from `value` in magnitude (towards zero for a
// negative count, |steps| below 2^62), stopping at zero and at the infinity: the positive
// values in order are field * 2^63 + (significand without its integer bit), the subnormals
// (field 0) first.
long double Stepped(long double value, int64_t steps) {
  const ExtendedBits bits = BitsOfExtended(value);
  const uint16_t sign = bits.sign_and_exponent & 0x8000;
  int field = bits.sign_and_exponent & 0x7FFF;
  uint64_t fraction = field == 0 ? bits.significand : bits.significand - kIntegerBit;
  const uint64_t count =
      steps < 0 ? 0 - static_cast<uint64_t>(steps) : static_cast<uint64_t>(steps);
  if (steps < 0) {
    if (fraction >= count) {
      fraction -= count;
    } else if (field == 0) {
      fraction = 0;  // down to zero
    } else {
      --field;
      fraction += kIntegerBit - count;
    }
  } else {
    fraction += count;
    if (fraction >= kIntegerBit) {
      fraction -= kIntegerBit;
      ++field;
    }
    if (field >= 0x7FFF) return ExtendedFromBits(static_cast<uint16_t>(sign | 0x7FFF), kIntegerBit);
  }
  const uint64_t significand = field == 0 ? fraction : fraction + kIntegerBit;
  return ExtendedFromBits(static_cast<uint16_t>(sign | field), significand);
}

bool SameText(long double a, long double b) {
  const DecimalDigits x = DecimalDigitsOf(a, 15), y = DecimalDigitsOf(b, 15);
  return x.exponent == y.exponent && x.is_negative == y.is_negative && x.count == y.count &&
         std::memcmp(x.digits, y.digits, static_cast<std::size_t>(x.count)) == 0;
}

}  // namespace

bool TextUncertain(long double value, int last_digits, int bound_ulps) {
  const ExtendedBits bits = BitsOfExtended(value);
  const int field = bits.sign_and_exponent & 0x7FFF;
  // One unit in the last place moves the 18-digit integer by at most 0.11, the print's scaling
  // by at most 0.19 and its rounding by 0.5: beyond that many units of 499.5 the text stands.
  // (Twice the bound below a power of two, where the units are half as large.)
  if (last_digits >= 0 && field > 1) {
    const int band = 2 + (2 * bound_ulps * 11 + 99) / 100;
    if (last_digits < 500 - band || last_digits >= 500 + band) return false;
  } else if (field == 0x7FFF || (field == 0 && bits.significand < (kIntegerBit >> 1))) {
    return false;  // an infinity, a NaN, a zero or a subnormal far below the normal range
  }
  // Near a change of text (or of the smallest normal value, below which every value prints
  // "0"): the values at both ends of the bound, the only ones the print need see.
  const int64_t steps = 2 * static_cast<int64_t>(bound_ulps);
  return !SameText(Stepped(value, -steps), Stepped(value, steps));
}

void EnableAccuratePhase(bool enabled) { accurate_phase.store(enabled); }
bool AccuratePhaseEnabled() { return accurate_phase.load(std::memory_order_relaxed); }
long AccuratePhaseRuns() { return accurate_runs.load(); }
void CountAccuratePhaseRun() { accurate_runs.fetch_add(1, std::memory_order_relaxed); }

}  // namespace numora
