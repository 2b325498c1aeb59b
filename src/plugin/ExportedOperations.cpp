// The operation entry points: each hands its operation to the platform's error transport.
#include "numora/numora.h"
#include "platform/EntryTransport.h"
#include "plugin/Operations.h"
#include "plugin/PluginState.h"
#include "x87/X87.h"

extern "C" {
// The exported entry points share the one process-wide state.
#define NUMORA_DEFINE_OPERATION(name, ordinal)                              \
  void NUMORA_CALL name(void) {                                             \
    numora::x87::ClearFlagsTheWordUnmasks(numora::x87::ControlWord());      \
    numora::platform::RunEntry([] { numora::ops::name(numora::State()); }); \
  }
NUMORA_OPERATION_EXPORTS(NUMORA_DEFINE_OPERATION)
#undef NUMORA_DEFINE_OPERATION
}
