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

constexpr char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// A hash of the folded characters: one shift and add per character (a multiply per character
// would chain its latency through the name), mixed by one multiply at the end.
inline constexpr uint32_t kHashStart = 5381u;
constexpr uint32_t HashStep(uint32_t hash, char c) {
  return ((hash << 5) + hash) ^ static_cast<unsigned char>(Fold(c));
}
constexpr uint32_t HashFinish(uint32_t hash) { return hash * 2654435769u; }

constexpr uint32_t Hash(const char* text, std::size_t length) {
  uint32_t hash = kHashStart;
  for (std::size_t i = 0; i < length; ++i) hash = HashStep(hash, text[i]);
  return HashFinish(hash);
}

constexpr std::size_t Length(const char* text) {
  std::size_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

constexpr bool HasGetPrefix(const char* name) {
  return name[0] == 'G' && name[1] == 'e' && name[2] == 't' && name[3] == '_';
}

inline constexpr std::size_t kLongestName = 32;

// A name folded and padded with zeros to the longest, compared as four words.
struct FoldedName {
  char text[kLongestName] = {};
};

// A key: an operation, whether it is the name without "Get_", its length and folded text.
struct Key {
  int16_t operation = -1;
  bool short_form = false;
  uint8_t length = 0;
  FoldedName folded;
};

inline constexpr std::size_t kSlots = 512;  // a power of two, over three times the keys
inline constexpr int kSlotBits = 9;
// The slot a hash starts from: its top bits, the best mixed.
constexpr std::size_t FirstSlot(uint32_t hash) { return hash >> (32 - kSlotBits); }

constexpr int CountKeys() {
  int count = 0;
  for (const char* name : kOperationNames) count += HasGetPrefix(name) ? 2 : 1;
  return count;
}
inline constexpr int kKeyCount = CountKeys();

// The keys, and the open-addressing slots that index them (-1: empty).
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
    key.short_form = short_form;
    key.length = static_cast<uint8_t>(length);
    for (std::size_t i = 0; i < length; ++i) key.folded.text[i] = Fold(name[i]);
    std::size_t slot = FirstSlot(Hash(name, length));
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

inline bool SameFolded(const FoldedName& a, const FoldedName& b) {
  uint64_t difference = 0;
  for (std::size_t i = 0; i < kLongestName; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a.text + i, 8);
    std::memcpy(&y, b.text + i, 8);
    difference |= x ^ y;
  }
  return difference == 0;
}

// The operation whose key hashes to `hash` and equals the folded request, or -1.
inline int FindHashed(const FoldedName& requested, std::size_t length, uint32_t hash) {
  for (std::size_t slot = FirstSlot(hash);; slot = (slot + 1) & (kSlots - 1)) {
    const int16_t index = kTable.slots[slot];
    if (index < 0) return -1;
    const Key& candidate = kTable.keys[index];
    if (candidate.length == length && SameFolded(candidate.folded, requested)) {
      return candidate.operation;
    }
  }
}

// The operation's index in the export list, or -1.
inline int FindOperation(const char* requested, std::size_t length) {
  if (length == 0 || length > kLongestName) return -1;
  FoldedName folded;
  uint32_t hash = kHashStart;
  for (std::size_t i = 0; i < length; ++i) {
    folded.text[i] = Fold(requested[i]);
    hash = HashStep(hash, requested[i]);
  }
  return FindHashed(folded, length, HashFinish(hash));
}

// The same for a NUL-terminated name: folded, measured and hashed in one pass.
inline int FindOperation(const char* requested) {
  FoldedName folded;
  uint32_t hash = kHashStart;
  std::size_t length = 0;
  for (; requested[length] != '\0'; ++length) {
    if (length == kLongestName) return -1;
    folded.text[length] = Fold(requested[length]);
    hash = HashStep(hash, requested[length]);
  }
  if (length == 0) return -1;
  return FindHashed(folded, length, HashFinish(hash));
}

}  // namespace numora::names
