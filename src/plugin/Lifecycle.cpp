#include "plugin/Lifecycle.h"

#include <new>

#include "numtext/Errors.h"
#include "platform/Platform.h"
#include "plugin/PluginState.h"
#include "plugin/RuntimeErrorBox.h"
#include "x87/X87.h"

namespace numora {
namespace {

constexpr int kOutOfMemoryError = 203;
constexpr int kLibraryError = 217;

void ShowRuntimeError(int number) {
  char text[kRuntimeErrorTextLength + 1];
  FormatRuntimeError(number, reinterpret_cast<uintptr_t>(__builtin_return_address(0)), text);
  platform::ShowErrorBox(text);
}

}  // namespace

bool StartLibrary() {
  // The loading thread keeps its control word through a clean floating-point unit.
  x87::Initialize();
  x87::SetControlWord(platform::DefaultControlWord());
  try {
    StartErrorService();
    State();
  } catch (const std::bad_alloc&) {
    StopErrorService();
    ShowRuntimeError(kOutOfMemoryError);
    return false;
  } catch (...) {
    StopErrorService();
    ShowRuntimeError(kLibraryError);
    return false;
  }
  return true;
}

void StopLibrary() { StopErrorService(); }

}  // namespace numora
