#include <cstdlib>
#include <cstring>

#include "numtext/Errors.h"
#include "numtext/Text.h"

namespace numora {
namespace {

// Each block carries its size in front, so that the live and peak figures stay exact.
constexpr std::size_t kHeader = 16;

long failure_countdown = -1;
MemoryFigures figures;

}  // namespace

void* AllocateBlock(std::size_t size) {
  if (failure_countdown == 0) {
    failure_countdown = -1;
    RaiseOutOfMemory();
  }
  if (failure_countdown > 0) --failure_countdown;
  if (size > static_cast<std::size_t>(-1) - kHeader) RaiseOutOfMemory();
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) RaiseOutOfMemory();
  std::memcpy(block, &size, sizeof size);
  ++figures.allocations;
  ++figures.live_blocks;
  figures.live_bytes += size;
  if (figures.live_bytes > figures.peak_bytes) figures.peak_bytes = figures.live_bytes;
  return block + kHeader;
}

void ReleaseBlock(void* block) noexcept {
  if (block == nullptr) return;
  unsigned char* start = static_cast<unsigned char*>(block) - kHeader;
  std::size_t size;
  std::memcpy(&size, start, sizeof size);
  --figures.live_blocks;
  figures.live_bytes -= size;
  std::free(start);
}

void FailAllocationAfter(long count) { failure_countdown = count; }
long AllocationCount() { return figures.allocations; }
MemoryFigures CurrentMemoryFigures() { return figures; }
void ResetPeakBytes() { figures.peak_bytes = figures.live_bytes; }

}  // namespace numora
