// Every accepted text prints; printing then parsing a finite value gives a value within the
// 15-digit rounding of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "numtext/Extended.h"
#include "numtext/RealText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  long double value;
  if (!numora::ParseReal(text, '.', value)) return 0;
  char printed[numora::kRealTextCapacity];
  const std::size_t length = numora::RealToText(value, '.', printed);
  if (length == 0 || length > 23) std::abort();
  const int biased = numora::BitsOfExtended(value).sign_and_exponent & 0x7FFF;
  if (biased == 0 || biased == 0x7FFF) return 0;  // zeros, denormals and infinities
  long double back;
  if (!numora::ParseReal(std::string_view(printed, length), '.', back)) std::abort();
  long double relative = (back - value) / value;
  if (relative < 0) relative = -relative;
  if (relative > 5.1e-15L) std::abort();
  return 0;
}
