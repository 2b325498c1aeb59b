#include "realops/AngleUnit.h"

#include <string_view>

#include "numtext/Extended.h"
#include "numtext/IntegerText.h"
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"

namespace numora {

long double DegreesToRadiansFactor() { return ExtendedFromBits(0x3FF9, 0x8EFA351294E9C8AEULL); }
long double RadiansToDegreesFactor() { return ExtendedFromBits(0x4004, 0xE52EE0D31E0FBDC3ULL); }
long double GradsToRadiansFactor() { return ExtendedFromBits(0x3FF9, 0x80ADFC90B938CE36ULL); }
// One unit in the last place below the nearest value, as the unit has always used.
long double RadiansToGradsFactor() { return ExtendedFromBits(0x4004, 0xFEA5DD5C5A4A6111ULL); }

// An unknown unit reads as radians and is reset to "RAD".
AngleUnit CurrentAngleUnit() {
  Text& unit = State().angle_unit;
  const std::string_view name(unit);
  if (name == std::string_view("RAD")) return AngleUnit::kRadians;
  if (name == std::string_view("DEG")) return AngleUnit::kDegrees;
  if (name == std::string_view("GRAD")) return AngleUnit::kGrads;
  unit.assign("RAD");
  return AngleUnit::kRadians;
}

long double AngleToRadians(long double x) {
  switch (CurrentAngleUnit()) {
    case AngleUnit::kDegrees:
      return x * DegreesToRadiansFactor();
    case AngleUnit::kGrads:
      return x * GradsToRadiansFactor();
    default:
      return x;
  }
}

namespace ops {

void Set_Angle_Measurement() {
  PluginState& state = State();
  state.angle_unit.assign("RAD");
  const Text name = AsciiUpperCase(state.exchange_register);
  if (name == "DEG" || name == "GRAD") state.angle_unit.assign(name);
}

void Deg_To_Rad() {
  RunOneOperandReal([](long double x) { return x * DegreesToRadiansFactor(); });
}
void Rad_To_Deg() {
  RunOneOperandReal([](long double x) { return x * RadiansToDegreesFactor(); });
}
void Grad_To_Rad() {
  RunOneOperandReal([](long double x) { return x * GradsToRadiansFactor(); });
}
void Rad_To_Grad() {
  RunOneOperandReal([](long double x) { return x * RadiansToGradsFactor(); });
}
void Deg_To_Grad() {
  RunOneOperandReal([](long double x) {
    const long double radians = x * DegreesToRadiansFactor();
    return radians * RadiansToGradsFactor();
  });
}
void Grad_To_Deg() {
  RunOneOperandReal([](long double x) {
    const long double radians = x * GradsToRadiansFactor();
    return radians * RadiansToDegreesFactor();
  });
}

}  // namespace ops
}  // namespace numora
