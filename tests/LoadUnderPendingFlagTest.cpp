// Loads the library from a floating-point state a host can bring: a control word, with or
// without exception flags left raised. Nothing may compute on the x87 under that state before
// the library has recorded the word and reset the unit, and the first calls (which on Windows
// load USER32 and GDI32) must not fault on the flags either. A fault kills this process.
//   numora_load_test PATH-OF-THE-LIBRARY CONTROL-WORD FLAGS      (hexadecimal)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "GuardedCall.h"
#include "numora/numora.h"

namespace {

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
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s LIBRARY CONTROL-WORD FLAGS\n", argv[0]);
    return 2;
  }
  const host::CallState state{static_cast<uint16_t>(std::strtoul(argv[2], nullptr, 16)),
                              static_cast<uint16_t>(std::strtoul(argv[3], nullptr, 16))};
  host::LoadCallState(state);
#ifdef _WIN32
  void* library = LoadLibraryA(argv[1]);
#else
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
#endif
  int passed = 0, failed = 0;
  auto expect = [&](bool ok, const std::string& what) {
    if (ok) {
      ++passed;
    } else {
      std::printf("FAIL: %s\n", what.c_str());
      ++failed;
    }
  };
  expect(library != nullptr, "the library loads");
  if (library == nullptr) return 1;
  // The reserved bit 6 always reads as 1.
  const uint16_t control_word = static_cast<uint16_t>(state.control_word | 0x0040);
  expect(host::ProcessControlWord() == control_word, "the loading thread keeps its control word");
  expect((StatusWord() & 0x3F) == 0, "the loading thread's unit is reset: no flag raised");

  auto set_file = reinterpret_cast<void(NUMORA_CALL*)(const char*)>(Find(library, "SetFile"));
  auto get_file = reinterpret_cast<const char*(NUMORA_CALL*)(void)>(Find(library, "GetFile"));
  auto draw = reinterpret_cast<int32_t(NUMORA_CALL*)(void*)>(Find(library, "Draw"));
  // The first calls, each from the same state again: flags pending included.
  host::LoadCallState(state);
  expect(draw(nullptr) == 0, "Draw of no device context gives 0");
  expect(host::ProcessControlWord() == control_word, "Draw keeps the control word");
  struct Call {
    const char* entry;
    const char* before;
    const char* after;
  };
  // Exact under every precision and rounding (2^24 prints exactly even at 24 bits); the
  // upper-casing, the parse, the print and the operations that read no real text run too.
  for (const Call& call :
       {Call{"Hex_To_Bin", "ff", "11111111"}, Call{"Get_Sqrt", "281474976710656", "16777216"},
        Call{"Oct_To_Dec", "100000000", "16777216"}, Call{"Get_ShL", "1,24", "16777216"}}) {
    set_file(call.before);
    const auto op = reinterpret_cast<host::Operation>(Find(library, call.entry));
    const host::Outcome outcome = host::CallGuarded(op, state);
    const std::string name = std::string(call.entry) + " " + call.before;
    expect(outcome.kind == host::Outcome::Kind::kNormal,
           name + " returns normally (" + outcome.error_kind + outcome.message + ")");
    if (outcome.kind == host::Outcome::Kind::kNormal) {
      expect(std::strcmp(get_file(), call.after) == 0, name + " gives " + call.after);
      expect(outcome.control_word_after == control_word, name + " keeps the control word");
    }
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
