#include <atomic>
#include <cstdlib>
#include <cstring>

#include "numtext/Errors.h"
#include "numtext/Text.h"

namespace numora {
namespace {

// Each block carries its size in front, so that the live and peak figures stay exact.
constexpr std::size_t kHeader = 16;

// Threads on contexts of their own allocate at the same time: the figures are atomic.
std::atomic<long> failure_countdown{-1};
std::atomic<long> allocations{0};
std::atomic<long> live_blocks{0};
std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};

}  // namespace

void* AllocateBlock(std::size_t size) {
  // A test's countdown: the allocation that finds it at 0 fails.
  if (failure_countdown.load(std::memory_order_relaxed) >= 0) {
    if (failure_countdown.fetch_sub(1, std::memory_order_relaxed) == 0) {
      failure_countdown.store(-1, std::memory_order_relaxed);
      RaiseOutOfMemory();
    }
  }
  if (size > static_cast<std::size_t>(-1) - kHeader) RaiseOutOfMemory();
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) RaiseOutOfMemory();
  std::memcpy(block, &size, sizeof size);
  allocations.fetch_add(1, std::memory_order_relaxed);
  live_blocks.fetch_add(1, std::memory_order_relaxed);
  const std::size_t live = live_bytes.fetch_add(size, std::memory_order_relaxed) + size;
  std::size_t peak = peak_bytes.load(std::memory_order_relaxed);
  while (live > peak && !peak_bytes.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
  return block + kHeader;
}

void ReleaseBlock(void* block) noexcept {
  if (block == nullptr) return;
  unsigned char* start = static_cast<unsigned char*>(block) - kHeader;
  std::size_t size;
  std::memcpy(&size, start, sizeof size);
  live_blocks.fetch_sub(1, std::memory_order_relaxed);
  live_bytes.fetch_sub(size, std::memory_order_relaxed);
  std::free(start);
}

void FailAllocationAfter(long count) { failure_countdown.store(count); }
long AllocationCount() { return allocations.load(); }
MemoryFigures CurrentMemoryFigures() {
  return {allocations.load(), live_blocks.load(), live_bytes.load(), peak_bytes.load()};
}
void ResetPeakBytes() { peak_bytes.store(live_bytes.load()); }

}  // namespace numora
