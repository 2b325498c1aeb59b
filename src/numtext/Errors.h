// The library's error kinds are the public classes of numora.hpp; these raise them.
#pragma once

#include <string_view>

#include "numora/numora.hpp"

namespace numora {

[[noreturn]] void RaiseFloatConvertError(std::string_view text);
[[noreturn]] void RaiseIntegerConvertError(std::string_view text);
// The preallocated errors: raising them needs no memory.
[[noreturn]] void RaiseOutOfMemory();
[[noreturn]] void RaiseInvalidPointer();

void StartErrorService();  // creates the preallocated errors
void StopErrorService();

}  // namespace numora
