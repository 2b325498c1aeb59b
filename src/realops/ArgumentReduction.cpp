// x * 2/pi in integer arithmetic (32-bit limbs, so every target computes the same bits):
// the significand times a window of the bits of 2/pi, the window chosen so that the bits
// before it only add multiples of 4 and the bits after it change nothing of the 64 bits kept.
#include "realops/ArgumentReduction.h"

#include "numtext/Extended.h"

namespace numora::kernels {
namespace {

constexpr int kWindowLimbs = 9;  // 288 bits of 2/pi
// Times the 64-bit significand, and a zero limb: for small arguments the quadrant bits lie
// just above the product.
constexpr int kProductLimbs = kWindowLimbs + 3;

// pi/2, the nearest extended value, by its fields.
constexpr int kHalfPiExponent = 0x3FFF;
constexpr uint64_t kHalfPiSignificand = 0xC90FDAA22168C235ULL;

bool Bit(const uint32_t* limbs, int position) {
  return ((limbs[position / 32] >> (position % 32)) & 1u) != 0;
}

// The 64 bits of `limbs` (little-endian) from `top` down; below bit 0 they are zeros.
uint64_t Bits64(const uint32_t* limbs, int top) {
  const int low = top - 63;
  if (low < 0) {
    uint64_t value = 0;
    for (int position = top; position >= 0; --position) value = (value << 1) | Bit(limbs, position);
    return value << -low;
  }
  const int index = low / 32, offset = low % 32;
  const uint64_t pair = (static_cast<uint64_t>(limbs[index + 1]) << 32) | limbs[index];
  if (offset == 0) return pair;
  return (pair >> offset) | (static_cast<uint64_t>(limbs[index + 2]) << (64 - offset));
}

// The highest set bit below `limit`, or -1.
int HighestBitBelow(const uint32_t* limbs, int limit) {
  int index = (limit - 1) / 32;
  uint32_t word = limbs[index] & (limit % 32 == 0 ? 0xFFFFFFFFu : (1u << (limit % 32)) - 1u);
  while (word == 0) {
    if (--index < 0) return -1;
    word = limbs[index];
  }
  return 32 * index + 31 - __builtin_clz(word);
}

// m times the window, exactly: 64-bit limbs where the compiler has a 128-bit product, else
// 32-bit ones; the same bits either way.
void MultiplyByWindow(uint64_t m, const uint32_t (&window)[kWindowLimbs],
                      uint32_t (&product)[kProductLimbs]) {
#ifdef __SIZEOF_INT128__
  constexpr int kWide = (kWindowLimbs + 1) / 2;
  uint64_t wide_window[kWide];
  for (int k = 0; k < kWide; ++k) {
    const uint64_t high = 2 * k + 1 < kWindowLimbs ? window[2 * k + 1] : 0;
    wide_window[k] = (high << 32) | window[2 * k];
  }
  uint64_t wide_product[kProductLimbs / 2] = {};
  unsigned __int128 carry = 0;
  for (int k = 0; k < kWide; ++k) {
    carry += static_cast<unsigned __int128>(m) * wide_window[k];
    wide_product[k] = static_cast<uint64_t>(carry);
    carry >>= 64;
  }
  wide_product[kWide] = static_cast<uint64_t>(carry);
  for (int k = 0; k < kProductLimbs / 2; ++k) {
    product[2 * k] = static_cast<uint32_t>(wide_product[k]);
    product[2 * k + 1] = static_cast<uint32_t>(wide_product[k] >> 32);
  }
#else
  for (uint32_t& limb : product) limb = 0;
  const uint32_t m_parts[2] = {static_cast<uint32_t>(m), static_cast<uint32_t>(m >> 32)};
  for (int a = 0; a < 2; ++a) {
    uint64_t carry = 0;
    for (int t = 0; t < kWindowLimbs; ++t) {
      const uint64_t sum = static_cast<uint64_t>(m_parts[a]) * window[t] + product[a + t] + carry;
      product[a + t] = static_cast<uint32_t>(sum);
      carry = sum >> 32;
    }
    for (int k = a + kWindowLimbs; carry != 0 && k < kProductLimbs; ++k) {
      const uint64_t sum = static_cast<uint64_t>(product[k]) + carry;
      product[k] = static_cast<uint32_t>(sum);
      carry = sum >> 32;
    }
  }
#endif
}

// The two's complement of the product.
void Negate(uint32_t (&product)[kProductLimbs]) {
  uint64_t borrow = 0;
  for (uint32_t& limb : product) {
    const uint64_t difference = 0 - static_cast<uint64_t>(limb) - borrow;
    limb = static_cast<uint32_t>(difference);
    borrow = (difference >> 32) != 0 ? 1 : 0;
  }
}

}  // namespace

ReducedAngle ReduceByHalfPi(long double x) {
  const ExtendedBits bits = BitsOfExtended(x);
  const bool negative = (bits.sign_and_exponent & 0x8000) != 0;
  const int exponent = (bits.sign_and_exponent & 0x7FFF) - 16383;  // x = m * 2^(exponent - 63)
  const uint64_t m = bits.significand;

  // Limbs before j0 give m * B_j * 2^(exponent - 63 - 32(j + 1)), a multiple of 4.
  const int j0 = exponent >= 65 ? (exponent - 65) / 32 : 0;
  uint32_t window[kWindowLimbs];  // little-endian
  for (int t = 0; t < kWindowLimbs; ++t) window[t] = kTwoOverPiBits[j0 + kWindowLimbs - 1 - t];

  uint32_t product[kProductLimbs];
  MultiplyByWindow(m, window, product);

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
  const int top = HighestBitBelow(product, point);
  long double remainder = 0.0L;
  if (top >= 0) {
    // fraction * pi/2 = leading * (2^(top - 63 - point) * pi/2): the power of two goes into
    // pi/2's exponent, so one multiply does what a scaling and a multiply did, with the same
    // one rounding.
    const long double leading = static_cast<long double>(Bits64(product, top));
    remainder =
        leading * ExtendedFromBits(static_cast<uint16_t>(kHalfPiExponent + top - 63 - point),
                                   kHalfPiSignificand);
  }
  if (rounded_up) remainder = -remainder;
  if (negative) {
    remainder = -remainder;
    quadrant = (4 - quadrant) & 3;
  }
  return {quadrant, remainder};
}

}  // namespace numora::kernels
