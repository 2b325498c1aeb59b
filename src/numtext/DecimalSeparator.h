// The one-character decimal separator of the real parse and print, read once at load.
#pragma once

namespace numora {

char NumberDecimalSeparator();
void SetNumberDecimalSeparator(char separator);  // at load, and by tests

}  // namespace numora
