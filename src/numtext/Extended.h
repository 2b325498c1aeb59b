// The 80-bit extended format: building constants from their bits and reading them back.
#pragma once

#include <cstdint>
#include <cstring>

namespace numora {

// The largest finite extended value: anything above it is an infinity.
inline constexpr long double kLargestExtended = __LDBL_MAX__;

struct ExtendedBits {
  uint16_t sign_and_exponent;
  uint64_t significand;
};

// The same at compile time, for constant tables: sign and exponent field, then the significand
// read as an exact integer scaled by a power of two (normal values only).
constexpr long double ConstantFromBits(ExtendedBits bits) {
  long double value = static_cast<long double>(bits.significand);
  int exponent = (bits.sign_and_exponent & 0x7FFF) - 16383 - 63;
  for (; exponent > 0; --exponent) value *= 2.0L;
  for (; exponent < 0; ++exponent) value /= 2.0L;
  return (bits.sign_and_exponent & 0x8000) != 0 ? -value : value;
}

inline long double ExtendedFromBits(uint16_t sign_and_exponent, uint64_t significand) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &significand, 8);
  std::memcpy(bytes + 8, &sign_and_exponent, 2);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

inline ExtendedBits BitsOfExtended(long double value) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof value);
  ExtendedBits bits;
  std::memcpy(&bits.significand, bytes, 8);
  std::memcpy(&bits.sign_and_exponent, bytes + 8, 2);
  return bits;
}

}  // namespace numora
