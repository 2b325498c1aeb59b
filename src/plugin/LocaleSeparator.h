// The decimal-point translations between the register's "." and the user's locale separator.
#pragma once

#include <cstddef>
#include <string_view>

#include "numtext/Text.h"
#include "platform/Platform.h"

namespace numora {

// The decimal separator of one operation, read once, when it starts: the locale's text for the
// translations, and the one character of the parse and the print (the text itself where it is
// one character, else "."), so that all of them agree whenever the locale changes.
struct CallSeparator {
  std::string_view text;
  char number;
};
// In `buffer`, or where the system keeps it.
CallSeparator ReadCallSeparator(char (&buffer)[platform::kSeparatorBuffer]);

// Each "." becomes the whole locale separator.
Text DotToLocaleSeparator(std::string_view text, std::string_view separator);
// Each character equal to the separator's first character becomes "."; in place.
void LocaleSeparatorToDot(char* text, std::size_t length, std::string_view separator);
// Whether DotToLocaleSeparator would change `text`: it holds a "." and the separator is not.
bool DotNeedsTranslation(std::string_view text, std::string_view separator);

// Test seam: the separator the operations read (nullptr: the platform's).
void OverrideCallDecimalSeparator(const char* separator);

}  // namespace numora
