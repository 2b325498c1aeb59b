#include "plugin/LocaleSeparator.h"

#include <algorithm>
#include <cstring>

#include "platform/Platform.h"

namespace numora {
namespace {

constexpr std::size_t kSeparatorBuffer = 261;
const char* call_separator_override = nullptr;

// Read anew on every call: the user may change the locale while the host runs.
void ReadSeparator(char (&buffer)[kSeparatorBuffer]) {
  if (call_separator_override != nullptr) {
    const std::size_t length = std::min(std::strlen(call_separator_override), kSeparatorBuffer - 1);
    std::memcpy(buffer, call_separator_override, length);
    buffer[length] = '\0';
    return;
  }
  platform::ReadCallDecimalSeparator(buffer, kSeparatorBuffer);
}

}  // namespace

Text DotToLocaleSeparator(std::string_view text) {
  char separator[kSeparatorBuffer];
  ReadSeparator(separator);
  const std::string_view with(separator);
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
  char separator[kSeparatorBuffer];
  ReadSeparator(separator);
  const char first = separator[0];
  if (first == '\0' || first == '.') return;
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == first) text[i] = '.';
  }
}

void OverrideCallDecimalSeparator(const char* separator) { call_separator_override = separator; }

}  // namespace numora
