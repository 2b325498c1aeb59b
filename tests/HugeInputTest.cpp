// Hostile register texts of 10 MB through every operation: a result or a clear error,
// memory bounded by a small multiple of the input, no crash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numtext/Text.h"
#include "support/EntryCall.h"
#include "support/OperationList.h"

namespace numora::test {
namespace {

constexpr std::size_t kSize = 10 << 20;

std::vector<std::pair<const char*, std::string>> HostileTexts() {
  std::vector<std::pair<const char*, std::string>> texts;
  std::string digits(kSize, '0');
  for (std::size_t i = 0; i < kSize; ++i) digits[i] = static_cast<char>('0' + i % 10);
  texts.emplace_back("digits", digits);
  texts.emplace_back("blanks", std::string(kSize, ' '));
  texts.emplace_back("number then garbage", "1.5" + std::string(kSize - 3, 'z'));
  texts.emplace_back("commas", std::string(kSize, ','));
  std::string high(kSize, '\x80');
  for (std::size_t i = 0; i < kSize; ++i) high[i] = static_cast<char>(0x80 + i % 0x80);
  texts.emplace_back("bytes 0x80-0xFF", high);
  return texts;
}

TEST(HugeInput, EveryOperationOnTenMegabyteTexts) {
  for (const auto& [label, text] : HostileTexts()) {
    for (const OperationEntry& entry : kAllOperations) {
      SCOPED_TRACE(std::string(entry.name) + " on " + label);
      SetFile(text.c_str());
      ResetPeakBytes();
      const std::size_t before = CurrentMemoryFigures().live_bytes;
      const Outcome outcome = CallOperation(entry.op);
      const std::size_t peak = CurrentMemoryFigures().peak_bytes - before;
      EXPECT_LE(peak, 12 * kSize) << Describe(outcome);
      const std::string after = GetFile();
      if (outcome.kind != Outcome::Kind::kNormal) {
        EXPECT_EQ(outcome.kind, Outcome::Kind::kError) << Describe(outcome);
        EXPECT_TRUE(after == text) << "a failed call must keep the register";
      }
    }
  }
}

}  // namespace
}  // namespace numora::test
