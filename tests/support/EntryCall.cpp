#include "EntryCall.h"

#include <csetjmp>
#include <csignal>
#include <cstring>

#include "numora/numora.hpp"
#include "x87/X87.h"

namespace numora::test {
namespace {

struct NamedOperation {
  const char* name;
  Operation op;
};
#define NUMORA_TEST_OPERATION(name, ordinal) {#name, &::name},
const NamedOperation kOperations[] = {NUMORA_OPERATION_EXPORTS(NUMORA_TEST_OPERATION)};
#undef NUMORA_TEST_OPERATION

#ifndef _WIN32
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
      return "unknown fault";
  }
}
#endif

}  // namespace

#ifndef _WIN32
Outcome CallOperation(Operation op, uint16_t control_word) {
  Outcome outcome;
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
      x87::ClearExceptions();
      x87::SetControlWord(control_word);
      op();
    } catch (const numora::Exception& error) {
      outcome.kind = Outcome::Kind::kError;
      outcome.error_kind = error.kind_name();
      outcome.message = error.what();
    }
  }
  x87::ClearExceptions();
  x87::SetControlWord(0x037F);
  sigaction(SIGFPE, &previous, nullptr);
  return outcome;
}
#endif

Operation FindOperation(const std::string& name) {
  for (const NamedOperation& entry : kOperations)
    if (name == entry.name) return entry.op;
  return nullptr;
}

std::string Describe(const Outcome& outcome) {
  switch (outcome.kind) {
    case Outcome::Kind::kNormal:
      return "normal return";
    case Outcome::Kind::kError:
      return "!" + outcome.error_kind + " " + outcome.message;
    case Outcome::Kind::kFault:
      return "!FPE " + outcome.message;
  }
  return "";
}

}  // namespace numora::test
