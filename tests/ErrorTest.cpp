// Error kinds, their hierarchy and messages, the preallocated memory errors, the error box text.
#include <gtest/gtest.h>

#include <typeinfo>

#include "numora/numora.hpp"
#include "numtext/Errors.h"
#include "plugin/RuntimeErrorBox.h"

namespace numora {
namespace {

TEST(Errors, KindsFormTheirHierarchy) {
  try {
    RaiseFloatConvertError("1,5x");
    FAIL();
  } catch (const Exception& e) {
    EXPECT_NE(dynamic_cast<const EConvertError*>(&e), nullptr);
    EXPECT_STREQ(e.kind_name(), "EConvertError");
    EXPECT_STREQ(e.what(), "'1,5x' is not a valid floating point value");
  }
  try {
    RaiseOutOfMemory();
    FAIL();
  } catch (const EHeapException& e) {
    EXPECT_STREQ(e.kind_name(), "EOutOfMemory");
    EXPECT_STREQ(e.what(), "Out of memory");
  }
  try {
    RaiseInvalidPointer();
    FAIL();
  } catch (const EHeapException& e) {
    EXPECT_STREQ(e.kind_name(), "EInvalidPointer");
    EXPECT_STREQ(e.what(), "Invalid pointer operation");
  }
  EXPECT_STREQ(EHeapException("x").kind_name(), "EHeapException");
  EXPECT_STREQ(Exception("x").kind_name(), "Exception");
}

TEST(Errors, IntegerMessageQuotesTheTextAsReceived) {
  try {
    RaiseIntegerConvertError("  12a ");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'  12a ' is not a valid integer value");
  }
}

TEST(Errors, OutOfMemoryIsTheSamePreallocatedObjectEveryTime) {
  const void* first = nullptr;
  for (int i = 0; i < 2; ++i) {
    try {
      RaiseOutOfMemory();
    } catch (const EOutOfMemory& e) {
      if (i == 0)
        first = &e;
      else
        EXPECT_EQ(&e, first);
    }
  }
  EXPECT_NE(first, nullptr);
}

TEST(Errors, RuntimeErrorBoxText) {
  struct Row {
    int number;
    uintptr_t address;
    const char* text;
  };
  const Row rows[] = {
      {216, 0x1A2B3C, "Runtime error 216 at 001A2B3C"},
      {217, 0xFFFFFFFF, "Runtime error 217 at FFFFFFFF"},
      {5, 0, "Runtime error   5 at 00000000"},
      {203, 0xabc, "Runtime error 203 at 00000ABC"},
  };
  for (const Row& row : rows) {
    char text[kRuntimeErrorTextLength + 1];
    FormatRuntimeError(row.number, row.address, text);
    EXPECT_STREQ(text, row.text);
  }
}

}  // namespace
}  // namespace numora
