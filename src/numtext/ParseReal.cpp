#include <cstdint>
#include <cstring>

#include "numtext/Extended.h"
#include "numtext/PowersOfTen.h"
#include "numtext/RealText.h"
#include "x87/X87.h"

namespace numora {
namespace {

// All exceptions masked, 64-bit significand, round to nearest.
constexpr uint16_t kParseControlWord = 0x133F;
constexpr int kExactDigits = 19;  // below 10^19 an integer accumulator is exact

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Eight digits at once, when the next eight bytes are all digits.
inline __attribute__((always_inline)) bool ReadEightDigits(const char* p, uint64_t& value) {
  uint64_t chunk;
  std::memcpy(&chunk, p, 8);
  const uint64_t high = chunk & 0xF0F0F0F0F0F0F0F0ULL;
  const uint64_t carry = ((chunk + 0x0606060606060606ULL) & 0xF0F0F0F0F0F0F0F0ULL) >> 4;
  if ((high | carry) != 0x3333333333333333ULL) return false;
  chunk -= 0x3030303030303030ULL;
  chunk = (chunk * 10) + (chunk >> 8);
  chunk = (((chunk & 0x000000FF000000FFULL) * 0x000F424000000064ULL) +
           (((chunk >> 16) & 0x000000FF000000FFULL) * 0x0000271000000001ULL)) >>
          32;
  value = chunk;
  return true;
}

#ifdef __SIZEOF_INT128__
constexpr uint64_t kHighBit = 0x8000000000000000ULL;

// A positive value as significand * 2^(exponent - 63), the significand's top bit set.
struct Binary {
  uint64_t significand;
  int exponent;
};

inline Binary BinaryOf(const ExtendedBits& bits) {
  return {bits.significand, (bits.sign_and_exponent & 0x7FFF) - 16383};
}

inline Binary RoundedUp(Binary x, bool round_up) {
  if (round_up && ++x.significand == 0) return {kHighBit, x.exponent + 1};
  return x;
}

// a * b and a / b rounded to nearest (ties to even) at 64 bits, as the processor rounds them.
inline Binary Multiply(Binary a, Binary b) {
  unsigned __int128 product = static_cast<unsigned __int128>(a.significand) * b.significand;
  const bool carried = (product >> 127) != 0;
  if (!carried) product <<= 1;
  const Binary x{static_cast<uint64_t>(product >> 64), a.exponent + b.exponent + (carried ? 1 : 0)};
  const auto rest = static_cast<uint64_t>(product);
  return RoundedUp(x, rest > kHighBit || (rest == kHighBit && (x.significand & 1) != 0));
}

inline Binary Divide(Binary a, Binary b) {
  // The quotient of a * 2^64 (or 2^63 when a >= b) has exactly 64 bits.
  const bool halve = a.significand >= b.significand;
  const uint64_t high = halve ? a.significand >> 1 : a.significand;
  const uint64_t low = halve ? a.significand << 63 : 0;
  uint64_t quotient, remainder;
  asm("divq %4"
      : "=a"(quotient), "=d"(remainder)
      : "a"(low), "d"(high), "rm"(b.significand)
      : "cc");
  const Binary x{quotient, a.exponent - b.exponent - (halve ? 0 : 1)};
  const uint64_t other = b.significand - remainder;  // the remainder against half the divisor
  return RoundedUp(x, remainder > other || (remainder == other && (quotient & 1) != 0));
}

inline Binary Step(Binary x, bool up, const ExtendedBits& power) {
  return up ? Multiply(x, BinaryOf(power)) : Divide(x, BinaryOf(power));
}

// ScaleByPowerOfTen of an integer below 2^64, step for step in integers: each multiply or
// divide rounds as the processor's does at 64 bits, to nearest, so the value has the same bits,
// and no flag is raised (a raised flag must be cleared, and raising it again after a clear is
// slow). False where a step would leave the normal range, whose roundings are the processor's
// to make.
// Out of line: the common integer texts keep a short path.
__attribute__((noinline)) long double ScaleDigitsInIntegers(uint64_t digits, int32_t n,
                                                            bool& in_range) {
  const bool up = n > 0;
  const uint32_t m = up ? static_cast<uint32_t>(n) : static_cast<uint32_t>(-n);
  const int lead = __builtin_clzll(digits);
  Binary x = Step({digits << lead, 63 - lead}, up, kPowersOfTenLowBits[m % 32]);
  if (m >= 32 && (m / 32) % 16 != 0) x = Step(x, up, kPowersOfTenMidBits[(m / 32) % 16]);
  if (m >= 512) x = Step(x, up, kPowersOfTenHighBits[m / 512]);
  // The steps all multiply or all divide, so the last exponent is the farthest; one step inside
  // each end keeps every rounding clear of overflow and of the denormals.
  in_range = x.exponent <= 16382 && x.exponent >= -16381;
  if (!in_range) return 0.0L;
  return ExtendedFromBits(static_cast<uint16_t>(16383 + x.exponent), x.significand);
}
#endif

struct Scan {
  bool accepted = false;
  bool overflowed = false;  // the value or the digit accumulator left the extended range
  bool negative = false;
  long double magnitude = 0.0L;
};

inline __attribute__((always_inline)) Scan ScanNumber(std::string_view text, char separator) {
  Scan scan;
  std::size_t i = 0;
  const std::size_t size = text.size();
  while (i < size && text[i] == ' ') ++i;
  if (i < size && (text[i] == '+' || text[i] == '-')) scan.negative = text[i++] == '-';

  // Digits feed one accumulator: exact in 64-bit integers for the first 19 significant
  // digits, then one rounded extended multiply and add per digit.
  uint64_t exact = 0;
  int significant = 0;
  long double accumulator = 0.0L;
  bool in_extended = false;
  int64_t fraction_digits = 0;
  const std::size_t integer_start = i;
  auto read_digits = [&]() __attribute__((always_inline)) {
    const std::size_t start = i;
    if (!in_extended) {
      if (significant == 0) {
        while (i < size && text[i] == '0') ++i;
      }
      uint64_t eight;
      while (significant + 8 < kExactDigits && i + 8 <= size && ReadEightDigits(&text[i], eight)) {
        exact = exact * 100000000u + eight;
        significant += 8;
        i += 8;
      }
      while (i < size && IsDigit(text[i])) {
        exact = exact * 10 + static_cast<uint64_t>(text[i++] - '0');
        if (++significant == kExactDigits) {
          accumulator = static_cast<long double>(exact);
          in_extended = true;
          break;
        }
      }
    }
    if (in_extended) {
      // Once the accumulator has overflowed no digit can change it; arithmetic on infinity
      // is slow on the x87, so the rest is only scanned.
      constexpr std::size_t kOverflowCheck = 256;
      while (i < size && IsDigit(text[i])) {
        const std::size_t stop = size - i < kOverflowCheck ? size : i + kOverflowCheck;
        while (i < stop && IsDigit(text[i])) {
          accumulator = accumulator * 10.0L;
          accumulator = accumulator + static_cast<long double>(text[i++] - '0');
        }
        if (accumulator > kLargestExtended) {
          while (i < size && IsDigit(text[i])) ++i;
        }
      }
    }
    return i - start;
  };
  read_digits();
  bool consumed = i != integer_start;
  if (i < size && text[i] == separator) {
    ++i;
    consumed = true;
    fraction_digits = static_cast<int64_t>(read_digits());
  }
  if (!consumed) return scan;

  int32_t exponent = 0;
  if (i < size && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exponent_negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) exponent_negative = text[i++] == '-';
    // Reading stops right after the digit that brings the exponent to 500 or more.
    while (i < size && IsDigit(text[i]) && exponent < 500)
      exponent = exponent * 10 + (text[i++] - '0');
    if (exponent_negative) exponent = -exponent;
  }
  while (i < size && text[i] == ' ') ++i;
  if (i != size) return scan;

  int64_t n = static_cast<int64_t>(exponent) - fraction_digits;
  if (!in_extended) {
    // An exact integer below 2^64 unscaled, or zero scaled (n never reaches 5120): exact, in
    // range, no flag.
    if (n == 0 || exact == 0) {
      scan.magnitude = static_cast<long double>(exact);
      scan.accepted = true;
      return scan;
    }
#ifdef __SIZEOF_INT128__
    bool in_range;
    if (n > -5120 && n < 5120) {
      scan.magnitude = ScaleDigitsInIntegers(exact, static_cast<int32_t>(n), in_range);
      if (in_range) {
        scan.accepted = true;
        return scan;
      }
    }
#endif
    accumulator = static_cast<long double>(exact);
  }
  if (n < -5120) n = -5120;
  scan.magnitude = ScaleByPowerOfTen(accumulator, static_cast<int32_t>(n));
  // The only flags the parse can raise beside inexact and underflow come from overflow, and an
  // overflowed value stays infinite through every later step: testing the accumulator and the
  // value is testing the overflow flag, without the slow clearing of the flags beforehand.
  // (n never reaches 5120, the one case that gives infinity without a flag.)
  scan.overflowed = accumulator > kLargestExtended || scan.magnitude > kLargestExtended;
  scan.accepted = true;
  return scan;
}

}  // namespace

long double ParseRealValue(std::string_view text, char separator, bool& accepted,
                           bool* inexact_left) {
  const uint16_t caller = x87::ControlWord();
  // Under a fully masked word flags left raised stay until the flags are cleared at the end.
  x87::ClearFlagsTheWordUnmasks(caller);
  // A caller already at 64-bit precision, round to nearest and all masked computes exactly as
  // 0x133F does (the infinity bit has no effect since the 387), so the switch can be skipped.
  const bool switch_control_word = (caller & 0x0F3F) != (kParseControlWord & 0x0F3F);
  if (switch_control_word) x87::SetControlWord(kParseControlWord);
  const Scan scan = ScanNumber(text, separator);
  long double formed = scan.negative ? -scan.magnitude : scan.magnitude;
  asm volatile("" : "+t"(formed));  // formed before the flags are read
  accepted = scan.accepted && !scan.overflowed;
  // The caller's unmasked exceptions must not see the parse's flags, nor anything else the
  // flags left raised before. A lone inexact flag under a fully masked word may be left to the
  // caller who asks for that.
  const uint16_t raised = x87::StatusWord() & x87::kExceptionFlags;
  const bool leave = inexact_left != nullptr && accepted && raised == x87::kPrecisionFlag &&
                     (caller & x87::kExceptionMasks) == x87::kExceptionMasks;
  if (raised != 0 && !leave) x87::ClearExceptions();
  if (inexact_left != nullptr) *inexact_left = leave;
  if (switch_control_word) x87::SetControlWord(caller);
  return formed;
}

bool ParseReal(std::string_view text, char separator, long double& value) {
  bool accepted;
  value = ParseRealValue(text, separator, accepted);
  return accepted;
}

}  // namespace numora
