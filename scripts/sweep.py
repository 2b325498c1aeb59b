#!/usr/bin/env python3
"""Random sweep of every real operation in every angle unit against mpmath.

    scripts/sweep.py --driver PROGRAM [--library PATH] [--runner "CMD ..."]
                     [--cases N] [--seed S] [--jobs J] [--show K]

Operands are drawn with a seed: magnitudes log-uniform over the whole extended range (normal
and subnormal), deliberate draws at the range edges of each operation (the overflow thresholds
of exp, sinh, cosh and the powers, the largest value, the smallest normal), zeros, exact
multiples and near-multiples of the right angle in every unit, near +-1, both signs, and
two-operand pairs whose results land near and beyond both ends of the range. The real-axis
cases of CPython's own math test data (test/math_testcases.txt), when it is installed, join
them as a second source of inputs.

Each operand is written as a text of at most 19 significant digits; the reference is the true
value at the extended value that the library's parse gives for that text. A result passes when
it is within one unit of its 15th significant digit, INF/-INF beyond the range, "0" below the
smallest normal, "NAN" outside the domain. The driver (tests/SweepDriver.cpp) runs the cases
through the library; --runner runs it under Wine. Prints a table per operation and the
failures grouped by operation; exits 1 on any failure.
"""
import argparse
import collections
import glob
import multiprocessing
import os
import random
import shlex
import subprocess
import sys
from fractions import Fraction

import mpmath as mp

from extended_model import (EMAX, EMIN, LARGEST, SMALLEST_NORMAL, SUBNORMAL_QUANTUM, extended,
                            from_bits, parse)

sys.set_int_max_str_digits(0)
mp.mp.dps = 40  # every constant and drawn value below holds its 64 bits exactly

INT32 = 2**31
UNITS = ["RAD", "DEG", "GRAD"]

DEG_TO_RAD = from_bits(0x3FF9, 0x8EFA351294E9C8AE)
RAD_TO_DEG = from_bits(0x4004, 0xE52EE0D31E0FBDC3)
GRAD_TO_RAD = from_bits(0x3FF9, 0x80ADFC90B938CE36)
RAD_TO_GRAD = from_bits(0x4004, 0xFEA5DD5C5A4A6111)


def text_of(value, digits=19):
    """A decimal text of `value` with at most `digits` significant digits."""
    if value == 0:
        return "0"
    s = mp.nstr(value, digits, min_fixed=1, max_fixed=0, strip_zeros=True)
    mantissa, _, exponent = s.partition("e")
    return mantissa + ("E" + str(int(exponent)) if exponent else "")


# ---------------------------------------------------------------- references

def real_or_none(value):
    if isinstance(value, mp.mpc):
        return value.real if value.imag == 0 else None
    return value


def safe(function):
    def wrapped(*args):
        try:
            return real_or_none(function(*args))
        except (ValueError, ZeroDivisionError):
            return None
    return wrapped


def signed_infinity(negative):
    return -mp.inf if negative else mp.inf


def exact_fraction(x):
    man, exp = mp.mpf(x).man_exp
    return Fraction(man * 2**exp) if exp >= 0 else Fraction(man, 2**-exp)


def circular(name, x, unit):
    """sin, cos, tan, cot, sec, csc of x read in `unit`; multiples of the right angle exact,
    zeros and poles signed as sinpi, cospi and tanpi sign them."""
    negative = x < 0
    odd = name in ("sin", "tan", "cot", "csc")
    magnitude = abs(x)
    if unit == "RAD":
        if magnitude == 0:
            quadrant, remainder = 0, 0
        else:
            radians = magnitude
            quadrant = None
    else:
        right = 90 if unit == "DEG" else 100
        turn = exact_fraction(magnitude) % (4 * right)
        quadrant = None
        if turn % right == 0:
            quadrant, remainder = int(turn // right), 0
        else:
            radians = mp.mpf(turn.numerator) / turn.denominator * mp.pi / (2 * right)
    if quadrant is not None:  # a zero remainder: sin, cos of the quadrant exactly
        s, c = [(0, 1), (1, 0), (0, -1), (-1, 0)][quadrant]
        # The zero's sign: sinpi(n) = +0, cospi(n + 1/2) = +0, tanpi(n) = +0 for even n, -0 for
        # odd n, tanpi(n + 1/2) = +inf for even n, -inf for odd n (positive operands).
        if name == "sin":
            value = mp.mpf(s)
        elif name == "cos":
            value = mp.mpf(c)
        elif name in ("tan", "cot"):
            if quadrant in (1, 3):
                pole = signed_infinity(quadrant == 3)
                value = pole if name == "tan" else mp.mpf(0)
            else:
                value = mp.mpf(0) if name == "tan" else signed_infinity(quadrant == 2)
        elif name == "sec":
            value = mp.inf if c == 0 else mp.mpf(1) / c
        else:  # csc
            value = mp.mpf(1) / s if s != 0 else mp.inf  # 1/(+0)
        if value == 0:
            return value  # zeros print "0" whatever their sign
        return -value if (negative and odd) else value
    function = {"sin": mp.sin, "cos": mp.cos, "tan": mp.tan, "cot": mp.cot, "sec": mp.sec,
                "csc": mp.csc}[name]
    value = function(radians)
    return -value if (negative and odd) else value


def in_unit(x, unit):
    """The operand of the inverse and hyperbolic functions: x times the unit's factor."""
    if unit == "DEG":
        return extended(x * DEG_TO_RAD)
    if unit == "GRAD":
        return extended(x * GRAD_TO_RAD)
    return x


def angular(function):
    return lambda x, unit: safe(function)(in_unit(x, unit))


def plain(function):
    return lambda x, unit: safe(function)(x)


def circular_op(name):
    return lambda x, unit: circular(name, x, unit)


def asec(x):
    if x == 0:
        return mp.inf
    return mp.asec(x)


def acsc(x):
    if x == 0:
        return mp.inf
    return mp.acsc(x)


def asech(x):
    if x == 0:
        return mp.inf
    return mp.asech(x)


def acot(x):
    if x == 0:
        return mp.pi / 2
    return mp.acot(x)


def acsch(x):
    if x == 0:
        return mp.inf  # 1/0 masked, then ln of infinity
    return mp.asinh(1 / x)


def atanh(x):
    if abs(x) == 1:
        return signed_infinity(x < 0)
    if abs(x) > 1:
        return None
    return mp.atanh(x)


def acoth(x):
    if abs(x) == 1:
        return signed_infinity(x < 0)
    if abs(x) < 1:
        return None
    return mp.acoth(x)


def coth(x):
    if x == 0:
        return mp.inf  # -0 is judged apart
    if abs(x) > 12000:
        return mp.mpf(1) if x > 0 else mp.mpf(-1)
    return mp.coth(x)


def csch(x):
    if x == 0:
        return mp.inf
    if abs(x) > 12000:
        return mp.mpf(0)
    return mp.csch(x)


def log_of(x, base_log):
    if x < 0:
        return None
    if x == 0:
        return -mp.inf
    return mp.log(x) / base_log


def lnxp1(x):
    if x < -1:
        return None
    if x == -1:
        return -mp.inf
    return mp.log1p(x)


def ln(x):
    return log_of(x, 1)


def exp(x):
    # mpmath's exp of a huge argument is slow and beyond every range anyway.
    if x > 12000:
        return mp.inf
    if x < -12000:
        return mp.mpf(0)
    return mp.exp(x)


def sinh(x):
    if abs(x) > 12000:
        return signed_infinity(x < 0)
    return mp.sinh(x)


def cosh(x):
    if abs(x) > 12000:
        return mp.inf
    return mp.cosh(x)


def tanh(x):
    if abs(x) > 12000:
        return mp.mpf(1) if x > 0 else mp.mpf(-1)
    return mp.tanh(x)


def sech(x):
    return mp.mpf(0) if abs(x) > 12000 else mp.sech(x)


def whole_or_self(function):
    # Every extended value of magnitude 2^63 or more is an integer already.
    return lambda x: x if abs(x) >= 2**63 else function(x)


def floor32(x):
    return x if abs(x) >= 2**63 else mp.floor(x)


def power(a, e):
    if e == 0:
        return mp.mpf(1)
    if a == 0:
        return mp.mpf(0) if e > 0 else mp.inf
    if a < 0 and e != mp.floor(e):
        return None
    magnitude = exp_of_log(abs(a), e)
    if a < 0 and int(e) % 2 == 1:
        return -magnitude
    return magnitude


def exp_of_log(a, e):
    """|a|^e without mpmath's slow path for results far beyond the range."""
    log2 = mp.log(a, 2) * e
    if log2 > 16400:
        return mp.inf
    if log2 < -16500:
        return mp.mpf(0)
    return mp.power(a, e)


def int_power(a, n):
    if n == 0:
        return mp.mpf(1)
    if a == 0:
        return mp.mpf(0) if n > 0 else mp.inf
    return power(a, mp.mpf(n))


def log_n(b, x):
    if b <= 0 or x < 0:
        return None
    if b == 1:
        return None if x == 1 else (mp.inf if x > 1 else -mp.inf)
    if x == 0:
        return -mp.inf if b > 1 else mp.inf
    return mp.log(x) / mp.log(b)


def to_double(x):
    if x == 0 or abs(x) < mp.mpf(2) ** -1074:
        return mp.mpf(0)
    if abs(x) < mp.mpf(2) ** -1022:
        quantum = mp.mpf(2) ** -1074
        return mp.nint(x / quantum) * quantum
    with mp.workprec(53):
        return +x


def decimal_rounding(x, d, ties_to_even):
    x = to_double(x)
    d = ((int(d) + 128) % 256) - 128  # the position's low 8 bits, signed
    scale = mp.mpf(10) ** d
    q = x / scale
    if abs(q) >= 2**63:
        return x
    lower = mp.floor(q)
    frac = q - lower
    if frac > 0.5 or (frac == 0.5 and ((not ties_to_even and q > 0) or
                                       (ties_to_even and lower % 2 == 1))):
        k = lower + 1
    else:
        k = lower
    return to_double(k * scale)


ONE = {
    "Get_Sqrt": plain(mp.sqrt),
    "Get_Sin": circular_op("sin"), "Get_Cos": circular_op("cos"), "Get_Tan": circular_op("tan"),
    "Get_Cot": circular_op("cot"), "Get_Cotan": circular_op("cot"),
    "Get_Sec": circular_op("sec"), "Get_Csc": circular_op("csc"),
    "Get_ASin": angular(mp.asin), "Get_ACos": angular(mp.acos), "Get_ATan": angular(mp.atan),
    "Get_ACot": angular(acot), "Get_ASec": angular(asec), "Get_ACsc": angular(acsc),
    "Get_SinH": angular(sinh), "Get_CosH": angular(cosh), "Get_TanH": angular(tanh),
    "Get_CotH": angular(coth), "Get_SecH": angular(sech), "Get_CscH": angular(csch),
    "Get_ASinH": angular(mp.asinh), "Get_ACosH": angular(mp.acosh), "Get_ATanH": angular(atanh),
    "Get_ACotH": angular(acoth), "Get_ASecH": angular(asech), "Get_ACscH": angular(acsch),
    "Get_Ln": plain(ln), "Get_LnXP1": plain(lnxp1),
    "Get_Log10": plain(lambda x: log_of(x, mp.log(10))),
    "Get_Log2": plain(lambda x: log_of(x, mp.log(2))),
    "Get_Exp": plain(exp),
    "Get_Floor": plain(floor32), "Get_Frac": plain(lambda x: x - (mp.floor(x) if x >= 0 else
                                                                   mp.ceil(x))),
    "Get_Round": plain(whole_or_self(mp.nint)),
    "Get_Trunc": plain(whole_or_self(lambda x: mp.floor(x) if x >= 0 else mp.ceil(x))),
    "Deg_To_Rad": plain(lambda x: x * DEG_TO_RAD),
    "Rad_To_Deg": plain(lambda x: x * RAD_TO_DEG),
    "Grad_To_Rad": plain(lambda x: x * GRAD_TO_RAD),
    "Rad_To_Grad": plain(lambda x: x * RAD_TO_GRAD),
    "Deg_To_Grad": plain(lambda x: extended(x * DEG_TO_RAD) * RAD_TO_GRAD),
    "Grad_To_Deg": plain(lambda x: extended(x * GRAD_TO_RAD) * RAD_TO_DEG),
}
# Two operands: (reference, kind of the second operand: "real" or "int").
TWO = {
    "Get_LogN": (log_n, "real"),
    "Get_Power": (power, "real"),
    "Get_IntPower": (int_power, "int"),
    "Get_Ldexp": (lambda x, n: mp.ldexp(x, int(n)), "int"),
    "Get_Hypot": (lambda a, b: mp.hypot(a, b), "real"),
    "Get_RoundTo": (lambda x, d: decimal_rounding(x, d, True), "int"),
    "Get_SimpleRoundTo": (lambda x, d: decimal_rounding(x, d, False), "int"),
    "Get_ShR": (lambda x, count: x * mp.power(2, -count), "real-count"),
}

def int32(value):
    value &= 0xFFFFFFFF
    return value - (1 << 32) if value >= 1 << 31 else value


def random_int32(rng):
    return rng.choice([rng.randint(-INT32, INT32 - 1), rng.randint(-300, 300),
                       rng.choice([0, -1, INT32 - 1, -INT32, 1])])


# Integer operations: an operand drawer and the exact text expected.
INTEGER = {
    "Get_And": (lambda rng: f"{random_int32(rng)},{random_int32(rng)}",
                lambda t: str(int32(int(t.split(",")[0]) & int(t.split(",")[1])))),
    "Get_Or": (lambda rng: f"{random_int32(rng)},{random_int32(rng)}",
               lambda t: str(int32(int(t.split(",")[0]) | int(t.split(",")[1])))),
    "Get_Xor": (lambda rng: f"{random_int32(rng)},{random_int32(rng)}",
                lambda t: str(int32(int(t.split(",")[0]) ^ int(t.split(",")[1])))),
    "Get_Not": (lambda rng: str(random_int32(rng)), lambda t: str(int32(~int(t)))),
    "Get_ShL": (lambda rng: f"{random_int32(rng)},{rng.randint(-40, 40)}",
                lambda t: str(int32(int(t.split(",")[0]) << (int(t.split(",")[1]) & 31)))),
    "Dec_To_Hex": (lambda rng: str(random_int32(rng)),
                   lambda t: "%X" % (int(t) & 0xFFFFFFFF)),
    "Hex_To_Dec": (lambda rng: "%X" % rng.getrandbits(rng.randint(1, 40)),
                   lambda t: str(int32(int(t, 16)))),
}
# Real results of integer texts: the octal digits' value, and a shift by a real count.
INTEGER_REAL = {
    "Oct_To_Dec": (lambda rng: "%o" % rng.getrandbits(rng.randint(1, 90)),
                   lambda t: mp.mpf(int(t, 8))),
}

ANGULAR = {"Get_Sin", "Get_Cos", "Get_Tan", "Get_Cot", "Get_Cotan", "Get_Sec", "Get_Csc",
           "Get_ASin", "Get_ACos", "Get_ATan", "Get_ACot", "Get_ASec", "Get_ACsc", "Get_SinH",
           "Get_CosH", "Get_TanH", "Get_CotH", "Get_SecH", "Get_CscH", "Get_ASinH", "Get_ACosH",
           "Get_ATanH", "Get_ACotH", "Get_ASecH", "Get_ACscH"}


# ---------------------------------------------------------------- operands

def random_extended(rng, low=EMIN - 63, high=EMAX):
    """A random extended value, its binary exponent uniform in [low, high]: log-uniform."""
    exponent = rng.randint(low, high)
    if exponent < EMIN:  # subnormal
        significand = rng.getrandbits(64) >> (EMIN - exponent)
        return mp.ldexp(mp.mpf(max(significand, 1)), EMIN - 63)
    return mp.ldexp(mp.mpf(rng.getrandbits(63) | (1 << 63)), exponent - 63)


def signed(rng, value):
    return -value if rng.random() < 0.5 else value


def near(rng, value, spread=1e-15):
    """value moved by a random relative amount up to `spread`, or exactly value."""
    if rng.random() < 0.2:
        return mp.mpf(value)
    return mp.mpf(value) * (1 + mp.mpf(rng.uniform(-spread, spread)))


def random_operand(rng, entry, unit):
    """One operand text for a one-operand entry."""
    r = rng.random()
    if r < 0.5:
        return text_of(signed(rng, random_extended(rng)))
    if r < 0.6:  # moderate magnitudes, where most results are finite and ordinary
        return text_of(signed(rng, random_extended(rng, -70, 70)))
    if r < 0.63:
        return rng.choice(["0", "-0", "1", "-1", "0.5", "-0.5", "2", text_of(LARGEST),
                           text_of(-LARGEST), text_of(SMALLEST_NORMAL), "3.3621031431120935E-4932",
                           "1E-4950", "-1E-4950"])
    if entry in ("Get_Exp", "Get_SinH", "Get_CosH", "Get_TanH", "Get_CotH", "Get_SecH",
                 "Get_CscH"):
        # Overflow and underflow thresholds: ln of the largest value, of twice it, of the
        # smallest normal and subnormal.
        edges = [mp.log(LARGEST), mp.log(2 * LARGEST), mp.log(SMALLEST_NORMAL),
                 mp.log(SUBNORMAL_QUANTUM), 11356.5, 11357.3, 1024]
        edge = rng.choice(edges)
        if unit != "RAD" and entry != "Get_Exp":
            edge = edge / (DEG_TO_RAD if unit == "DEG" else GRAD_TO_RAD)
        return text_of(signed(rng, near(rng, edge, rng.choice([1e-18, 1e-12, 1e-6, 1e-3]))))
    if entry in ("Get_Sin", "Get_Cos", "Get_Tan", "Get_Cot", "Get_Cotan", "Get_Sec", "Get_Csc"):
        if unit == "RAD":
            k = rng.choice([1, 2, 3, rng.randint(1, 1000), rng.randint(1, 10**9),
                            rng.randint(1, 10**18), rng.randint(1, 10**300)])
            return text_of(signed(rng, near(rng, k * mp.pi / 2, rng.choice([1e-19, 1e-17, 1e-12]))))
        right = 90 if unit == "DEG" else 100
        k = rng.choice([0, 1, 2, 3, 4, rng.randint(1, 100), rng.randint(1, 10**15),
                        rng.randint(1, 10**17)])
        base = k * right + rng.choice([0, 0, 0, right // 2, right // 3, 30, 60, 45, 1])
        if rng.random() < 0.6 and base < 10**19:
            return text_of(mp.mpf(-base if rng.random() < 0.5 else base))  # exact
        return text_of(signed(rng, near(rng, base, rng.choice([1e-19, 1e-17, 1e-10]))))
    if entry in ("Get_ASin", "Get_ACos", "Get_ASec", "Get_ACsc", "Get_ATanH", "Get_ACotH",
                 "Get_ASecH", "Get_ACosH"):
        target = mp.mpf(1)
        if unit != "RAD":
            target = target / (DEG_TO_RAD if unit == "DEG" else GRAD_TO_RAD)
        if rng.random() < 0.5:
            return text_of(signed(rng, near(rng, target, rng.choice([1e-18, 1e-12, 1e-5]))))
        return text_of(signed(rng, mp.mpf(rng.uniform(0, 1)) * target))
    if entry in ("Get_Floor", "Get_Round", "Get_Trunc", "Get_Frac"):
        edge = rng.choice([2**31, 2**32, 2**53, 2**63, 2**64, 0.5, 1.5, 2.5])
        return text_of(signed(rng, near(rng, edge, rng.choice([1e-19, 1e-17, 1e-10]))))
    if entry in ("Get_LnXP1", "Get_Ln", "Get_Log10", "Get_Log2"):
        return text_of(signed(rng, near(rng, rng.choice([1, 0.25, 1e-20, 2]), 1e-3)))
    return text_of(signed(rng, random_extended(rng, -300, 300)))


def random_pair(rng, entry):
    """One "a,b" operand text for a two-operand entry."""
    r = rng.random()
    if entry in ("Get_Power", "Get_IntPower"):
        a = random_extended(rng, -200, 200) if r < 0.6 else random_extended(rng)
        if rng.random() < 0.3:
            a = -a
        if rng.random() < 0.5:
            # A result near an end of the range: log2 |a^e| near +-16384 or -16445.
            target = rng.choice([16384, -16382, -16445, 16383.9, -16444]) * (1 + rng.uniform(-1e-3, 1e-3))
            log2a = mp.log(abs(a), 2)
            if log2a == 0:
                log2a = mp.mpf(1)
            e = target / log2a
        else:
            e = mp.mpf(rng.uniform(-1, 1)) * mp.mpf(10) ** rng.uniform(0, 9.4)
        if entry == "Get_IntPower" or rng.random() < 0.5:
            e = int(mp.nint(e))
            e = max(min(e, INT32 - 1), -INT32)
            return f"{text_of(a)},{e}"
        return f"{text_of(a)},{text_of(e)}"
    if entry == "Get_LogN":
        base = random_extended(rng) if r < 0.5 else near(rng, 1, rng.choice([1e-15, 1e-5]))
        return f"{text_of(base)},{text_of(random_extended(rng))}"
    if entry == "Get_ShR":
        x = signed(rng, random_extended(rng, -100, 100))
        count = rng.choice([rng.randint(-70, 70), rng.randint(-17000, 17000)])
        return f"{text_of(x)},{count if rng.random() < 0.7 else text_of(mp.mpf(count) + mp.mpf(rng.random()))}"
    if entry == "Get_Ldexp":
        x = signed(rng, random_extended(rng))
        n = rng.choice([rng.randint(-40000, 40000), rng.randint(-INT32, INT32 - 1),
                        rng.randint(-100, 100)])
        return f"{text_of(x)},{n}"
    if entry == "Get_Hypot":
        a = signed(rng, random_extended(rng))
        b = signed(rng, random_extended(rng) if r < 0.5 else a * mp.mpf(rng.uniform(0.1, 10)))
        return f"{text_of(a)},{text_of(b)}"
    # RoundTo, SimpleRoundTo: a value within the double range and a position.
    x = signed(rng, random_extended(rng, -1000, 1000) if r < 0.5 else random_extended(rng, -30, 60))
    if rng.random() < 0.3:  # decimal halves
        x = mp.mpf(rng.randint(-10**6, 10**6)) + mp.mpf("0.5")
        x = x / mp.mpf(10) ** rng.randint(0, 5)
        return f"{text_of(x)},{rng.randint(-6, 0)}"
    return f"{text_of(x)},{rng.choice([rng.randint(-20, 20), rng.randint(-128, 127), rng.randint(-1000, 1000)])}"


def cpython_cases():
    """Real-axis operands of CPython's math test data, where it is installed."""
    names = {"sqrt": "Get_Sqrt", "exp": "Get_Exp", "log": "Get_Ln", "log10": "Get_Log10",
             "log2": "Get_Log2", "log1p": "Get_LnXP1", "sin": "Get_Sin", "cos": "Get_Cos",
             "tan": "Get_Tan", "asin": "Get_ASin", "acos": "Get_ACos", "atan": "Get_ATan",
             "sinh": "Get_SinH", "cosh": "Get_CosH", "tanh": "Get_TanH", "asinh": "Get_ASinH",
             "acosh": "Get_ACosH", "atanh": "Get_ATanH"}
    paths = sorted(glob.glob("/usr/lib/python3*/test/math_testcases.txt") +
                   glob.glob("/usr/lib/python3*/test/mathdata/math_testcases.txt"))
    operands = []
    for path in paths[:1]:
        with open(path) as data:
            for line in data:
                fields = line.split("--")[0].split()
                if len(fields) < 3 or fields[1] not in names:
                    continue
                try:
                    value = float(fields[2])
                except ValueError:
                    continue
                if value != value or value in (float("inf"), float("-inf")):
                    continue  # no text of the library reads as a NaN or an infinity
                operands.append((names[fields[1]], text_of(mp.mpf(value))))
    return operands


def draw_cases(count, seed):
    rng = random.Random(seed)
    entries = sorted(ONE) + sorted(TWO) + sorted(INTEGER) + sorted(INTEGER_REAL)
    cases = []
    external = cpython_cases()
    for unit, (entry, operand) in zip(UNITS * len(external), external):
        cases.append((unit, entry, operand))
    cases = cases[:count // 10]
    while len(cases) < count:
        entry = rng.choice(entries)
        unit = rng.choice(UNITS)
        if entry in ONE:
            operand = random_operand(rng, entry, unit)
        elif entry in INTEGER:
            operand = INTEGER[entry][0](rng)
        elif entry in INTEGER_REAL:
            operand = INTEGER_REAL[entry][0](rng)
        else:
            operand = random_pair(rng, entry)
        cases.append((unit, entry, operand))
    return cases


# ---------------------------------------------------------------- judging

# Of -0 (mpmath has no signed zero): the reciprocal functions give -INF.
NEGATIVE_ZERO_POLES = {"Get_Cot", "Get_Cotan", "Get_Csc", "Get_CotH", "Get_CscH", "Get_ACscH"}


def reference(case):
    unit, entry, operand = case
    if entry in INTEGER:
        return "=" + INTEGER[entry][1](operand)
    with mp.workdps(40):
        try:
            if entry in INTEGER_REAL:
                return show(INTEGER_REAL[entry][1](operand))
            if entry in ONE:
                x = parse(operand)
                if mp.isinf(x):
                    return "!EConvertError"  # beyond the range: the text is refused
                # A negative zero, read as one or underflowed to one by the unit's factor.
                negative_zero = (x == 0 and operand.strip().startswith("-")) or (
                    x < 0 and entry in ANGULAR and extended(x * DEG_TO_RAD if unit == "DEG" else
                                                            x * GRAD_TO_RAD if unit == "GRAD"
                                                            else x) == 0)
                if negative_zero and entry in NEGATIVE_ZERO_POLES:
                    return "-INF"
                value = ONE[entry](x, unit)
            else:
                function, kind = TWO[entry]
                first, second = operand.split(",")
                a = parse(first)
                b = mp.mpf(int(second)) if kind == "int" else parse(second)
                if kind == "real-count":  # the count is read, and its power formed, first
                    a, b = parse(first), parse(second)
                if mp.isinf(a) or mp.isinf(b):
                    return "!EConvertError"
                value = safe(function)(a, b)
        except (ValueError, ZeroDivisionError, OverflowError):
            value = None
        return show(value)


def show(value):
    if value is None or mp.isnan(value):
        return "NAN"
    if mp.isinf(value) or abs(value) >= LARGEST * (1 + mp.mpf(2) ** -65):
        return "INF" if value > 0 else "-INF"
    if value == 0:
        return "0"
    return mp.nstr(value, 25, strip_zeros=False)


def acceptable(printed, truth):
    """Within one unit of the 15th significant digit, the same special, or below the smallest
    normal "0" or a value within the subnormal grid's rounding."""
    if truth.startswith("="):
        return printed == truth[1:]
    if truth.startswith("!") or truth in ("NAN", "INF", "-INF", "0"):
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


def run_driver(args, cases):
    command = shlex.split(args.runner) if args.runner else []
    command.append(args.driver)
    if args.library:
        command.append(args.library)
    lines = "".join(f"{u}\t{e}\t{o}\n" for u, e, o in cases)
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
    parser.add_argument("--driver", required=True)
    parser.add_argument("--library", default="")
    parser.add_argument("--runner", default="")
    parser.add_argument("--directory", default=None, help="the driver's working directory")
    parser.add_argument("--cases", type=int, default=20000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--show", type=int, default=10, help="failures shown per operation")
    parser.add_argument("--save", default="", help="write each case and its printed text here")
    args = parser.parse_args()

    cases = draw_cases(args.cases, args.seed)
    printed = run_driver(args, cases)
    if args.save:
        with open(args.save, "w") as out:
            for (unit, entry, operand), text in zip(cases, printed):
                out.write(f"{unit}\t{entry}\t{operand}\t{text}\n")
    with multiprocessing.Pool(args.jobs) as pool:
        truths = pool.map(reference, cases, chunksize=256)

    totals = collections.Counter()
    failures = collections.defaultdict(list)
    for case, text, truth in zip(cases, printed, truths):
        key = case[1] if case[1] not in ANGULAR else f"{case[1]} {case[0]}"
        totals[key] += 1
        if not acceptable(text, truth):
            failures[key].append((case, text, truth))

    print(f"sweep: {len(cases)} cases, seed {args.seed}")
    print(f"{'operation':<26}{'cases':>8}{'failed':>8}")
    for key in sorted(totals):
        print(f"{key:<26}{totals[key]:>8}{len(failures[key]):>8}")
    failed = sum(len(f) for f in failures.values())
    for key in sorted(failures):
        print(f"\n{key}: {len(failures[key])} failed")
        for (unit, entry, operand), text, truth in failures[key][:args.show]:
            print(f"  {entry} {operand} ({unit}): printed {text}, true {truth}")
    print(f"\n{len(cases) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
