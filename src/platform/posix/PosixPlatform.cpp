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

// GDI keeps a background mode per device context; a small table stands in for it.
constexpr int kOpaque = 2;
constexpr std::size_t kContexts = 64;
struct ContextMode {
  void* context;
  int32_t mode;
};
ContextMode context_modes[kContexts];
std::size_t context_count = 0;

}  // namespace

void ReadCallDecimalSeparator(char* buffer, std::size_t size) {
  // The same text as localeconv()->decimal_point, without building the whole structure.
  const char* point = nl_langinfo(RADIXCHAR);
  if (point == nullptr || *point == '\0') point = ".";
  std::size_t length = std::strlen(point);
  if (length > size - 1) length = size - 1;
  std::memcpy(buffer, point, length);
  buffer[length] = '\0';
}

char ReadLoadDecimalSeparator() {
  const char* point = std::localeconv()->decimal_point;
  if (point == nullptr || std::strlen(point) != 1) return '.';
  return point[0];
}

void LocaleUpperCase(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
  }
}

int32_t SetBackgroundModeOpaque(void* device_context) {
  if (device_context == nullptr) return 0;
  for (std::size_t i = 0; i < context_count; ++i) {
    if (context_modes[i].context == device_context) {
      const int32_t previous = context_modes[i].mode;
      context_modes[i].mode = kOpaque;
      return previous;
    }
  }
  if (context_count < kContexts) context_modes[context_count++] = {device_context, kOpaque};
  return kOpaque;  // a fresh context starts opaque
}

void ShowErrorBox(const char* text) { std::fprintf(stderr, "Error: %s\n", text); }

uint16_t DefaultControlWord() { return default_control_word; }
void RecordDefaultControlWord() { default_control_word = x87::ControlWord(); }

}  // namespace numora::platform
