// Conversions between decimal, hexadecimal, binary and octal digit texts.
#pragma once

#include <cstdint>
#include <string_view>

#include "numtext/Text.h"
#include "plugin/LocaleSeparator.h"

namespace numora {

struct HexDigitGroup {
  char digit;
  char group[5];
};
extern const HexDigitGroup HexDigitGroups[16];

Text HexToBinText(std::string_view text);  // or "Not hexadecimal number"
Text BinToHexText(std::string_view text);  // or "Not binary number"
Text IntToBinText(int32_t n);              // sign and magnitude
int32_t HexTextToInt(std::string_view text);
int32_t PowerOfTwo(int32_t n);
int32_t BinTextToInt(std::string_view text);
Text BinToOctText(std::string_view text);  // empty for invalid text
// Empty for invalid text; the sum printed with the call's separator, then translated.
Text OctToDecText(std::string_view text, const CallSeparator& separator);

inline constexpr std::size_t kHexTextCapacity = 8;
std::size_t FormatHex(int32_t n, char (&out)[kHexTextCapacity]);

}  // namespace numora
