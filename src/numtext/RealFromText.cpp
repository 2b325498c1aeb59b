#include "numtext/Errors.h"
#include "numtext/RealText.h"

namespace numora {

long double RealFromText(std::string_view text, char separator, bool* inexact_left) {
  bool accepted;
  const long double value = ParseRealValue(text, separator, accepted, inexact_left);
  if (!accepted) RaiseFloatConvertError(text);
  return value;
}

}  // namespace numora
