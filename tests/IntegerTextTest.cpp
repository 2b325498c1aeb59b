// Integer text: the one reading, the one printing and the two upper-case conversions.
#include <gtest/gtest.h>

#include <string>

#include "numora/numora.hpp"
#include "numtext/IntegerText.h"

namespace numora {
namespace {

struct IntRow {
  const char* text;
  bool accepted;
  int32_t value;
};

TEST(ParseInt32, Table) {
  const IntRow rows[] = {
      {"", false, 0},
      {"   ", false, 0},
      {"-", false, 0},
      {"42", true, 42},
      {"   -42", true, -42},
      {"+42", true, 42},
      {"42 ", false, 0},
      {"4 2", false, 0},
      {"2147483647", true, 2147483647},
      {"2147483648", false, 0},
      {"-2147483648", true, INT32_MIN},
      {"-2147483649", false, 0},
      {"21474836470", false, 0},
      {"4294967296", false, 0},
      {"0", true, 0},
      {"-0", true, 0},
      {"007", true, 7},
      {"0000000000042", true, 42},
      {"$1F", true, 31},
      {"0x1f", true, 31},
      {"X1F", true, 31},
      {"x1f", true, 31},
      {"-0x10", true, -16},
      {"-$1F", true, -31},
      {"$-1F", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"$FFFFFFFF", true, -1},
      {"$80000000", true, INT32_MIN},
      {"-$FFFFFFFF", true, 1},
      {"-$80000000", true, INT32_MIN},
      {"$100000000", false, 0},
      {"$000000001", true, 1},
      {"$0000000000FFFFFFFF", true, -1},
      {"$1G", false, 0},
      {"1.5", false, 0},
      {"1e3", false, 0},
      {"--5", false, 0},
      {"0x1F ", false, 0},
      {"\t5", false, 0},
  };
  for (const IntRow& row : rows) {
    int32_t value = 12345;
    const std::size_t error = ParseInt32(row.text, value);
    EXPECT_EQ(error == 0, row.accepted) << "'" << row.text << "'";
    if (row.accepted) {
      EXPECT_EQ(value, row.value) << "'" << row.text << "'";
    }
  }
}

TEST(IntFromText, RaisesQuotingTheText) {
  try {
    IntFromText("");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
  EXPECT_EQ(IntFromText("  -7"), -7);
}

TEST(IntToText, Table) {
  const std::pair<int32_t, const char*> rows[] = {
      {0, "0"}, {-1, "-1"}, {2147483647, "2147483647"}, {INT32_MIN, "-2147483648"}, {10, "10"}};
  for (const auto& [value, text] : rows) {
    char out[kIntTextCapacity];
    EXPECT_EQ(std::string(out, IntToText(value, out)), text);
  }
}

TEST(UpperCase, AsciiChangesOnlyTheLettersAToZ) {
  EXPECT_EQ(AsciiUpperCase("deg"), "DEG");
  EXPECT_EQ(AsciiUpperCase("grad1"), "GRAD1");
  EXPECT_EQ(AsciiUpperCase(""), "");
  EXPECT_EQ(AsciiUpperCase("\xe9t\xe9"), "\xe9T\xe9");
  EXPECT_EQ(LocaleUpperCase(""), "");
  EXPECT_EQ(LocaleUpperCase("ff0x"), "FF0X");
}

}  // namespace
}  // namespace numora
