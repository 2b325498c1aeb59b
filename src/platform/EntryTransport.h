// How a library error leaves an exported entry point.
#pragma once

#include "numora/numora.hpp"

namespace numora::platform {

#ifdef _WIN32
// The error object of the structured exception, built while the C++ error is still alive.
NumoraError* MakeErrorObject(const Exception& error) noexcept;
// Raises the structured exception 0x0EEDFADE carrying the error object; never returns.
[[noreturn]] void RaiseLibraryError(NumoraError* error);

// The C++ error is destroyed before the structured exception leaves, so a host that unwinds
// past the entry point loses nothing.
template <class Entry>
void RunEntry(Entry entry) {
  NumoraError* error = nullptr;
  try {
    entry();
    return;
  } catch (const Exception& e) {
    error = MakeErrorObject(e);
  }
  RaiseLibraryError(error);
}
#else
// POSIX hosts catch the public C++ classes of numora.hpp as they are thrown.
template <class Entry>
void RunEntry(Entry entry) {
  entry();
}
#endif

}  // namespace numora::platform
