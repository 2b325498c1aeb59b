#include "realops/BigFloat.h"

#include <cstring>

namespace numora::accurate {
namespace {

constexpr uint64_t kLimbBase = 1ULL << 32;

int LeadingZeros32(uint32_t x) { return x == 0 ? 32 : __builtin_clz(x); }

// Leading zero bits of the n-limb integer x (32 n for zero).
int LeadingZeros(const uint32_t* x, int n) {
  for (int i = n - 1; i >= 0; --i) {
    if (x[i] != 0) return 32 * (n - 1 - i) + LeadingZeros32(x[i]);
  }
  return 32 * n;
}

bool AnyNonzero(const uint32_t* x, int n) {
  for (int i = 0; i < n; ++i) {
    if (x[i] != 0) return true;
  }
  return false;
}

// x <<= bits, in place, for 0 <= bits < 32 n.
void ShiftLeft(uint32_t* x, int n, int bits) {
  const int limbs = bits / 32, offset = bits % 32;
  for (int i = n - 1; i >= 0; --i) {
    const int from = i - limbs;
    uint32_t value = 0;
    if (from >= 0) {
      value = x[from] << offset;
      if (offset != 0 && from >= 1) value |= x[from - 1] >> (32 - offset);
    }
    x[i] = value;
  }
}

// x >>= bits, in place; whether a nonzero bit dropped.
bool ShiftRight(uint32_t* x, int n, int64_t bits) {
  if (bits <= 0) return false;
  if (bits >= 32LL * n) {
    const bool dropped = AnyNonzero(x, n);
    std::memset(x, 0, sizeof(uint32_t) * static_cast<std::size_t>(n));
    return dropped;
  }
  const int limbs = static_cast<int>(bits / 32), offset = static_cast<int>(bits % 32);
  bool dropped = AnyNonzero(x, limbs) || (offset != 0 && (x[limbs] << (32 - offset)) != 0);
  for (int i = 0; i < n; ++i) {
    const int from = i + limbs;
    uint32_t value = 0;
    if (from < n) {
      value = x[from] >> offset;
      if (offset != 0 && from + 1 < n) value |= x[from + 1] << (32 - offset);
    }
    x[i] = value;
  }
  return dropped;
}

// A result from a wide integer: its top `p.limbs` limbs, normalised, with value
// wide * 2^(scale) where wide has `n` limbs.
BigFloat FromWide(uint32_t* wide, int n, int64_t scale, bool negative, Precision& p) {
  BigFloat r;
  const int zeros = LeadingZeros(wide, n);
  if (zeros == 32 * n) return r;
  ShiftLeft(wide, n, zeros);
  const int drop = n - p.limbs;
  if (drop > 0) {
    if (AnyNonzero(wide, drop)) p.inexact = true;
    std::memcpy(r.limb, wide + drop, sizeof(uint32_t) * static_cast<std::size_t>(p.limbs));
  } else {
    std::memset(r.limb, 0, sizeof(uint32_t) * static_cast<std::size_t>(-drop));
    std::memcpy(r.limb - drop, wide, sizeof(uint32_t) * static_cast<std::size_t>(n));
  }
  r.zero = false;
  r.limbs = p.limbs;
  r.negative = negative;
  r.exponent = scale + 32LL * n - zeros;
  return r;
}

BigFloat FromMagnitude(uint64_t magnitude, int64_t scale, bool negative, Precision& p) {
  uint32_t wide[2] = {static_cast<uint32_t>(magnitude), static_cast<uint32_t>(magnitude >> 32)};
  return FromWide(wide, 2, scale, negative, p);
}

}  // namespace

BigFloat FromExtended(long double x, Precision& p) {
  const ExtendedBits bits = BitsOfExtended(x);
  const int field = bits.sign_and_exponent & 0x7FFF;
  const int64_t scale = field == 0 ? -16445 : field - 16446;
  return FromMagnitude(bits.significand, scale, (bits.sign_and_exponent & 0x8000) != 0, p);
}

BigFloat FromInteger(int64_t value, Precision& p) {
  const uint64_t magnitude =
      value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  return FromMagnitude(magnitude, 0, value < 0, p);
}

BigFloat FromBits(const uint32_t* bits, int count, int64_t exponent, Precision& p) {
  uint32_t wide[kMaxLimbs + 1];
  const int take = count < p.limbs + 1 ? count : p.limbs + 1;
  for (int j = 0; j < take; ++j) wide[take - 1 - j] = bits[j];
  if (AnyNonzero(bits + take, count - take)) p.inexact = true;
  return FromWide(wide, take, exponent - 32LL * take, false, p);
}

BigFloat Negated(BigFloat a) {
  if (!a.zero) a.negative = !a.negative;
  return a;
}

BigFloat Magnitude(BigFloat a) {
  a.negative = false;
  return a;
}

BigFloat Scaled(BigFloat a, int64_t k) {
  if (!a.zero) a.exponent += k;
  return a;
}

int CompareMagnitude(const BigFloat& a, const BigFloat& b) {
  if (a.zero || b.zero) return a.zero == b.zero ? 0 : (a.zero ? -1 : 1);
  if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
  // From the top limbs down; the shorter one reads as zeros below its last.
  const int n = a.limbs > b.limbs ? a.limbs : b.limbs;
  for (int k = 1; k <= n; ++k) {
    const uint32_t x = k <= a.limbs ? a.limb[a.limbs - k] : 0u;
    const uint32_t y = k <= b.limbs ? b.limb[b.limbs - k] : 0u;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

BigFloat Add(const BigFloat& a, const BigFloat& b, Precision& p) {
  if (b.zero) return a;
  if (a.zero) return b;
  const bool a_larger = CompareMagnitude(a, b) >= 0;
  const BigFloat& x = a_larger ? a : b;
  const BigFloat& y = a_larger ? b : a;
  const int n = p.limbs;
  const int w = n + 2;  // two guard limbs below
  uint32_t big[kMaxLimbs + 3];
  uint32_t small[kMaxLimbs + 3];
  big[0] = big[1] = small[0] = small[1] = 0;
  std::memcpy(big + 2, x.limb, sizeof(uint32_t) * static_cast<std::size_t>(n));
  std::memcpy(small + 2, y.limb, sizeof(uint32_t) * static_cast<std::size_t>(n));
  if (ShiftRight(small, w, x.exponent - y.exponent)) p.inexact = true;
  uint32_t sum[kMaxLimbs + 3];
  if (x.negative == y.negative) {
    uint64_t carry = 0;
    for (int i = 0; i < w; ++i) {
      carry += static_cast<uint64_t>(big[i]) + small[i];
      sum[i] = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    sum[w] = static_cast<uint32_t>(carry);
    return FromWide(sum, w + 1, x.exponent - 32LL * (n + 2), x.negative, p);
  }
  int64_t borrow = 0;
  for (int i = 0; i < w; ++i) {
    const int64_t d = static_cast<int64_t>(big[i]) - small[i] - borrow;
    sum[i] = static_cast<uint32_t>(d);
    borrow = d < 0 ? 1 : 0;
  }
  return FromWide(sum, w, x.exponent - 32LL * (n + 2), x.negative, p);
}

BigFloat Sub(const BigFloat& a, const BigFloat& b, Precision& p) { return Add(a, Negated(b), p); }

BigFloat Mul(const BigFloat& a, const BigFloat& b, Precision& p) {
  if (a.zero || b.zero) return BigFloat{};
  const int n = p.limbs;
  uint32_t product[2 * kMaxLimbs];
  std::memset(product, 0, sizeof(uint32_t) * static_cast<std::size_t>(2 * n));
  for (int i = 0; i < n; ++i) {
    uint64_t carry = 0;
    const uint64_t ai = a.limb[i];
    if (ai == 0) continue;
    for (int j = 0; j < n; ++j) {
      carry += ai * b.limb[j] + product[i + j];
      product[i + j] = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    product[i + n] = static_cast<uint32_t>(carry);
  }
  return FromWide(product, 2 * n, a.exponent + b.exponent - 64LL * n, a.negative != b.negative, p);
}

BigFloat MulSmall(const BigFloat& a, uint32_t k, Precision& p) {
  if (a.zero || k == 0) return BigFloat{};
  const int n = p.limbs;
  uint32_t product[kMaxLimbs + 1];
  uint64_t carry = 0;
  for (int i = 0; i < n; ++i) {
    carry += static_cast<uint64_t>(a.limb[i]) * k;
    product[i] = static_cast<uint32_t>(carry);
    carry >>= 32;
  }
  product[n] = static_cast<uint32_t>(carry);
  return FromWide(product, n + 1, a.exponent - 32LL * n, a.negative, p);
}

BigFloat DivSmall(const BigFloat& a, uint32_t k, Precision& p) {
  if (a.zero) return BigFloat{};
  const int n = p.limbs;
  // (m * 2^32) / k, one limb of quotient below m's.
  uint32_t quotient[kMaxLimbs + 1];
  uint64_t remainder = 0;
  for (int i = n - 1; i >= -1; --i) {
    const uint64_t current = (remainder << 32) | (i >= 0 ? a.limb[i] : 0u);
    quotient[i + 1] = static_cast<uint32_t>(current / k);
    remainder = current % k;
  }
  if (remainder != 0) p.inexact = true;
  return FromWide(quotient, n + 1, a.exponent - 32LL * n - 32, a.negative, p);
}

BigFloat Div(const BigFloat& a, const BigFloat& b, Precision& p) {
  if (a.zero) return BigFloat{};
  const int n = p.limbs;
  // Knuth's long division of u = m_a * 2^(32 n) (2n limbs) by v = m_b (n limbs, its top bit
  // set): n + 1 limbs of quotient.
  uint32_t u[2 * kMaxLimbs + 1];
  std::memset(u, 0, sizeof(uint32_t) * static_cast<std::size_t>(n));
  std::memcpy(u + n, a.limb, sizeof(uint32_t) * static_cast<std::size_t>(n));
  u[2 * n] = 0;
  const uint32_t* v = b.limb;
  uint32_t q[kMaxLimbs + 1];
  const int m = 2 * n;
  for (int j = m - n; j >= 0; --j) {
    const uint64_t top = (static_cast<uint64_t>(u[j + n]) << 32) | u[j + n - 1];
    uint64_t qhat = top / v[n - 1];
    uint64_t rhat = top % v[n - 1];
    while (qhat >= kLimbBase || qhat * v[n - 2] > ((rhat << 32) | u[j + n - 2])) {
      --qhat;
      rhat += v[n - 1];
      if (rhat >= kLimbBase) break;
    }
    int64_t borrow = 0;
    uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
      carry += qhat * v[i];
      const int64_t t =
          static_cast<int64_t>(u[i + j]) - static_cast<int64_t>(carry & 0xFFFFFFFFu) - borrow;
      u[i + j] = static_cast<uint32_t>(t);
      carry >>= 32;
      borrow = t < 0 ? 1 : 0;
    }
    const int64_t t = static_cast<int64_t>(u[j + n]) - static_cast<int64_t>(carry) - borrow;
    u[j + n] = static_cast<uint32_t>(t);
    if (t < 0) {  // qhat was one too large: add v back
      --qhat;
      uint64_t add = 0;
      for (int i = 0; i < n; ++i) {
        add += static_cast<uint64_t>(u[i + j]) + v[i];
        u[i + j] = static_cast<uint32_t>(add);
        add >>= 32;
      }
      u[j + n] += static_cast<uint32_t>(add);
    }
    q[j] = static_cast<uint32_t>(qhat);
  }
  if (AnyNonzero(u, n)) p.inexact = true;
  return FromWide(q, n + 1, a.exponent - b.exponent - 32LL * n, a.negative != b.negative, p);
}

BigFloat Sqrt(const BigFloat& a, Precision& p) {
  if (a.zero) return BigFloat{};
  const int n = p.limbs;
  // A first root from the leading 64 bits: sqrt(t * 2^(e - 64)) with e - 64 made even.
  uint64_t t = (static_cast<uint64_t>(a.limb[n - 1]) << 32) | a.limb[n - 2];
  int64_t e = a.exponent - 64;
  if (e % 2 != 0) {
    t >>= 1;
    ++e;
  }
  uint64_t root = 1ULL << 31;
  for (int i = 0; i < 40; ++i) root = (root + t / root) / 2;  // integer Newton from above
  while (root * root > t) --root;
  Precision estimate{n};
  BigFloat y = Scaled(FromMagnitude(root, 0, false, estimate), e / 2);
  // Each Newton step (y + a/y) / 2 doubles the correct bits, from about 31.
  int bits = 30;
  Precision step{n};
  while (bits < 32 * n + 32) {
    y = Scaled(Add(y, Div(a, y, step), step), -1);
    bits *= 2;
  }
  y = Scaled(Add(y, Div(a, y, step), step), -1);
  p.inexact = true;  // an exact root is told by its square, where it matters
  return y;
}

int64_t NearestInteger(const BigFloat& a) {
  if (a.zero || a.exponent <= -1) return 0;
  const int top = a.limbs - 1;
  const uint64_t t = (static_cast<uint64_t>(a.limb[top]) << 32) | a.limb[top - 1];
  uint64_t whole = a.exponent == 0 ? 0 : t >> (64 - a.exponent);
  const bool half = ((t >> (63 - a.exponent)) & 1) != 0;
  if (half) ++whole;
  const int64_t value = static_cast<int64_t>(whole);
  return a.negative ? -value : value;
}

Extended NearestExtended(const BigFloat& a) {
  Extended out;
  out.bits = {static_cast<uint16_t>(a.negative ? 0x8000 : 0), 0};
  if (a.zero) return out;
  const int n = a.limbs;
  const int64_t e2 = a.exponent - 1;
  // Bits kept: 64 for a normal value, fewer on the subnormal grid (2^-16445 its last bit).
  int64_t kept = 64;
  if (e2 < -16382) kept = a.exponent + 16445;
  if (e2 >= 16384) {
    out.infinite = true;
    return out;
  }
  uint32_t wide[kMaxLimbs];
  std::memcpy(wide, a.limb, sizeof(uint32_t) * static_cast<std::size_t>(n));
  // The kept bits at the bottom of `wide`, the first dropped one and the rest apart.
  const int64_t drop = 32LL * n - kept;
  bool sticky = false, round = false;
  if (drop > 0) {
    sticky = ShiftRight(wide, n, drop - 1);
    round = (wide[0] & 1) != 0;
    ShiftRight(wide, n, 1);
  }
  uint64_t significand = kept <= 0 ? 0 : (static_cast<uint64_t>(wide[1]) << 32) | wide[0];
  if (round && (sticky || (significand & 1) != 0)) ++significand;
  int field;
  if (kept == 64) {
    field = static_cast<int>(e2 + 16383);
    if (significand == 0) {  // carried out of 64 bits
      significand = 1ULL << 63;
      if (++field >= 0x7FFF) {
        out.infinite = true;
        return out;
      }
    }
  } else {
    // A subnormal that rounded up to 2^63 units is the smallest normal.
    field = (significand >> 63) != 0 ? 1 : 0;
  }
  out.bits = {static_cast<uint16_t>((a.negative ? 0x8000 : 0) | field), significand};
  return out;
}

bool RoundsUniquely(const BigFloat& a, int slack, Precision& p, Extended& out) {
  if (!p.inexact || a.zero) {
    out = NearestExtended(a);
    return true;
  }
  Precision local{p.limbs};
  BigFloat error;
  error.zero = false;
  error.limbs = p.limbs;
  std::memset(error.limb, 0, sizeof(uint32_t) * static_cast<std::size_t>(p.limbs));
  error.limb[p.limbs - 1] = 0x80000000u;
  error.exponent = a.exponent - 32LL * p.limbs + slack + 1;
  const Extended low = NearestExtended(Sub(a, error, local));
  const Extended high = NearestExtended(Add(a, error, local));
  if (!(low == high)) return false;
  out = low;
  return true;
}

}  // namespace numora::accurate
