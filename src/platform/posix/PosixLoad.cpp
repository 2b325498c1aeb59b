// Load and unload on POSIX: a static object of the shared library starts and stops it.
#include <cstdlib>

#include "plugin/Lifecycle.h"

namespace {

struct LibraryLoad {
  LibraryLoad() {
    // A shared object cannot refuse to load; after the error box the process cannot go on.
    if (!numora::StartLibrary()) std::abort();
  }
  ~LibraryLoad() { numora::StopLibrary(); }
};

const LibraryLoad library_load;

}  // namespace
