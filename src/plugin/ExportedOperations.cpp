// The operation entry points: each hands its operation to the platform's error transport.
#include "numora/numora.h"
#include "platform/EntryTransport.h"
#include "plugin/Operations.h"

extern "C" {
#define NUMORA_DEFINE_OPERATION(name, ordinal) \
  void NUMORA_CALL name(void) { numora::platform::RunEntry(&numora::ops::name); }
NUMORA_OPERATION_EXPORTS(NUMORA_DEFINE_OPERATION)
#undef NUMORA_DEFINE_OPERATION
}
