// Every table entry is recomputed from the exact power in integer arithmetic and rounded to
// the nearest 64-bit significand, ties to even.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "numtext/Extended.h"
#include "numtext/PowersOfTen.h"

namespace numora {
namespace {

// 10^k as little-endian 32-bit words.
std::vector<uint32_t> ExactPowerOfTen(int k) {
  std::vector<uint32_t> words{1};
  for (int i = 0; i < k; ++i) {
    uint64_t carry = 0;
    for (uint32_t& w : words) {
      const uint64_t v = static_cast<uint64_t>(w) * 10 + carry;
      w = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    if (carry) words.push_back(static_cast<uint32_t>(carry));
  }
  return words;
}

bool Bit(const std::vector<uint32_t>& words, int64_t index) {
  if (index < 0) return false;
  return (words[static_cast<std::size_t>(index / 32)] >> (index % 32)) & 1u;
}

ExtendedBits NearestExtended(int k) {
  const std::vector<uint32_t> words = ExactPowerOfTen(k);
  int64_t top = static_cast<int64_t>(words.size()) * 32 - 1;
  while (!Bit(words, top)) --top;
  uint64_t significand = 0;
  for (int i = 0; i < 64; ++i) significand = (significand << 1) | Bit(words, top - i);
  const bool half = Bit(words, top - 64);
  bool sticky = false;
  for (int64_t i = top - 65; i >= 0 && !sticky; --i) sticky = Bit(words, i);
  int64_t exponent = top;
  if (half && (sticky || (significand & 1))) {
    if (++significand == 0) {
      significand = 0x8000000000000000ULL;
      ++exponent;
    }
  }
  return {static_cast<uint16_t>(exponent + 16383), significand};
}

void ExpectEntry(long double entry, int k) {
  const ExtendedBits expected = NearestExtended(k);
  const ExtendedBits actual = BitsOfExtended(entry);
  EXPECT_EQ(actual.sign_and_exponent, expected.sign_and_exponent) << "10^" << k;
  EXPECT_EQ(actual.significand, expected.significand) << "10^" << k;
}

TEST(PowersOfTen, TablesHoldTheNearestExtendedValues) {
  for (int k = 0; k < 32; ++k) ExpectEntry(PowersOfTenLow[static_cast<std::size_t>(k)], k);
  for (int k = 1; k < 16; ++k) ExpectEntry(PowersOfTenMid[static_cast<std::size_t>(k)], 32 * k);
  for (int k = 1; k < 10; ++k) ExpectEntry(PowersOfTenHigh[static_cast<std::size_t>(k)], 512 * k);
}

TEST(PowersOfTen, ScalingRoundsLowThenMidThenHigh) {
  volatile long double one = 1.0L;
  EXPECT_EQ(ScaleByPowerOfTen(one, -37), (one / PowersOfTenLow[5]) / PowersOfTenMid[1]);
  EXPECT_EQ(ScaleByPowerOfTen(one, 4931),
            ((one * PowersOfTenLow[3]) * PowersOfTenMid[10]) * PowersOfTenHigh[9]);
  EXPECT_EQ(ScaleByPowerOfTen(one, 544),
            (one * PowersOfTenLow[0]) * PowersOfTenMid[1] * PowersOfTenHigh[1]);
  EXPECT_EQ(ScaleByPowerOfTen(3.0L, 0), 3.0L);
  EXPECT_EQ(ScaleByPowerOfTen(0.0L, 5120), __builtin_infl());
  EXPECT_EQ(ScaleByPowerOfTen(1e30L, -5120), 0.0L);
}

}  // namespace
}  // namespace numora
