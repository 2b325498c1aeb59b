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

bool TextUncertainNear(long double value, int bound_ulps) {
  const ExtendedBits bits = BitsOfExtended(value);
  const int field = bits.sign_and_exponent & 0x7FFF;
  // An infinity, a NaN, a zero or a subnormal far below the normal range prints as it stands.
  if (field == 0x7FFF || (field == 0 && bits.significand < (kIntegerBit >> 1))) return false;
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
