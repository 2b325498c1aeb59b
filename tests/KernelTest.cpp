// Kernel special cases that the printed tables cannot show: exact values and bounds.
#include <gtest/gtest.h>

#include <cmath>

#include "numtext/RealText.h"
#include "realops/CircularKernels.h"
#include "realops/Kernels.h"
#include "x87/X87.h"

namespace numora::kernels {
namespace {

long double Parse(const char* text) {
  long double v;
  EXPECT_TRUE(ParseReal(text, '.', v));
  return v;
}

TEST(Kernels, ZeroTestBoundIsInclusive) {
  EXPECT_TRUE(IsZero(Parse("1e-16")));
  EXPECT_TRUE(IsZero(-Parse("1e-16")));
  EXPECT_FALSE(IsZero(Parse("2e-16")));
  EXPECT_TRUE(IsZero(0.5L, 0.5L));
  EXPECT_TRUE(SameValue(1.0L + Parse("1e-16"), 1.0L));
  EXPECT_FALSE(SameValue(1.0L + Parse("3e-16"), 1.0L));
  EXPECT_TRUE(SameValue(1000.0L, 1000.0L + Parse("1e-14")));  // relative to the smaller
}

TEST(Kernels, TinyOperandsKeepTheirDigits) {
  const long double tiny = Parse("1e-17");
  EXPECT_NEAR(static_cast<double>(SinH(tiny) / tiny), 1.0, 1e-18);
  EXPECT_NEAR(static_cast<double>(TanH(tiny) / tiny), 1.0, 1e-18);
  EXPECT_EQ(SinH(0.0L), 0.0L);
  EXPECT_EQ(TanH(0.0L), 0.0L);
  EXPECT_EQ(CosH(tiny), 1.0L);
  EXPECT_EQ(ArcSecH(1.0L), 0.0L);
  EXPECT_EQ(ArcCotangent(0.0L), HalfPi());
  EXPECT_EQ(ArcCotangent(-1.0L), -Pi() / 4.0L);
}

TEST(Kernels, EveryArgumentIsReduced) {
  // Up to the largest extended value: odd and even as they should be, on the unit circle.
  for (const char* text :
       {"1", "3.14159265358979", "1e15", "9223372036854775808", "1e300", "1e4000", "1.18e4932"}) {
    const long double x = Parse(text);
    const ReducedAngle a = ReduceRadians(x);
    const long double s = SineOf(a), c = CosineOf(a);
    EXPECT_EQ(SineOf(ReduceRadians(-x)), -s) << text;
    EXPECT_EQ(CosineOf(ReduceRadians(-x)), c) << text;
    EXPECT_NEAR(static_cast<double>(s * s + c * c), 1.0, 1e-18) << text;
    EXPECT_NEAR(static_cast<double>(TangentOf(a) * CotangentOf(a)), 1.0, 1e-18) << text;
  }
}

TEST(Kernels, TruncationSwitchesTheControlWordOnlyForItsStep) {
  x87::SetControlWord(0x027F);
  EXPECT_EQ(Truncate(-2.7L), -2);
  EXPECT_EQ(Fraction(-2.75L), -0.75L);
  EXPECT_FALSE(std::signbit(Fraction(2.0L)));
  EXPECT_FALSE(Fraction(-2.0L) < 0.0L);
  EXPECT_EQ(x87::ControlWord(), 0x027F);
  x87::SetControlWord(0x037F);
  EXPECT_EQ(RoundToNearest(2.5L), 2);
  EXPECT_EQ(RoundToNearest(3.5L), 4);
  EXPECT_EQ(RoundToNearest(-2.5L), -2);
}

TEST(Kernels, PowersAndScaling) {
  EXPECT_EQ(IntPower(2.0L, 10), 1024.0L);
  EXPECT_EQ(IntPower(2.0L, -2), 0.25L);
  EXPECT_EQ(IntPower(0.0L, 0), 1.0L);
  EXPECT_EQ(IntPower(-3.0L, 3), -27.0L);
  EXPECT_EQ(IntPower(2.0L, INT32_MIN), 0.0L);
  EXPECT_EQ(Power(0.0L, 0.0L), 1.0L);
  EXPECT_EQ(Power(0.0L, 5.0L), 0.0L);
  EXPECT_EQ(Power(-2.0L, 3.0L), -8.0L);
  EXPECT_NEAR(static_cast<double>(Power(4.0L, 0.5L)), 2.0, 1e-18);
  EXPECT_EQ(Hypot(3.0L, 4.0L), 5.0L);
  EXPECT_EQ(Hypot(-5.0L, 0.0L), 5.0L);
  EXPECT_EQ(Ldexp(1.5L, 3), 12.0L);
  EXPECT_EQ(Floor(-0.5L), -1);
  EXPECT_EQ(Floor(-2.0L), -2);
  EXPECT_EQ(Floor(2.7L), 2);
  EXPECT_EQ(Floor(5e9L), 5000000000LL);  // the true floor beyond 32 bits
}

TEST(Kernels, LogarithmsNearOne) {
  const long double x = Parse("1e-20");
  EXPECT_EQ(LnXP1(x), x);
  EXPECT_EQ(LnXP1(-x), -x);
  EXPECT_EQ(LnXP1(0.0L), 0.0L);
  EXPECT_NEAR(static_cast<double>(LogN(10.0L, 1000.0L)), 3.0, 1e-17);
}

TEST(Kernels, InverseHyperbolicSineIsOdd) {
  for (const char* text : {"1e-5", "0.5", "1", "1e5", "1e10", "1e300", "1e4000"}) {
    const long double x = Parse(text);
    EXPECT_EQ(ArcSinH(-x), -ArcSinH(x)) << text;
  }
}

}  // namespace
}  // namespace numora::kernels
