#include "realops/AccurateFunctions.h"

#include <cstring>

#include "realops/ArgumentReduction.h"
#include "realops/MultiprecisionConstants.h"

namespace numora::accurate {
namespace {

constexpr int kGuardLimbs = 2;

BigFloat One(Precision& p) { return FromInteger(1, p); }

BigFloat Constant(const ConstantBits& c, Precision& p) {
  return FromBits(c.limbs, kConstantLimbs, c.exponent, p);
}

// Whether a series term no longer reaches the sum's last guard bit.
bool Negligible(const BigFloat& term, const BigFloat& sum, const Precision& q) {
  return term.zero || term.exponent < sum.exponent - 32LL * q.limbs - 2;
}

// e^r - 1 for |r| < 1: r / 2^12 into the series, then (1 + u)^2 - 1 = u (2 + u) twelve times,
// which keeps u's digits however small it is.
BigFloat ExpM1Small(const BigFloat& r, Precision& q) {
  if (r.zero) return r;
  constexpr int kHalvings = 12;
  const BigFloat s = Scaled(r, -kHalvings);
  BigFloat term = s, sum = s;
  for (uint32_t i = 2;; ++i) {
    term = DivSmall(Mul(term, s, q), i, q);
    if (Negligible(term, sum, q)) break;
    sum = Add(sum, term, q);
  }
  for (int h = 0; h < kHalvings; ++h) sum = Add(Scaled(sum, 1), Mul(sum, sum, q), q);
  return sum;
}

// e^x as (1 + u) 2^k, x = k ln 2 + r, |r| <= ln 2 / 2.
BigFloat ExpIn(const BigFloat& x, Precision& q) {
  if (x.zero) return One(q);
  const BigFloat ln2 = Constant(kLn2, q);
  const int64_t k = NearestInteger(Div(x, ln2, q));
  const BigFloat whole = MulSmall(ln2, static_cast<uint32_t>(k < 0 ? -k : k), q);
  const BigFloat r = Sub(x, k < 0 ? Negated(whole) : whole, q);
  return Scaled(Add(One(q), ExpM1Small(r, q), q), k);
}

// ln(1 + t) for -1/4 <= t <= 1/2: 2 atanh(u), u = t / (2 + t), |u| <= 1/5.
BigFloat Log1pSeries(const BigFloat& t, Precision& q) {
  if (t.zero) return t;
  const BigFloat u = Div(t, Add(FromInteger(2, q), t, q), q);
  const BigFloat u2 = Mul(u, u, q);
  BigFloat power = u, sum = u;
  for (uint32_t k = 3;; k += 2) {
    power = Mul(power, u2, q);
    const BigFloat term = DivSmall(power, k, q);
    if (Negligible(term, sum, q)) break;
    sum = Add(sum, term, q);
  }
  return Scaled(sum, 1);
}

// ln x = e ln 2 + ln(1 + t), x = (1 + t) 2^e with 3/4 <= 1 + t < 3/2: near 1, e = 0 and t is
// x - 1 exactly.
BigFloat LogIn(const BigFloat& x, Precision& q) {
  int64_t e = BinaryExponent(x);
  BigFloat m = Scaled(x, -e);
  if (CompareMagnitude(m, Scaled(FromInteger(3, q), -1)) > 0) {
    m = Scaled(m, -1);
    ++e;
  }
  const BigFloat series = Log1pSeries(Sub(m, One(q), q), q);
  if (e == 0) return series;
  const BigFloat ln2 = Constant(kLn2, q);
  const BigFloat whole = MulSmall(ln2, static_cast<uint32_t>(e < 0 ? -e : e), q);
  return Add(e < 0 ? Negated(whole) : whole, series, q);
}

BigFloat Log1pIn(const BigFloat& t, Precision& q) {
  const bool near_zero =
      t.zero || BinaryExponent(t) < -2 ||
      (!t.negative && CompareMagnitude(t, Scaled(One(q), -1)) <= 0);  // -1/4 < t <= 1/2
  if (near_zero) return Log1pSeries(t, q);
  return LogIn(Add(One(q), t, q), q);
}

// atan x: 1/x beyond 1, two halvings (atan a = 2 atan(a / (1 + sqrt(1 + a^2)))) down to
// |a| <= tan(pi/16), then the series.
BigFloat AtanIn(const BigFloat& x, Precision& q) {
  if (x.zero) return x;
  BigFloat a = Magnitude(x);
  const bool inverted = CompareMagnitude(a, One(q)) > 0;
  if (inverted) a = Div(One(q), a, q);
  for (int h = 0; h < 2; ++h) {
    a = Div(a, Add(One(q), Sqrt(Add(One(q), Mul(a, a, q), q), q), q), q);
  }
  const BigFloat a2 = Mul(a, a, q);
  BigFloat power = a, sum = a;
  for (uint32_t k = 3;; k += 2) {
    power = Mul(power, a2, q);
    const BigFloat term = DivSmall(power, k, q);
    if (Negligible(term, sum, q)) break;
    sum = (k % 4 == 3) ? Sub(sum, term, q) : Add(sum, term, q);
  }
  BigFloat result = Scaled(sum, 2);
  if (inverted) result = Sub(Scaled(Constant(kPi, q), -1), result, q);
  return x.negative ? Negated(result) : result;
}

void SinCosIn(const BigFloat& r, Precision& q, BigFloat& sine, BigFloat& cosine) {
  const BigFloat r2 = Mul(r, r, q);
  BigFloat term = r;
  sine = r;
  for (uint32_t k = 1; !r.zero; ++k) {
    term = Negated(DivSmall(Mul(term, r2, q), (2 * k) * (2 * k + 1), q));
    if (Negligible(term, sine, q)) break;
    sine = Add(sine, term, q);
  }
  term = One(q);
  cosine = term;
  for (uint32_t k = 1; !r.zero; ++k) {
    term = Negated(DivSmall(Mul(term, r2, q), (2 * k - 1) * (2 * k), q));
    if (Negligible(term, cosine, q)) break;
    cosine = Add(cosine, term, q);
  }
}

// A function of precision p computed at p plus the guard limbs.
template <class F>
BigFloat Guarded(const BigFloat& x, Precision& p, F f) {
  Precision q{p.limbs + kGuardLimbs};
  const BigFloat result = f(Widened(x, p.limbs, q.limbs), q);
  p.inexact = p.inexact || q.inexact;
  return Narrowed(result, q.limbs, p);
}

}  // namespace

BigFloat Widened(const BigFloat& a, int from_limbs, int to_limbs) {
  BigFloat out = a;
  if (a.zero || to_limbs == from_limbs) return out;
  const int shift = to_limbs - from_limbs;
  std::memset(out.limb, 0, sizeof(uint32_t) * static_cast<std::size_t>(shift));
  std::memcpy(out.limb + shift, a.limb, sizeof(uint32_t) * static_cast<std::size_t>(from_limbs));
  out.limbs = to_limbs;
  return out;
}

BigFloat Narrowed(const BigFloat& a, int from_limbs, Precision& p) {
  BigFloat out = a;
  if (a.zero || from_limbs == p.limbs) return out;
  const int shift = from_limbs - p.limbs;
  for (int i = 0; i < shift; ++i) {
    if (a.limb[i] != 0) p.inexact = true;
  }
  std::memcpy(out.limb, a.limb + shift, sizeof(uint32_t) * static_cast<std::size_t>(p.limbs));
  out.limbs = p.limbs;
  return out;
}

BigFloat Pi(Precision& p) { return Constant(kPi, p); }
BigFloat Ln2(Precision& p) { return Constant(kLn2, p); }
BigFloat Ln10(Precision& p) { return Constant(kLn10, p); }

BigFloat Exp(const BigFloat& x, Precision& p) { return Guarded(x, p, ExpIn); }

BigFloat ExpM1(const BigFloat& x, Precision& p) {
  return Guarded(x, p, [](const BigFloat& y, Precision& q) {
    if (y.zero || BinaryExponent(y) < -1) return ExpM1Small(y, q);  // |y| < 1/2
    return Sub(ExpIn(y, q), One(q), q);
  });
}

BigFloat Log(const BigFloat& x, Precision& p) { return Guarded(x, p, LogIn); }
BigFloat Log1p(const BigFloat& x, Precision& p) { return Guarded(x, p, Log1pIn); }
BigFloat Atan(const BigFloat& x, Precision& p) { return Guarded(x, p, AtanIn); }

void SinCos(const BigFloat& r, Precision& p, BigFloat& sine, BigFloat& cosine) {
  Precision q{p.limbs + kGuardLimbs};
  BigFloat s, c;
  SinCosIn(Widened(r, p.limbs, q.limbs), q, s, c);
  p.inexact = true;
  sine = Narrowed(s, q.limbs, p);
  cosine = Narrowed(c, q.limbs, p);
}

BigFloat ReduceByHalfPi(long double x, Precision& p, int& quadrant) {
  quadrant = 0;
  const ExtendedBits bits = BitsOfExtended(x);
  const int field = bits.sign_and_exponent & 0x7FFF;
  const bool negative = (bits.sign_and_exponent & 0x8000) != 0;
  // |x| <= pi/4 is its own remainder, as the processor's kernels take it.
  if (field < 0x3FFE || (field == 0x3FFE && bits.significand <= 0xC90FDAA22168C234ULL)) {
    return FromExtended(x, p);
  }
  Precision q{p.limbs + kGuardLimbs};
  // x = M 2^E; the limbs of 2/pi before j0 only add multiples of 4 to x 2/pi, those after the
  // window less than 2^-(fraction bits + 32).
  const int64_t e = field - 16446;
  const int j0 = e >= 34 ? static_cast<int>((e - 2) / 32) : 0;
  const int fraction_bits = 32 * q.limbs + 192;  // room for the cancellation near k pi/2
  int w = (fraction_bits + 161 + static_cast<int>(e - 32LL * j0)) / 32 + 1;
  if (j0 + w > kernels::kTwoOverPiLimbs) w = kernels::kTwoOverPiLimbs - j0;
  // The product of the 64-bit significand and the window, exactly.
  uint32_t product[kernels::kTwoOverPiLimbs + 2] = {};
  const uint64_t m_low = bits.significand & 0xFFFFFFFFu, m_high = bits.significand >> 32;
  for (int i = 0; i < w; ++i) {
    const uint64_t limb =
        kernels::kTwoOverPiBits[j0 + w - 1 - i];              // product[0] is the least significant
    const uint64_t low = m_low * limb, high = m_high * limb;  // M limb = high 2^32 + low
    uint64_t acc = static_cast<uint64_t>(product[i]) + (low & 0xFFFFFFFFu);
    product[i] = static_cast<uint32_t>(acc);
    acc = (acc >> 32) + product[i + 1] + (low >> 32) + (high & 0xFFFFFFFFu);
    product[i + 1] = static_cast<uint32_t>(acc);
    acc = (acc >> 32) + product[i + 2] + (high >> 32);
    product[i + 2] = static_cast<uint32_t>(acc);
    for (int k = i + 3; (acc >> 32) != 0 && k < w + 2; ++k) {
      acc = (acc >> 32) + product[k];
      product[k] = static_cast<uint32_t>(acc);
    }
  }
  // x 2/pi = product 2^(e - 32 (j0 + w)): the low `shift` bits are the fraction.
  const int shift = static_cast<int>(32LL * (j0 + w) - e);
  const int total = 32 * (w + 2);
  auto bit = [&](int position) {
    return position < total ? (product[position / 32] >> (position % 32)) & 1u : 0u;
  };
  quadrant = static_cast<int>(bit(shift) | (bit(shift + 1) << 1));
  const bool past_half = bit(shift - 1) != 0;
  // The fraction alone; past a half, 1 minus it (the remainder then negative).
  for (int position = shift; position < total; ++position) {
    product[position / 32] &= ~(1u << (position % 32));
  }
  if (past_half) {
    quadrant = (quadrant + 1) & 3;
    uint64_t borrow = 0;
    for (int i = 0; i < w + 2; ++i) {
      const uint64_t d = 0ULL - product[i] - borrow;
      product[i] = static_cast<uint32_t>(d);
      borrow = (d >> 32) != 0 ? 1 : 0;
    }
    for (int position = shift; position < total; ++position) {
      product[position / 32] &= ~(1u << (position % 32));
    }
  }
  // The fraction from its first nonzero limb, most significant first.
  uint32_t reversed[kernels::kTwoOverPiLimbs + 2];
  for (int i = 0; i < w + 2; ++i) reversed[i] = product[w + 1 - i];
  int first = 0;
  while (first < w + 2 && reversed[first] == 0) ++first;
  if (first == w + 2) return BigFloat{};
  const BigFloat fraction =
      FromBits(reversed + first, w + 2 - first, total - shift - 32 * first, q);
  BigFloat r = Mul(fraction, Scaled(Constant(kPi, q), -1), q);
  if (past_half) r = Negated(r);
  if (negative) {
    r = Negated(r);
    quadrant = (4 - quadrant) & 3;
  }
  p.inexact = true;
  return Narrowed(r, q.limbs, p);
}

}  // namespace numora::accurate
