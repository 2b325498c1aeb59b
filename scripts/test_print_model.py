#!/usr/bin/env python3
"""Checks the print's model (print_model.py) against the print's own edge-case table
(tests/cases/printing.tsv, the rows at the default control word) and, through the library, on
random extended values of every magnitude: each printed by Get_Ldexp with a zero exponent.

    scripts/test_print_model.py --cases tests/cases/printing.tsv
                                --driver PROGRAM [--library PATH] [--count N]
"""
import argparse
import random
import subprocess
import sys

import mpmath as mp

from extended_model import EMAX, EMIN, parse
from print_model import text_of_extended

sys.set_int_max_str_digits(0)
mp.mp.dps = 40


def table_rows(path):
    for line in open(path):
        fields = line.rstrip("\n").split("\t")
        if line.startswith("#") or len(fields) < 3 or len(fields) > 3:
            continue  # comments, and rows under another control word
        entry, operand, text = fields
        if entry == "Get_Ldexp" and operand.endswith(",0"):
            yield operand[:-2], text


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--cases", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--library", default="")
    parser.add_argument("--count", type=int, default=20000)
    args = parser.parse_args()
    failures = 0
    rows = list(table_rows(args.cases))
    for operand, text in rows:
        got = text_of_extended(parse(operand))
        if got != text:
            failures += 1
            print(f"table: {operand}: the model prints {got}, the table says {text}")
    rng = random.Random(5)
    operands = []
    for _ in range(args.count):
        digits = rng.choice([rng.randint(1, 10**19 - 1), rng.randint(10**17, 10**18 - 1),
                             rng.randint(1, 10**6)])
        power = rng.randint(-4950, 4931)
        operands.append(f"{'-' if rng.random() < 0.3 else ''}{digits}E{power}")
    lines = "".join(f"RAD\tGet_Ldexp\t{o},0\n" for o in operands)
    command = [args.driver] + ([args.library] if args.library else [])
    printed = subprocess.run(command, input=lines.encode(), stdout=subprocess.PIPE,
                             check=True).stdout.decode().split("\n")[:-1]
    for operand, text in zip(operands, printed):
        value = parse(operand)
        if mp.isinf(value):
            continue  # beyond the range: the parse refuses the text
        got = text_of_extended(value)
        if got != text:
            failures += 1
            if failures < 20:
                print(f"library: {operand}: the model prints {got}, the library {text}")
    print(f"print model: {len(rows)} table rows, {len(operands)} values, {failures} differ")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
