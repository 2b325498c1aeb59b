#include "numtext/IntegerText.h"

#include "numtext/Errors.h"
#include "platform/Platform.h"

namespace numora {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::size_t ParseInt32(std::string_view text, int32_t& value) {
  value = 0;
  const std::size_t size = text.size();
  if (size == 0) return 1;
  std::size_t i = 0;
  while (i < size && text[i] == ' ') ++i;
  bool negative = false;
  if (i < size && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  bool hexadecimal = false;
  if (i < size && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hexadecimal = true;
    ++i;
  } else if (i + 1 < size && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hexadecimal = true;
    i += 2;
  }
  if (i >= size) return i + 1;
  uint32_t magnitude = 0;
  if (hexadecimal) {
    for (; i < size; ++i) {
      const int digit = HexDigitValue(text[i]);
      if (digit < 0 || magnitude > 0x0FFFFFFFu) return i + 1;
      magnitude = magnitude * 16 + static_cast<uint32_t>(digit);
    }
    value = static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
    return 0;
  }
  for (; i < size; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9' || magnitude > 214748364u) return i + 1;
    magnitude = magnitude * 10 + static_cast<uint32_t>(c - '0');
  }
  if (negative ? magnitude > 2147483648u : magnitude > 2147483647u) return size + 1;
  value = static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
  return 0;
}

int32_t IntFromText(std::string_view text) {
  int32_t value;
  if (ParseInt32(text, value) != 0) RaiseIntegerConvertError(text);
  return value;
}

std::size_t IntToText(int32_t value, char (&out)[kIntTextCapacity]) {
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  char reversed[kIntTextCapacity];
  std::size_t k = 0;
  do {
    reversed[k++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::size_t len = 0;
  if (value < 0) out[len++] = '-';
  while (k > 0) out[len++] = reversed[--k];
  return len;
}

Text AsciiUpperCase(std::string_view text) {
  Text upper(text.data(), text.size());
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

Text LocaleUpperCase(std::string_view text) {
  Text upper(text.data(), text.size());
  if (!upper.empty()) platform::LocaleUpperCase(upper.data(), upper.size());
  return upper;
}

}  // namespace numora
