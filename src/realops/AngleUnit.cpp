#include "realops/AngleUnit.h"

#include <string_view>

#include "numtext/Extended.h"
#include "numtext/IntegerText.h"
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"
#include "realops/Kernels.h"
#include "realops/RangeHelpers.h"

namespace numora {

long double DegreesToRadiansFactor() { return ExtendedFromBits(0x3FF9, 0x8EFA351294E9C8AEULL); }
long double RadiansToDegreesFactor() { return ExtendedFromBits(0x4004, 0xE52EE0D31E0FBDC3ULL); }
long double GradsToRadiansFactor() { return ExtendedFromBits(0x3FF9, 0x80ADFC90B938CE36ULL); }
// One unit in the last place below the nearest value, as the unit has always used.
long double RadiansToGradsFactor() { return ExtendedFromBits(0x4004, 0xFEA5DD5C5A4A6111ULL); }

// An unknown unit reads as radians and is reset to "RAD".
AngleUnit CurrentAngleUnit(PluginState& state) {
  Text& unit = state.angle_unit;
  const std::string_view name(unit);
  if (name == std::string_view("RAD")) return AngleUnit::kRadians;
  if (name == std::string_view("DEG")) return AngleUnit::kDegrees;
  if (name == std::string_view("GRAD")) return AngleUnit::kGrads;
  unit.assign("RAD");
  return AngleUnit::kRadians;
}

kernels::Pair DegreesOrGradsInParts(long double x, AngleUnit unit) {
  const bool degrees = unit == AngleUnit::kDegrees;
  const long double factor = degrees ? DegreesToRadiansFactor() : GradsToRadiansFactor();
  // What the factors leave of pi/180 and pi/200, each the nearest extended value to it.
  const long double factor_low = degrees ? ExtendedFromBits(0x3FB5, 0xEC5F66E9485C4D90ULL)
                                         : ExtendedFromBits(0x3FB8, 0x80FDEEC70B572F20ULL);
  const long double hi = x * factor;
  // The product's exact error needs x's halves normal and x * 2^32 finite; beyond, no function
  // is sensitive to it.
  if (!(kernels::Magnitude(x) > 0x1p-16000L && kernels::Magnitude(x) < 0x1p16000L)) {
    return {hi, 0.0L};
  }
  const kernels::Pair product = kernels::ExactProduct(x, factor);
  return {hi, product.lo + x * factor_low};
}

long double ReciprocalOfAngle(long double x, AngleUnit unit) {
  const bool degrees = unit == AngleUnit::kDegrees;
  // 180/pi and 200/pi, each as the nearest extended value and the nearest one to what remains.
  const long double high = degrees ? ExtendedFromBits(0x4004, 0xE52EE0D31E0FBDC3ULL)
                                   : ExtendedFromBits(0x4004, 0xFEA5DD5C5A4A6112ULL);
  const long double low = degrees ? ExtendedFromBits(0x3FC0, 0xA97537F40D257D73ULL)
                                  : ExtendedFromBits(0xBFC3, 0xCC050D8FE1BACB05ULL);
  // From a subnormal x the reciprocal lies beyond the range: overflow.
  if (!(kernels::Magnitude(x) >= 0x1p-16382L)) return (1.0L / x) * high;
  // The reciprocal in two parts, formed 2^128 below its place (so that its halves and one
  // just below the largest value stay finite) and rounded once.
  const long double scaled = x * 0x1p128L;
  const long double reciprocal = 1.0L / scaled;
  const kernels::Pair one = kernels::ExactProduct(reciprocal, scaled);
  const long double reciprocal_low = ((1.0L - one.hi) - one.lo) / scaled;
  const kernels::Pair product = kernels::ExactProduct(reciprocal, high);
  const long double sum = product.hi + (product.lo + (reciprocal * low + reciprocal_low * high));
  return sum * 0x1p128L;
}

long double LnOfAngleMagnitude(long double x, AngleUnit unit) {
  const bool degrees = unit == AngleUnit::kDegrees;
  // ln(pi/180) and ln(pi/200) in two parts.
  const long double high = degrees ? ExtendedFromBits(0xC001, 0x818B1346B456F587ULL)
                                   : ExtendedFromBits(0xC001, 0x84EA304AD59F2135ULL);
  const long double low = degrees ? ExtendedFromBits(0x3FBE, 0xA423457A6A8930DAULL)
                                  : ExtendedFromBits(0x3FC0, 0x90BEC1DD9A6D0069ULL);
  return kernels::Ln(kernels::Magnitude(x)) + (high + low);
}

namespace ops {

void Set_Angle_Measurement(PluginState& state) {
  state.angle_unit.assign("RAD");
  const Text name = AsciiUpperCase(state.exchange_register);
  if (name == "DEG" || name == "GRAD") state.angle_unit.assign(name);
}

void Deg_To_Rad(PluginState& state) {
  RunOneOperandReal(state, [](long double x) { return x * DegreesToRadiansFactor(); });
}
void Rad_To_Deg(PluginState& state) {
  RunOneOperandReal(state, [](long double x) { return x * RadiansToDegreesFactor(); });
}
void Grad_To_Rad(PluginState& state) {
  RunOneOperandReal(state, [](long double x) { return x * GradsToRadiansFactor(); });
}
void Rad_To_Grad(PluginState& state) {
  RunOneOperandReal(state, [](long double x) { return x * RadiansToGradsFactor(); });
}
void Deg_To_Grad(PluginState& state) {
  RunOneOperandReal(state, [](long double x) {
    const long double radians = x * DegreesToRadiansFactor();
    return radians * RadiansToGradsFactor();
  });
}
void Grad_To_Deg(PluginState& state) {
  RunOneOperandReal(state, [](long double x) {
    const long double radians = x * GradsToRadiansFactor();
    return radians * RadiansToDegreesFactor();
  });
}

}  // namespace ops
}  // namespace numora
