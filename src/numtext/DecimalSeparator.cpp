#include "numtext/DecimalSeparator.h"

namespace numora {
namespace {
char number_decimal_separator = '.';
}

char NumberDecimalSeparator() { return number_decimal_separator; }
void SetNumberDecimalSeparator(char separator) { number_decimal_separator = separator; }

}  // namespace numora
