#!/usr/bin/python3
"""Writes the cases of the general number cross-check as C++ table rows.

Each case is a double and the text the program must give for it (comma as
the decimal mark), computed here independently of the program with exact
rational arithmetic: the value's exact decimal exponent, the power of ten
rounded to a 64-bit mantissa, the product rounded to a 64-bit mantissa and
then to an integer, the 18 digits rounded to 15. The cases are random bit
patterns, random decimals, values on the rounding edge of the 15th digit,
values whose digits the 64-bit rounding of the product decides (where an
exact product would round the other way), and whole numbers with their
neighbours. The seeds are fixed, so the table is the same on every run.
"""
import math
import random
import struct
import sys
from fractions import Fraction

TEN18 = 10**18


def round_int(num, den):
    """num / den, both positive integers, to the nearest integer, halves to even."""
    q, r = divmod(num, den)
    if 2 * r > den or (2 * r == den and q % 2):
        q += 1
    return q


def round64(num, den):
    """num / den to a 64-bit mantissa, halves to even, as (mantissa, exponent)."""
    e = num.bit_length() - den.bit_length() - 64
    while True:
        n, d = (num, den << e) if e >= 0 else (num << -e, den)
        if n >= d << 64:
            e += 1
        elif n < d << 63:
            e -= 1
        else:
            return round_int(n, d), e


def times_power_of_two(num, den, e):
    return (num << e, den) if e >= 0 else (num, den << -e)


def decimal_exponent(num, den):
    """E with 10^(E-1) <= num/den < 10^E, exactly."""
    e = len(str(num // den)) if num >= den else -len(str(den // num)) + 1
    while (num * 10 ** max(0, 1 - e) < den * 10 ** max(0, e - 1)):
        e -= 1
    while (num * 10 ** max(0, -e) >= den * 10 ** max(0, e)):
        e += 1
    return e


def scaled_digits(value, extended=True):
    num, den = Fraction(abs(value)).as_integer_ratio()
    e = decimal_exponent(num, den)
    k = 18 - e
    if extended:
        pm, pe = round64(10**k, 1) if k >= 0 else round64(1, 10**-k)
        m, me = round64(num * pm, den)
        n = round_int(*times_power_of_two(m, 1, me + pe))
    else:
        n = round_int(num * 10 ** max(0, k), den * 10 ** max(0, -k))
    if n >= TEN18:
        n = round_int(n, 10)
        e += 1
    return n, e


def text(value, extended=True):
    if value == 0:
        return "0"
    n, e = scaled_digits(value, extended)
    fifteen = n // 1000 + (1 if (n // 100) % 10 >= 5 else 0)
    if fifteen == 10**15:
        fifteen //= 10
        e += 1
    digits = str(fifteen).rstrip("0")
    out = "-" if value < 0 else ""
    if e > 15 or e < -3:
        out += digits[0] + ("," + digits[1:] if len(digits) > 1 else "") + "E" + str(e - 1)
    elif e <= 0:
        out += "0," + "0" * -e + digits
    else:
        out += digits[:e] + "0" * max(0, e - len(digits))
        if len(digits) > e:
            out += "," + digits[e:]
    return out


def bits(value):
    return struct.unpack("<Q", struct.pack("<d", value))[0]


def random_double(rng):
    while True:
        value = struct.unpack("<d", struct.pack("<Q", rng.getrandbits(64)))[0]
        if math.isfinite(value) and value != 0:
            return value


def main():
    rng = random.Random(20070305)
    values = []
    values += [random_double(rng) for _ in range(3000)]
    # Decimals as people type them: up to 17 digits at any scale.
    for _ in range(2000):
        digits = rng.randint(1, 17)
        values.append(float(f"{rng.randrange(10 ** digits)}e{rng.randint(-30, 30)}"))
    # On the edge of the 15th digit: a 15-digit prefix followed by 5.
    for _ in range(1500):
        prefix = rng.randrange(10**14, 10**15)
        tail = rng.choice(["5", "49999", "50001", "4999999", "5000001"])
        values.append(float(f"{prefix}{tail}e{rng.randint(-320, 280)}"))
    # Where the 64-bit rounding of the product, not the exact product,
    # decides the 16th digit: the 18 digits end in 499 and a half.
    decided = []
    while len(decided) < 100:
        prefix = rng.randrange(10**14, 10**15)
        exponent = rng.randint(-300, 285)
        value = float(f"{prefix}4995e{exponent}")
        if text(value) != text(value, extended=False):
            decided.append(value)
    values += decided
    # Around the shortcut for whole numbers below 10^15: whole numbers of up
    # to 17 digits, the doubles next to whole numbers, and the neighbours of
    # 10^15 itself.
    near = random.Random(10**15)
    wholes = [float(near.randrange(10 ** near.randint(1, 17))) for _ in range(300)]
    wholes += [float(2**k) for k in range(0, 54)] + [float(10**k) for k in range(0, 17)]
    wholes += [1e15 - 1, 1e15 + 1, 2.0**53 + 2]
    values += wholes
    values += [math.nextafter(w, direction) for w in wholes for direction in (0, math.inf)]
    values += [1e15 - 0.125, 1e15 + 0.125, 999999999999999.5, 999999999999999.875, 0.5, 1.5, 2.5]
    values = [v if rng.random() < 0.7 else -v for v in values if v != 0]
    out = sys.stdout
    out.write("// Generated by general_number_cases.py: {bits of the double, its text}.\n")
    for value in values:
        out.write(f'{{0x{bits(value):016X}ull, "{text(value)}"}},\n')


main()
