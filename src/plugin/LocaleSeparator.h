// The decimal-point translations between the register's "." and the user's locale separator.
#pragma once

#include <cstddef>
#include <string_view>

#include "numtext/Text.h"
#include "platform/Platform.h"

namespace numora {

// The separator the translations use now, read once per operation: in `buffer`, or where the
// system keeps it.
std::string_view ReadCallSeparator(char (&buffer)[platform::kSeparatorBuffer]);

// Each "." becomes the whole locale separator.
Text DotToLocaleSeparator(std::string_view text);
// Each character equal to the separator's first character becomes "."; in place.
void LocaleSeparatorToDot(char* text, std::size_t length);

// The same with a separator already read; and whether DotToLocaleSeparator would change `text`:
// it holds a "." and the separator is not.
Text DotToLocaleSeparator(std::string_view text, std::string_view separator);
void LocaleSeparatorToDot(char* text, std::size_t length, std::string_view separator);
bool DotNeedsTranslation(std::string_view text, std::string_view separator);

// Test seam: the separator the translations read (nullptr: the platform's).
void OverrideCallDecimalSeparator(const char* separator);

}  // namespace numora
