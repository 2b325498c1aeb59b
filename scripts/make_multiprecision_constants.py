#!/usr/bin/env python3
"""Writes src/realops/MultiprecisionConstants.cpp: pi, ln 2 and ln 10 in 32-bit limbs, most
significant first, each value = sum of limbs[j] * 2^(exponent - 32 (j + 1)), to 2368 bits (more
than the accurate phase's largest precision and its guard limbs)."""
import mpmath as mp

LIMBS = 74
mp.mp.prec = 32 * LIMBS + 64


def limbs(value):
    exponent = int(mp.floor(mp.log(value, 2))) + 1  # value in [2^(exponent-1), 2^exponent)
    whole = int(mp.floor(value * mp.mpf(2) ** (32 * LIMBS - exponent)))
    return exponent, [(whole >> (32 * (LIMBS - 1 - j))) & 0xFFFFFFFF for j in range(LIMBS)]


with open("src/realops/MultiprecisionConstants.cpp", "w") as out:
    out.write("// Made by scripts/make_multiprecision_constants.py: pi, ln 2 and ln 10 truncated to\n")
    out.write("// 2368 bits, value = sum of bits[j] * 2^(exponent - 32 (j + 1)).\n")
    out.write('#include "realops/MultiprecisionConstants.h"\n\nnamespace numora::accurate {\n')
    for name, value in (("kPi", mp.pi), ("kLn2", mp.log(2)), ("kLn10", mp.log(10))):
        exponent, bits = limbs(value)
        out.write(f"\nconst ConstantBits {name} = {{{exponent}, {{\n")
        for i in range(0, LIMBS, 6):
            out.write("    " + ", ".join(f"0x{x:08X}" for x in bits[i:i + 6]) + ",\n")
        out.write("}};\n")
    out.write("\n}  // namespace numora::accurate\n")
print(f"{LIMBS} limbs each")
