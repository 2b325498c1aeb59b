// The run-time error box shown when loading or unloading fails.
#pragma once

#include <cstdint>

namespace numora {

inline constexpr int kRuntimeErrorTextLength = 29;
// "Runtime error NNN at XXXXXXXX": number ends at column 17, address at column 29.
void FormatRuntimeError(int number, uintptr_t address, char (&out)[kRuntimeErrorTextLength + 1]);

}  // namespace numora
