// Library errors as structured exceptions: code 0x0EEDFADE, non-continuable, 7 arguments,
// argument 1 the error object with its kind and counted message.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "platform/EntryTransport.h"

namespace numora::platform {
namespace {

struct ErrorBlock {
  NumoraError error;
  int32_t length;  // the counted message: its length just before its first character
  char text[1];
};

void ReleaseError(NumoraError* error);

const NumoraErrorKind kException = {"Exception", nullptr, ReleaseError};
const NumoraErrorKind kConvertError = {"EConvertError", &kException, ReleaseError};
const NumoraErrorKind kHeapException = {"EHeapException", &kException, ReleaseError};
const NumoraErrorKind kOutOfMemory = {"EOutOfMemory", &kHeapException, ReleaseError};
const NumoraErrorKind kInvalidPointer = {"EInvalidPointer", &kHeapException, ReleaseError};

template <std::size_t N>
struct StaticErrorBlock {
  NumoraError error;
  int32_t length;
  char text[N];
};
// The preallocated errors: raising them needs no memory, releasing them does nothing.
StaticErrorBlock<14> out_of_memory = {{&kOutOfMemory, nullptr, 0}, 13, "Out of memory"};
StaticErrorBlock<26> invalid_pointer = {
    {&kInvalidPointer, nullptr, 0}, 25, "Invalid pointer operation"};

template <std::size_t N>
NumoraError* Preallocated(StaticErrorBlock<N>& block) {
  block.error.message = block.text;
  return &block.error;
}

void ReleaseError(NumoraError* error) {
  if (error == nullptr || error == &out_of_memory.error || error == &invalid_pointer.error) return;
  std::free(
      reinterpret_cast<ErrorBlock*>(reinterpret_cast<char*>(error) - offsetof(ErrorBlock, error)));
}

const NumoraErrorKind* KindOf(const Exception& error) {
  const char* name = error.kind_name();
  for (const NumoraErrorKind* kind :
       {&kConvertError, &kOutOfMemory, &kInvalidPointer, &kHeapException}) {
    if (std::strcmp(kind->name, name) == 0) return kind;
  }
  return &kException;
}

}  // namespace

NumoraError* MakeErrorObject(const Exception& error) noexcept {
  const NumoraErrorKind* kind = KindOf(error);
  if (kind == &kOutOfMemory) return Preallocated(out_of_memory);
  if (kind == &kInvalidPointer) return Preallocated(invalid_pointer);
  const std::size_t length = std::strlen(error.what());
  auto* block = static_cast<ErrorBlock*>(std::malloc(sizeof(ErrorBlock) + length));
  if (block == nullptr) return Preallocated(out_of_memory);
  block->error.kind = kind;
  block->error.help_context = 0;
  block->length = static_cast<int32_t>(length);
  std::memcpy(block->text, error.what(), length + 1);
  block->error.message = block->text;
  return &block->error;
}

void RaiseLibraryError(NumoraError* error) {
  ULONG_PTR arguments[NUMORA_ERROR_EXCEPTION_ARGUMENTS] = {};
  arguments[0] = reinterpret_cast<ULONG_PTR>(__builtin_return_address(0));
  arguments[1] = reinterpret_cast<ULONG_PTR>(error);
  RaiseException(NUMORA_ERROR_EXCEPTION_CODE, EXCEPTION_NONCONTINUABLE,
                 NUMORA_ERROR_EXCEPTION_ARGUMENTS, arguments);
  std::abort();  // a non-continuable exception does not come back
}

}  // namespace numora::platform
