#include <cstdint>
#include <cstring>

#include "numtext/Extended.h"
#include "numtext/PowersOfTen.h"
#include "numtext/RealText.h"
#include "x87/X87.h"

namespace numora {
namespace {

constexpr int kRawDigits = 18;
constexpr uint64_t kAsciiZeros = 0x3030303030303030ULL;

// n < 10^8 as eight ASCII digits, the first digit in the lowest byte: the halves, quarters and
// digits are split in parallel lanes of one word (each lane's quotient by multiply and shift).
inline uint64_t EightDigitsWord(uint32_t n) {
  uint64_t x = (n / 10000) | (static_cast<uint64_t>(n % 10000) << 32);
  const uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007FULL;
  x = hundreds | ((x - hundreds * 100) << 16);
  const uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000FULL;
  x = tens | ((x - tens * 10) << 8);
  return x + kAsciiZeros;
}

// n < 10^16 as sixteen ASCII digits.
inline void WriteSixteenDigits(uint64_t n, char* out) {
  const uint64_t high = EightDigitsWord(static_cast<uint32_t>(n / 100000000u));
  const uint64_t low = EightDigitsWord(static_cast<uint32_t>(n % 100000000u));
  std::memcpy(out, &high, 8);
  std::memcpy(out + 8, &low, 8);
}

// n / 10 rounded as the caller's rounding mode rounds the (positive) quotient: exact integer
// arithmetic, so the quotient keeps 18 digits at every precision setting.
int64_t DivideByTenRounded(int64_t n) {
  const int64_t quotient = n / 10;
  const int64_t remainder = n % 10;
  switch (x87::ControlWord() & x87::kRoundingBits) {
    case x87::kRoundToNearest:
      return remainder > 5 || (remainder == 5 && (quotient & 1) != 0) ? quotient + 1 : quotient;
    case x87::kRoundUp:
      return remainder != 0 ? quotient + 1 : quotient;
    default:  // down and toward zero agree on a positive quotient
      return quotient;
  }
}

// Whether |value| * 10^m (1 <= m <= 31: one multiply by the table's power) certainly rounds
// under the current precision: the exact product's odd part has at least as many bits as the
// two odd parts together, less one. Unsure (false) elsewhere.
inline bool ScalingCertainlyRounds(uint64_t significand, int m) {
  if (m < 1 || m > 31) return false;
  int precision;
  switch (x87::ControlWord() & x87::kPrecisionBits) {
    case x87::kPrecision24:
      precision = 24;
      break;
    case x87::kPrecision53:
      precision = 53;
      break;
    case x87::kPrecision64:
      precision = 64;
      break;
    default:  // reserved
      return false;
  }
  const int odd_bits = (64 - __builtin_ctzll(significand)) +
                       (64 - __builtin_ctzll(kPowersOfTenLowBits[m].significand)) - 1;
  return odd_bits > precision;
}

enum class Kind { kZero, kFinite, kInfinity, kNaN };

// The value's 18 leading decimal digits as one integer N in [10^17, 10^18) with
// value = ±N * 10^(exponent - 18).
struct EighteenDigits {
  Kind kind = Kind::kZero;
  bool is_negative = false;
  int exponent = 0;
  int64_t integer = 0;
  bool raised_inexact = false;  // the print certainly raised the inexact flag
};

// With `note_inexact`, also whether the print certainly raised the inexact flag (a compare and
// a read of the control word, so only on request). Inlined, so the value is read where the
// caller stored it rather than from a copy.
inline __attribute__((always_inline)) EighteenDigits EighteenDigitsOf(long double value,
                                                                      bool note_inexact = false) {
  EighteenDigits result;
  const ExtendedBits bits = BitsOfExtended(value);
  const int biased = bits.sign_and_exponent & 0x7FFF;
  result.is_negative = (bits.sign_and_exponent & 0x8000) != 0;
  constexpr uint64_t kIntegerBit = 0x8000000000000000ULL;
  if (biased == 0) {  // zeros and denormals
    result.is_negative = false;
    return result;
  }
  if (biased == 0x7FFF) {
    const bool infinite = bits.significand == kIntegerBit || (bits.significand & kIntegerBit) == 0;
    result.kind = infinite ? Kind::kInfinity : Kind::kNaN;
    return result;
  }
  if ((bits.significand & kIntegerBit) == 0) {  // an unnormal: the processor's invalid operand
    result.kind = Kind::kNaN;
    return result;
  }
  result.kind = Kind::kFinite;
  const long double magnitude = __builtin_fabsl(value);  // fabs: no trip through memory
  const int32_t e2 = biased - 16383;
  int exponent = ((e2 * 19728) >> 16) + 1;  // floor(e2 * log10(2)) + 1, arithmetic shift

  // N = |value| * 10^(18 - E) rounded in the caller's mode. Below 2^63 the integer store
  // rounds exactly as a round-to-integer would, and the integer is then exact.
  constexpr int64_t kLowest18Digit = 100000000000000000LL;
  constexpr int64_t kBeyond18Digits = 1000000000000000000LL;
  constexpr long double kIntegerStoreLimit = 9e18L;  // exact; a constant, so never rounded
  long double scaled = ScaleByPowerOfTen(magnitude, kRawDigits - exponent);
  int64_t integer;
  if (scaled < kIntegerStoreLimit) {
    integer = x87::StoreInteger64(scaled);
    if (integer < kLowest18Digit) {  // estimate one too large
      --exponent;
      scaled = ScaleByPowerOfTen(magnitude, kRawDigits - exponent);
      integer = x87::StoreInteger64(scaled);
    }
    // The print raised the inexact flag where the store rounded (the integer read back
    // differs) or the scaling multiply had to round.
    if (note_inexact) {
      result.raised_inexact = ScalingCertainlyRounds(bits.significand, kRawDigits - exponent) ||
                              static_cast<long double>(integer) != scaled;
    }
    if (integer >= kBeyond18Digits) {
      integer = DivideByTenRounded(integer);
      ++exponent;
    }
  } else {  // estimate one too small, N beyond the integer store
    integer = x87::StoreInteger64(x87::RoundToInteger(scaled) / 10.0L);
    ++exponent;
  }
  if (integer >= kBeyond18Digits) {  // 999...9.5 / 10 rounded up
    integer /= 10;
    ++exponent;
  }
  result.exponent = exponent;
  result.integer = integer;
  return result;
}

}  // namespace

DecimalDigits DecimalDigitsOf(long double value, int precision) {
  if (precision < 2) precision = 2;
  if (precision > kRawDigits) precision = kRawDigits;
  DecimalDigits result;
  const EighteenDigits n = EighteenDigitsOf(value);
  switch (n.kind) {
    case Kind::kZero:
      return result;
    case Kind::kInfinity:
      result.exponent = DecimalDigits::kInfinity;
      result.is_negative = n.is_negative;
      return result;
    case Kind::kNaN:
      result.exponent = DecimalDigits::kNaN;
      return result;
    case Kind::kFinite:
      break;
  }
  int exponent = n.exponent;
  // N < 10^18: its first two digits, then sixteen.
  constexpr uint64_t kTenToSixteen = 10000000000000000ULL;
  const uint64_t integer = static_cast<uint64_t>(n.integer);
  const auto leading = static_cast<uint32_t>(integer / kTenToSixteen);
  char rounded[kRawDigits];
  rounded[0] = static_cast<char>('0' + leading / 10);
  rounded[1] = static_cast<char>('0' + leading % 10);
  WriteSixteenDigits(integer % kTenToSixteen, rounded + 2);

  int count = precision;
  if (precision < kRawDigits && rounded[precision] >= '5') {
    int i = precision - 1;
    while (i >= 0 && rounded[i] == '9') --i;
    if (i < 0) {
      rounded[0] = '1';
      count = 1;
      ++exponent;
    } else {
      ++rounded[i];
      count = i + 1;
    }
  } else {
    while (count > 0 && rounded[count - 1] == '0') --count;
  }
  std::memcpy(result.digits, rounded, static_cast<std::size_t>(count));
  result.count = count;
  result.exponent = static_cast<int16_t>(exponent);
  result.is_negative = n.is_negative;
  return result;
}

namespace {

inline __attribute__((always_inline)) std::size_t TextOf(const EighteenDigits& n, char separator,
                                                         char (&out)[kRealTextCapacity]) {
  char* p = out;
  switch (n.kind) {
    case Kind::kZero:
      *p = '0';
      return 1;
    case Kind::kInfinity:
      if (n.is_negative) *p++ = '-';
      std::memcpy(p, "INF", 3);
      return static_cast<std::size_t>(p - out) + 3;
    case Kind::kNaN:
      std::memcpy(p, "NAN", 3);
      return 3;
    case Kind::kFinite:
      break;
  }
  // Fifteen digits from the eighteen: half up on the sixteenth, all in the integer.
  constexpr uint64_t kFifteenDigitLimit = 1000000000000000ULL;
  int e = n.exponent;
  uint64_t q = static_cast<uint64_t>(n.integer) / 1000u;
  if (static_cast<uint64_t>(n.integer) % 1000u >= 500u) ++q;
  if (q == kFifteenDigitLimit) {
    q /= 10;
    ++e;
  }
  // Sixteen digits written, the first a "0"; the buffer's tail lets every copy below move a
  // fixed sixteen bytes.
  char buffer[32];
  WriteSixteenDigits(q, buffer);
  std::memset(buffer + 16, '0', 16);
  const char* d = buffer + 1;
  uint64_t tail;
  std::memcpy(&tail, buffer + 8, 8);
  tail -= kAsciiZeros;  // the last eight digits' values; trailing zeros are its top bytes
  int count;
  if (tail != 0) {
    count = 15 - __builtin_clzll(tail) / 8;
  } else {
    std::memcpy(&tail, buffer, 8);
    count = 7 - __builtin_clzll(tail - kAsciiZeros) / 8;  // q >= 10^14: a nonzero digit
  }

  if (n.is_negative) *p++ = '-';
  if (e > 15 || e < -3) {
    *p++ = d[0];
    if (count > 1) {
      *p++ = separator;
      std::memcpy(p, d + 1, 16);
      p += count - 1;
    }
    *p++ = 'E';
    int shown = e - 1;
    if (shown < 0) {
      *p++ = '-';
      shown = -shown;
    }
    char exponent_digits[8];
    int k = 0;
    do {
      exponent_digits[k++] = static_cast<char>('0' + shown % 10);
      shown /= 10;
    } while (shown != 0);
    while (k > 0) *p++ = exponent_digits[--k];
  } else if (e > 0) {
    std::memcpy(p, d, 16);  // the integer part; digits past `count` are zeros
    p += e;
    if (count > e) {
      *p++ = separator;
      std::memcpy(p, d + e, 16);
      p += count - e;
    }
  } else {
    *p++ = '0';
    *p++ = separator;
    std::memcpy(p, "000", 3);
    p -= e;
    std::memcpy(p, d, 16);
    p += count;
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace

std::size_t RealToText(long double value, char separator, char (&out)[kRealTextCapacity]) {
  return TextOf(EighteenDigitsOf(value), separator, out);
}

std::size_t RealToText(long double value, char separator, char (&out)[kRealTextCapacity],
                       bool& raised_inexact) {
  const EighteenDigits n = EighteenDigitsOf(value, true);
  raised_inexact = n.raised_inexact;
  return TextOf(n, separator, out);
}

std::size_t RealToText(long double value, char separator, char (&out)[kRealTextCapacity],
                       bool& raised_inexact, int& last_digits) {
  const EighteenDigits n = EighteenDigitsOf(value, true);
  raised_inexact = n.raised_inexact;
  const ExtendedBits bits = BitsOfExtended(value);
  const int biased = bits.sign_and_exponent & 0x7FFF;
  if (biased == 1 || (biased == 0 && bits.significand >= (1ULL << 62))) {
    last_digits = 500;
  } else {
    last_digits = n.kind == Kind::kFinite ? static_cast<int>(n.integer % 1000) : -1;
  }
  return TextOf(n, separator, out);
}

}  // namespace numora
