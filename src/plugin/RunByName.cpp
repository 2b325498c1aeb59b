// NumoraRun: one operation by name with its error returned as a value, for callers that
// cannot catch a C++ exception (C, Python through ctypes). Linux only; the DLLs keep their
// 79 exports.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <exception>

#include "numora/numora.h"
#include "numora/numora.hpp"

namespace {

struct NamedOperation {
  const char* name;
  void (*entry)(void);
};

#define NUMORA_NAMED_OPERATION(name, ordinal) {#name, &::name},
constexpr NamedOperation kOperations[] = {NUMORA_OPERATION_EXPORTS(NUMORA_NAMED_OPERATION)};
#undef NUMORA_NAMED_OPERATION

bool SameIgnoringCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) !=
        std::tolower(static_cast<unsigned char>(*b))) {
      return false;
    }
  }
  return *a == *b;
}

// Any case, with or without the "Get_" of the operations.
void (*FindOperation(const char* requested))(void) {
  for (const NamedOperation& op : kOperations) {
    if (SameIgnoringCase(op.name, requested)) return op.entry;
    if (std::strncmp(op.name, "Get_", 4) == 0 && SameIgnoringCase(op.name + 4, requested)) {
      return op.entry;
    }
  }
  return nullptr;
}

// What the outcome points to stays alive until the next call: the error itself (its message
// is shared, so holding it allocates nothing) and the text of an unknown name.
std::exception_ptr last_error;
char unknown_name_message[160];

}  // namespace

extern "C" NUMORA_API int NumoraRun(const char* operation, const char* operand,
                                    NumoraOutcome* outcome) {
  NumoraOutcome result = {nullptr, nullptr, nullptr};
  last_error = nullptr;
  int status = 0;
  void (*entry)(void) = operation != nullptr ? FindOperation(operation) : nullptr;
  if (entry == nullptr) {
    std::snprintf(unknown_name_message, sizeof unknown_name_message, "unknown operation '%.100s'",
                  operation != nullptr ? operation : "(null)");
    result.kind = nullptr;
    result.message = unknown_name_message;
    status = 2;
  } else {
    try {
      if (operand != nullptr) SetFile(operand);
      entry();
    } catch (const numora::Exception& error) {
      last_error = std::current_exception();
      result.kind = error.kind_name();
      result.message = error.what();
      status = 1;
    } catch (...) {  // nothing else leaves the entry points; never let it reach a C caller
      result.kind = numora::Exception::KindName();
      result.message = "unexpected error";
      status = 1;
    }
  }
  result.text = GetFile();
  if (outcome != nullptr) *outcome = result;
  return status;
}
