"""The 80-bit extended format and the library's reading of a decimal text, in mpmath: the
exact value every reference is taken at. Shared by scripts/sweep.py and
scripts/make_domain_accuracy_data.py."""
import mpmath as mp

# The extended format.
EMIN, EMAX = -16382, 16383  # exponents of normal values: 2^EMIN <= |x| < 2^(EMAX + 1)
SUBNORMAL_QUANTUM = mp.mpf(2) ** (EMIN - 63)
SMALLEST_NORMAL = mp.mpf(2) ** EMIN
with mp.workprec(80):
    LARGEST = (mp.mpf(2) ** 64 - 1) * mp.mpf(2) ** (EMAX - 63)
    # Halfway between the largest value and 2^16384: from here on values round to infinity.
    HALF_BEYOND_LARGEST = (mp.mpf(2) ** 65 - 1) * mp.mpf(2) ** (EMAX - 64)


def from_bits(exponent_field, significand):
    """The extended value of a (biased exponent field, 64-bit significand) pair."""
    with mp.workprec(80):
        return mp.ldexp(mp.mpf(significand), exponent_field - 16383 - 63)


def extended(value):
    """value rounded to the nearest extended real (ties to even), subnormals on their grid."""
    if value == 0 or mp.isinf(value) or mp.isnan(value):
        return value
    if abs(value) < SMALLEST_NORMAL:
        with mp.workprec(100):
            return mp.nint(value / SUBNORMAL_QUANTUM) * SUBNORMAL_QUANTUM
    if abs(value) >= HALF_BEYOND_LARGEST:
        return mp.inf if value > 0 else -mp.inf  # beyond the range once rounded
    with mp.workprec(64):
        return +value


def power_of_ten(k):
    with mp.workprec(64):
        return +(mp.mpf(10) ** k if k < 0 else mp.mpf(10**k))


def parse(text):
    """The extended value the library's parse gives for `text`: its first 19 significant
    digits exact, each further digit one rounded multiply and add, then scaled by at most three
    rounded powers of ten, each step rounded."""
    text = text.strip()
    sign = -1 if text.startswith("-") else 1
    text = text.lstrip("+-")
    mantissa, _, exponent = text.lower().partition("e")
    whole, _, fraction = mantissa.partition(".")
    digits = (whole + fraction).lstrip("0") or "0"
    n = (int(exponent) if exponent else 0) - len(fraction)
    with mp.workprec(80):
        x = mp.mpf(int(digits[:19]))
    with mp.workprec(64):
        for d in digits[19:]:
            x = x * 10
            x = x + int(d)
    if n != 0:
        m = abs(n)
        steps = [power_of_ten(m % 32)]
        if m >= 32 and (m // 32) % 16:
            steps.append(power_of_ten(32 * ((m // 32) % 16)))
        if m >= 512:
            steps.append(power_of_ten(512 * (m // 512)))
        for p in steps:
            with mp.workprec(200):
                x = x * p if n > 0 else x / p
            x = extended(x)
    return sign * x
