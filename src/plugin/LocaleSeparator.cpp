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
std::string_view ReadCallSeparator(char (&buffer)[kSeparatorBuffer]) {
  if (call_separator_override != nullptr) {
    return std::string_view(call_separator_override,
                            std::min(std::strlen(call_separator_override), kSeparatorBuffer - 1));
  }
  return platform::CallDecimalSeparator(buffer);
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

Text DotToLocaleSeparator(std::string_view text) {
  char buffer[kSeparatorBuffer];
  return DotToLocaleSeparator(text, ReadCallSeparator(buffer));
}

void LocaleSeparatorToDot(char* text, std::size_t length) {
  char buffer[kSeparatorBuffer];
  LocaleSeparatorToDot(text, length, ReadCallSeparator(buffer));
}

void OverrideCallDecimalSeparator(const char* separator) { call_separator_override = separator; }

}  // namespace numora
