// The operation frame: split fields, translations, and the register written last.
#include <gtest/gtest.h>

#include "numora/numora.h"
#include "plugin/LocaleSeparator.h"
#include "plugin/OperationFrame.h"
#include "support/EntryCall.h"

namespace numora {
namespace {

struct SplitRow {
  const char* register_text;
  const char* first;
  const char* second;  // expected second operand text after a split that started from "old"
};

TEST(SplitOperands, FieldsAndCarryOver) {
  const SplitRow rows[] = {
      {"2,3", "2", "3"}, {"2,3,4", "2", "3"}, {"5", "5", "old"},       {",3", "", "3"},
      {"2,", "2", ""},   {"2,,3", "2", ""},   {" 2 , 3", " 2 ", " 3"}, {"", "", "old"},
  };
  for (const SplitRow& row : rows) {
    State().second_operand_text.assign("old");
    State().exchange_register.assign(row.register_text);
    SplitOperands(State());
    EXPECT_EQ(State().first_operand_text, row.first) << row.register_text;
    EXPECT_EQ(State().second_operand_text, row.second) << row.register_text;
    EXPECT_EQ(std::string_view(State().split_text), std::string(row.register_text) + ",");
  }
}

TEST(LocaleSeparator, InboundInsertsTheWholeSeparatorOutboundMatchesItsFirstCharacter) {
  EXPECT_EQ(DotToLocaleSeparator("1.5", "ab"), "1ab5");
  char printed[] = "1ab5";
  LocaleSeparatorToDot(printed, 4, "ab");
  EXPECT_STREQ(printed, "1.b5");
  EXPECT_EQ(DotToLocaleSeparator("2.5,1.5", ","), "2,5,1,5");
  char comma[] = "1,5";
  LocaleSeparatorToDot(comma, 3, ",");
  EXPECT_STREQ(comma, "1.5");
  EXPECT_EQ(DotToLocaleSeparator("1.5", "."), "1.5");
}

// One separator per operation: the translations use its text, the parse and the print its one
// character, or "." where it is longer.
TEST(LocaleSeparator, TheParseAndPrintUseTheCallsCharacter) {
  char buffer[platform::kSeparatorBuffer];
  for (const auto& [text, number] : {std::pair{",", ','}, {".", '.'}, {"ab", '.'}, {"", '.'}}) {
    OverrideCallDecimalSeparator(text);
    const CallSeparator separator = ReadCallSeparator(buffer);
    EXPECT_EQ(separator.text, text);
    EXPECT_EQ(separator.number, number) << text;
  }
  OverrideCallDecimalSeparator(nullptr);
}

TEST(OperationFrame, FailedOperationKeepsRegisterButSplitFieldsAreNew) {
  SetFile("x,7");
  const auto outcome = test::CallOperation(&Get_Hypot);
  EXPECT_EQ(outcome.kind, test::Outcome::Kind::kError);
  EXPECT_STREQ(GetFile(), "x,7");
  EXPECT_EQ(State().first_operand_text, "x");
  EXPECT_EQ(State().second_operand_text, "7");
}

TEST(OperationFrame, LastOperandAndLastResult) {
  SetFile("16");
  Get_Sqrt();
  EXPECT_EQ(State().last_operand, 16.0L);
  EXPECT_EQ(State().last_result, 4.0L);
  SetFile("-1");
  EXPECT_EQ(test::CallOperation(&Get_Sqrt, 0x037E).kind, test::Outcome::Kind::kFault);
  EXPECT_EQ(State().last_operand, -1.0L);  // parsed before the fault
  EXPECT_EQ(State().last_result, 4.0L);
  EXPECT_STREQ(GetFile(), "-1");
  SetFile("2,3");
  Get_Power();
  EXPECT_EQ(State().last_operand, -1.0L);  // two-operand operations leave it alone
  EXPECT_EQ(State().last_result, 8.0L);
}

TEST(OperationFrame, SameCallMaskedThenUnmaskedFollowsTheCallersControlWord) {
  SetFile("-1");
  EXPECT_EQ(test::CallOperation(&Get_Sqrt, 0x037F).kind, test::Outcome::Kind::kNormal);
  EXPECT_STREQ(GetFile(), "NAN");
  SetFile("-1");
  EXPECT_EQ(test::Describe(test::CallOperation(&Get_Sqrt, 0x037E)), "!FPE invalid operation");
  SetFile("-1");
  EXPECT_EQ(test::CallOperation(&Get_Sqrt, 0x037F).kind, test::Outcome::Kind::kNormal);
  EXPECT_STREQ(GetFile(), "NAN");
}

TEST(IntegerState, FieldsWrittenByTheIntegerOperations) {
  SetFile("5");
  Get_Not();
  EXPECT_EQ(State().integer_value, 5);
  EXPECT_EQ(State().bitwise_result, -6);
  SetFile("12,10");
  Get_Xor();
  EXPECT_EQ(State().bitwise_result, 6);
  SetFile("-8");
  Dec_To_Oct();
  EXPECT_EQ(State().integer_value, -8);
  EXPECT_STREQ(GetFile(), "");
  SetFile("1F");
  Hex_To_Dec();
  EXPECT_EQ(State().integer_value, 31);
  SetFile("12a");
  EXPECT_EQ(test::CallOperation(&Dec_To_Hex).kind, test::Outcome::Kind::kError);
  EXPECT_EQ(State().integer_value, 31);
  EXPECT_STREQ(GetFile(), "12a");
}

}  // namespace
}  // namespace numora
