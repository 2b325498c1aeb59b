// Finds an operation of the export list by name, in any case and with or without the "Get_"
// of the operations, in time bounded by the name's length: an open-addressing table keyed by
// a hash of the case-folded name, built at compile time from the one export list. Header-only,
// so the host, which also drives the DLLs (they have no lookup of their own), shares it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "numora/numora_exports.h"

namespace numora::names {

#define NUMORA_OPERATION_NAME(name, ordinal) #name,
inline constexpr const char* kOperationNames[] = {NUMORA_OPERATION_EXPORTS(NUMORA_OPERATION_NAME)};
#undef NUMORA_OPERATION_NAME
inline constexpr int kOperationCount = sizeof kOperationNames / sizeof kOperationNames[0];

constexpr bool HasGetPrefix(const char* name) {
  return name[0] == 'G' && name[1] == 'e' && name[2] == 't' && name[3] == '_';
}

constexpr std::size_t Length(const char* text) {
  std::size_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

// A name is read as up to four 64-bit words (little-endian, zeros past its end), folded to
// lower case and hashed a word at a time: no per-character loop, no byte stores read back.
inline constexpr std::size_t kLongestName = 32;
inline constexpr int kNameWords = kLongestName / 8;

// The letters 'A' to 'Z' of each byte lane gain 0x20; every other byte stays.
constexpr uint64_t FoldWord(uint64_t word) {
  constexpr uint64_t kHigh = 0x8080808080808080ULL;
  constexpr uint64_t kLow = 0x7F7F7F7F7F7F7F7FULL;
  const uint64_t low = word & kLow;
  const uint64_t at_least_a = low + 0x3F3F3F3F3F3F3F3FULL;  // high bit where low >= 'A'
  const uint64_t beyond_z = low + 0x2525252525252525ULL;    // high bit where low > 'Z'
  const uint64_t upper = at_least_a & ~beyond_z & ~word & kHigh;
  return word | (upper >> 2);
}

struct NameWords {
  uint64_t words[kNameWords] = {};
};

// One step per word the name fills, from its length; the table and the lookup share the steps.
constexpr uint64_t HashStep(uint64_t hash, uint64_t word) {
  return (hash ^ word) * 0x9E3779B97F4A7C15ULL;
}
constexpr uint64_t HashFinish(uint64_t hash) { return hash ^ (hash >> 29); }

constexpr uint64_t Hash(const NameWords& name, std::size_t length) {
  uint64_t hash = length;
  for (std::size_t k = 0; k * 8 < length; ++k) hash = HashStep(hash, name.words[k]);
  return HashFinish(hash);
}

// Up to eight bytes from p, n of them readable (n < 8 reads only those), zeros past n.
inline uint64_t WordAt(const char* p, std::size_t n) {
  uint64_t word = 0;
  if (n >= 8) {
    std::memcpy(&word, p, 8);
  } else if (n >= 4) {
    uint32_t low;
    uint32_t high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + n - 4, 4);
    word = low | static_cast<uint64_t>(high) << (8 * (n - 4));
  } else if (n > 0) {
    const auto byte = [p](std::size_t k) {
      return static_cast<uint64_t>(static_cast<uint8_t>(p[k]));
    };
    word = byte(0) | byte(n / 2) << (8 * (n / 2)) | byte(n - 1) << (8 * (n - 1));
  }
  return word;
}

// One key per spelling: the export name, and the name without "Get_".
struct Key {
  int16_t operation = -1;
  uint8_t length = 0;
  NameWords folded;
};

inline constexpr std::size_t kSlots = 1024;  // a power of two, over seven times the keys
inline constexpr int kSlotBits = 10;
// The top bits of the hash pick the slot.
constexpr std::size_t FirstSlot(uint64_t hash) { return hash >> (64 - kSlotBits); }

constexpr int CountKeys() {
  int count = 0;
  for (const char* name : kOperationNames) count += HasGetPrefix(name) ? 2 : 1;
  return count;
}
inline constexpr int kKeyCount = CountKeys();

// The keys, and the slots that index them (-1: empty).
struct Table {
  Key keys[kKeyCount] = {};
  int16_t slots[kSlots] = {};
};

constexpr Table BuildTable() {
  Table table;
  for (int16_t& slot : table.slots) slot = -1;
  int next = 0;
  auto insert = [&table, &next](int operation, bool short_form) {
    const char* name = kOperationNames[operation] + (short_form ? 4 : 0);
    const std::size_t length = Length(name);
    Key& key = table.keys[next];
    key.operation = static_cast<int16_t>(operation);
    key.length = static_cast<uint8_t>(length);
    for (std::size_t i = 0; i < length; ++i) {
      key.folded.words[i / 8] |= static_cast<uint64_t>(static_cast<unsigned char>(name[i]))
                                 << (8 * (i % 8));
    }
    for (uint64_t& word : key.folded.words) word = FoldWord(word);
    std::size_t slot = FirstSlot(Hash(key.folded, length));
    while (table.slots[slot] >= 0) slot = (slot + 1) & (kSlots - 1);
    table.slots[slot] = static_cast<int16_t>(next++);
  };
  for (int operation = 0; operation < kOperationCount; ++operation) {
    insert(operation, false);
    if (HasGetPrefix(kOperationNames[operation])) insert(operation, true);
  }
  return table;
}

inline constexpr Table kTable = BuildTable();

// The operation's index in the export list, or -1: `length` characters from `requested`
// (which need not end there).
inline int FindOperation(const char* requested, std::size_t length) {
  if (length == 0 || length > kLongestName) return -1;
  // Four scalars, not an array: words stored and read back as one vector would stall.
  const uint64_t w0 = FoldWord(WordAt(requested, length));
  const uint64_t w1 = length > 8 ? FoldWord(WordAt(requested + 8, length - 8)) : 0;
  const uint64_t w2 = length > 16 ? FoldWord(WordAt(requested + 16, length - 16)) : 0;
  const uint64_t w3 = length > 24 ? FoldWord(WordAt(requested + 24, length - 24)) : 0;
  // Hash's steps, unrolled over the four scalars.
  uint64_t hash = HashStep(length, w0);
  if (length > 8) hash = HashStep(hash, w1);
  if (length > 16) hash = HashStep(hash, w2);
  if (length > 24) hash = HashStep(hash, w3);
  for (std::size_t slot = FirstSlot(HashFinish(hash));; slot = (slot + 1) & (kSlots - 1)) {
    const int16_t index = kTable.slots[slot];
    if (index < 0) return -1;
    const Key& candidate = kTable.keys[index];
    const uint64_t difference = (candidate.length ^ length) | (candidate.folded.words[0] ^ w0) |
                                (candidate.folded.words[1] ^ w1) |
                                (candidate.folded.words[2] ^ w2) | (candidate.folded.words[3] ^ w3);
    if (difference == 0) return candidate.operation;
  }
}

// The same for a NUL-terminated name.
inline int FindOperation(const char* requested) {
  return FindOperation(requested, strnlen(requested, kLongestName + 1));
}

}  // namespace numora::names
