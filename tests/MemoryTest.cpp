// Exhausted memory: every allocation of a call fails in turn; the call leaves with the
// preallocated EOutOfMemory, the register keeps its text, and the next call works.
#include <gtest/gtest.h>

#include <string>

#include "numora/numora.h"
#include "numora/numora.hpp"
#include "numtext/Text.h"
#include "support/EntryCall.h"

namespace numora {
namespace {

const char* text_to_store = nullptr;
void NUMORA_CALL StoreText() { SetFile(text_to_store); }

TEST(Memory, SetFileOutOfMemoryKeepsThePreviousText) {
  SetFile("previous");
  // Longer than anything an earlier test left room for in the register.
  const std::string long_text(8 << 20, '1');
  text_to_store = long_text.c_str();
  FailAllocationAfter(0);
  const test::Outcome outcome = test::CallOperation(&StoreText);
  FailAllocationAfter(-1);
  EXPECT_EQ(test::Describe(outcome), "!EOutOfMemory Out of memory");
  EXPECT_STREQ(GetFile(), "previous");
  SetFile(long_text.c_str());
  EXPECT_EQ(GetFile(), long_text);
}

struct Call {
  const char* entry;
  std::string register_text;
};

// Operands long enough that their texts leave the short-string buffer and allocate.
const Call kCalls[] = {
    {"Get_Sqrt", "   2.00000000000000000000000000000000"},
    {"Get_Power", "2.000000000000000000000000000000000,10.0000000000000000000000000"},
    {"Get_ShR", "16.00000000000000000000000000,2.0000000000000000000000000000"},
    {"Get_And", "0000000000000000000000012,000000000000000000000010"},
    {"Hex_To_Bin", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
    {"Hex_To_Oct", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
    {"Bin_To_Hex", "111111111111111111111111111111111111111111"},
    {"Dec_To_Oct", "2147483647"},
    {"Dec_To_Bin", "2147483647"},
    {"Oct_To_Bin", "17777777777"},
    {"Set_Angle_Measurement", "degrees and more text to allocate"},
    {"Get_Sqrt", "this is not a number but a long text"},
};

TEST(Memory, EachAllocationOfACallFailsInTurn) {
  for (const Call& call : kCalls) {
    const test::Operation op = test::FindOperation(call.entry);
    ASSERT_NE(op, nullptr);
    // The result a call gives with all the memory it wants.
    SetFile(call.register_text.c_str());
    const test::Outcome normal = test::CallOperation(op);
    const std::string normal_result = GetFile();
    bool completed = false;
    for (long failing = 0; failing < 50 && !completed; ++failing) {
      SCOPED_TRACE(std::string(call.entry) + " allocation " + std::to_string(failing));
      SetFile(call.register_text.c_str());
      FailAllocationAfter(failing);
      const test::Outcome outcome = test::CallOperation(op);
      FailAllocationAfter(-1);
      if (outcome.kind == test::Outcome::Kind::kError && outcome.error_kind == "EOutOfMemory") {
        EXPECT_EQ(GetFile(), call.register_text);
        continue;
      }
      completed = true;
      EXPECT_EQ(test::Describe(outcome), test::Describe(normal));
      EXPECT_EQ(GetFile(), normal_result);
    }
    EXPECT_TRUE(completed) << call.entry;
  }
}

}  // namespace
}  // namespace numora
