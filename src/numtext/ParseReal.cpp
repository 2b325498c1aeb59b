#include <cstdint>

#include "numtext/PowersOfTen.h"
#include "numtext/RealText.h"
#include "x87/X87.h"

namespace numora {
namespace {

// All exceptions masked, 64-bit significand, round to nearest.
constexpr uint16_t kParseControlWord = 0x133F;
constexpr int kExactDigits = 19;  // below 10^19 an integer accumulator is exact

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Scan {
  bool accepted = false;
  bool negative = false;
  long double magnitude = 0.0L;
};

Scan ScanNumber(std::string_view text, char separator) {
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
  bool consumed = false;
  auto feed = [&](int digit) {
    if (in_extended) {
      accumulator = accumulator * 10.0L;
      accumulator = accumulator + static_cast<long double>(digit);
      return;
    }
    if (significant == 0 && digit == 0) return;
    exact = exact * 10 + static_cast<uint64_t>(digit);
    if (++significant == kExactDigits) {
      accumulator = static_cast<long double>(exact);
      in_extended = true;
    }
  };
  while (i < size && IsDigit(text[i])) {
    feed(text[i++] - '0');
    consumed = true;
  }
  if (i < size && text[i] == separator) {
    ++i;
    consumed = true;
    while (i < size && IsDigit(text[i])) {
      feed(text[i++] - '0');
      ++fraction_digits;
    }
  }
  if (!consumed) return scan;
  if (!in_extended) accumulator = static_cast<long double>(exact);

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
  if (n < -5120) n = -5120;
  scan.magnitude = ScaleByPowerOfTen(accumulator, static_cast<int32_t>(n));
  scan.accepted = true;
  return scan;
}

}  // namespace

bool ParseReal(std::string_view text, char separator, long double& value) {
  const uint16_t caller = x87::ControlWord();
  x87::ClearExceptions();
  x87::SetControlWord(kParseControlWord);
  const Scan scan = ScanNumber(text, separator);
  volatile long double formed = scan.negative ? -scan.magnitude : scan.magnitude;
  const uint16_t status = x87::StatusWord();
  x87::ClearExceptions();
  x87::SetControlWord(caller);
  value = formed;
  return scan.accepted && (status & (x87::kInvalidOperationFlag | x87::kOverflowFlag)) == 0;
}

}  // namespace numora
