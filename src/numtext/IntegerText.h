// Integer text: the one integer reading and printing, and the two upper-case conversions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "numtext/Text.h"

namespace numora {

// Returns 0 when the whole text is a 32-bit integer, otherwise a non-zero position.
std::size_t ParseInt32(std::string_view text, int32_t& value);
int32_t IntFromText(std::string_view text);  // raises EConvertError

inline constexpr std::size_t kIntTextCapacity = 12;
std::size_t IntToText(int32_t value, char (&out)[kIntTextCapacity]);

Text AsciiUpperCase(std::string_view text);
Text LocaleUpperCase(std::string_view text);

}  // namespace numora
