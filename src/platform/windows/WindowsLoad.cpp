// The DLL's entry function: records the caller's control word before anything of the library
// is initialised, then hands over to the C runtime's start-up, which calls DllMain.
#include <windows.h>

#include "platform/Platform.h"
#include "plugin/Lifecycle.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI NumoraDllEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  numora::platform::RecordDefaultControlWord();
  return DllMainCRTStartup(instance, reason, reserved);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return numora::StartLibrary() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      numora::StopLibrary();
      return TRUE;
    default:
      return TRUE;  // thread attach and detach do nothing of the library's own
  }
}
