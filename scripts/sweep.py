#!/usr/bin/env python3
"""Random sweep of every real operation in every angle unit against mpmath.

    scripts/sweep.py --driver PROGRAM [--library PATH] [--runner "CMD ..."]
                     [--cases N] [--seed S] [--jobs J] [--show K]
    scripts/sweep.py --list [--cases N] [--seed S]      the drawn cases, as the driver reads them

The operands (sweep_draws.py) are drawn with a seed over each operation's whole domain, with a
share where it is sensitive; the references (sweep_references.py) are the mathematical
definitions at the extended value the library's parse gives for the operand text
(extended_model.py), in degrees and grads at the exact angle. A result passes when it is within
one unit of its 15th significant digit, INF/-INF beyond the range, "0" below the smallest
normal, "NAN" outside the domain. The driver (tests/SweepDriver.cpp) runs the cases through the
library; --runner runs it under Wine. Prints a table per operation (with how many of its cases
were drawn where it is sensitive and how many of those failed) and the failures grouped by
operation; exits 1 on any failure.
"""
import argparse
import collections
import multiprocessing
import os
import shlex
import subprocess
import sys

import mpmath as mp

from extended_model import SMALLEST_NORMAL, SUBNORMAL_QUANTUM
from sweep_draws import draw_cases
from sweep_references import ANGULAR, reference

sys.set_int_max_str_digits(0)
mp.mp.dps = 40  # the printed texts and the references compared without a rounding of their own


def acceptable(printed, truth):
    """The same text, for the correctly rounded results and the specials; for a reference given
    as a decimal (the entries judged so), within one unit of its 15th significant digit, "0"
    below the smallest normal or a value within the subnormal grid's rounding."""
    if truth.startswith("="):
        return printed == truth[1:]
    if not is_decimal(truth):
        return printed == truth
    if printed.startswith("!") or printed in ("NAN", "INF", "-INF"):
        return False
    t = mp.mpf(truth)
    subnormal = abs(t) < SMALLEST_NORMAL
    if subnormal and printed == "0":
        return True
    try:
        value = mp.mpf(printed)
    except (ValueError, TypeError):
        return False
    log = mp.log10(abs(t))
    leading = mp.mpf(10) ** (log - mp.floor(log))
    tolerance = mp.mpf("1e-14") / leading * mp.mpf("1.0001")
    error = abs(value - t)
    if subnormal:
        error -= SUBNORMAL_QUANTUM
    return error <= tolerance * abs(t)


def judge(job):
    case, printed = job
    truth = reference(case)
    return truth, acceptable(printed, truth)


def is_decimal(truth):
    """A reference of 25 digits (show), not a text of the library's print."""
    mantissa = truth.lstrip("-").split("e")[0]
    return len(mantissa.replace(".", "")) >= 25


def run_driver(args, cases):
    command = shlex.split(args.runner) if args.runner else []
    command.append(args.driver)
    if args.library:
        command.append(args.library)
    lines = "".join(f"{u}\t{e}\t{o}\n" for u, e, o, _ in cases)
    result = subprocess.run(command, input=lines.encode(), stdout=subprocess.PIPE,
                            cwd=args.directory)
    if result.returncode == 77:  # the runner cannot run this architecture's programs here
        print(result.stdout.decode(), end="")
        sys.exit(77)
    if result.returncode != 0:
        sys.exit(f"sweep: the driver failed with exit status {result.returncode}")
    printed = result.stdout.decode().replace("\r\n", "\n").split("\n")[:-1]
    if len(printed) != len(cases):
        sys.exit(f"sweep: the driver printed {len(printed)} lines for {len(cases)} cases")
    return printed


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--driver")
    parser.add_argument("--library", default="")
    parser.add_argument("--runner", default="")
    parser.add_argument("--directory", default=None, help="the driver's working directory")
    parser.add_argument("--cases", type=int, default=20000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--show", type=int, default=10, help="failures shown per operation")
    parser.add_argument("--save", default="", help="write each case and its printed text here")
    parser.add_argument("--list", action="store_true",
                        help="print the cases as the driver reads them, and stop")
    args = parser.parse_args()

    cases = draw_cases(args.cases, args.seed)
    if args.list:
        sys.stdout.write("".join(f"{u}\t{e}\t{o}\n" for u, e, o, _ in cases))
        return 0
    if not args.driver:
        parser.error("--driver is required")
    printed = run_driver(args, cases)
    if args.save:
        with open(args.save, "w") as out:
            for (unit, entry, operand, _), text in zip(cases, printed):
                out.write(f"{unit}\t{entry}\t{operand}\t{text}\n")
    with multiprocessing.Pool(args.jobs) as pool:
        judged = pool.map(judge, [(case[:3], text) for case, text in zip(cases, printed)],
                          chunksize=256)

    totals = collections.Counter()
    sensitive = collections.Counter()
    sensitive_failed = collections.Counter()
    failures = collections.defaultdict(list)
    for case, text, (truth, passed) in zip(cases, printed, judged):
        key = case[1] if case[1] not in ANGULAR else f"{case[1]} {case[0]}"
        totals[key] += 1
        sensitive[key] += case[3]
        if not passed:
            failures[key].append((case, text, truth))
            sensitive_failed[key] += case[3]

    print(f"sweep: {len(cases)} cases, seed {args.seed}")
    print(f"{'operation':<26}{'cases':>8}{'failed':>8}{'sensitive':>11}{'failed':>8}")
    for key in sorted(totals):
        print(f"{key:<26}{totals[key]:>8}{len(failures.get(key, [])):>8}"
              f"{sensitive[key]:>11}{sensitive_failed[key]:>8}")
    failed = sum(len(f) for f in failures.values())
    for key in sorted(failures):
        print(f"\n{key}: {len(failures[key])} failed")
        for (unit, entry, operand, _), text, truth in failures[key][:args.show]:
            print(f"  {entry} {operand} ({unit}): printed {text}, true {truth}")
    print(f"\n{len(cases) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
