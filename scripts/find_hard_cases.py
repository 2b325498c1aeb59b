#!/usr/bin/env python3
"""Searches operands a user would type (integers, decimals of one to three digits, in every
angle unit) whose true result lies within 2^-60 (relative) of a point where the printed text
changes: halfway between two extended values that print differently. Writes them as a case
table (entry, operand, the text of the nearest extended value, the unit) for
tests/cases/hard_cases.tsv; every build runs it.

    scripts/find_hard_cases.py [--limit 2^-60] [--jobs J] > tests/cases/hard_cases.tsv
"""
import argparse
import multiprocessing
import os
import sys

import mpmath as mp

from extended_model import SMALLEST_NORMAL, extended, parse
from print_model import text_of_extended
from sweep_references import ANGULAR, true_value

sys.set_int_max_str_digits(0)
mp.mp.dps = 40

ONE_OPERAND = ["Get_Sin", "Get_Cos", "Get_Tan", "Get_Cot", "Get_Sec", "Get_Csc", "Get_ASin",
               "Get_ACos", "Get_ATan", "Get_ACot", "Get_ASec", "Get_ACsc", "Get_SinH",
               "Get_CosH", "Get_TanH", "Get_CotH", "Get_SecH", "Get_CscH", "Get_ASinH",
               "Get_ACosH", "Get_ATanH", "Get_ACotH", "Get_ASecH", "Get_ACscH", "Get_Ln",
               "Get_LnXP1", "Get_Log10", "Get_Log2", "Get_Exp"]
TWO_OPERAND = ["Get_Power", "Get_LogN", "Get_Hypot", "Get_IntPower"]


def typed_operands():
    """Integers, and decimals of one to three digits, both signs where they differ."""
    texts = [str(k) for k in range(1, 1001)]
    texts += [f"{k // 10}.{k % 10}" for k in range(1, 1000) if k % 10]
    texts += [f"{k // 100}.{k % 100:02d}" for k in range(1, 1000) if k % 10]
    texts += [f"0.{k:03d}" for k in range(1, 1000) if k % 10]
    return texts + ["-" + t for t in texts]


def typed_pairs():
    small = [str(k) for k in range(2, 40)] + [f"{k}.5" for k in range(1, 20)] + \
            [f"0.{k}" for k in range(1, 10)] + [f"1.{k:02d}" for k in range(1, 100, 3)]
    return [f"{a},{b}" for a in small for b in small]


def stepped(v, k):
    """The extended value k places from v (v normal), in its direction of magnitude."""
    m, e = mp.frexp(abs(v))  # |v| = m 2^e, 1/2 <= m < 1
    ulp = mp.ldexp(1, int(e) - 64)
    # Below a power of two the places are half as wide: step there one by one.
    w = abs(v)
    for _ in range(abs(k)):
        if k < 0:
            w2, e2 = mp.frexp(w)
            w -= mp.ldexp(1, int(e2) - 65) if w2 == 0.5 else mp.ldexp(1, int(e2) - 64)
        else:
            w += mp.ldexp(1, int(mp.frexp(w)[1]) - 64)
    return -w if v < 0 else w


def text_boundary(v, reach):
    """The point halfway between the two neighbouring extended values within `reach` places of
    v that print differently, or None: the print is monotone, so one comparison of the ends
    tells whether there is one, and halving finds it."""
    low, high = -reach, reach
    low_text = text_of_extended(stepped(v, low))
    if low_text == text_of_extended(stepped(v, high)):
        return None
    while high - low > 1:
        middle = (low + high) // 2
        if text_of_extended(stepped(v, middle)) == low_text:
            low = middle
        else:
            high = middle
    return (stepped(v, low) + stepped(v, high)) / 2


def hard(job):
    unit, entry, operand, limit = job
    t = true_value(unit, entry, operand, 60)
    if isinstance(t, str) or t is None or mp.isnan(t) or mp.isinf(t) or t == 0:
        return None
    if abs(t) < SMALLEST_NORMAL * 2:
        return None
    with mp.workdps(60):
        v = extended(t)
        if mp.isinf(v):
            return None
        boundary = text_boundary(v, 24)  # 2^-60 is at most 16 places
        if boundary is not None and abs(t - boundary) < limit * abs(t):
            return (entry, operand, text_of_extended(v), unit)
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--limit", type=float, default=2.0 ** -60)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    args = parser.parse_args()
    jobs = []
    for entry in ONE_OPERAND:
        for unit in (["RAD", "DEG", "GRAD"] if entry in ANGULAR else ["RAD"]):
            jobs += [(unit, entry, o, args.limit) for o in typed_operands()]
    for entry in TWO_OPERAND:
        pairs = typed_pairs()
        if entry == "Get_IntPower":
            pairs = [p for p in pairs if "." not in p.split(",")[1]]
        jobs += [("RAD", entry, p, args.limit) for p in pairs]
    with multiprocessing.Pool(args.jobs) as pool:
        found = [row for row in pool.map(hard, jobs, chunksize=64) if row is not None]
    print("# Operands a user would type whose true result lies within 2^-60 of a point where the")
    print("# printed text changes: each prints the text of the extended value nearest to it.")
    print("# Made by scripts/find_hard_cases.py.")
    for entry, operand, text, unit in found:
        option = "" if unit == "RAD" else f"\tunit={unit}"
        print(f"{entry}\t{operand}\t{text}{option}")
    print(f"{len(found)} of {len(jobs)} operands", file=sys.stderr)


if __name__ == "__main__":
    main()
