#!/usr/bin/env python3
"""Writes src/realops/Log2Table.cpp: log2(1 + i/128) for i = 0..128, each as the nearest
extended value and the nearest extended value to what remains, as exponent fields and
significands."""
import mpmath as mp

mp.mp.prec = 400
ENTRIES = 128


def bits(value):
    """(sign and exponent field, significand) of value rounded to 64 significant bits."""
    if value == 0:
        return 0, 0
    sign = 0x8000 if value < 0 else 0
    m, e = mp.frexp(abs(value))  # value = m * 2^e, 1/2 <= m < 1
    significand = int(mp.nint(m * 2**64))
    if significand == 2**64:
        significand //= 2
        e += 1
    return sign | (e - 1 + 16383), significand


def rounded(value):
    field, significand = bits(value)
    if significand == 0:
        return mp.mpf(0)
    sign = -1 if field & 0x8000 else 1
    return sign * mp.ldexp(significand, (field & 0x7FFF) - 16383 - 63)


rows = []
for i in range(ENTRIES + 1):
    exact = mp.log(1 + mp.mpf(i) / ENTRIES, 2)
    high = rounded(exact)
    rows.append((bits(high), bits(exact - high)))

with open("src/realops/Log2Table.cpp", "w") as out:
    out.write("// Made by scripts/make_log2_table.py: log2(1 + i/128) = high + low, each the nearest\n")
    out.write("// extended value, as {sign and exponent field, significand}.\n")
    out.write('#include "realops/Log2Table.h"\n\nnamespace numora::kernels {\n\n')
    out.write("constinit const Log2TableEntry kLog2Table[kLog2TableEntries] = {\n")
    for (hf, hs), (lf, ls) in rows:
        out.write(f"    {{{{0x{hf:04X}, 0x{hs:016X}ULL}}, {{0x{lf:04X}, 0x{ls:016X}ULL}}}},\n")
    out.write("};\n\n}  // namespace numora::kernels\n")
print(f"{ENTRIES + 1} entries")
