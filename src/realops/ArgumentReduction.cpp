// x * 2/pi in integer arithmetic (exact, so every target computes the same bits): the
// significand times a window of the bits of 2/pi, the window chosen so that the bits before it
// only add multiples of 4 and the bits after it change nothing of the 64 bits kept.
#include "realops/ArgumentReduction.h"

#include "numtext/Extended.h"

namespace numora::kernels {
namespace {

constexpr int kWindowLimbs = 9;  // 288 bits of 2/pi, in the table's 32-bit limbs
// The product in 64-bit limbs: 64 + 288 bits, and room above for the quadrant bits of small
// arguments.
constexpr int kProductWords = 6;

constexpr int kHalfPiExponent = 0x3FFF;  // pi/2's biased exponent

using Product = uint64_t[kProductWords];  // little-endian

bool Bit(const Product& p, int position) {
  return ((p[position / 64] >> (position % 64)) & 1) != 0;
}

// The 64 bits of the product from `top` down; below bit 0 they are zeros.
uint64_t Bits64(const Product& p, int top) {
  if (top < 63) return p[0] << (63 - top);
  const int low = top - 63;
  const int index = low / 64, offset = low % 64;
  if (offset == 0) return p[index];
  return (p[index] >> offset) | (p[index + 1] << (64 - offset));
}

// The highest set bit below `limit`, or -1.
int HighestBitBelow(const Product& p, int limit) {
  int index = (limit - 1) / 64;
  uint64_t word = p[index] & (limit % 64 == 0 ? ~0ULL : (1ULL << (limit % 64)) - 1);
  while (word == 0) {
    if (--index < 0) return -1;
    word = p[index];
  }
  return 64 * index + 63 - __builtin_clzll(word);
}

// m times the window (the table's limbs from `first`, most significant first), exactly.
void MultiplyByWindow(uint64_t m, const uint32_t* first, Product& product) {
  // The window's 64-bit limbs, little-endian; the top one holds its last 32 bits.
  constexpr int kWide = (kWindowLimbs + 1) / 2;
  uint64_t window[kWide];
#pragma GCC unroll 8
  for (int k = 0; k < kWide; ++k) {
    const int low = kWindowLimbs - 1 - 2 * k;  // the table runs from the most significant
    const uint64_t high = low >= 1 ? first[low - 1] : 0;
    window[k] = (high << 32) | first[low];
  }
#ifdef __SIZEOF_INT128__
  unsigned __int128 carry = 0;
#pragma GCC unroll 8
  for (int k = 0; k < kWide; ++k) {
    carry += static_cast<unsigned __int128>(m) * window[k];
    product[k] = static_cast<uint64_t>(carry);
    carry >>= 64;
  }
  product[kWide] = static_cast<uint64_t>(carry);
#else
  // 32-bit halves: the 128-bit product of each limb from four partial products. The carry
  // stays below 2^64, as m * w + carry stays below 2^128.
  const uint64_t m_low = m & 0xFFFFFFFFu, m_high = m >> 32;
  uint64_t carry = 0;
  for (int k = 0; k < kWide; ++k) {
    const uint64_t w_low = window[k] & 0xFFFFFFFFu, w_high = window[k] >> 32;
    const uint64_t ll = m_low * w_low, lh = m_low * w_high, hl = m_high * w_low;
    const uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
    const uint64_t low = (ll & 0xFFFFFFFFu) | (middle << 32);
    uint64_t high = m_high * w_high + (lh >> 32) + (hl >> 32) + (middle >> 32);
    const uint64_t sum = low + carry;
    high += sum < low ? 1 : 0;
    product[k] = sum;
    carry = high;
  }
  product[kWide] = carry;
#endif
}

// The two's complement of the product.
void Negate(Product& p) {
  uint64_t borrow = 0;
#pragma GCC unroll 8
  for (uint64_t& word : p) {
    const uint64_t value = word;
    word = 0 - value - borrow;
    borrow = (value != 0 || borrow != 0) ? 1 : 0;
  }
}

}  // namespace

HalfPiFraction HalfPiFractionOf(uint64_t significand, uint16_t sign_and_exponent) {
  const bool negative = (sign_and_exponent & 0x8000) != 0;
  const int exponent = (sign_and_exponent & 0x7FFF) - 16383;  // x = m * 2^(exponent - 63)
  const uint64_t m = significand;

  // Limbs before j0 give m * B_j * 2^(exponent - 63 - 32(j + 1)), a multiple of 4.
  const int j0 = exponent >= 65 ? (exponent - 65) / 32 : 0;
  Product product;
  MultiplyByWindow(m, &kTwoOverPiBits[j0], product);

  // The binary point lies `point` bits from the right of the product.
  const int point = 32 * (j0 + kWindowLimbs) + 63 - exponent;
  int quadrant = (Bit(product, point) ? 1 : 0) + (Bit(product, point + 1) ? 2 : 0);
  // A fraction of one half or more rounds the quotient up: the remainder is then negative,
  // its magnitude the two's complement of the fraction bits.
  const bool rounded_up = Bit(product, point - 1);
  if (rounded_up) {
    quadrant = (quadrant + 1) & 3;
    Negate(product);
  }
  HalfPiFraction fraction{0, 0, 0, rounded_up != negative};
  const int top = HighestBitBelow(product, point);
  if (top >= 0) {
    // fraction * pi/2 = leading * (2^(top - 63 - point) * pi/2).
    fraction.leading = Bits64(product, top);
    fraction.scale = static_cast<uint16_t>(kHalfPiExponent + top - 63 - point);
  }
  fraction.quadrant = static_cast<uint8_t>(negative ? (4 - quadrant) & 3 : quadrant);
  return fraction;
}

}  // namespace numora::kernels
