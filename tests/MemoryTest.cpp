// Exhausted memory: every allocation of a call fails in turn; the call leaves with the
// preallocated EOutOfMemory, the register keeps its text, and the next call works.
#include <gtest/gtest.h>

#include <string>

#include "numora/numora.h"
#include "numora/numora.hpp"
#include "numtext/Text.h"
#include "plugin/PluginState.h"
#include "support/EntryCall.h"
#include "support/OperationList.h"

namespace numora::test {
namespace {

const char* text_to_store = nullptr;
void NUMORA_CALL StoreText() { SetFile(text_to_store); }

TEST(Memory, SetFileOutOfMemoryKeepsThePreviousText) {
  SetFile("previous");
  // Longer than the room an earlier test may have left in the register.
  const std::string long_text(State().exchange_register.capacity() + 4096, '1');
  text_to_store = long_text.c_str();
  FailAllocationAfter(0);
  const Outcome outcome = CallOperation(&StoreText);
  FailAllocationAfter(-1);
  EXPECT_EQ(Describe(outcome), "!EOutOfMemory Out of memory");
  EXPECT_STREQ(GetFile(), "previous");
  SetFile(long_text.c_str());
  EXPECT_TRUE(GetFile() == long_text);
}

// Operands long enough that their texts leave the short-string buffer and allocate.
const char* const kLongOperands[] = {
    "   2.00000000000000000000000000000000,  3.0000000000000000000000000000",
    "0000000000000000000000012,000000000000000000000010",
    "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
    "111111111111111111111111111111111111111111",
    "17777777777",
    "this is not a number but a long text",
};

TEST(Memory, EachAllocationOfEveryOperationFailsInTurn) {
  for (const OperationEntry& entry : kAllOperations) {
    for (const char* operand : kLongOperands) {
      // The result the call gives with all the memory it wants.
      SetFile(operand);
      const std::string normal = Describe(CallOperation(entry.op));
      const std::string normal_result = GetFile();
      bool completed = false;
      for (long failing = 0; failing < 50 && !completed; ++failing) {
        SCOPED_TRACE(std::string(entry.name) + " [" + operand + "] allocation " +
                     std::to_string(failing));
        SetFile(operand);
        FailAllocationAfter(failing);
        const Outcome outcome = CallOperation(entry.op);
        FailAllocationAfter(-1);
        if (outcome.kind == Outcome::Kind::kError && outcome.error_kind == "EOutOfMemory") {
          EXPECT_EQ(GetFile(), std::string(operand));
          continue;
        }
        completed = true;
        EXPECT_EQ(Describe(outcome), normal);
        EXPECT_EQ(GetFile(), normal_result);
      }
      EXPECT_TRUE(completed) << entry.name;
    }
  }
}

const char* path_to_store = nullptr;
void NUMORA_CALL StorePath() { SetPath(path_to_store); }

TEST(Memory, SetPathOutOfMemoryThenWorks) {
  const std::string path(1 << 20, 'p');
  path_to_store = path.c_str();
  FailAllocationAfter(0);
  const Outcome outcome = CallOperation(&StorePath);
  FailAllocationAfter(-1);
  EXPECT_EQ(Describe(outcome), "!EOutOfMemory Out of memory");
  EXPECT_EQ(CallOperation(&StorePath).kind, Outcome::Kind::kNormal);
}

}  // namespace
}  // namespace numora::test
