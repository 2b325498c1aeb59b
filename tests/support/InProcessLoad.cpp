// Windows: the test program links the library's objects directly, so nothing runs the DLL's
// entry function; this starts the library the way the entry function does.
#include "platform/Platform.h"
#include "plugin/Lifecycle.h"

namespace {

struct InProcessLoad {
  InProcessLoad() {
    numora::platform::RecordDefaultControlWord();
    numora::StartLibrary();
  }
  ~InProcessLoad() { numora::StopLibrary(); }
};

const InProcessLoad in_process_load;

}  // namespace
