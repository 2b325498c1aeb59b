// Radix conversions: round trips against an independent computation, and long texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "numora/numora.h"

namespace {

std::string Call(void(NUMORA_CALL* op)(), const std::string& text) {
  SetFile(text.c_str());
  op();
  return GetFile();
}

std::string Binary(uint32_t magnitude) {
  if (magnitude == 0) return std::string(32, '0');
  char bits[33];
  int start = 32;
  for (; magnitude != 0; magnitude >>= 1) bits[--start] = static_cast<char>('0' + (magnitude & 1));
  return std::string(bits + start, bits + 32);
}

TEST(Radix, RandomRoundTripsAgreeWithAnIndependentComputation) {
  std::mt19937 random(20261210);
  for (int i = 0; i < 3000; ++i) {
    const int32_t n = static_cast<int32_t>(random());
    const std::string decimal = std::to_string(n);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<uint32_t>(n));
    ASSERT_EQ(Call(Dec_To_Hex, decimal), hex);
    ASSERT_EQ(Call(Hex_To_Dec, hex), decimal);
    const uint32_t magnitude = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    std::string bin = n < 0 ? "-" : "";
    bin.append(Binary(magnitude));
    ASSERT_EQ(Call(Dec_To_Bin, decimal), bin);
    if (n >= 0) {
      ASSERT_EQ(Call(Bin_To_Dec, bin), decimal);
      char oct[16];
      std::snprintf(oct, sizeof oct, "%o", static_cast<uint32_t>(n));
      ASSERT_EQ(Call(Dec_To_Oct, decimal), oct);
      ASSERT_EQ(Call(Oct_To_Dec, oct), decimal);
      ASSERT_EQ(Call(Oct_To_Hex, oct), hex);
    }
  }
}

TEST(Radix, LongHexadecimalTextThroughBinaryAndBack) {
  std::mt19937 random(7);
  std::string hex(100000, '0');
  for (char& c : hex) c = "0123456789ABCDEF"[random() % 16];
  hex[0] = 'F';
  const std::string binary = Call(Hex_To_Bin, hex);
  ASSERT_EQ(binary.size(), hex.size() * 4);
  EXPECT_EQ(Call(Bin_To_Hex, binary), hex);
  const std::string octal = Call(Bin_To_Oct, binary);
  EXPECT_EQ(octal.size(), (binary.size() + 2) / 3);
}

}  // namespace
