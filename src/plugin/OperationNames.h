// Finds an operation of the export list by name, in any case and with or without the "Get_"
// of the operations, in time bounded by the name's length: an open-addressing table keyed by
// a hash of the case-folded name, built at compile time from the one export list. Header-only,
// so the host, which also drives the DLLs (they have no lookup of their own), shares it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "numora/numora_exports.h"

namespace numora::names {

#define NUMORA_OPERATION_NAME(name, ordinal) #name,
inline constexpr const char* kOperationNames[] = {NUMORA_OPERATION_EXPORTS(NUMORA_OPERATION_NAME)};
#undef NUMORA_OPERATION_NAME
inline constexpr int kOperationCount = sizeof kOperationNames / sizeof kOperationNames[0];

constexpr char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// FNV-1a of the folded characters.
constexpr uint32_t Hash(const char* text, std::size_t length) {
  uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < length; ++i) {
    hash = (hash ^ static_cast<unsigned char>(Fold(text[i]))) * 16777619u;
  }
  return hash;
}

constexpr std::size_t Length(const char* text) {
  std::size_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

constexpr bool HasGetPrefix(const char* name) {
  return name[0] == 'G' && name[1] == 'e' && name[2] == 't' && name[3] == '_';
}

// Each slot holds a key: an operation and whether its key is the name without "Get_".
struct Slot {
  int16_t operation = -1;
  bool short_form = false;
};

inline constexpr std::size_t kSlots = 512;  // a power of two, over three times the keys

struct Table {
  Slot slots[kSlots] = {};
};

constexpr Table BuildTable() {
  Table table;
  auto insert = [&table](int operation, bool short_form) {
    const char* key = kOperationNames[operation] + (short_form ? 4 : 0);
    std::size_t slot = Hash(key, Length(key)) & (kSlots - 1);
    while (table.slots[slot].operation >= 0) slot = (slot + 1) & (kSlots - 1);
    table.slots[slot] = {static_cast<int16_t>(operation), short_form};
  };
  for (int operation = 0; operation < kOperationCount; ++operation) {
    insert(operation, false);
    if (HasGetPrefix(kOperationNames[operation])) insert(operation, true);
  }
  return table;
}

inline constexpr Table kTable = BuildTable();

inline constexpr std::size_t kLongestName = 32;

// The operation whose key hashes to `hash` and equals `requested` in any case, or -1.
inline int FindHashed(const char* requested, std::size_t length, uint32_t hash) {
  for (std::size_t slot = hash & (kSlots - 1);; slot = (slot + 1) & (kSlots - 1)) {
    const Slot& candidate = kTable.slots[slot];
    if (candidate.operation < 0) return -1;
    const char* key = kOperationNames[candidate.operation] + (candidate.short_form ? 4 : 0);
    std::size_t i = 0;
    while (i < length && key[i] != '\0' && Fold(key[i]) == Fold(requested[i])) ++i;
    if (i == length && key[i] == '\0') return candidate.operation;
  }
}

// The operation's index in the export list, or -1.
inline int FindOperation(const char* requested, std::size_t length) {
  if (length == 0 || length > kLongestName) return -1;
  return FindHashed(requested, length, Hash(requested, length));
}

// The same for a NUL-terminated name: its length and hash in one pass.
inline int FindOperation(const char* requested) {
  uint32_t hash = 2166136261u;
  std::size_t length = 0;
  for (; requested[length] != '\0'; ++length) {
    if (length == kLongestName) return -1;
    hash = (hash ^ static_cast<unsigned char>(Fold(requested[length]))) * 16777619u;
  }
  if (length == 0) return -1;
  return FindHashed(requested, length, hash);
}

}  // namespace numora::names
