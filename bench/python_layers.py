#!/usr/bin/env python3
"""The Python layer beside its baselines, in one run:
    scalar numora.sqrt(x) against the standard library's Decimal(x).sqrt() at 19 digits;
    the batch numora.map("sqrt", operands), per operand, against the C register protocol
    (SetFile + Get_Sqrt + GetFile, from numora_layers_bench in the same run).

    PYTHONPATH=build/linux/python bench/python_layers.py build/linux/bench/numora_layers_bench
"""
import json
import subprocess
import sys
import timeit
from decimal import Decimal, getcontext

import numora

OPERANDS = ["2", "0.5", "12345.678", "1e-5", "3.14159", "98765.4321e3"]
BATCH = OPERANDS * 100  # 600 operands: results stay in the cache, as in a loop of calls


def best(statement, number, repeat=7):
    return min(timeit.repeat(statement, number=number, repeat=repeat, globals=globals())) / number


def register_protocol_ns(program):
    out = subprocess.run([program, "--benchmark_filter=RegisterProtocol",
                          "--benchmark_repetitions=5", "--benchmark_format=json"],
                         capture_output=True, text=True, check=True).stdout
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    return min(b["cpu_time"] for b in runs)


def main():
    getcontext().prec = 19
    scalar = best("for x in OPERANDS: numora.sqrt(x)", 20000) / len(OPERANDS) * 1e9
    decimal = best("for x in OPERANDS: Decimal(x).sqrt()", 20000) / len(OPERANDS) * 1e9
    mapped = best("numora.map('sqrt', BATCH)", 200) / len(BATCH) * 1e9
    print(f"numora.sqrt(x)               {scalar:8.0f} ns")
    print(f"Decimal(x).sqrt(), prec 19   {decimal:8.0f} ns   numora is {decimal / scalar:.2f}x faster")
    print(f"numora.map('sqrt', ...)      {mapped:8.0f} ns per operand")
    if len(sys.argv) > 1:
        protocol = register_protocol_ns(sys.argv[1])
        print(f"C register protocol          {protocol:8.0f} ns   the batch costs "
              f"{mapped / protocol:.2f}x")


if __name__ == "__main__":
    main()
