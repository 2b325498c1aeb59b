#include <cstdlib>

#include "numtext/Errors.h"
#include "numtext/Text.h"

namespace numora {
namespace {
long failure_countdown = -1;
long allocations = 0;
}  // namespace

void* AllocateBlock(std::size_t size) {
  if (failure_countdown == 0) {
    failure_countdown = -1;
    RaiseOutOfMemory();
  }
  if (failure_countdown > 0) --failure_countdown;
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) RaiseOutOfMemory();
  ++allocations;
  return block;
}

void ReleaseBlock(void* block) noexcept { std::free(block); }

void FailAllocationAfter(long count) { failure_countdown = count; }
long AllocationCount() { return allocations; }

}  // namespace numora
