// Every call into the operating system goes through this interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace numora::platform {

inline constexpr std::size_t kSeparatorBuffer = 261;
// The user's decimal separator now: in `buffer`, or where the system keeps it (valid until
// the locale changes); "." when it cannot be read.
std::string_view CallDecimalSeparator(char (&buffer)[kSeparatorBuffer]);
void LocaleUpperCase(char* text, std::size_t length);
// SetBkMode(device_context, OPAQUE): the previous mode, 0 on failure.
int32_t SetBackgroundModeOpaque(void* device_context);
void ShowErrorBox(const char* text);
// The control word recorded when the operating system last ran the library's entry function.
uint16_t DefaultControlWord();
// Called by the entry function before anything of the library is initialised.
void RecordDefaultControlWord();

}  // namespace numora::platform
