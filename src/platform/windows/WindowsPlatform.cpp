// The Windows services: locale separator, upper-casing, GDI background mode, error box.
#include <windows.h>

#include <cstring>

#include "platform/Platform.h"
#include "x87/X87.h"

namespace numora::platform {
namespace {

uint16_t default_control_word = 0x037F;

// USER32 and GDI32 are not imported: their start-up runs x87 code under whatever state the
// loading thread has, and faults on flags a host left pending. They are loaded at first use,
// on a reset, fully masked unit; the caller gets its control word and a clean unit back.
struct UserAndGdi {
  decltype(&CharUpperBuffA) char_upper_buff = nullptr;
  decltype(&MessageBoxA) message_box = nullptr;
  decltype(&SetBkMode) set_bk_mode = nullptr;
};

template <class Function>
Function Lookup(HMODULE library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const UserAndGdi& SystemLibraries() {
  static UserAndGdi functions;
  static bool loaded = false;
  if (!loaded) {
    const uint16_t caller = x87::ControlWord();
    x87::Initialize();
    const HMODULE user = LoadLibraryA("user32.dll");
    const HMODULE gdi = LoadLibraryA("gdi32.dll");
    functions.char_upper_buff = Lookup<decltype(&CharUpperBuffA)>(user, "CharUpperBuffA");
    functions.message_box = Lookup<decltype(&MessageBoxA)>(user, "MessageBoxA");
    functions.set_bk_mode = Lookup<decltype(&SetBkMode)>(gdi, "SetBkMode");
    x87::Initialize();
    x87::SetControlWord(caller);
    loaded = true;
  }
  return functions;
}

}  // namespace

uint16_t DefaultControlWord() { return default_control_word; }
void RecordDefaultControlWord() { default_control_word = x87::ControlWord(); }

std::string_view CallDecimalSeparator(char (&buffer)[kSeparatorBuffer]) {
  if (GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SDECIMAL, buffer, kSeparatorBuffer - 1) == 0) {
    return ".";  // the register form keeps working
  }
  buffer[kSeparatorBuffer - 1] = '\0';
  return std::string_view(buffer);
}

void LocaleUpperCase(char* text, std::size_t length) {
  const auto upper = SystemLibraries().char_upper_buff;
  if (upper != nullptr) {
    upper(text, static_cast<DWORD>(length));
    return;
  }
  for (std::size_t i = 0; i < length; ++i) {  // without USER32: the ASCII letters
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
  }
}

int32_t SetBackgroundModeOpaque(void* device_context) {
  const auto set_bk_mode = SystemLibraries().set_bk_mode;
  if (set_bk_mode == nullptr) return 0;  // as for a handle that is no device context
  return set_bk_mode(static_cast<HDC>(device_context), OPAQUE);
}

void ShowErrorBox(const char* text) {
  const auto message_box = SystemLibraries().message_box;
  if (message_box != nullptr) message_box(nullptr, text, "Error", MB_OK);
}

}  // namespace numora::platform
