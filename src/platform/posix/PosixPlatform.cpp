// POSIX stand-ins for the Windows services the library uses.
#include <langinfo.h>

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "platform/Platform.h"
#include "x87/X87.h"

namespace numora::platform {
namespace {

uint16_t default_control_word = 0x037F;

// Runs before every other initialiser of the library.
__attribute__((constructor(101))) void RecordAtLoad() { RecordDefaultControlWord(); }

}  // namespace

std::string_view CallDecimalSeparator(char (&buffer)[kSeparatorBuffer]) {
  // The same text as localeconv()->decimal_point, without building the whole structure;
  // copied, since another thread may change the locale while the operation runs.
  const char* point = nl_langinfo(RADIXCHAR);
  if (point == nullptr || *point == '\0') return ".";
  if (point[1] == '\0') {
    buffer[0] = point[0];
    return std::string_view(buffer, 1);
  }
  const std::size_t length = strnlen(point, kSeparatorBuffer - 1);
  std::memcpy(buffer, point, length);
  return std::string_view(buffer, length);
}

void LocaleUpperCase(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
  }
}

// There are no device contexts here: every handle fails as a non-context handle does on
// Windows, and nothing is drawn.
int32_t SetBackgroundModeOpaque(void*) { return 0; }

void ShowErrorBox(const char* text) { std::fprintf(stderr, "Error: %s\n", text); }

uint16_t DefaultControlWord() { return default_control_word; }
void RecordDefaultControlWord() { default_control_word = x87::ControlWord(); }

}  // namespace numora::platform
