#!/usr/bin/env python3
"""How often the accurate phase runs, per operation and unit: on everyday operands (1 to 17
significant digits, magnitudes from 10^-5 to 10^5, as a user types them) and on the sweep's
whole-range draws. Runs tests/PhaseProbe.cpp, which counts the phase from inside the library.

    scripts/second_phase_rates.py --probe build/linux/tests/numora_phase_probe
                                  [--cases N] [--seed S]
"""
import argparse
import collections
import random
import subprocess
import sys

import mpmath as mp

from sweep_draws import draw_cases
from sweep_references import ANGULAR, NOT_CORRECTLY_ROUNDED, ONE, TWO

sys.set_int_max_str_digits(0)
mp.mp.dps = 40


def everyday(rng, count):
    entries = [e for e in sorted(ONE) + sorted(TWO) if e not in NOT_CORRECTLY_ROUNDED]
    cases = []
    for _ in range(count):
        entry = rng.choice(entries)
        unit = rng.choice(["RAD", "DEG", "GRAD"]) if entry in ANGULAR else "RAD"

        def number():
            digits = rng.randint(1, 17)
            value = mp.mpf(rng.randint(10 ** (digits - 1), 10**digits - 1))
            value *= mp.mpf(10) ** (rng.randint(-5, 5) - digits + 1)
            return mp.nstr(value, digits, min_fixed=-6, max_fixed=7)

        if entry in TWO:
            second = str(rng.randint(-30, 30)) if TWO[entry][1] == "int" else number()
            cases.append((unit, entry, f"{number()},{second}"))
        else:
            cases.append((unit, entry, ("-" if rng.random() < 0.3 else "") + number()))
    return cases


def rates(probe, cases):
    lines = "".join(f"{u}\t{e}\t{o}\n" for u, e, o in cases)
    out = subprocess.run([probe, "count"], input=lines.encode(), stdout=subprocess.PIPE,
                         check=True).stdout.decode().split("\n")[:-1]
    totals, runs = collections.Counter(), collections.Counter()
    for (unit, entry, _), ran in zip(cases, out):
        key = entry if entry not in ANGULAR else f"{entry} {unit}"
        totals[key] += 1
        runs[key] += ran == "1"
    return totals, runs


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--probe", required=True)
    parser.add_argument("--cases", type=int, default=200000)
    parser.add_argument("--seed", type=int, default=3)
    args = parser.parse_args()
    day = rates(args.probe, everyday(random.Random(args.seed), args.cases))
    whole = rates(args.probe, [c[:3] for c in draw_cases(args.cases, args.seed)
                               if (c[1] in ONE or c[1] in TWO)
                               and c[1] not in NOT_CORRECTLY_ROUNDED])
    print(f"{'operation':<26}{'everyday':>10}{'ran':>7}{'share':>9}{'whole range':>13}{'ran':>7}"
          f"{'share':>9}")
    for key in sorted(set(day[0]) | set(whole[0])):
        d, w = (day[0][key], day[1][key]), (whole[0][key], whole[1][key])
        print(f"{key:<26}{d[0]:>10}{d[1]:>7}{d[1] / max(d[0], 1):>9.2%}{w[0]:>13}{w[1]:>7}"
              f"{w[1] / max(w[0], 1):>9.2%}")
    for name, (t, r) in (("everyday", day), ("whole range", whole)):
        print(f"{name}: the accurate phase ran for {sum(r.values())} of {sum(t.values())} "
              f"results ({sum(r.values()) / max(sum(t.values()), 1):.3%})")


if __name__ == "__main__":
    main()
