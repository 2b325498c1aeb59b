// Numora: the C++ error classes that leave the entry points on Linux.
// Catch numora::Exception for every library error, or a derived class by kind.
#ifndef NUMORA_HPP
#define NUMORA_HPP

#include <exception>
#include <memory>
#include <string>

#include "numora.h"

#define NUMORA_CLASS __attribute__((visibility("default")))

namespace numora {

class NUMORA_CLASS Exception : public std::exception {
 public:
  explicit Exception(std::string message)
      : message_(std::make_shared<const std::string>(std::move(message))) {}
  const char* what() const noexcept override { return message_->c_str(); }
  virtual const char* kind_name() const noexcept { return "Exception"; }
  static const char* KindName() noexcept { return "Exception"; }

 private:
  // Shared so that copying an error (as a throw does) never allocates.
  std::shared_ptr<const std::string> message_;
};

class NUMORA_CLASS EConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* kind_name() const noexcept override { return "EConvertError"; }
  static const char* KindName() noexcept { return "EConvertError"; }
};

class NUMORA_CLASS EHeapException : public Exception {
 public:
  using Exception::Exception;
  const char* kind_name() const noexcept override { return "EHeapException"; }
  static const char* KindName() noexcept { return "EHeapException"; }
};

class NUMORA_CLASS EOutOfMemory : public EHeapException {
 public:
  EOutOfMemory() : EHeapException("Out of memory") {}
  const char* kind_name() const noexcept override { return "EOutOfMemory"; }
  static const char* KindName() noexcept { return "EOutOfMemory"; }
};

class NUMORA_CLASS EInvalidPointer : public EHeapException {
 public:
  EInvalidPointer() : EHeapException("Invalid pointer operation") {}
  const char* kind_name() const noexcept override { return "EInvalidPointer"; }
  static const char* KindName() noexcept { return "EInvalidPointer"; }
};

}  // namespace numora

#endif
