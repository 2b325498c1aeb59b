#include "numtext/DecimalSeparator.h"
#include "numtext/Errors.h"
#include "numtext/RealText.h"

namespace numora {

long double RealFromText(std::string_view text) {
  bool accepted;
  const long double value = ParseRealValue(text, NumberDecimalSeparator(), accepted);
  if (!accepted) RaiseFloatConvertError(text);
  return value;
}

}  // namespace numora
