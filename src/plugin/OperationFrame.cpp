#include "plugin/OperationFrame.h"

#include "numtext/IntegerText.h"
#include "numtext/RealText.h"
#include "plugin/LocaleSeparator.h"

namespace numora {

void SplitOperands(PluginState& state) {
  state.split_text.assign(state.exchange_register);
  state.split_text.push_back(',');
  const std::string_view split(state.split_text);
  std::size_t field_start = 0;
  int field = 1;
  for (std::size_t i = 0; i < split.size(); ++i) {
    if (split[i] != ',') continue;
    const std::string_view text = split.substr(field_start, i - field_start);
    if (field == 1) {
      state.first_operand_text.assign(text.data(), text.size());
    } else if (field == 2) {
      state.second_operand_text.assign(text.data(), text.size());
      break;  // later fields are stored nowhere
    }
    ++field;
    field_start = i + 1;
  }
}

long double ReadRealOperand(std::string_view text, const CallSeparator& separator,
                            bool* inexact_left) {
  // Where the translation would change nothing the text is read as it stands, without a copy.
  if (!DotNeedsTranslation(text, separator.text)) {
    return RealFromText(text, separator.number, inexact_left);
  }
  const Text translated = DotToLocaleSeparator(text, separator.text);
  return RealFromText(translated, separator.number, inexact_left);
}

int32_t ReadIntegerOperand(std::string_view text) { return IntFromText(text); }

void StoreText(PluginState& state, std::string_view text) {
  AssignText(state.exchange_register, text);
}

void StoreRealText(PluginState& state, char* text, std::size_t length,
                   const CallSeparator& separator) {
  LocaleSeparatorToDot(text, length, separator.text);
  StoreText(state, std::string_view(text, length));
}

void StoreRealResult(PluginState& state, long double result, const CallSeparator& separator) {
  char text[kRealTextCapacity];
  StoreRealText(state, text, RealToText(result, separator.number, text), separator);
}

void StoreIntegerResult(PluginState& state, int32_t result) {
  char text[kIntTextCapacity];
  StoreText(state, std::string_view(text, IntToText(result, text)));
}

}  // namespace numora
