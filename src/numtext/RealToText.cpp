#include <cstdint>
#include <cstring>

#include "numtext/DecimalSeparator.h"
#include "numtext/Extended.h"
#include "numtext/PowersOfTen.h"
#include "numtext/RealText.h"
#include "x87/X87.h"

namespace numora {
namespace {

constexpr int kRawDigits = 18;

const char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void WriteNineDigits(uint32_t n, char* out) {
  out[8] = static_cast<char>('0' + n % 10);
  n /= 10;
  for (int pos = 6; pos >= 0; pos -= 2) {
    const uint32_t pair = n % 100;
    n /= 100;
    out[pos] = kDigitPairs[2 * pair];
    out[pos + 1] = kDigitPairs[2 * pair + 1];
  }
}

void WriteEighteenDigits(int64_t n, char* out) {
  const uint64_t value = static_cast<uint64_t>(n);
  WriteNineDigits(static_cast<uint32_t>(value / 1000000000u), out);
  WriteNineDigits(static_cast<uint32_t>(value % 1000000000u), out + 9);
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

}  // namespace

DecimalDigits DecimalDigitsOf(long double value, int precision) {
  if (precision < 2) precision = 2;
  if (precision > kRawDigits) precision = kRawDigits;
  DecimalDigits result;
  const ExtendedBits bits = BitsOfExtended(value);
  const int biased = bits.sign_and_exponent & 0x7FFF;
  const bool sign = (bits.sign_and_exponent & 0x8000) != 0;
  constexpr uint64_t kIntegerBit = 0x8000000000000000ULL;
  if (biased == 0) return result;  // zeros and denormals
  if (biased == 0x7FFF) {
    if (bits.significand == kIntegerBit || (bits.significand & kIntegerBit) == 0) {
      result.exponent = DecimalDigits::kInfinity;
      result.is_negative = sign;
    } else {
      result.exponent = DecimalDigits::kNaN;
    }
    return result;
  }
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
  char raw[kRawDigits];
  WriteEighteenDigits(integer, raw);

  int count = precision;
  if (precision < kRawDigits && raw[precision] >= '5') {
    int i = precision - 1;
    while (i >= 0 && raw[i] == '9') --i;
    if (i < 0) {
      raw[0] = '1';
      count = 1;
      ++exponent;
    } else {
      ++raw[i];
      count = i + 1;
    }
  } else {
    while (count > 0 && raw[count - 1] == '0') --count;
  }
  std::memcpy(result.digits, raw, static_cast<std::size_t>(count));
  result.count = count;
  result.exponent = static_cast<int16_t>(exponent);
  result.is_negative = sign;
  return result;
}

std::size_t RealToText(long double value, char separator, char (&out)[kRealTextCapacity]) {
  const DecimalDigits d = DecimalDigitsOf(value, 15);
  std::size_t len = 0;
  auto put = [&](const char* text) {
    const std::size_t n = std::strlen(text);
    std::memcpy(out + len, text, n);
    len += n;
  };
  if (d.exponent == DecimalDigits::kInfinity) {
    put(d.is_negative ? "-INF" : "INF");
    return len;
  }
  if (d.exponent == DecimalDigits::kNaN) {
    put("NAN");
    return len;
  }
  if (d.is_negative) out[len++] = '-';
  const int e = d.exponent;
  if (e > 15 || e < -3) {
    out[len++] = d.digits[0];
    if (d.count > 1) {
      out[len++] = separator;
      for (int i = 1; i < d.count; ++i) out[len++] = d.digits[i];
    }
    out[len++] = 'E';
    int shown = e - 1;
    if (shown < 0) {
      out[len++] = '-';
      shown = -shown;
    }
    char exponent_digits[8];
    int k = 0;
    do {
      exponent_digits[k++] = static_cast<char>('0' + shown % 10);
      shown /= 10;
    } while (shown != 0);
    while (k > 0) out[len++] = exponent_digits[--k];
  } else if (e > 0) {
    for (int i = 0; i < e; ++i) out[len++] = i < d.count ? d.digits[i] : '0';
    if (d.count > e) {
      out[len++] = separator;
      for (int i = e; i < d.count; ++i) out[len++] = d.digits[i];
    }
  } else {
    out[len++] = '0';
    if (d.count == 0) return len;
    out[len++] = separator;
    for (int i = 0; i < -e; ++i) out[len++] = '0';
    for (int i = 0; i < d.count; ++i) out[len++] = d.digits[i];
  }
  return len;
}

std::size_t RealToText(long double value, char (&out)[kRealTextCapacity]) {
  return RealToText(value, NumberDecimalSeparator(), out);
}

}  // namespace numora
