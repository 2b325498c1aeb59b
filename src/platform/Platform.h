// Every call into the operating system goes through this interface.
#pragma once

#include <cstddef>
#include <cstdint>

namespace numora::platform {

// The user's decimal separator now, NUL-terminated in `buffer`; "." when it cannot be read.
void ReadCallDecimalSeparator(char* buffer, std::size_t size);
// The one-character separator of the loading thread's locale; '.' when it is not one character.
char ReadLoadDecimalSeparator();
void LocaleUpperCase(char* text, std::size_t length);
// SetBkMode(device_context, OPAQUE): the previous mode, 0 on failure.
int32_t SetBackgroundModeOpaque(void* device_context);
void ShowErrorBox(const char* text);
// The control word recorded when the operating system last ran the library's entry function.
uint16_t DefaultControlWord();
// Called by the entry function before anything of the library is initialised.
void RecordDefaultControlWord();

}  // namespace numora::platform
