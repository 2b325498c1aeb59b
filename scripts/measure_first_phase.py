#!/usr/bin/env python3
"""The first phase's error, in units in the last place of the true result, over the sweep's
draws: the evidence behind each operation's stated bound (the correctly rounded results rely
on it). Runs tests/FirstPhaseProbe.cpp (the accurate phase off) and compares each result with
the mathematical definition at the parsed operand, in degrees and grads at the exact angle.

    scripts/measure_first_phase.py --probe build/linux/tests/numora_phase_probe
                                   [--cases N] [--seed S] [--jobs J]
"""
import argparse
import collections
import multiprocessing
import os
import subprocess
import sys

import mpmath as mp

from extended_model import SMALLEST_NORMAL, from_bits, parse
from sweep_draws import draw_cases
from sweep_references import ANGULAR, ONE, TWO, safe

sys.set_int_max_str_digits(0)
mp.mp.dps = 40  # the parsed operands (extended_model) keep their 64 bits


def truth(case):
    unit, entry, operand = case
    with mp.workdps(60):
        try:
            if entry in ONE:
                return ONE[entry](parse(operand), unit)
            function, kind = TWO[entry]
            first, second = operand.split(",")
            b = mp.mpf(int(second)) if kind == "int" else parse(second)
            return safe(function)(parse(first), b)
        except (ValueError, ZeroDivisionError, OverflowError):
            return None


def error_ulps(job):
    case, bits = job
    if bits == "!":
        return None
    field, significand = bits.split()
    field = int(field, 16)
    if field & 0x7FFF in (0, 0x7FFF):
        return None  # zeros, subnormals (all print "0"), infinities and NaNs
    value = from_bits(field & 0x7FFF, int(significand, 16))
    if field & 0x8000:
        value = -value
    t = truth(case)
    if t is None or mp.isinf(t) or mp.isnan(t) or t == 0 or abs(t) < SMALLEST_NORMAL:
        return None
    with mp.workdps(60):
        ulp = mp.mpf(2) ** (mp.floor(mp.log(abs(t), 2)) - 63)
        return float(abs(value - t) / ulp)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--probe", required=True)
    parser.add_argument("--cases", type=int, default=100000)
    parser.add_argument("--seed", type=int, default=11)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    args = parser.parse_args()
    cases = [c[:3] for c in draw_cases(args.cases, args.seed)
             if c[1] in ONE or c[1] in TWO]
    lines = "".join(f"{u}\t{e}\t{o}\n" for u, e, o in cases)
    out = subprocess.run([args.probe, "first"], input=lines.encode(), stdout=subprocess.PIPE, check=True)
    results = out.stdout.decode().split("\n")[:-1]
    with multiprocessing.Pool(args.jobs) as pool:
        errors = pool.map(error_ulps, list(zip(cases, results)), chunksize=256)
    worst = collections.defaultdict(lambda: (0.0, None))
    counts = collections.Counter()
    for case, e in zip(cases, errors):
        if e is None:
            continue
        key = case[1] if case[1] not in ANGULAR else f"{case[1]} {case[0]}"
        counts[key] += 1
        if e > worst[key][0]:
            worst[key] = (e, case[2])
    print(f"{'operation':<26}{'cases':>8}{'largest error (ulp)':>22}  at")
    for key in sorted(counts):
        e, operand = worst[key]
        print(f"{key:<26}{counts[key]:>8}{e:>22.3f}  {operand}")


if __name__ == "__main__":
    main()
