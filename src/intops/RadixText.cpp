#include "intops/RadixText.h"

#include <algorithm>

#include "numtext/Extended.h"
#include "numtext/IntegerText.h"
#include "numtext/RealText.h"
#include "plugin/LocaleSeparator.h"
#include "x87/X87.h"

namespace numora {
namespace {

int HexDigitIndex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBinary(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '1'; });
}

// Leading "0"s go, but one character always stays.
void RemoveLeadingZeros(Text& text) {
  std::size_t zeros = 0;
  while (zeros + 1 < text.size() && text[zeros] == '0') ++zeros;
  text.erase(0, zeros);
}

// Cuts a binary text into groups of `width` bits counted from the right (the leading group
// padded with zeros) and writes one character per group, most significant first.
template <class DigitOf>
void ForEachBinaryGroup(std::string_view text, std::size_t width, Text& result, DigitOf digit_of) {
  const std::size_t groups = (text.size() + width - 1) / width;
  const std::size_t pad = groups * width - text.size();
  result.resize(groups);
  for (std::size_t g = 0; g < groups; ++g) {
    int value = 0;
    for (std::size_t k = 0; k < width; ++k) {
      const std::size_t padded_position = g * width + k;
      const char bit = padded_position < pad ? '0' : text[padded_position - pad];
      value = value * 2 + (bit - '0');
    }
    result[g] = digit_of(value);
  }
}

}  // namespace

Text HexToBinText(std::string_view text) {
  const Text upper = LocaleUpperCase(text);
  Text result;
  result.reserve(upper.size() * 4);
  for (const char c : upper) {
    const int index = HexDigitIndex(c);
    if (index < 0) {
      result.assign("Not hexadecimal number");
      return result;
    }
    result.append(HexDigitGroups[index].group, 4);
  }
  RemoveLeadingZeros(result);
  return result;
}

Text BinToHexText(std::string_view text) {
  Text result;
  if (!IsBinary(text)) {
    result.assign("Not binary number");
    return result;
  }
  ForEachBinaryGroup(text, 4, result, [](int value) { return HexDigitGroups[value].digit; });
  return result;
}

Text IntToBinText(int32_t n) {
  const uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  char bits[33];
  std::size_t len = 0;
  if (n < 0) bits[len++] = '-';
  int top = 31;
  while (top > 0 && ((magnitude >> top) & 1u) == 0) --top;
  if (magnitude == 0) top = 31;  // zero keeps all thirty-two digits
  for (int bit = top; bit >= 0; --bit) bits[len++] = ((magnitude >> bit) & 1u) ? '1' : '0';
  return Text(bits, len);
}

int32_t HexTextToInt(std::string_view text) {
  const Text upper = LocaleUpperCase(text);
  uint32_t sum = 0;
  uint32_t weight = 1;
  for (std::size_t i = upper.size(); i-- > 0;) {
    if (weight == 0) break;  // nothing beyond the eighth position counts
    const int index = HexDigitIndex(upper[i]);
    if (index > 0) sum += static_cast<uint32_t>(index) * weight;
    weight <<= 4;
  }
  return static_cast<int32_t>(sum);
}

int32_t PowerOfTwo(int32_t n) {
  if (n <= 0) return 1;
  if (n >= 32) return 0;
  return static_cast<int32_t>(1u << n);
}

int32_t BinTextToInt(std::string_view text) {
  uint32_t sum = 0;
  const std::size_t length = text.size();
  for (std::size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (c != '0' && c != '1') return 0;
    const std::size_t place = length - 1 - i;
    if (c == '1' && place < 32)
      sum += static_cast<uint32_t>(PowerOfTwo(static_cast<int32_t>(place)));
  }
  return static_cast<int32_t>(sum);
}

Text BinToOctText(std::string_view text) {
  Text result;
  if (text.empty() || !IsBinary(text)) return result;
  // A group's value is a whole number 0..7, which prints as one digit.
  ForEachBinaryGroup(text, 3, result, [](int value) { return static_cast<char>('0' + value); });
  RemoveLeadingZeros(result);
  return result;
}

Text OctToDecText(std::string_view text, const CallSeparator& separator) {
  // 8^k = 2^(3k) exactly, so digit * 8^k is one exact scaling for position k. Beyond that
  // position nothing is formed: 8^(k+1) could overflow where the text needs no such power.
  constexpr std::size_t kLastSafePosition = 5460;  // 7 * 8^5460 < 2^16384
  double sum = 0.0;
  bool settled = false;  // an overflowed term: the sum is infinite, its flags are raised
  std::size_t k = 0;
  for (std::size_t i = text.size(); i-- > 0; ++k) {
    const char c = text[i];
    if (c < '0' || c > '7') return Text();
    // A zero digit adds nothing, and an infinite sum stays as it is for every finite term.
    if (settled || c == '0' || (k <= kLastSafePosition && sum > __DBL_MAX__)) continue;
    const long double term =
        x87::Scale(static_cast<long double>(c - '0'), static_cast<long double>(3 * k));
    sum = static_cast<double>(static_cast<long double>(sum) + term);
    settled = term > kLargestExtended;
  }
  char printed[kRealTextCapacity];
  const std::size_t length = RealToText(static_cast<long double>(sum), separator.number, printed);
  LocaleSeparatorToDot(printed, length, separator.text);
  return Text(printed, length);
}

std::size_t FormatHex(int32_t n, char (&out)[kHexTextCapacity]) {
  uint32_t value = static_cast<uint32_t>(n);
  char reversed[kHexTextCapacity];
  std::size_t k = 0;
  do {
    reversed[k++] = "0123456789ABCDEF"[value & 0xF];
    value >>= 4;
  } while (value != 0);
  std::size_t len = 0;
  while (k > 0) out[len++] = reversed[--k];
  return len;
}

}  // namespace numora
