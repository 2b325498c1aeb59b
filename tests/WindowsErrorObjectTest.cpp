// Windows: the structured exception a library error leaves as, and its error object.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "GuardedCall.h"
#include "numora/numora.h"
#include "numtext/Text.h"
#include "plugin/PluginState.h"

namespace {

void ExpectKindChain(const NumoraError* error, const char* kind, const char* base) {
  ASSERT_NE(error, nullptr);
  EXPECT_STREQ(error->kind->name, kind);
  ASSERT_NE(error->kind->base, nullptr);
  EXPECT_STREQ(error->kind->base->name, base);
  const NumoraErrorKind* root = error->kind->base;
  while (root->base != nullptr) root = root->base;
  EXPECT_STREQ(root->name, "Exception");
  EXPECT_EQ(error->help_context, 0);
}

int32_t CountedLength(const NumoraError* error) {
  int32_t length;
  std::memcpy(&length, error->message - sizeof(int32_t), sizeof length);
  return length;
}

TEST(WindowsErrors, ConvertErrorTravelsAsStructuredException) {
  SetFile("abc");
  const host::Outcome outcome = host::CallGuarded(&Get_Sqrt, 0x037F, /*keep=*/true);
  ASSERT_EQ(outcome.kind, host::Outcome::Kind::kError);
  EXPECT_EQ(outcome.seh_code, NUMORA_ERROR_EXCEPTION_CODE);
  EXPECT_EQ(outcome.seh_flags, static_cast<uint32_t>(EXCEPTION_NONCONTINUABLE));
  EXPECT_EQ(outcome.seh_argument_count, 7u);
  EXPECT_NE(outcome.seh_arguments[0], 0u);  // the raise address
  auto* error = reinterpret_cast<NumoraError*>(outcome.seh_arguments[1]);
  ExpectKindChain(error, "EConvertError", "Exception");
  EXPECT_STREQ(error->message, "'abc' is not a valid floating point value");
  EXPECT_EQ(CountedLength(error), static_cast<int32_t>(std::strlen(error->message)));
  EXPECT_STREQ(GetFile(), "abc");
  error->kind->release(error);
}

TEST(WindowsErrors, OutOfMemoryIsPreallocatedAndItsReleaseDoesNothing) {
  const std::string text(numora::State().exchange_register.capacity() + 4096, '5');
  SetFile("kept");
  numora::FailAllocationAfter(0);
  static const char* to_store;
  to_store = text.c_str();
  const host::Outcome first =
      host::CallGuarded([]() NUMORA_CALL { SetFile(to_store); }, 0x037F, /*keep=*/true);
  numora::FailAllocationAfter(0);
  const host::Outcome second =
      host::CallGuarded([]() NUMORA_CALL { SetFile(to_store); }, 0x037F, /*keep=*/true);
  numora::FailAllocationAfter(-1);
  ASSERT_EQ(first.kind, host::Outcome::Kind::kError);
  auto* error = reinterpret_cast<NumoraError*>(first.seh_arguments[1]);
  ExpectKindChain(error, "EOutOfMemory", "EHeapException");
  EXPECT_STREQ(error->message, "Out of memory");
  EXPECT_EQ(CountedLength(error), 13);
  EXPECT_EQ(second.seh_arguments[1], first.seh_arguments[1]) << "the same object every time";
  error->kind->release(error);
  error->kind->release(error);
  EXPECT_STREQ(error->message, "Out of memory");
  EXPECT_STREQ(GetFile(), "kept");
}

TEST(WindowsErrors, FloatingPointFaultsArriveUnconverted) {
  struct Row {
    const char* operand;
    host::Operation op;
    uint16_t control_word;
    uint32_t code;
  };
  const Row rows[] = {
      {"-1", &Get_Sqrt, 0x037E, 0xC0000090},
      {"0", &Get_Ln, 0x037B, 0xC000008E},
      {"20000", &Get_Exp, 0x0377, 0xC0000091},
  };
  for (const Row& row : rows) {
    SetFile(row.operand);
    const host::Outcome outcome = host::CallGuarded(row.op, row.control_word);
    EXPECT_EQ(outcome.kind, host::Outcome::Kind::kFault) << row.operand;
    EXPECT_EQ(outcome.seh_code, row.code) << row.operand;
    EXPECT_STREQ(GetFile(), row.operand);
  }
}

}  // namespace
