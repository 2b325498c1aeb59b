// log2 of the table points 1 + i/128 in two parts: the reduction of a logarithm to a small
// remainder whose series converges in a few terms.
#pragma once

#include "numtext/Extended.h"

namespace numora::kernels {

inline constexpr int kLog2TableEntries = 128;

struct Log2TableEntry {
  ExtendedBits high, low;
};

extern const Log2TableEntry kLog2Table[kLog2TableEntries];

}  // namespace numora::kernels
