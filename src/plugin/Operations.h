// The library's operations, one function each, named after their entry points.
#pragma once

#include "numora/numora_exports.h"
#include "plugin/PluginState.h"

namespace numora::ops {

// Each works on the state it is given: the process-wide one, or a caller's context.
#define NUMORA_DECLARE_OPERATION(name, ordinal) void name(PluginState& state);
NUMORA_OPERATION_EXPORTS(NUMORA_DECLARE_OPERATION)
#undef NUMORA_DECLARE_OPERATION

}  // namespace numora::ops
