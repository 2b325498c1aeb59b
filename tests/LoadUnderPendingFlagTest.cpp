// Loads the library while the loading thread has an unmasked exception flag pending (the
// precision flag raised, control word 0x035F): nothing may compute on the x87 before the
// library has recorded that control word and reset the unit. A fault kills this process.
//   numora_load_test PATH-OF-THE-LIBRARY
#include <cstdint>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "GuardedCall.h"
#include "numora/numora.h"

namespace {

constexpr uint16_t kPrecisionUnmasked = 0x035F;
constexpr uint16_t kPrecisionFlag = 0x0020;

uint16_t StatusWord() {
  uint16_t sw;
  asm volatile("fnstsw %0" : "=m"(sw));
  return sw;
}

void* Find(void* library, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
  return dlsym(library, name);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
    return 2;
  }
  host::LoadCallState(host::CallState{kPrecisionUnmasked, kPrecisionFlag});
#ifdef _WIN32
  void* library = LoadLibraryA(argv[1]);
#else
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
#endif
  int failed = 0;
  auto expect = [&failed](bool ok, const char* what) {
    if (!ok) {
      std::printf("FAIL: %s\n", what);
      ++failed;
    }
  };
  expect(library != nullptr, "the library loads");
  if (library == nullptr) return 1;
  expect(host::ProcessControlWord() == kPrecisionUnmasked,
         "the loading thread keeps its control word");
  expect((StatusWord() & 0x3F) == 0, "the loading thread's unit is reset: no flag raised");
  // An exact operation under the caller's word, precision exception unmasked.
  auto set_file = reinterpret_cast<void(NUMORA_CALL*)(const char*)>(Find(library, "SetFile"));
  auto get_file = reinterpret_cast<const char*(NUMORA_CALL*)(void)>(Find(library, "GetFile"));
  auto sqrt = reinterpret_cast<void(NUMORA_CALL*)(void)>(Find(library, "Get_Sqrt"));
  set_file("6.25");
  sqrt();
  expect(std::strcmp(get_file(), "2.5") == 0, "Get_Sqrt 6.25 gives 2.5");
  std::printf("%d passed, %d failed\n", failed == 0 ? 1 : 0, failed == 0 ? 0 : 1);
  return failed == 0 ? 0 : 1;
}
