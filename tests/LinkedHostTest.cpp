// A host linked against the shared library: errors are caught by their public classes.
#include <gtest/gtest.h>

#include <string>

#include "numora/numora.h"
#include "numora/numora.hpp"

namespace {

TEST(SharedLibrary, ErrorsAreCaughtByTypeAcrossTheLibraryBoundary) {
  SetFile("abc");
  try {
    Get_Sqrt();
    FAIL() << "no error";
  } catch (const numora::EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    EXPECT_STREQ(e.kind_name(), "EConvertError");
  }
  EXPECT_STREQ(GetFile(), "abc");
  try {
    Get_Not();
    FAIL() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}

TEST(SharedLibrary, TheRoadOfOneCall) {
  SetFile("2");
  Get_Sqrt();
  EXPECT_STREQ(GetFile(), "1.4142135623731");
  SetFile("255");
  Dec_To_Hex();
  EXPECT_STREQ(GetFile(), "FF");
}

}  // namespace
