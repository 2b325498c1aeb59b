#include "plugin/OperationFrame.h"

#include "numtext/IntegerText.h"
#include "numtext/RealText.h"
#include "plugin/LocaleSeparator.h"

namespace numora {

void SplitOperands() {
  PluginState& state = State();
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

long double ReadRealOperand(std::string_view text, std::string_view separator, bool* inexact_left) {
  // Where the translation would change nothing the text is read as it stands, without a copy.
  if (!DotNeedsTranslation(text, separator)) return RealFromText(text, inexact_left);
  const Text translated = DotToLocaleSeparator(text, separator);
  return RealFromText(translated, inexact_left);
}

long double ReadRealOperand(std::string_view text) {
  char buffer[platform::kSeparatorBuffer];
  return ReadRealOperand(text, ReadCallSeparator(buffer));
}

int32_t ReadIntegerOperand(std::string_view text) { return IntFromText(text); }

void StoreText(std::string_view text) { AssignText(State().exchange_register, text); }

void StoreRealText(char* text, std::size_t length, std::string_view separator) {
  LocaleSeparatorToDot(text, length, separator);
  StoreText(std::string_view(text, length));
}

void StoreRealResult(long double result) {
  char buffer[platform::kSeparatorBuffer];
  char text[kRealTextCapacity];
  StoreRealText(text, RealToText(result, text), ReadCallSeparator(buffer));
}

void StoreIntegerResult(int32_t result) {
  char text[kIntTextCapacity];
  StoreText(std::string_view(text, IntToText(result, text)));
}

}  // namespace numora
