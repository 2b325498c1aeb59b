// The twelve radix conversion entry points.
#include <string_view>

#include "intops/RadixText.h"
#include "numtext/IntegerText.h"
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"

namespace numora::ops {
namespace {

// The integer parsed or computed on the way, kept in IntegerValue.
int32_t KeepIntegerValue(int32_t n) {
  State().integer_value = n;
  return n;
}

void StoreHex(int32_t n) {
  char text[kHexTextCapacity];
  StoreText(std::string_view(text, FormatHex(n, text)));
}

const Text& Register() { return State().exchange_register; }

}  // namespace

void Dec_To_Hex() {
  const int32_t n = KeepIntegerValue(IntFromText(Register()));
  State().exchange_register.clear();  // emptied once the operand is read
  StoreHex(n);
}

void Dec_To_Bin() {
  const int32_t n = KeepIntegerValue(IntFromText(Register()));
  const Text binary = IntToBinText(n);
  StoreText(binary);
}

void Dec_To_Oct() {
  const int32_t n = KeepIntegerValue(IntFromText(Register()));
  const Text octal = BinToOctText(IntToBinText(n));
  StoreText(octal);
}

void Hex_To_Dec() { StoreIntegerResult(KeepIntegerValue(HexTextToInt(Register()))); }

void Hex_To_Bin() {
  const Text binary = HexToBinText(Register());
  StoreText(binary);
}

void Hex_To_Oct() {
  const Text octal = BinToOctText(HexToBinText(Register()));
  StoreText(octal);
}

void Bin_To_Dec() { StoreIntegerResult(KeepIntegerValue(BinTextToInt(Register()))); }

void Bin_To_Hex() {
  const Text hexadecimal = BinToHexText(Register());
  StoreText(hexadecimal);
}

void Bin_To_Oct() {
  const Text octal = BinToOctText(Register());
  StoreText(octal);
}

void Oct_To_Dec() {
  const Text decimal = OctToDecText(Register());
  StoreText(decimal);
}

void Oct_To_Hex() {
  const int32_t n = KeepIntegerValue(IntFromText(OctToDecText(Register())));
  StoreHex(n);
}

void Oct_To_Bin() {
  const int32_t n = KeepIntegerValue(IntFromText(OctToDecText(Register())));
  const Text binary = IntToBinText(n);
  StoreText(binary);
}

}  // namespace numora::ops
