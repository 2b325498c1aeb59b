#!/usr/bin/env python3
"""Writes tests/data/domain_accuracy.tsv: whole-domain references from mpmath.

Each reference is the true function value at the extended real that the library's parse gives
for the operand text (scripts/extended_model.py reproduces the parse for texts of at most 19
significant digits: an exact integer scaled by at most three correctly rounded powers of ten). Rows:
    entry <TAB> operand <TAB> reference
where the reference is a decimal of 40 digits, "INF"/"-INF" beyond the extended range, or
"NAN" outside the domain.  Needs mpmath (python3-mpmath).
"""
import math
import sys

import mpmath as mp

from extended_model import parse

sys.set_int_max_str_digits(0)

EXTENDED_BITS = 64
with mp.workprec(200):
    LARGEST = mp.mpf(2) ** 16384 - mp.mpf(2) ** (16384 - 64)
SMALLEST_NORMAL = mp.mpf(2) ** -16382


def rounded(value, bits=EXTENDED_BITS):
    """value rounded to nearest (ties to even) with `bits` significant bits."""
    with mp.workprec(bits):
        return +value


def to_double(x):
    return rounded(x, 53)


def show(value):
    if value is None or (isinstance(value, mp.mpc) and value.imag != 0):
        return "NAN"
    if isinstance(value, mp.mpc):
        value = value.real
    if mp.isnan(value):
        return "NAN"
    if mp.isinf(value) or abs(value) > LARGEST:
        return "INF" if value > 0 else "-INF"
    if abs(value) < SMALLEST_NORMAL:
        return "0"  # below the smallest normal every value prints as 0
    return mp.nstr(value, 40, strip_zeros=False)


def evaluate(function, *args, periodic=False):
    # A periodic function of a huge argument needs its digits to be reduced exactly.
    biggest = max([abs(a) for a in args] + [mp.mpf(1)])
    digits = 60 + (max(0, int(mp.log10(biggest))) if periodic else 0)
    with mp.workdps(digits):
        try:
            return function(*args)
        except (ValueError, ZeroDivisionError):
            return None


def real_only(function):
    def wrapped(x):
        value = function(x)
        return None if isinstance(value, mp.mpc) and value.imag != 0 else value
    return wrapped


MAGNITUDES = ["1e-4900", "1e-1000", "1e-300", "1e-20", "1e-16", "2e-16", "1e-10", "1e-5",
              "0.001", "0.1", "0.5", "0.9", "0.99999999986", "1", "1.0000000001", "2", "10",
              "100", "1e5", "1e10", "1e20", "1e300", "1e1000", "1e2500", "1e4900"]
BOTH_SIGNS = MAGNITUDES + ["-" + m for m in MAGNITUDES]


def near_multiples_of_half_pi():
    """Texts within a few units of the 19th digit of k*pi/2, and huge arguments."""
    texts = ["3.14159265358979", "3.141592653589793239", "1.570796326794896619",
             "1.5707963267948966", "4.712388980384689858", "6.283185307179586477"]
    with mp.workdps(60):
        for k in [3, 7, 10, 101, 1000, 355, 104348, 1000000, 10**9, 10**12, 10**15, 10**18]:
            v = k * mp.pi / 2
            texts.append(mp.nstr(v, 19, strip_zeros=False).replace("e+", "e"))
    texts += ["1e15", "1e18", "1e19", "9.2233720368547758e18", "1e22", "1e100", "1e300",
              "1e1000", "1e4000", "1.18e4932", "-1e22", "-1e4000", "0.7853981633974483096"]
    return texts


SINH_OVERFLOW = ["11356", "11356.5", "11356.6", "11357", "11357.2", "11357.3", "-11357",
                 "20000", "-20000"]
NEAR_ONE = ["0.99999999986", "-0.99999999986", "0.9999999999999", "1.0000000001",
            "1.0000000000001", "-1.0000000001", "0.99999999999999991", "1.00000000000000001",
            "0.9999999", "1.0000001"]

ONE = {
    "Get_Sqrt": (mp.sqrt, BOTH_SIGNS),
    "Get_Exp": (mp.exp, BOTH_SIGNS[:20] + ["11356", "-11355", "-11400", "20000", "-20000"]),
    "Get_Ln": (mp.ln, BOTH_SIGNS),
    "Get_Log10": (mp.log10, MAGNITUDES),
    "Get_Log2": (lambda x: mp.log(x, 2), MAGNITUDES),
    "Get_LnXP1": (mp.log1p, BOTH_SIGNS),
    "Get_Sin": (mp.sin, BOTH_SIGNS + near_multiples_of_half_pi()),
    "Get_Cos": (mp.cos, BOTH_SIGNS + near_multiples_of_half_pi()),
    "Get_Tan": (mp.tan, BOTH_SIGNS + near_multiples_of_half_pi()),
    "Get_Cot": (mp.cot, BOTH_SIGNS + near_multiples_of_half_pi()),
    "Get_Sec": (mp.sec, BOTH_SIGNS + near_multiples_of_half_pi()),
    "Get_Csc": (mp.csc, BOTH_SIGNS + near_multiples_of_half_pi()),
    "Get_ASin": (real_only(mp.asin), BOTH_SIGNS + NEAR_ONE),
    "Get_ACos": (real_only(mp.acos), BOTH_SIGNS + NEAR_ONE),
    "Get_ATan": (mp.atan, BOTH_SIGNS),
    "Get_ACot": (mp.acot, BOTH_SIGNS),
    "Get_ASec": (real_only(mp.asec), BOTH_SIGNS + NEAR_ONE),
    "Get_ACsc": (real_only(mp.acsc), BOTH_SIGNS + NEAR_ONE),
    "Get_SinH": (mp.sinh, BOTH_SIGNS + SINH_OVERFLOW),
    "Get_CosH": (mp.cosh, BOTH_SIGNS + SINH_OVERFLOW),
    "Get_TanH": (mp.tanh, BOTH_SIGNS + SINH_OVERFLOW),
    "Get_CotH": (mp.coth, BOTH_SIGNS + SINH_OVERFLOW),
    "Get_SecH": (mp.sech, BOTH_SIGNS + SINH_OVERFLOW),
    "Get_CscH": (mp.csch, BOTH_SIGNS + SINH_OVERFLOW),
    "Get_ASinH": (mp.asinh, BOTH_SIGNS),
    "Get_ACosH": (real_only(mp.acosh), BOTH_SIGNS + NEAR_ONE),
    "Get_ATanH": (real_only(mp.atanh), BOTH_SIGNS + NEAR_ONE),
    "Get_ACotH": (real_only(mp.acoth), BOTH_SIGNS + NEAR_ONE),
    "Get_ASecH": (real_only(mp.asech), BOTH_SIGNS + NEAR_ONE),
    "Get_ACscH": (mp.acsch, BOTH_SIGNS),
}


def whole(x):
    return x  # every extended value of magnitude >= 2^63 is an integer


ROUNDING_OPERANDS = ["2.5", "-2.5", "3.5", "1e15", "1e19", "-1e19", "1e20", "-1e20", "1e300",
                     "-1e4000", "9223372036854775807", "-9223372036854775808", "1.5e18",
                     "-2.7", "123456789012.75"]
ONE_ROUNDING = {
    "Get_Trunc": lambda x: mp.floor(x) if x >= 0 else mp.ceil(x),
    "Get_Round": lambda x: x if abs(x) >= 2**63 else mp.nint(x),
    "Get_Floor": mp.floor,
}


def power(a, e):
    if a == 0 and e < 0:
        return mp.inf
    if a < 0 and e != mp.floor(e):
        return None
    if a < 0:
        magnitude = mp.power(-a, e)
        return -magnitude if int(e) % 2 else magnitude
    return mp.power(a, e)


POWER_CASES = ["-1,1e30", "-1,1e19", "-1,9007199254740993", "-1,18446744073709551617",
               "-1,2147483649", "-1,-2147483649", "-2,1023", "-2,-1023", "-0.84,1099511627777",
               "-1.0000226316889920546,1000001", "1.0000226316889920546,1000001",
               "-1.0000000001,2147483647", "1.0000000001,2147483648", "0.9999999999,4294967296",
               "0,-0.5", "0,0.5", "2,0.5", "10,-3.5", "-8,0.5", "-8,3", "-2,0.5", "1.5,100.25",
               "0.5,-16383", "2,16383", "2,16384", "-2,16385", "3,-10000", "1e-10,1000",
               "7,1.1", "-7,31", "-7,-31", "1.0001,1000000", "0.9999,100000000"]
INT_POWER_CASES = ["2,10", "-2,31", "1.0000226316889920546,1000001", "1.0000000001,2147483647",
                   "-1.0000000001,2147483647", "0.9999999999,-2147483647", "3,-100", "10,4000",
                   "-1,2147483647", "1.001,100000", "0.5,-16383", "2,-16400"]


def decimal_rounding(x, d, ties_to_even):
    q = x / mp.mpf(10) ** d
    lower = mp.floor(q)
    frac = q - lower
    if frac > 0.5 or (frac == 0.5 and (not ties_to_even and q > 0)):
        k = lower + 1
    elif frac == 0.5 and ties_to_even:
        k = lower + (lower % 2)
    elif frac == 0.5 and q < 0:
        k = lower  # a negative half moves away from zero
    else:
        k = lower
    return k * mp.mpf(10) ** d


def rounding_cases():
    cases = []
    for d in range(-20, 21):
        for base in ["0.45", "0.375", "1.25", "0.125", "1234.5678", "2.5", "-2.5", "-0.375",
                     "0.5e-20", "2.675", "1.005", "-1234.5678"]:
            cases.append(f"{base},{d}")
    for d in [-20, -5, 0, 5, 20]:
        cases += [f"1e300,{d}", f"-1e300,{d}", f"1e20,{d}", f"5e-324,{d}", f"9.5e18,{d}"]
    return cases


TWO = {
    "Get_Power": (power, POWER_CASES),
    "Get_IntPower": (lambda a, n: power(a, n), INT_POWER_CASES),
    "Get_RoundTo": (lambda x, d: decimal_rounding(to_double(x), int(d), True), rounding_cases()),
    "Get_SimpleRoundTo": (lambda x, d: decimal_rounding(to_double(x), int(d), False),
                          rounding_cases()),
}


def main(path):
    mp.mp.dps = 60
    rows = []
    for name, (function, operands) in ONE.items():
        for text in dict.fromkeys(operands):
            periodic = name in ("Get_Sin", "Get_Cos", "Get_Tan", "Get_Cot", "Get_Sec", "Get_Csc")
            rows.append((name, text, show(evaluate(function, parse(text), periodic=periodic))))
    for name, function in ONE_ROUNDING.items():
        for text in ROUNDING_OPERANDS:
            rows.append((name, text, show(evaluate(function, parse(text)))))
    for name, (function, operands) in TWO.items():
        for text in operands:
            a, b = text.split(",")
            x = parse(a)
            y = mp.mpf(int(b)) if name in ("Get_IntPower", "Get_RoundTo",
                                           "Get_SimpleRoundTo") else parse(b)
            value = evaluate(function, x, y)
            if name in ("Get_RoundTo", "Get_SimpleRoundTo") and value is not None:
                value = to_double(value)
            rows.append((name, text, show(value)))
    with open(path, "w") as out:
        out.write("# Made by scripts/make_domain_accuracy_data.py: entry, operand, the true value\n")
        out.write("# at the parsed operand (40 digits), INF beyond the range, 0 below the smallest\n")
        out.write("# normal, NAN outside the domain.\n")
        for row in rows:
            out.write("\t".join(row) + "\n")
    print(f"{len(rows)} rows in {path}")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tests/data/domain_accuracy.tsv")
