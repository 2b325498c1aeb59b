// Calls an entry point and reports how it left: normally, with a library error, or with an
// unmasked floating-point fault.
#pragma once

#include <cstdint>
#include <string>

#include "numora/numora.h"

namespace numora::test {

using Operation = void(NUMORA_CALL*)(void);

struct Outcome {
  enum class Kind { kNormal, kError, kFault } kind = Kind::kNormal;
  std::string error_kind;           // "EConvertError", ...
  std::string message;              // error message, or the fault's name ("invalid operation")
  uint16_t control_word_after = 0;  // as the call left it: on return, or at the fault
  uint16_t status_word_after = 0;
};

// Runs `op` under the x87 control word `control_word`, with `raised_flags` already raised in
// the status word; restores the caller's control word after.
Outcome CallOperation(Operation op, uint16_t control_word = 0x037F, uint16_t raised_flags = 0);

// The operation entry point of that name, or nullptr.
Operation FindOperation(const std::string& name);

std::string Describe(const Outcome& outcome);

}  // namespace numora::test
