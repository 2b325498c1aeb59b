// Calls an operation entry point and reports how it left: normally, with a library error,
// or with an unmasked floating-point fault (SIGFPE on POSIX, a structured exception on Windows).
#pragma once

#include <cstdint>
#include <string>

#include "numora/numora.h"

namespace host {

using Operation = void(NUMORA_CALL*)(void);

struct Outcome {
  enum class Kind { kNormal, kError, kFault } kind = Kind::kNormal;
  std::string error_kind;  // "EConvertError", ...
  std::string message;     // the error's message, or the fault's name ("invalid operation")
  // The x87 control and status words as the call left them: on return, or at the fault.
  uint16_t control_word_after = 0;
  uint16_t status_word_after = 0;
  // Windows: the structured exception as it arrived.
  uint32_t seh_code = 0;
  uint32_t seh_flags = 0;
  uint32_t seh_argument_count = 0;
  uintptr_t seh_arguments[15] = {};
};

// The x87 control word the calling thread runs under.
uint16_t ProcessControlWord();

// The floating-point state a call starts from: the control word, and exception flags left
// raised as a host leaves them when it loads a control word without clearing first.
struct CallState {
  uint16_t control_word = 0x037F;
  uint16_t raised_flags = 0;
};

// Loads `state` into the calling thread's unit: the control word, then the flags, which stay
// pending (an unmasked one faults at the next waiting instruction).
void LoadCallState(CallState state);

// Keeps the fault handler installed while it lives, so that the calls made meanwhile (a line
// mode's thousands) do not install and remove it each time. One at a time.
class FaultHandlerSession {
 public:
  FaultHandlerSession();
  ~FaultHandlerSession();
  FaultHandlerSession(const FaultHandlerSession&) = delete;
  FaultHandlerSession& operator=(const FaultHandlerSession&) = delete;
};

// Runs `op` from `state`, then gives the caller back its own control word with the flags
// cleared (after a fault, on a reinitialised unit).
// On Windows a library error object is released after it has been read, unless `keep` is set.
Outcome CallGuarded(Operation op, CallState state, bool keep_error_object = false);
inline Outcome CallGuarded(Operation op, uint16_t control_word, bool keep_error_object = false) {
  return CallGuarded(op, CallState{control_word, 0}, keep_error_object);
}

}  // namespace host
