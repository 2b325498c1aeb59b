#include "numtext/DecimalSeparator.h"
#include "numtext/Errors.h"
#include "numtext/RealText.h"

namespace numora {

long double RealFromText(std::string_view text) {
  long double value;
  if (!ParseReal(text, NumberDecimalSeparator(), value)) RaiseFloatConvertError(text);
  return value;
}

}  // namespace numora
