// The library's operations, one function each, named after their entry points.
#pragma once

#include "numora/numora_exports.h"

namespace numora::ops {

#define NUMORA_DECLARE_OPERATION(name, ordinal) void name();
NUMORA_OPERATION_EXPORTS(NUMORA_DECLARE_OPERATION)
#undef NUMORA_DECLARE_OPERATION

}  // namespace numora::ops
