#include "GuardedCall.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <ucontext.h>

#include <csetjmp>
#include <csignal>
#endif

#include "numora/numora.hpp"

namespace host {
namespace {

void LoadControlWord(uint16_t cw) { asm volatile("fnclex\n\tfldcw %0" : : "m"(cw) : "memory"); }

uint16_t StatusWord() {
  uint16_t sw;
  asm volatile("fnstsw %0" : "=m"(sw) : : "memory");
  return sw;
}

// The exception the processor raised: the highest-priority flag that is both raised and
// unmasked (invalid, denormal, division by zero, overflow, underflow, precision).
const char* RaisedFaultName(uint16_t control_word, uint16_t status_word) {
  const uint16_t pending = static_cast<uint16_t>(status_word & ~control_word & 0x3F);
  if (pending & 0x01) return "invalid operation";
  if (pending & 0x02) return "denormal operand";
  if (pending & 0x04) return "division by zero";
  if (pending & 0x08) return "overflow";
  if (pending & 0x10) return "underflow";
  if (pending & 0x20) return "inexact result";
  return nullptr;
}

#ifdef _WIN32
void* jump_buffer[5];
EXCEPTION_RECORD caught;
uint16_t caught_control_word, caught_status_word;

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
#ifdef _WIN64
  caught_control_word = info->ContextRecord->FltSave.ControlWord;
  caught_status_word = info->ContextRecord->FltSave.StatusWord;
#else
  caught_control_word = static_cast<uint16_t>(info->ContextRecord->FloatSave.ControlWord);
  caught_status_word = static_cast<uint16_t>(info->ContextRecord->FloatSave.StatusWord);
#endif
  __builtin_longjmp(jump_buffer, 1);
}
#else
sigjmp_buf fault_jump;
volatile uint16_t fault_control_word, fault_status_word;

// The kernel's signal code has no denormal-operand value; the saved status word tells.
void OnFault(int, siginfo_t*, void* context) {
  const auto* machine = &static_cast<ucontext_t*>(context)->uc_mcontext;
  fault_control_word = machine->fpregs->cwd;
  fault_status_word = machine->fpregs->swd;
  siglongjmp(fault_jump, 1);
}
#endif

}  // namespace

void LoadCallState(CallState state) {
  LoadControlWord(state.control_word);
  if (state.raised_flags == 0) return;
  // The flags go in through the stored environment: raising them by arithmetic would fault.
  struct {
    uint16_t control, pad0, status, pad1;
    uint32_t rest[5];
  } environment;
  asm volatile("fnstenv %0" : "=m"(environment));
  environment.status = static_cast<uint16_t>(environment.status | state.raised_flags);
  asm volatile("fldenv %0" : : "m"(environment) : "memory");
}

uint16_t ProcessControlWord() {
  uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

#ifdef _WIN32
// A vectored handler sees the exception first and jumps back here; the entry point's frames
// hold nothing that needs unwinding by then.
static PVOID session_handler = nullptr;

FaultHandlerSession::FaultHandlerSession() {
  session_handler = AddVectoredExceptionHandler(1, OnException);
}
FaultHandlerSession::~FaultHandlerSession() {
  RemoveVectoredExceptionHandler(session_handler);
  session_handler = nullptr;
}

__attribute__((noinline)) Outcome CallGuarded(Operation op, CallState state,
                                              bool keep_error_object) {
  Outcome outcome;
  const uint16_t caller = ProcessControlWord();
  PVOID handler =
      session_handler != nullptr ? nullptr : AddVectoredExceptionHandler(1, OnException);
  if (__builtin_setjmp(jump_buffer) == 0) {
    LoadCallState(state);
    op();
    outcome.control_word_after = ProcessControlWord();
    outcome.status_word_after = StatusWord();
  } else {
    // The fault leaves the x87 stack as it was mid-computation; the host resets the unit.
    asm volatile("fninit" : : : "memory");
    outcome.control_word_after = caught_control_word;
    outcome.status_word_after = caught_status_word;
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
      // The saved status word tells the exception even where the code is inexact (Wine reports
      // a denormal operand as underflow).
      outcome.kind = Outcome::Kind::kFault;
      const char* name = RaisedFaultName(caught_control_word, caught_status_word);
      outcome.message = name != nullptr ? name : FaultName(caught.ExceptionCode);
    }
  }
  if (handler != nullptr) RemoveVectoredExceptionHandler(handler);
  LoadControlWord(caller);
  return outcome;
}
#else
static bool session_active = false;
static struct sigaction session_previous = {};

// SA_NODEFER and an empty mask: the handler changes no signal mask, so the jump out of it
// need not restore one (no system call per guarded call).
static void InstallFaultHandler(struct sigaction* previous) {
  struct sigaction action = {};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  sigaction(SIGFPE, &action, previous);
}

FaultHandlerSession::FaultHandlerSession() {
  InstallFaultHandler(&session_previous);
  session_active = true;
}
FaultHandlerSession::~FaultHandlerSession() {
  sigaction(SIGFPE, &session_previous, nullptr);
  session_active = false;
}

Outcome CallGuarded(Operation op, CallState state, bool) {
  Outcome outcome;
  const uint16_t caller = ProcessControlWord();
  const bool own_handler = !session_active;
  struct sigaction previous = {};
  if (own_handler) InstallFaultHandler(&previous);
  if (sigsetjmp(fault_jump, 0) != 0) {
    outcome.kind = Outcome::Kind::kFault;
    outcome.control_word_after = fault_control_word;
    outcome.status_word_after = fault_status_word;
    const char* name = RaisedFaultName(fault_control_word, fault_status_word);
    outcome.message = name != nullptr ? name : "floating-point fault";
  } else {
    try {
      LoadCallState(state);
      op();
    } catch (const numora::Exception& error) {
      outcome.kind = Outcome::Kind::kError;
      outcome.error_kind = error.kind_name();
      outcome.message = error.what();
    }
    outcome.control_word_after = ProcessControlWord();
    outcome.status_word_after = StatusWord();
  }
  LoadControlWord(caller);
  if (own_handler) sigaction(SIGFPE, &previous, nullptr);
  return outcome;
}
#endif

}  // namespace host
