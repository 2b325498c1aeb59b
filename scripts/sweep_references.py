"""The references of the random sweep: each operation's mathematical definition at the
extended value the library's parse gives for the operand (extended_model.parse), in mpmath.
In degrees and grads the inverse and hyperbolic functions take the exact angle x * pi/180
(x * pi/200), the circular functions the exact remainder of x by the right angle.

    reference((unit, entry, operand)) -> "NAN", "INF", "-INF", "0", "!Kind", "=exact text" or
                                         the true value as a decimal of 25 digits
"""
from fractions import Fraction

import mpmath as mp

from extended_model import LARGEST, extended, from_bits, parse
from print_model import text_of_extended

INT32 = 2**31
UNITS = ["RAD", "DEG", "GRAD"]

DEG_TO_RAD = from_bits(0x3FF9, 0x8EFA351294E9C8AE)
RAD_TO_DEG = from_bits(0x4004, 0xE52EE0D31E0FBDC3)
GRAD_TO_RAD = from_bits(0x3FF9, 0x80ADFC90B938CE36)
RAD_TO_GRAD = from_bits(0x4004, 0xFEA5DD5C5A4A6111)


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
    """The operand of the inverse and hyperbolic functions: the exact angle x * pi/180 or
    x * pi/200, not its rounded product."""
    if unit == "DEG":
        return x * mp.pi / 180
    if unit == "GRAD":
        return x * mp.pi / 200
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
    if b == 0 and x > 0:
        return mp.mpf(0)  # ln x / ln b as b goes to 0 (the library: log2 x / -inf)
    if b <= 0 or x < 0:
        return None
    if b == 1:
        return None if x == 1 else (mp.inf if x > 1 else -mp.inf)
    if x == 0:
        return -mp.inf if b > 1 else mp.inf
    return mp.log(x) / mp.log(b)


def to_double(x):
    if abs(x) >= mp.mpf(2) ** 1024 - mp.mpf(2) ** 970:  # beyond the largest double's half unit
        return mp.inf if x > 0 else -mp.inf
    if abs(x) < mp.mpf(2) ** -1022:  # onto the subnormal grid, ties to even
        quantum = mp.mpf(2) ** -1074
        return mp.nint(x / quantum) * quantum
    with mp.workprec(53):
        return +x


def decimal_rounding(x, d, ties_to_even):
    """The decimal rounding as it is defined in steps: x narrowed to double; for d >= 0 the
    power 10^d rounded to extended and then to double, q = x / p rounded to extended; for d < 0
    (a double 10^d would be slightly too large) q = x * 10^-d rounded to extended; k the nearest
    integer to q; the result k * 10^d rounded to double once."""
    x = to_double(x)
    if mp.isinf(x):
        return x
    d = ((int(d) + 128) % 256) - 128  # the position's low 8 bits, signed
    with mp.workprec(400):
        if d >= 0:
            scale = to_double(extended(mp.mpf(10) ** d))
            q = extended(x / scale)
        else:
            factor = extended(mp.mpf(10) ** -d)
            scale = 1 / factor
            q = extended(x * factor)
    if abs(q) >= 2**63:
        return x
    lower = mp.floor(q)
    frac = q - lower
    if frac > 0.5 or (frac == 0.5 and ((not ties_to_even and q > 0) or
                                       (ties_to_even and lower % 2 == 1))):
        k = lower + 1
    else:
        k = lower
    with mp.workprec(400):
        return to_double(k * scale if d >= 0 else k / factor)


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


def first(t):
    return int(t.split(",")[0])


def second(t):
    return int(t.split(",")[1])


# Integer operations: the exact text expected.
INTEGER = {
    "Get_And": lambda t: str(int32(first(t) & second(t))),
    "Get_Or": lambda t: str(int32(first(t) | second(t))),
    "Get_Xor": lambda t: str(int32(first(t) ^ second(t))),
    "Get_Not": lambda t: str(int32(~int(t))),
    "Get_ShL": lambda t: str(int32(first(t) << (second(t) & 31))),
    "Dec_To_Hex": lambda t: "%X" % (int(t) & 0xFFFFFFFF),
    "Hex_To_Dec": lambda t: str(int32(int(t, 16))),
}
# Real results of integer texts: the octal digits' value.
INTEGER_REAL = {"Oct_To_Dec": lambda t: mp.mpf(int(t, 8))}

ANGULAR = {"Get_Sin", "Get_Cos", "Get_Tan", "Get_Cot", "Get_Cotan", "Get_Sec", "Get_Csc",
           "Get_ASin", "Get_ACos", "Get_ATan", "Get_ACot", "Get_ASec", "Get_ACsc", "Get_SinH",
           "Get_CosH", "Get_TanH", "Get_CotH", "Get_SecH", "Get_CscH", "Get_ASinH", "Get_ACosH",
           "Get_ATanH", "Get_ACotH", "Get_ASecH", "Get_ACscH"}


# Of -0 (mpmath has no signed zero): the reciprocal functions give -INF.
NEGATIVE_ZERO_POLES = {"Get_Cot", "Get_Cotan", "Get_Csc", "Get_CotH", "Get_CscH", "Get_ACscH"}


# Judged within one unit of the 15th digit (their steps are defined in doubles): the rest must
# print exactly the text of the extended value nearest to the true result.
NOT_CORRECTLY_ROUNDED = {"Get_ShR", "Oct_To_Dec"}


def reference(case):
    """The text the library must print (its print of the extended value nearest to the true
    result: print_model.py), or a special; for the entries judged within one unit of the 15th
    digit, the true value as a decimal of 25 digits. The true value is taken at growing
    precisions until its nearest extended value is certain."""
    unit, entry, operand = case
    if entry in INTEGER:
        return "=" + INTEGER[entry](operand)
    for digits in (50, 120, 400):
        value = true_value(unit, entry, operand, digits)
        if isinstance(value, str):
            return value
        if entry in NOT_CORRECTLY_ROUNDED:
            return show(value)
        if value is None or mp.isnan(value):
            return "NAN"
        if mp.isinf(value) or value == 0:
            break
        with mp.workdps(digits):
            margin = mp.mpf(10) ** (10 - digits)
            low, high = extended(value * (1 - margin)), extended(value * (1 + margin))
        if low == high:
            break
    return text_of_extended(extended(value) if value is not None else mp.nan)


def true_value(unit, entry, operand, digits):
    with mp.workdps(digits):
        try:
            if entry in INTEGER_REAL:
                return INTEGER_REAL[entry](operand)
            if entry in ONE:
                x = parse(operand)
                if mp.isinf(x):
                    return "!EConvertError"  # beyond the range: the text is refused
                # A negative zero: its reciprocal functions are -INF. (A nonzero operand has a
                # nonzero exact angle, however far below the range.)
                negative_zero = x == 0 and operand.strip().startswith("-")
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
        return value


def show(value):
    if value is None or mp.isnan(value):
        return "NAN"
    if mp.isinf(value) or abs(value) >= LARGEST * (1 + mp.mpf(2) ** -65):
        return "INF" if value > 0 else "-INF"
    if value == 0:
        return "0"
    return mp.nstr(value, 25, strip_zeros=False)
