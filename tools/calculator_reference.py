#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the reference table of the calculator's digits test.

Random expressions (sums, products, quotients, powers and every function of
the calculator, real and complex) with their values to 470 fraction digits,
computed with mpmath at more digits than any precision the test uses (the
test rounds them to 27, 231 and 450 places). Run it again only to change
the table; it needs python3-mpmath:

    python3 tools/calculator_reference.py > tests/data/calculator/reference.txt

Each line: "real" or "complex", a tab, the expression in the linear
notation, a tab, the real part, a tab, the imaginary part ("0" for real
expressions). The values are cut (not rounded) after 470 places.
"""

import random
import sys

import mpmath
from mpmath import mp, mpf, mpc

SEED = 2025
REAL_CASES = 160
COMPLEX_CASES = 40
PLACES = 470
# Places the test rounds to; the digits after each must not lie near a
# half, where a reference cut short could round either way.
ROUNDED_AT = (27, 231, 450)
# Intermediate values stay below this size, far inside the integer words of
# the smallest precision (48 digits).
LARGEST = mpf(10) ** 30


class Rejected(Exception):
    pass


def check_size(value):
    if abs(value) > LARGEST:
        raise Rejected()
    return value


def away_from(value, point, gap):
    if abs(value - point) < gap:
        raise Rejected()


def arccot(z):
    # The calculator's arccot is pi/2 - arctan, with values in (0, pi).
    return mp.pi / 2 - mpmath.atan(z)


def top_level_power(text):
    """Whether a power sign stands outside every parenthesis: such a text
    must be put in parentheses to be raised again (powers group to the
    right)."""
    depth = 0
    for c in text:
        depth += {"(": 1, ")": -1}.get(c, 0)
        if c == "^" and depth == 0:
            return True
    return False


class Generator:
    """Random expressions as (text, value) pairs, the value computed at the
    current mpmath precision as the text is built."""

    def __init__(self, rng, complex_numbers):
        self.rng = rng
        self.complex_numbers = complex_numbers

    def leaf(self):
        r = self.rng.random()
        if r < 0.35:
            n = self.rng.randint(1, 99)
            return str(n), mpf(n)
        if r < 0.6:
            whole = self.rng.randint(0, 40)
            places = self.rng.randint(1, 5)
            fraction = self.rng.randint(1, 10 ** places - 1)
            text = "%d.%0*d" % (whole, places, fraction)
            return text, mpf(text)
        if r < 0.7:
            return "pi", +mp.pi
        if self.complex_numbers and r < 0.85:
            a = self.rng.randint(-9, 9)
            b = self.rng.randint(1, 9) * self.rng.choice((-1, 1))
            text = "(%d%+d*i)" % (a, b)
            return text, mpc(a, b)
        p = self.rng.randint(1, 30)
        q = self.rng.randint(2, 31)
        return "(%d/%d)" % (p, q), mpf(p) / q

    def expression(self, depth, top=False):
        if depth == 0 or (not top and self.rng.random() < 0.2):
            return self.leaf()
        kind = self.rng.random()
        if kind < 0.4:
            return self.binary(depth)
        if kind < 0.55:
            return self.power(depth)
        return self.function(depth)

    def binary(self, depth):
        a_text, a = self.expression(depth - 1)
        b_text, b = self.expression(depth - 1)
        operator = self.rng.choice("+-*/")
        if operator == "+":
            value = a + b
        elif operator == "-":
            value = a - b
        elif operator == "*":
            value = a * b
        else:
            if abs(b) < mpf(10) ** -6:
                raise Rejected()
            value = a / b
        return "(%s%s%s)" % (a_text, operator, b_text), check_size(value)

    def power(self, depth):
        base_text, base = self.expression(depth - 1)
        if self.rng.random() < 0.6:
            exponent = self.rng.randint(-4, 6)
            if exponent < 0 and abs(base) < mpf(10) ** -3:
                raise Rejected()
            exponent_text = "(%d)" % exponent if exponent < 0 else str(exponent)
            value = base ** exponent
        else:
            if not self.complex_numbers and (mpmath.im(base) != 0 or base <= 0):
                raise Rejected()
            if abs(base) < mpf(10) ** -3:
                raise Rejected()
            p = self.rng.randint(1, 7)
            q = self.rng.randint(2, 5)
            exponent_text = "(%d/%d)" % (p, q)
            value = mpmath.exp(mpf(p) / q * mpmath.log(base))
        if top_level_power(base_text):
            base_text = "(%s)" % base_text
        return "%s^%s" % (base_text, exponent_text), check_size(value)

    def function(self, depth):
        text, x = self.expression(depth - 1)
        real = mpmath.im(x) == 0
        if real:
            x = mpmath.re(x)
        name = self.rng.choice(
            ["exp", "log", "sin", "cos", "tan", "cot", "asin", "acos", "atan", "acot",
             "sqrt", "root"])
        if name == "exp":
            if mpmath.re(x) > 60:
                raise Rejected()
            value = mpmath.exp(x)
        elif name == "log":
            if abs(x) < mpf(10) ** -6 or (real and x < 0 and not self.complex_numbers):
                raise Rejected()
            if real and x < 0:
                value = mpmath.log(mpc(x, 0))
            else:
                value = mpmath.log(x)
        elif name in ("sin", "cos", "tan", "cot"):
            if abs(mpmath.im(x)) > 30 or abs(mpmath.re(x)) > 10 ** 6:
                raise Rejected()
            if name == "tan":
                away_from(mpmath.cos(x), 0, mpf(10) ** -4)
            if name == "cot":
                away_from(mpmath.sin(x), 0, mpf(10) ** -4)
            value = {"sin": mpmath.sin, "cos": mpmath.cos, "tan": mpmath.tan,
                     "cot": mpmath.cot}[name](x)
        elif name in ("asin", "acos"):
            if real:
                if abs(x) > mpf("0.9999"):
                    raise Rejected()
            elif not self.complex_numbers or abs(mpmath.im(x)) < mpf(10) ** -3:
                raise Rejected()
            value = mpmath.asin(x) if name == "asin" else mpmath.acos(x)
        elif name in ("atan", "acot"):
            if not real:
                away_from(x, mpc(0, 1), mpf(10) ** -3)
                away_from(x, mpc(0, -1), mpf(10) ** -3)
                if abs(mpmath.re(x)) < mpf(10) ** -3:
                    raise Rejected()
            value = mpmath.atan(x) if name == "atan" else arccot(x)
        elif name == "sqrt":
            if real and x < 0:
                if not self.complex_numbers:
                    raise Rejected()
                value = mpc(0, mpmath.sqrt(-x))
            else:
                value = mpmath.sqrt(x)
        else:
            degree = self.rng.randint(3, 9)
            text = "%d,%s" % (degree, text)
            if real and x < 0:
                if not self.complex_numbers and degree % 2 == 0:
                    raise Rejected()
                if self.complex_numbers:
                    value = mpmath.root(mpc(x, 0), degree)
                else:
                    value = -mpmath.root(-x, degree)
            else:
                value = mpmath.root(x, degree)
            return "root(%s)" % text, check_size(value)
        return "%s(%s)" % (name, text), check_size(value)


def digits(value):
    """The value cut after PLACES fraction digits: '-12.345...'."""
    sign = "-" if value < 0 else ""
    scaled = int(mpmath.floor(abs(value) * mpf(10) ** PLACES))
    text = str(scaled).rjust(PLACES + 1, "0")
    return sign + text[:-PLACES] + "." + text[-PLACES:]


def near_half(text):
    if "." not in text:
        return False
    fraction = text.split(".")[1]
    for places in ROUNDED_AT:
        after = fraction[places:places + 16]
        if after.startswith("5000000") or after.startswith("4999999"):
            return True
    return False


def evaluate(seed, complex_numbers, extra):
    rng = random.Random(seed)
    mp.dps = PLACES + 80 + extra
    generator = Generator(rng, complex_numbers)
    text, value = generator.expression(rng.randint(2, 4), top=True)
    return text, mpc(value)


def cases(count, complex_numbers, rng):
    found = []
    while len(found) < count:
        seed = rng.getrandbits(64)
        try:
            text, value = evaluate(seed, complex_numbers, 0)
            # The same expression at 40 more digits must agree.
            again_text, again = evaluate(seed, complex_numbers, 40)
        except (Rejected, ZeroDivisionError, ValueError):
            continue
        assert text == again_text
        re_text, im_text = digits(mpmath.re(again)), digits(mpmath.im(again))
        if digits(mpmath.re(value)) != re_text or digits(mpmath.im(value)) != im_text:
            continue
        if not complex_numbers:
            im_text = "0"
        if not complex_numbers and mpmath.im(again) != 0:
            continue
        if complex_numbers and "i" not in text.replace("pi", ""):
            continue
        if near_half(re_text) or near_half(im_text):
            continue
        found.append(("complex" if complex_numbers else "real", text, re_text, im_text))
    return found


def main():
    rng = random.Random(SEED)
    rows = cases(REAL_CASES, False, rng) + cases(COMPLEX_CASES, True, rng)
    out = sys.stdout
    for kind, text, re_text, im_text in rows:
        out.write("%s\t%s\t%s\t%s\n" % (kind, text, re_text, im_text))


if __name__ == "__main__":
    main()
