// The twelve radix conversion entry points.
#include <string_view>

#include "intops/RadixText.h"
#include "numtext/IntegerText.h"
#include "plugin/OperationFrame.h"
#include "plugin/Operations.h"

namespace numora::ops {
namespace {

// The integer parsed or computed on the way, kept in IntegerValue.
int32_t KeepIntegerValue(PluginState& state, int32_t n) {
  state.integer_value = n;
  return n;
}

void StoreHex(PluginState& state, int32_t n) {
  char text[kHexTextCapacity];
  StoreText(state, std::string_view(text, FormatHex(n, text)));
}

// The octal digits' value as a decimal text, printed with the call's separator.
Text OctalAsDecimal(const Text& octal) {
  char buffer[platform::kSeparatorBuffer];
  return OctToDecText(octal, ReadCallSeparator(buffer));
}

}  // namespace

void Dec_To_Hex(PluginState& state) {
  const int32_t n = KeepIntegerValue(state, IntFromText(state.exchange_register));
  state.exchange_register.clear();  // emptied once the operand is read
  StoreHex(state, n);
}

void Dec_To_Bin(PluginState& state) {
  const int32_t n = KeepIntegerValue(state, IntFromText(state.exchange_register));
  const Text binary = IntToBinText(n);
  StoreText(state, binary);
}

void Dec_To_Oct(PluginState& state) {
  const int32_t n = KeepIntegerValue(state, IntFromText(state.exchange_register));
  const Text octal = BinToOctText(IntToBinText(n));
  StoreText(state, octal);
}

void Hex_To_Dec(PluginState& state) {
  StoreIntegerResult(state, KeepIntegerValue(state, HexTextToInt(state.exchange_register)));
}

void Hex_To_Bin(PluginState& state) {
  const Text binary = HexToBinText(state.exchange_register);
  StoreText(state, binary);
}

void Hex_To_Oct(PluginState& state) {
  const Text octal = BinToOctText(HexToBinText(state.exchange_register));
  StoreText(state, octal);
}

void Bin_To_Dec(PluginState& state) {
  StoreIntegerResult(state, KeepIntegerValue(state, BinTextToInt(state.exchange_register)));
}

void Bin_To_Hex(PluginState& state) {
  const Text hexadecimal = BinToHexText(state.exchange_register);
  StoreText(state, hexadecimal);
}

void Bin_To_Oct(PluginState& state) {
  const Text octal = BinToOctText(state.exchange_register);
  StoreText(state, octal);
}

void Oct_To_Dec(PluginState& state) {
  const Text decimal = OctalAsDecimal(state.exchange_register);
  StoreText(state, decimal);
}

void Oct_To_Hex(PluginState& state) {
  const int32_t n = KeepIntegerValue(state, IntFromText(OctalAsDecimal(state.exchange_register)));
  StoreHex(state, n);
}

void Oct_To_Bin(PluginState& state) {
  const int32_t n = KeepIntegerValue(state, IntFromText(OctalAsDecimal(state.exchange_register)));
  const Text binary = IntToBinText(n);
  StoreText(state, binary);
}

}  // namespace numora::ops
