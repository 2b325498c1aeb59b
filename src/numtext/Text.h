// Texts owned by the library: strings whose memory comes from the library's memory service,
// so that exhausted memory leaves as the preallocated EOutOfMemory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace numora {

void* AllocateBlock(std::size_t size);  // raises EOutOfMemory
void ReleaseBlock(void* block) noexcept;

// Test seams: the allocation after `count` more succeed fails (negative: never); the
// library's own heap figures.
void FailAllocationAfter(long count);
long AllocationCount();
struct MemoryFigures {
  long allocations = 0;
  long live_blocks = 0;
  std::size_t live_bytes = 0;
  std::size_t peak_bytes = 0;
};
MemoryFigures CurrentMemoryFigures();
void ResetPeakBytes();

template <class T>
struct LibraryAllocator {
  using value_type = T;
  LibraryAllocator() = default;
  template <class U>
  LibraryAllocator(const LibraryAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(AllocateBlock(n * sizeof(T))); }
  void deallocate(T* p, std::size_t) noexcept { ReleaseBlock(p); }
  template <class U>
  bool operator==(const LibraryAllocator<U>&) const noexcept {
    return true;
  }
};

using Text = std::basic_string<char, std::char_traits<char>, LibraryAllocator<char>>;

// into := text. A text apart from `into`'s own characters that fits is copied in place, without
// the general replacement's checks; anything else goes through assign, which fills a new block
// before it frees the old one (so `into`'s own characters may be given).
inline void AssignText(Text& into, std::string_view text) {
  const auto start = reinterpret_cast<uintptr_t>(into.data());
  const auto first = reinterpret_cast<uintptr_t>(text.data());
  const bool apart = first + text.size() < start || first > start + into.size();
  if (apart && text.size() <= into.capacity()) {
    into.clear();
    into.append(text.data(), text.size());
    return;
  }
  into.assign(text.data(), text.size());
}

}  // namespace numora
