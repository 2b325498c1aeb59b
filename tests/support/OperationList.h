// Every operation entry point with its name, for tests that sweep them all.
#pragma once

#include "numora/numora.h"

namespace numora::test {

struct OperationEntry {
  const char* name;
  void(NUMORA_CALL* op)(void);
};

#define NUMORA_TEST_OPERATION_ENTRY(name, ordinal) {#name, &::name},
inline constexpr OperationEntry kAllOperations[] = {
    NUMORA_OPERATION_EXPORTS(NUMORA_TEST_OPERATION_ENTRY)};
#undef NUMORA_TEST_OPERATION_ENTRY

// Good, bad and (with exceptions unmasked) faulting operands for every kind of operation.
inline constexpr const char* kSampleOperands[] = {
    "2",  "abc", "-1",  "0",      "2,3", "x,1",   "-8,0.5",      "0,-2",          "1,20000",
    "FF", "101", "777", "1e5000", "",    "20000", "-2147483649", "  12.5e1  ,  3"};

}  // namespace numora::test
