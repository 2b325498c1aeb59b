// NumoraFind, NumoraCall and NumoraRun: operations by name with their errors returned as
// values, for callers that cannot catch a C++ exception (C, Python), on the process-wide state
// (one call at a time, from any thread) or on a caller's own context (NumoraOpen, NumoraRunIn,
// NumoraCallIn, NumoraClose; contexts run in parallel). Linux only; the DLLs keep their 79
// exports.
#include <atomic>
#include <cstdio>
#include <exception>
#include <new>
#include <thread>

#include "numora/numora.h"
#include "numora/numora.hpp"
#include "plugin/OperationNames.h"
#include "plugin/Operations.h"
#include "plugin/PluginState.h"
#include "x87/X87.h"

struct NumoraOperation {
  void (*run)(numora::PluginState& state);
};

// A caller's own state, with what its outcomes point to: the error itself (its message is
// shared, so holding it allocates nothing) and the text of an unknown name. Aligned to a cache
// line, so that contexts used by different threads share none.
struct alignas(64) NumoraContext {
  numora::PluginState state;
  std::exception_ptr last_error;
  char unknown_name_message[160];
};

namespace {

#define NUMORA_OPERATION_ENTRY(name, ordinal) {&numora::ops::name},
constexpr NumoraOperation kOperations[] = {NUMORA_OPERATION_EXPORTS(NUMORA_OPERATION_ENTRY)};
#undef NUMORA_OPERATION_ENTRY
static_assert(sizeof kOperations / sizeof kOperations[0] == numora::names::kOperationCount);

const char kEmptyText[] = "";

const char* TextOf(const numora::Text& text) { return text.empty() ? kEmptyText : text.c_str(); }

// Runs `operation` on `state`, `operand` written into its register first (NULL keeps it). A
// library error is kept in `error`, its kind and message set; returns the status.
int RunOn(numora::PluginState& state, const NumoraOperation* operation, const char* operand,
          std::exception_ptr& error, const char*& kind, const char*& message) {
  if (error) error = nullptr;
  kind = nullptr;
  message = nullptr;
  if (operation == nullptr) {
    message = "no operation";
    return 2;
  }
  try {
    if (operand != nullptr) numora::AssignText(state.exchange_register, operand);
    // As the exported entry points do: flags a caller left raised never fault inside.
    numora::x87::ClearFlagsTheWordUnmasks(numora::x87::ControlWord());
    operation->run(state);
    return 0;
  } catch (const numora::Exception& e) {
    error = std::current_exception();
    kind = e.kind_name();
    message = e.what();
  } catch (...) {  // nothing else leaves the operations; never let it reach a C caller
    kind = numora::Exception::KindName();
    message = "unexpected error";
  }
  return 1;
}

int UnknownName(const char* name, char (&message)[160], const char* text, NumoraOutcome* outcome) {
  std::snprintf(message, sizeof message, "unknown operation '%.100s'",
                name != nullptr ? name : "(null)");
  if (outcome != nullptr) *outcome = NumoraOutcome{text, nullptr, message};
  return 2;
}

// The process-wide state's calls one at a time: a lock that costs one exchange when nobody
// holds it, and yields the processor while somebody does.
class SharedStateLock {
 public:
  void lock() noexcept {
    while (held_.exchange(true, std::memory_order_acquire)) {
      while (held_.load(std::memory_order_relaxed)) std::this_thread::yield();
    }
  }
  void unlock() noexcept { held_.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> held_{false};
};
SharedStateLock shared_state_lock;

// What a shared call's outcome points to, per thread, so that another thread's call cannot
// change it: a copy of the register's text, the error and the text of an unknown name.
struct SharedCallOutcome {
  numora::Text text;
  std::exception_ptr error;
  char unknown_name_message[160];
};
thread_local SharedCallOutcome shared_call_outcome;

}  // namespace

extern "C" NUMORA_API const NumoraOperation* NumoraFind(const char* name) {
  if (name == nullptr) return nullptr;
  const int index = numora::names::FindOperation(name);
  return index < 0 ? nullptr : &kOperations[index];
}

extern "C" NUMORA_API int NumoraCall(const NumoraOperation* operation, const char* operand,
                                     NumoraOutcome* outcome) {
  SharedCallOutcome& mine = shared_call_outcome;
  const char* kind;
  const char* message;
  int status;
  {
    shared_state_lock.lock();
    numora::PluginState& state = numora::State();
    status = RunOn(state, operation, operand, mine.error, kind, message);
    try {
      numora::AssignText(mine.text, state.exchange_register);
    } catch (...) {  // no memory for the copy: the outcome holds the out-of-memory error
      mine.text.clear();
      mine.error = std::current_exception();
      kind = numora::EOutOfMemory::KindName();
      message = "Out of memory";
      status = 1;
    }
    shared_state_lock.unlock();
  }
  if (outcome != nullptr) *outcome = NumoraOutcome{TextOf(mine.text), kind, message};
  return status;
}

extern "C" NUMORA_API int NumoraRun(const char* operation, const char* operand,
                                    NumoraOutcome* outcome) {
  const NumoraOperation* found = NumoraFind(operation);
  if (found != nullptr) return NumoraCall(found, operand, outcome);
  SharedCallOutcome& mine = shared_call_outcome;
  if (mine.error) mine.error = nullptr;
  return UnknownName(operation, mine.unknown_name_message, TextOf(mine.text), outcome);
}

extern "C" NUMORA_API NumoraContext* NumoraOpen(void) { return new (std::nothrow) NumoraContext(); }

extern "C" NUMORA_API void NumoraClose(NumoraContext* context) { delete context; }

extern "C" NUMORA_API int NumoraCallIn(NumoraContext* context, const NumoraOperation* operation,
                                       const char* operand, NumoraOutcome* outcome) {
  if (context == nullptr) {
    if (outcome != nullptr) *outcome = NumoraOutcome{kEmptyText, nullptr, "no context"};
    return 2;
  }
  const char* kind;
  const char* message;
  const int status = RunOn(context->state, operation, operand, context->last_error, kind, message);
  if (outcome != nullptr) {
    *outcome = NumoraOutcome{TextOf(context->state.exchange_register), kind, message};
  }
  return status;
}

extern "C" NUMORA_API int NumoraRunIn(NumoraContext* context, const char* operation,
                                      const char* operand, NumoraOutcome* outcome) {
  const NumoraOperation* found = NumoraFind(operation);
  if (found != nullptr || context == nullptr) {
    return NumoraCallIn(context, found, operand, outcome);
  }
  if (context->last_error) context->last_error = nullptr;
  return UnknownName(operation, context->unknown_name_message,
                     TextOf(context->state.exchange_register), outcome);
}
