// How a library error leaves an exported entry point.
#pragma once

#include "numora/numora.hpp"

namespace numora::platform {

#ifdef _WIN32
// Raises the structured exception 0x0EEDFADE carrying the error object; never returns.
[[noreturn]] void RaiseLibraryError(const Exception& error);

template <class Entry>
auto RunEntry(Entry entry) -> decltype(entry()) {
  try {
    return entry();
  } catch (const Exception& error) {
    RaiseLibraryError(error);
  }
}
#else
// POSIX hosts catch the public C++ classes of numora.hpp as they are thrown.
template <class Entry>
auto RunEntry(Entry entry) -> decltype(entry()) {
  return entry();
}
#endif

}  // namespace numora::platform
