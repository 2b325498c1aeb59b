// The two-operand real operations on pairs drawn over zeros of both signs, the neighbours of
// the infinities, the range's small end, integers of both parities and any extended value,
// under masked control words of every precision and rounding: nothing crashes or reads memory
// it should not, every result is in the print's form and, at 64-bit precision, a text the
// library reads back (or INF, -INF, NAN), and a failed call leaves the register as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "numora/numora.h"
#include "numora/numora.hpp"
#include "numtext/Extended.h"
#include "numtext/RealText.h"

namespace {

using Operation = void (*)();
const Operation kOperations[] = {&Get_LogN,  &Get_Power,   &Get_IntPower,      &Get_Ldexp,
                                 &Get_Hypot, &Get_RoundTo, &Get_SimpleRoundTo, &Get_ShR};
constexpr std::size_t kOperationCount = sizeof kOperations / sizeof kOperations[0];

// Masked words: each precision and each rounding.
const uint16_t kControlWords[] = {0x037F, 0x027F, 0x007F, 0x077F, 0x0B7F, 0x0F7F, 0x133F};

const char* const kSpecials[] = {"0",
                                 "-0",
                                 "1.18973149535723176502E4932",
                                 "-1.18973149535723176502E4932",
                                 "3.36210314311209350626E-4932",
                                 "3.6451995318824746025E-4951",
                                 "-3.6451995318824746025E-4951",
                                 "1",
                                 "-1",
                                 "0.5",
                                 "2147483647",
                                 "-2147483648",
                                 "4294967297",
                                 "18446744073709551615",
                                 "16445",
                                 "-16446",
                                 "0.99999999999999999995",
                                 "1.00000000000000000011"};
constexpr std::size_t kSpecialCount = sizeof kSpecials / sizeof kSpecials[0];

// One operand from the input: a special, an extended value from ten bytes, or raw text.
std::string Operand(const uint8_t*& data, std::size_t& size) {
  if (size == 0) return "0";
  const uint8_t kind = *data++;
  --size;
  if (kind < 128) return kSpecials[kind % kSpecialCount];
  if (kind < 224 && size >= 10) {
    uint64_t significand;
    uint16_t exponent;
    std::memcpy(&significand, data, 8);
    std::memcpy(&exponent, data + 8, 2);
    data += 10;
    size -= 10;
    long double value = numora::ExtendedFromBits(exponent, significand | (1ULL << 63));
    if ((exponent & 0x7FFF) == 0x7FFF) value = (exponent & 0x8000) ? -1e4932L : 1e4932L;
    char text[64];
    std::snprintf(text, sizeof text, "%.21Lg", value);
    return text;
  }
  const std::size_t length = size < (kind & 31u) ? size : (kind & 31u);
  std::string text(reinterpret_cast<const char*>(data), length);
  data += length;
  size -= length;
  return text;
}

bool IsSpecialText(const char* text) {
  return std::strcmp(text, "INF") == 0 || std::strcmp(text, "-INF") == 0 ||
         std::strcmp(text, "NAN") == 0;
}

// The print's general form: [-]digits[.digits][E[-]digits], at most 23 characters.
bool IsPrintedForm(const char* text) {
  if (IsSpecialText(text)) return true;
  const std::size_t length = std::strlen(text);
  if (length == 0 || length > 23) return false;
  const char* p = text;
  if (*p == '-') ++p;
  auto digits = [&p] {
    const char* start = p;
    while (*p >= '0' && *p <= '9') ++p;
    return p != start;
  };
  if (!digits()) return false;
  if (*p == '.' && (++p, !digits())) return false;
  if (*p == 'E') {
    ++p;
    if (*p == '-') ++p;
    if (!digits()) return false;
  }
  return *p == '\0';
}

// At 64-bit precision every printed result reads back; at lower precisions the print's own
// scaling rounds to the caller's precision, so near the top of the range its digits may lie
// beyond it.
bool ReadsBack(const char* text, uint16_t control_word) {
  if (!IsPrintedForm(text)) return false;
  if ((control_word & 0x0300) != 0x0300 || IsSpecialText(text)) return true;
  long double value;
  return numora::ParseReal(text, '.', value);
}

uint16_t ControlWord() {
  uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}
void SetControlWord(uint16_t cw) { asm volatile("fldcw %0" : : "m"(cw)); }

}  // namespace

// Input: [operation byte][control word byte] then the two operands, repeated.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint16_t saved = ControlWord();
  while (size >= 2) {
    const Operation op = kOperations[data[0] % kOperationCount];
    const uint16_t control_word = kControlWords[data[1] % 7];
    data += 2;
    size -= 2;
    const std::string first = Operand(data, size);
    const std::string second = Operand(data, size);
    const std::string text = first + "," + second;
    SetFile(text.c_str());
    const std::string before = GetFile();  // up to a NUL the raw text may hold
    SetControlWord(control_word);
    bool failed = false;
    try {
      op();
    } catch (const numora::Exception&) {
      failed = true;
    }
    SetControlWord(saved);
    const char* after = GetFile();
    if (after == nullptr) std::abort();
    if (failed ? before != after : !ReadsBack(after, control_word)) {
      std::fprintf(stderr, "[%s] under %04X %s [%s]\n", before.c_str(), control_word,
                   failed ? "failed and left" : "gave", after);
      std::abort();
    }
  }
  return 0;
}
