// Load and unload on POSIX: the shared object's initialiser and finaliser.
#include <cstdlib>

#include "plugin/Lifecycle.h"

namespace {

__attribute__((constructor(102))) void LoadLibrary() {
  // A shared object cannot refuse to load; after the error box the process cannot go on.
  if (!numora::StartLibrary()) std::abort();
}

__attribute__((destructor(102))) void UnloadLibrary() { numora::StopLibrary(); }

}  // namespace
