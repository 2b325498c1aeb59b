"""The library's print of an extended value, in mpmath, beside the parse's model
(extended_model.py): the text that RealToText gives under 64-bit precision and round-to-nearest.

    text_of_extended(v)   v an extended value (exact, as extended_model gives it), an infinity or a
                          NaN -> "1.4142135623731", "1E-5", "INF", "NAN", "0", ...

The value is scaled by 10^(18 - E) in at most three steps, each rounded to 64 bits (the powers
those of the parse), E estimated from the binary exponent (floor(e2 * 19728 / 65536) + 1) and
corrected once; the 18-digit integer N rounds to nearest (ties to even); the fifteen digits are
N / 1000 rounded half up by its last three digits; trailing zeros go. Checked against the
print's own edge-case table (tests/cases/printing.tsv) by scripts/test_print_model.py.
"""
import mpmath as mp

from extended_model import SMALLEST_NORMAL, extended, power_of_ten


def _step(x, p, up):
    with mp.workprec(400):
        y = x * p if up else x / p
    return extended(y)


def scaled(x, n):
    """x * 10^n as the library's ScaleByPowerOfTen forms it: low, mid and high steps rounded."""
    if n == 0:
        return x
    up = n > 0
    m = abs(n)
    x = _step(x, power_of_ten(m % 32), up)
    if m >= 32 and (m // 32) % 16:
        x = _step(x, power_of_ten(32 * ((m // 32) % 16)), up)
    if m >= 512:
        x = _step(x, power_of_ten(512 * (m // 512)), up)
    return x


def _nearest_integer(x):
    with mp.workprec(400):
        return int(mp.nint(x))  # ties to even, as the processor's integer store


def eighteen_digits(magnitude):
    """(N, E): magnitude is about N * 10^(E - 18), 10^17 <= N < 10^18."""
    _, e = mp.frexp(magnitude)
    e2 = int(e) - 1
    exponent = ((e2 * 19728) >> 16) + 1
    s = scaled(magnitude, 18 - exponent)
    if s < 9 * 10**18:
        n = _nearest_integer(s)
        if n < 10**17:  # the estimate one too large
            exponent -= 1
            n = _nearest_integer(scaled(magnitude, 18 - exponent))
        if n >= 10**18:
            q, r = divmod(n, 10)
            n = q + 1 if r > 5 or (r == 5 and q % 2 == 1) else q
            exponent += 1
    else:  # the estimate one too small
        with mp.workprec(400):
            tenth = extended(mp.mpf(_nearest_integer(s)) / 10)
        n = _nearest_integer(tenth)
        exponent += 1
    if n >= 10**18:
        n //= 10
        exponent += 1
    return n, exponent


def text_of_extended(v):
    if mp.isnan(v):
        return "NAN"
    if mp.isinf(v):
        return "INF" if v > 0 else "-INF"
    if v == 0 or abs(v) < SMALLEST_NORMAL:
        return "0"
    n, e = eighteen_digits(abs(v))
    q, r = divmod(n, 1000)
    if r >= 500:
        q += 1
    if q == 10**15:
        q //= 10
        e += 1
    digits = str(q).rstrip("0")
    sign = "-" if v < 0 else ""
    if e > 15 or e < -3:
        mantissa = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
        return f"{sign}{mantissa}E{e - 1}"
    if e > 0:
        whole = (digits + "0" * e)[:e]
        rest = digits[e:]
        return sign + whole + ("." + rest if rest else "")
    return f"{sign}0.{'0' * -e}{digits}"
