#!/usr/bin/env python3
"""Writes src/realops/TwoOverPiBits.cpp: the binary digits of 2/pi in 32-bit limbs, enough to
reduce every extended value (exponents up to 16383) with 3,500 fraction bits to spare, for the
accurate phase's widest precision."""
import mpmath as mp

LIMBS = 640
mp.mp.prec = 32 * LIMBS + 64
value = int(mp.floor(mp.mpf(2) ** (32 * LIMBS) * 2 / mp.pi))
limbs = [(value >> (32 * (LIMBS - 1 - j))) & 0xFFFFFFFF for j in range(LIMBS)]
with open("src/realops/TwoOverPiBits.cpp", "w") as out:
    out.write("// Made by scripts/make_two_over_pi_bits.py: 2/pi = sum of kTwoOverPiBits[j] * 2^(-32(j+1)).\n")
    out.write('#include "realops/ArgumentReduction.h"\n\nnamespace numora::kernels {\n\n')
    out.write(f"extern const uint32_t kTwoOverPiBits[kTwoOverPiLimbs] = {{\n")
    for i in range(0, LIMBS, 6):
        out.write("    " + ", ".join(f"0x{x:08X}" for x in limbs[i:i + 6]) + ",\n")
    out.write("};\n\n}  // namespace numora::kernels\n")
print(f"{LIMBS} limbs, first {limbs[0]:08X}")
