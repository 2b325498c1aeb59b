// Every way out of every operation (normal, conversion error, unmasked floating-point fault)
// leaves the heap where it was: both the library's own blocks and everything else.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "numtext/Text.h"
#include "support/EntryCall.h"
#include "support/OperationList.h"

namespace {
std::atomic<long> live_new_blocks{0};
}

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++live_new_blocks;
  return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  --live_new_blocks;
  std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace numora::test {
namespace {

TEST(Leaks, EveryOperationOnGoodBadAndFaultingOperands) {
  // 037F: all masked; 0372: invalid operation, division by zero and overflow unmasked.
  for (const uint16_t control_word : {uint16_t{0x037F}, uint16_t{0x0372}}) {
    for (const OperationEntry& entry : kAllOperations) {
      for (const char* operand : kSampleOperands) {
        SCOPED_TRACE(std::string(entry.name) + " [" + operand + "] cw " +
                     std::to_string(control_word));
        auto run = [&] {
          SetFile(operand);
          return CallOperation(entry.op, control_word);
        };
        const std::string how = Describe(run());  // state texts reach their working size
        const long library_blocks = CurrentMemoryFigures().live_blocks;
        const long new_blocks = live_new_blocks.load();
        for (int i = 0; i < 3; ++i) run();
        EXPECT_EQ(CurrentMemoryFigures().live_blocks, library_blocks) << how;
        EXPECT_EQ(live_new_blocks.load(), new_blocks) << how;
      }
    }
  }
}

}  // namespace
}  // namespace numora::test
