#include "numtext/Errors.h"

#include <exception>
#include <new>
#include <string>

namespace numora {
namespace {

std::exception_ptr out_of_memory;
std::exception_ptr invalid_pointer;

[[noreturn]] void RaiseConvertError(std::string_view text, const char* tail) {
  std::string message;
  try {
    message.reserve(text.size() + 48);
    message.append(1, '\'').append(text).append(tail);
  } catch (const std::bad_alloc&) {
    RaiseOutOfMemory();
  }
  throw EConvertError(std::move(message));
}

}  // namespace

void RaiseFloatConvertError(std::string_view text) {
  RaiseConvertError(text, "' is not a valid floating point value");
}

void RaiseIntegerConvertError(std::string_view text) {
  RaiseConvertError(text, "' is not a valid integer value");
}

void RaiseOutOfMemory() {
  if (out_of_memory) std::rethrow_exception(out_of_memory);
  throw EOutOfMemory();
}

void RaiseInvalidPointer() {
  if (invalid_pointer) std::rethrow_exception(invalid_pointer);
  throw EInvalidPointer();
}

void StartErrorService() {
  out_of_memory = std::make_exception_ptr(EOutOfMemory());
  invalid_pointer = std::make_exception_ptr(EInvalidPointer());
}

void StopErrorService() {
  out_of_memory = nullptr;
  invalid_pointer = nullptr;
}

}  // namespace numora
