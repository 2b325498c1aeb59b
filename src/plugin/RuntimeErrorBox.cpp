#include "plugin/RuntimeErrorBox.h"

#include <cstring>

namespace numora {

void FormatRuntimeError(int number, uintptr_t address, char (&out)[kRuntimeErrorTextLength + 1]) {
  std::memcpy(out, "Runtime error     at 00000000", kRuntimeErrorTextLength + 1);
  unsigned value = number < 0 ? 0u : static_cast<unsigned>(number);
  for (int column = 16; column >= 14; --column) {  // blanks stay left of the number
    out[column] = static_cast<char>('0' + value % 10);
    value /= 10;
    if (value == 0) break;
  }
  uint64_t rest = address;
  for (int column = 28; column >= 21 && rest != 0; --column) {
    out[column] = "0123456789ABCDEF"[rest & 0xF];
    rest >>= 4;
  }
}

}  // namespace numora
