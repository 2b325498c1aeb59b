// NumoraFind, NumoraCall and NumoraRun: operations by name with their errors returned as
// values, for callers that cannot catch a C++ exception (C, Python). Linux only; the DLLs keep
// their 79 exports.
#include <cstdio>
#include <exception>

#include "numora/numora.h"
#include "numora/numora.hpp"
#include "plugin/OperationNames.h"

struct NumoraOperation {
  void (*entry)(void);
};

namespace {

#define NUMORA_OPERATION_ENTRY(name, ordinal) {&::name},
constexpr NumoraOperation kOperations[] = {NUMORA_OPERATION_EXPORTS(NUMORA_OPERATION_ENTRY)};
#undef NUMORA_OPERATION_ENTRY
static_assert(sizeof kOperations / sizeof kOperations[0] == numora::names::kOperationCount);

// What the outcome points to stays alive until the next call: the error itself (its message
// is shared, so holding it allocates nothing) and the text of an unknown name.
std::exception_ptr last_error;
char unknown_name_message[160];

}  // namespace

extern "C" NUMORA_API const NumoraOperation* NumoraFind(const char* name) {
  if (name == nullptr) return nullptr;
  const int index = numora::names::FindOperation(name);
  return index < 0 ? nullptr : &kOperations[index];
}

extern "C" NUMORA_API int NumoraCall(const NumoraOperation* operation, const char* operand,
                                     NumoraOutcome* outcome) {
  if (last_error) last_error = nullptr;
  int status = 0;
  const char* kind = nullptr;
  const char* message = nullptr;
  if (operation == nullptr) {
    message = "no operation";
    status = 2;
  } else {
    try {
      if (operand != nullptr) SetFile(operand);
      operation->entry();
    } catch (const numora::Exception& error) {
      last_error = std::current_exception();
      kind = error.kind_name();
      message = error.what();
      status = 1;
    } catch (...) {  // nothing else leaves the entry points; never let it reach a C caller
      kind = numora::Exception::KindName();
      message = "unexpected error";
      status = 1;
    }
  }
  if (outcome != nullptr) *outcome = NumoraOutcome{GetFile(), kind, message};
  return status;
}

extern "C" NUMORA_API int NumoraRun(const char* operation, const char* operand,
                                    NumoraOutcome* outcome) {
  const NumoraOperation* found = NumoraFind(operation);
  if (found != nullptr) return NumoraCall(found, operand, outcome);
  if (last_error) last_error = nullptr;
  std::snprintf(unknown_name_message, sizeof unknown_name_message, "unknown operation '%.100s'",
                operation != nullptr ? operation : "(null)");
  if (outcome != nullptr) *outcome = NumoraOutcome{GetFile(), nullptr, unknown_name_message};
  return 2;
}
