#include "plugin/LocaleSeparator.h"

#include <algorithm>
#include <cstring>

#include "platform/Platform.h"

namespace numora {
namespace {

using platform::kSeparatorBuffer;
const char* call_separator_override = nullptr;

}  // namespace

// Read anew on every operation: the user may change the locale while the host runs.
CallSeparator ReadCallSeparator(char (&buffer)[kSeparatorBuffer]) {
  const std::string_view text =
      call_separator_override != nullptr
          ? std::string_view(call_separator_override,
                             std::min(std::strlen(call_separator_override), kSeparatorBuffer - 1))
          : platform::CallDecimalSeparator(buffer);
  return {text, text.size() == 1 ? text[0] : '.'};
}

bool DotNeedsTranslation(std::string_view text, std::string_view separator) {
  return separator != "." && text.find('.') != std::string_view::npos;
}

Text DotToLocaleSeparator(std::string_view text, std::string_view with) {
  Text result;
  if (with == ".") {
    result.assign(text.data(), text.size());
    return result;
  }
  result.reserve(text.size());
  for (const char c : text) {
    if (c == '.') {
      result.append(with.data(), with.size());
    } else {
      result.push_back(c);
    }
  }
  return result;
}

void LocaleSeparatorToDot(char* text, std::size_t length, std::string_view separator) {
  const char first = separator.empty() ? '\0' : separator[0];
  if (first == '\0' || first == '.') return;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == first) text[i] = '.';
  }
}

void OverrideCallDecimalSeparator(const char* separator) { call_separator_override = separator; }

}  // namespace numora
