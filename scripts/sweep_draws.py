"""The operands of the random sweep, drawn with a seed: magnitudes log-uniform over the whole
extended range (normal and subnormal), the range edges of each operation, exact multiples of the
right angle, CPython's own math test inputs, and a share drawn where each operation is
sensitive: near the points where its condition number is large or its result reaches an end of
the range, found after the unit's conversion (in degrees and grads the operand whose exact angle
lies there), and, for the two-operand ones, bases near 1 with exponents up to the largest value
and zeros and the infinities' neighbours in either position with every kind of other operand.

    draw_cases(count, seed) -> [(unit, entry, operand text, drawn where sensitive)]
"""
import glob
import random

import mpmath as mp

from extended_model import EMAX, EMIN, LARGEST, SMALLEST_NORMAL, SUBNORMAL_QUANTUM
from sweep_references import (ANGULAR, DEG_TO_RAD, GRAD_TO_RAD, INT32, ONE, RAD_TO_DEG,
                              RAD_TO_GRAD, TWO, UNITS)

SENSITIVE_SHARE = 0.3  # of the drawn real operations


def text_of(value, digits=19):
    """A decimal text of `value` with at most `digits` significant digits."""
    if value == 0:
        return "0"
    s = mp.nstr(value, digits, min_fixed=1, max_fixed=0, strip_zeros=True)
    mantissa, _, exponent = s.partition("e")
    return mantissa + ("E" + str(int(exponent)) if exponent else "")


def random_int32(rng):
    return rng.choice([rng.randint(-INT32, INT32 - 1), rng.randint(-300, 300),
                       rng.choice([0, -1, INT32 - 1, -INT32, 1])])


# Integer operations: an operand drawer each.
INTEGER_DRAWS = {
    "Get_And": lambda rng: f"{random_int32(rng)},{random_int32(rng)}",
    "Get_Or": lambda rng: f"{random_int32(rng)},{random_int32(rng)}",
    "Get_Xor": lambda rng: f"{random_int32(rng)},{random_int32(rng)}",
    "Get_Not": lambda rng: str(random_int32(rng)),
    "Get_ShL": lambda rng: f"{random_int32(rng)},{rng.randint(-40, 40)}",
    "Dec_To_Hex": lambda rng: str(random_int32(rng)),
    "Hex_To_Dec": lambda rng: "%X" % rng.getrandbits(rng.randint(1, 40)),
    "Oct_To_Dec": lambda rng: "%o" % rng.getrandbits(rng.randint(1, 90)),
}


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


def random_operand(rng, entry, unit, multiples_only=False):
    """One operand text for a one-operand entry; for the circular ones, with `multiples_only`,
    only near the multiples of the right angle."""
    r = 1.0 if multiples_only else rng.random()
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
            edge = edge / exact_factor(unit)
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
            target = target / exact_factor(unit)
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
    with mp.workdps(40):  # every drawn value and its text keep their 64 bits
        return draw_with(random.Random(seed), count)


def draw_with(rng, count):
    entries = sorted(ONE) + sorted(TWO) + sorted(INTEGER_DRAWS)
    cases = []
    external = cpython_cases()
    for unit, (entry, operand) in zip(UNITS * len(external), external):
        cases.append((unit, entry, operand, False))
    cases = cases[:count // 10]
    while len(cases) < count:
        entry = rng.choice(entries)
        unit = rng.choice(UNITS)
        sensitive = rng.random() < SENSITIVE_SHARE
        if entry in INTEGER_DRAWS:
            operand = INTEGER_DRAWS[entry](rng)
            sensitive = False
        elif entry in ONE:
            operand = (sensitive_operand if sensitive else random_operand)(rng, entry, unit)
        else:
            operand = (sensitive_pair if sensitive else random_pair)(rng, entry)
        cases.append((unit, entry, operand, sensitive))
    return cases


# ---------------------------------------------------------------- sensitive regions

HALF = mp.mpf(1) / 2
LN_LARGEST = mp.log(LARGEST)
LN_TWICE_LARGEST = mp.log(2 * LARGEST)
LN_HALF_SMALLEST = mp.log(2 / SMALLEST_NORMAL)   # where 2 e^-x reaches the smallest normal
LN_HALF_QUANTUM = mp.log(2 / SUBNORMAL_QUANTUM)  # and the smallest subnormal
BRANCH = mp.mpf(2) ** -8                         # where the kernels change formula

# Points where each function is sensitive, in its own operand (radians for the angular ones,
# the exact angle): where its condition number |x f'(x) / f(x)| is large (near +-1 for the
# inverse functions, near 1 for the logarithms, large magnitudes for the exponentials),
# where its result reaches an end of the range, and where a kernel changes formula.
SENSITIVE_POINTS = {
    "Get_Sqrt": [SUBNORMAL_QUANTUM, SMALLEST_NORMAL, LARGEST, 1],
    "Get_ASin": [1, -1, HALF, -HALF, 0], "Get_ACos": [1, -1, HALF, -HALF, 0],
    "Get_ASec": [1, -1, 2, -2, LARGEST], "Get_ACsc": [1, -1, 2, -2, LARGEST],
    "Get_ATan": [0, 1, -1, LARGEST], "Get_ACot": [0, 1, -1, LARGEST],
    "Get_SinH": [0, BRANCH, 1024, LN_LARGEST, LN_TWICE_LARGEST],
    "Get_CosH": [BRANCH, 1024, LN_LARGEST, LN_TWICE_LARGEST],
    "Get_TanH": [0, BRANCH, 11356.5],
    "Get_CotH": [0, BRANCH, 11356.5, 1 / LARGEST],
    "Get_SecH": [BRANCH, 1024, LN_HALF_SMALLEST, LN_HALF_QUANTUM, 11356.5],
    "Get_CscH": [0, 1 / LARGEST, BRANCH, 1024, LN_HALF_SMALLEST, LN_HALF_QUANTUM],
    "Get_ASinH": [0, BRANCH, mp.mpf(2) ** 8000, -mp.mpf(10) ** 10, LARGEST],
    "Get_ACosH": [1, 1.5, mp.mpf(2) ** 8000, LARGEST],
    "Get_ATanH": [1, -1, BRANCH, 0],
    "Get_ACotH": [1, -1, 256, LARGEST],
    "Get_ASecH": [1, HALF, mp.mpf(2) ** -8000, SUBNORMAL_QUANTUM],
    "Get_ACscH": [0, 256, mp.mpf(2) ** -8000, LARGEST, SUBNORMAL_QUANTUM],
    "Get_Ln": [1, SMALLEST_NORMAL, SUBNORMAL_QUANTUM, LARGEST, 2],
    "Get_Log2": [1, SMALLEST_NORMAL, SUBNORMAL_QUANTUM, LARGEST, 2],
    "Get_Log10": [1, SMALLEST_NORMAL, SUBNORMAL_QUANTUM, LARGEST, 10],
    "Get_LnXP1": [0, -1, mp.mpf(1) / 4, -mp.mpf(1) / 4, LARGEST],
    "Get_Exp": [0, 1024, -1024, LN_LARGEST, mp.log(SMALLEST_NORMAL), mp.log(SUBNORMAL_QUANTUM)],
    "Get_Floor": [HALF, 2**31, 2**32, 2**63, 2**64, -(2**31) - HALF],
    "Get_Round": [HALF, 1.5, 2.5, 2**63, 2**64], "Get_Trunc": [HALF, 2**63, 2**64],
    "Get_Frac": [HALF, 2**63, 2**64, 0],
    "Deg_To_Rad": [LARGEST / DEG_TO_RAD, SMALLEST_NORMAL / DEG_TO_RAD],
    "Rad_To_Deg": [LARGEST / RAD_TO_DEG, SMALLEST_NORMAL / RAD_TO_DEG],
    "Grad_To_Rad": [LARGEST / GRAD_TO_RAD, SMALLEST_NORMAL / GRAD_TO_RAD],
    "Rad_To_Grad": [LARGEST / RAD_TO_GRAD, SMALLEST_NORMAL / RAD_TO_GRAD],
    "Deg_To_Grad": [LARGEST, SMALLEST_NORMAL], "Grad_To_Deg": [LARGEST, SMALLEST_NORMAL],
}
CIRCULAR = {"Get_Sin", "Get_Cos", "Get_Tan", "Get_Cot", "Get_Cotan", "Get_Sec", "Get_Csc"}


def near_point(rng, point):
    """`point` itself, or moved by a relative amount of 2^-70 to 2^-10 (log-uniform) to either
    side; near 0 a tiny magnitude of either sign, down to the subnormals."""
    point = mp.mpf(point)
    if point == 0:
        return signed(rng, random_extended(rng, EMIN - 63, -20))
    if rng.random() < 0.15:
        return point
    return point * (1 + signed(rng, mp.mpf(2) ** -rng.uniform(10, 70)))


def exact_factor(unit):
    return mp.pi / 180 if unit == "DEG" else mp.pi / 200


def sensitive_operand(rng, entry, unit):
    """An operand near a point where `entry` is sensitive, after the unit's conversion: in
    degrees and grads the operand whose exact angle lies there."""
    if entry in CIRCULAR:
        return random_operand(rng, entry, unit, multiples_only=True)
    value = near_point(rng, rng.choice(SENSITIVE_POINTS[entry]))
    if rng.random() < 0.5:
        value = -value
    if entry in ANGULAR and unit != "RAD":
        value = value / exact_factor(unit)
    return text_of(value, 21)


# The operand kinds every position of a two-operand operation meets: zeros of both signs, the
# neighbours of the infinities (no text reads as one), the range's small end, ones, small and
# huge integers of both parities, fractions.
def special_real(rng):
    return rng.choice([
        mp.mpf(0), -mp.mpf(0), LARGEST, -LARGEST, SMALLEST_NORMAL, -SMALLEST_NORMAL,
        SUBNORMAL_QUANTUM, -SUBNORMAL_QUANTUM, mp.mpf(1), -mp.mpf(1), HALF, -HALF,
        mp.mpf(rng.randint(2, 5000)), -mp.mpf(rng.randint(2, 5000)),
        mp.mpf(rng.randint(2**31, 2**64) | 1), -mp.mpf(rng.randint(2**31, 2**64) | 1),
        mp.mpf(2 * rng.randint(2**31, 2**63)), -mp.mpf(2 * rng.randint(2**31, 2**63)),
        signed(rng, random_extended(rng))])


def special_int(rng):
    return rng.choice([0, 1, -1, 2, -2, rng.randint(4097, 100000), -rng.randint(4097, 100000),
                       INT32 - 1, -INT32, rng.randint(-INT32, INT32 - 1), 16445, -16445, 16384])


def base_near_one(rng):
    """1 +- 2^-k, k up to 70, with random further bits: a base whose logarithm is tiny."""
    k = rng.uniform(1, 70)
    return 1 + signed(rng, mp.mpf(2) ** -k * (1 + mp.mpf(rng.random())))


def sensitive_pair(rng, entry):
    """"a,b" near where a two-operand entry is sensitive: bases near 1 with exponents up to the
    largest value, zeros and the infinities' neighbours in each position with every kind of
    other operand, results near both ends of the range."""
    r = rng.random()
    second_int = entry in ("Get_IntPower", "Get_Ldexp", "Get_RoundTo", "Get_SimpleRoundTo")

    def other():
        return str(special_int(rng)) if second_int else text_of(special_real(rng), 21)

    if r < 0.35:  # a special operand in either position
        if rng.random() < 0.5:
            return f"{text_of(special_real(rng), 21)},{other()}"
        first = signed(rng, random_extended(rng))
        return f"{text_of(first, 21)},{other()}"
    if entry in ("Get_Power", "Get_IntPower"):
        a = base_near_one(rng)
        if rng.random() < 0.2:
            a = -a
        # |e log2 a| log-uniform up to beyond both ends of the range: e up to the largest value.
        target = mp.mpf(2) ** rng.uniform(-10, 15)
        e = signed(rng, target / abs(mp.log(abs(a), 2)))
        if entry == "Get_IntPower" or rng.random() < 0.4:
            e = int(mp.nint(e))
            if entry == "Get_IntPower":
                e = max(min(e, INT32 - 1), -INT32)
            return f"{text_of(a, 21)},{e}"
        return f"{text_of(a, 21)},{text_of(e, 21)}"
    if entry == "Get_LogN":
        base = base_near_one(rng) if rng.random() < 0.6 else signed(rng, random_extended(rng))
        x = base_near_one(rng) if rng.random() < 0.5 else random_extended(rng)
        return f"{text_of(abs(base), 21)},{text_of(x, 21)}"
    if entry == "Get_Hypot":
        a = random_extended(rng)
        b = a * mp.mpf(2) ** rng.uniform(-70, 70)
        return f"{text_of(signed(rng, a), 21)},{text_of(signed(rng, b), 21)}"
    if entry == "Get_Ldexp":
        x = signed(rng, random_extended(rng))
        n = rng.choice([EMIN - 63, EMIN, EMAX + 1]) - int(mp.floor(mp.log(abs(x), 2)))
        return f"{text_of(x, 21)},{n + rng.randint(-2, 2)}"
    if entry == "Get_ShR":
        x = signed(rng, random_extended(rng))
        return f"{text_of(x, 21)},{text_of(signed(rng, random_extended(rng, -10, 15)), 21)}"
    # RoundTo, SimpleRoundTo: values beyond the double range and at its ends.
    x = signed(rng, rng.choice([mp.mpf(2) ** 1024, mp.mpf(2) ** -1074, mp.mpf(2) ** -1022,
                                random_extended(rng)]) * (1 + mp.mpf(rng.uniform(-1e-3, 1e-3))))
    return f"{text_of(x, 21)},{rng.randint(-128, 127)}"
