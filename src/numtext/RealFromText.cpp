#include "numtext/DecimalSeparator.h"
#include "numtext/Errors.h"
#include "numtext/RealText.h"

namespace numora {

long double RealFromText(std::string_view text, bool* inexact_left) {
  bool accepted;
  const long double value = ParseRealValue(text, NumberDecimalSeparator(), accepted, inexact_left);
  if (!accepted) RaiseFloatConvertError(text);
  return value;
}

}  // namespace numora
