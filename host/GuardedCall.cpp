#include "GuardedCall.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csetjmp>
#include <csignal>
#endif

#include "numora/numora.hpp"

namespace host {
namespace {

void LoadControlWord(uint16_t cw) { asm volatile("fnclex\n\tfldcw %0" : : "m"(cw) : "memory"); }

#ifdef _WIN32
void* jump_buffer[5];
EXCEPTION_RECORD caught;

const char* FaultName(DWORD code) {
  switch (code) {
    case 0xC0000090:
      return "invalid operation";
    case 0xC000008E:
      return "division by zero";
    case 0xC0000091:
      return "overflow";
    case 0xC0000093:
      return "underflow";
    case 0xC000008F:
      return "inexact result";
    case 0xC000008D:
      return "denormal operand";
    case 0xC0000092:
      return "stack check";
    default:
      return nullptr;
  }
}

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  if (code != NUMORA_ERROR_EXCEPTION_CODE && FaultName(code) == nullptr) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  caught = *info->ExceptionRecord;
  __builtin_longjmp(jump_buffer, 1);
}
#else
sigjmp_buf fault_jump;
volatile sig_atomic_t fault_code;

void OnFault(int, siginfo_t* info, void*) {
  fault_code = info->si_code;
  siglongjmp(fault_jump, 1);
}

const char* FaultName(int code) {
  switch (code) {
    case FPE_FLTINV:
      return "invalid operation";
    case FPE_FLTDIV:
      return "division by zero";
    case FPE_FLTOVF:
      return "overflow";
    case FPE_FLTUND:
      return "underflow";
    case FPE_FLTRES:
      return "inexact result";
    default:
      return "denormal operand";
  }
}
#endif

}  // namespace

uint16_t ProcessControlWord() {
  uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

#ifdef _WIN32
// A vectored handler sees the exception first and jumps back here; the entry point's frames
// hold nothing that needs unwinding by then.
__attribute__((noinline)) Outcome CallGuarded(Operation op, uint16_t control_word,
                                              bool keep_error_object) {
  Outcome outcome;
  const uint16_t caller = ProcessControlWord();
  PVOID handler = AddVectoredExceptionHandler(1, OnException);
  if (__builtin_setjmp(jump_buffer) == 0) {
    LoadControlWord(control_word);
    op();
  } else {
    // The fault leaves the x87 stack as it was mid-computation; the host resets the unit.
    asm volatile("fninit" : : : "memory");
    outcome.seh_code = caught.ExceptionCode;
    outcome.seh_flags = caught.ExceptionFlags;
    outcome.seh_argument_count = caught.NumberParameters;
    for (DWORD i = 0; i < caught.NumberParameters && i < 15; ++i) {
      outcome.seh_arguments[i] = caught.ExceptionInformation[i];
    }
    if (caught.ExceptionCode == NUMORA_ERROR_EXCEPTION_CODE) {
      auto* error = reinterpret_cast<NumoraError*>(caught.ExceptionInformation[1]);
      outcome.kind = Outcome::Kind::kError;
      outcome.error_kind = error->kind->name;
      outcome.message = error->message;
      if (!keep_error_object) error->kind->release(error);
    } else {
      outcome.kind = Outcome::Kind::kFault;
      outcome.message = FaultName(caught.ExceptionCode);
    }
  }
  RemoveVectoredExceptionHandler(handler);
  LoadControlWord(caller);
  return outcome;
}
#else
Outcome CallGuarded(Operation op, uint16_t control_word, bool) {
  Outcome outcome;
  const uint16_t caller = ProcessControlWord();
  struct sigaction action = {}, previous = {};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  sigaction(SIGFPE, &action, &previous);
  if (sigsetjmp(fault_jump, 1) != 0) {
    outcome.kind = Outcome::Kind::kFault;
    outcome.message = FaultName(fault_code);
  } else {
    try {
      LoadControlWord(control_word);
      op();
    } catch (const numora::Exception& error) {
      outcome.kind = Outcome::Kind::kError;
      outcome.error_kind = error.kind_name();
      outcome.message = error.what();
    }
  }
  LoadControlWord(caller);
  sigaction(SIGFPE, &previous, nullptr);
  return outcome;
}
#endif

}  // namespace host
