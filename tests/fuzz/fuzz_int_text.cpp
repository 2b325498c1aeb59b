// ParseInt32 agrees with an independent reading of the same grammar.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "numtext/IntegerText.h"

namespace {

// The grammar read with 64-bit arithmetic: blanks, a sign, an optional hexadecimal prefix,
// digits; decimal range-checked, hexadecimal taken as 32 bits when at most 8 significant digits.
bool Reference(std::string_view t, int32_t& out) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  int base = 10;
  if (i < t.size() && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return false;
  uint64_t value = 0;
  int significant = 0;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    if (value != 0 || d != 0) ++significant;
    if (base == 10 && significant > 10) return false;
    if (base == 16 && significant > 8) return false;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
  }
  if (base == 10) {
    if (value > (negative ? 2147483648u : 2147483647u)) return false;
    out = static_cast<int32_t>(negative ? 0 - value : value);
  } else {
    const uint32_t bits = static_cast<uint32_t>(value);
    out = static_cast<int32_t>(negative ? 0u - bits : bits);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  int32_t ours = 0, theirs = 0;
  const bool accepted = numora::ParseInt32(text, ours) == 0;
  const bool expected = Reference(text, theirs);
  if (accepted != expected) std::abort();
  if (accepted && ours != theirs) std::abort();
  return 0;
}
