// The Windows services: locale separator, upper-casing, GDI background mode, error box.
#include <windows.h>

#include <cstring>

#include "platform/Platform.h"
#include "x87/X87.h"

namespace numora::platform {
namespace {
uint16_t default_control_word = 0x037F;
}

uint16_t DefaultControlWord() { return default_control_word; }
void RecordDefaultControlWord() { default_control_word = x87::ControlWord(); }

void ReadCallDecimalSeparator(char* buffer, std::size_t size) {
  char separator[261];
  if (GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SDECIMAL, separator, 260) == 0) {
    std::strcpy(separator, ".");  // the register form keeps working
  }
  std::strncpy(buffer, separator, size - 1);
  buffer[size - 1] = '\0';
}

char ReadLoadDecimalSeparator() {
  char separator[2];
  if (GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, separator, 2) == 0) return '.';
  return separator[0];
}

void LocaleUpperCase(char* text, std::size_t length) {
  CharUpperBuffA(text, static_cast<DWORD>(length));
}

int32_t SetBackgroundModeOpaque(void* device_context) {
  return SetBkMode(static_cast<HDC>(device_context), OPAQUE);
}

void ShowErrorBox(const char* text) { MessageBoxA(nullptr, text, "Error", MB_OK); }

}  // namespace numora::platform
