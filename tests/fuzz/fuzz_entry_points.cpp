// Random sequences of entry points on random register texts: GetFile is never NULL, a failed
// call leaves the register as it was, nothing crashes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "numora/numora.h"
#include "numora/numora.hpp"

namespace {

using Operation = void (*)();
#define FUZZ_OPERATION(name, ordinal) &::name,
const Operation kOperations[] = {NUMORA_OPERATION_EXPORTS(FUZZ_OPERATION)};
#undef FUZZ_OPERATION
constexpr std::size_t kCount = sizeof kOperations / sizeof kOperations[0];

}  // namespace

// Input: records of [operation byte][length byte][text bytes].
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::size_t i = 0;
  while (i + 2 <= size) {
    const std::size_t op = data[i] % (kCount + 2);
    std::size_t length = data[i + 1];
    i += 2;
    if (length > size - i) length = size - i;
    const std::string text(reinterpret_cast<const char*>(data + i), length);
    i += length;
    if (op == kCount) {
      SetFile(text.c_str());
      continue;
    }
    if (op == kCount + 1) {
      SetPath(text.c_str());
      continue;
    }
    const char* before_pointer = GetFile();
    if (before_pointer == nullptr) std::abort();
    // Each Hex_To_Bin may quadruple the register; chained, that is growth by design, not a
    // leak, so a register beyond 1 MB starts over.
    if (std::strlen(before_pointer) > (1u << 20)) {
      SetFile("");
      continue;
    }
    const std::string before = before_pointer;
    try {
      kOperations[op]();
    } catch (const numora::Exception&) {
      if (before != GetFile()) std::abort();
    }
    if (GetFile() == nullptr) std::abort();
  }
  return 0;
}
