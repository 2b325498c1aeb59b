#include "plugin/LocaleSeparator.h"

#include <algorithm>
#include <cstring>

#include "platform/Platform.h"

namespace numora {
namespace {

using platform::kSeparatorBuffer;
const char* call_separator_override = nullptr;

// Read anew on every call: the user may change the locale while the host runs.
std::string_view ReadSeparator(char (&buffer)[kSeparatorBuffer]) {
  if (call_separator_override != nullptr) {
    return std::string_view(call_separator_override,
                            std::min(std::strlen(call_separator_override), kSeparatorBuffer - 1));
  }
  return platform::CallDecimalSeparator(buffer);
}

}  // namespace

bool DotNeedsTranslation(std::string_view text) {
  if (text.find('.') == std::string_view::npos) return false;
  char buffer[kSeparatorBuffer];
  return ReadSeparator(buffer) != ".";
}

Text DotToLocaleSeparator(std::string_view text) {
  char buffer[kSeparatorBuffer];
  const std::string_view with = ReadSeparator(buffer);
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

void LocaleSeparatorToDot(char* text, std::size_t length) {
  char buffer[kSeparatorBuffer];
  const std::string_view separator = ReadSeparator(buffer);
  const char first = separator.empty() ? '\0' : separator[0];
  if (first == '\0' || first == '.') return;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == first) text[i] = '.';
  }
}

void OverrideCallDecimalSeparator(const char* separator) { call_separator_override = separator; }

}  // namespace numora
