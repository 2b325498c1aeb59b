// log2 of the table points 1 + i/128, i = 0..128, in two parts: the reduction of a logarithm
// to a small remainder whose series converges in a few terms. The points 1 and 2 have exact
// logarithms, so values near 1 (from above and below) need no cancelling sum.
#pragma once

#include "numtext/Extended.h"

namespace numora::kernels {

inline constexpr int kLog2TableEntries = 129;

struct Log2TableEntry {
  ExtendedBits high, low;
};

extern const Log2TableEntry kLog2Table[kLog2TableEntries];

}  // namespace numora::kernels
