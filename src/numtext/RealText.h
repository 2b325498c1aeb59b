// Decimal text to real and real to decimal text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace numora {

// Strict one-pass parse; never raises. `separator` is the one-character decimal separator.
bool ParseReal(std::string_view text, char separator, long double& value);
// The same, the value returned in a register and the verdict in `accepted`. Given
// `inexact_left`, an accepted parse under a fully masked control word may leave the inexact
// flag raised when it is the only one (raising it again after a clear is slow): *inexact_left
// tells.
long double ParseRealValue(std::string_view text, char separator, bool& accepted,
                           bool* inexact_left = nullptr);
// ParseRealValue; raises EConvertError quoting the text.
long double RealFromText(std::string_view text, char separator, bool* inexact_left = nullptr);

struct DecimalDigits {
  static constexpr int16_t kInfinity = 0x7FFF;
  static constexpr int16_t kNaN = static_cast<int16_t>(0x8000);
  int16_t exponent = 0;  // value = 0.d1d2d3... * 10^exponent
  bool is_negative = false;
  char digits[19] = {};
  int count = 0;  // 0 for zero
};

DecimalDigits DecimalDigitsOf(long double value, int precision);

inline constexpr std::size_t kRealTextCapacity = 64;
// General form, 15 significant digits; returns the length written (no NUL).
std::size_t RealToText(long double value, char separator, char (&out)[kRealTextCapacity]);
// The same; `raised_inexact` true when the print has certainly raised the inexact flag (its
// integer store or its scaling multiply rounded), false when it may not have.
std::size_t RealToText(long double value, char separator, char (&out)[kRealTextCapacity],
                       bool& raised_inexact);
// The same, with the 18-digit integer modulo 1000 in `last_digits` (the 15-digit text changes
// where it passes 499.5); 500 for a value in the smallest normal binade or a subnormal near it,
// where the text changes to "0"; -1 where no value near prints another text (zeros, the
// subnormals far below, infinities, NaNs).
std::size_t RealToText(long double value, char separator, char (&out)[kRealTextCapacity],
                       bool& raised_inexact, int& last_digits);

}  // namespace numora
