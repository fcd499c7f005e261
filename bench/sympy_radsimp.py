#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times SymPy's radsimp on the list of bench/simplify_bench.cpp, each
expression built once and simplified with SymPy's caches cleared before every
run, for comparison with kestrane's simplifier."""
import sys
import time

try:
    import sympy
    from sympy import Rational, cbrt, root, sqrt
    from sympy.core.cache import clear_cache
except ImportError:
    print("sympy_radsimp: python3-sympy is not installed; skipped")
    sys.exit(0)

EXPRESSIONS = [
    ("1/sqrt(2)", lambda: 1 / sqrt(2)),
    ("sqrt(12)", lambda: sqrt(12)),
    ("1/(1+sqrt(2))", lambda: 1 / (1 + sqrt(2))),
    ("(2+sqrt(3))/(2-sqrt(3))", lambda: (2 + sqrt(3)) / (2 - sqrt(3))),
    ("1/(sqrt(2)+sqrt(3)+sqrt(5))", lambda: 1 / (sqrt(2) + sqrt(3) + sqrt(5))),
    ("root(4,9)", lambda: root(9, 4)),
    ("root(6,8)", lambda: root(8, 6)),
    ("root(9,2^6)", lambda: root(2 ** 6, 9)),
    ("(sqrt(2)+1)^5", lambda: (sqrt(2) + 1) ** 5),
    ("1/(1+root(3,2))", lambda: 1 / (1 + cbrt(2))),
    ("(3/4+sqrt(5)/2)/(1/3-sqrt(5))",
     lambda: (Rational(3, 4) + sqrt(5) / 2) / (Rational(1, 3) - sqrt(5))),
    ("(1/sqrt(2)+1/sqrt(3))/(1-1/sqrt(6))",
     lambda: (1 / sqrt(2) + 1 / sqrt(3)) / (1 - 1 / sqrt(6))),
    ("1/(1+1/(1+sqrt(2)))", lambda: 1 / (1 + 1 / (1 + sqrt(2)))),
    ("sqrt(3+2*sqrt(2))", lambda: sqrt(3 + 2 * sqrt(2))),
    ("sqrt(8)+sqrt(18)-sqrt(50)", lambda: sqrt(8) + sqrt(18) - sqrt(50)),
    ("(sqrt(6)+sqrt(2))/4-sqrt(2+sqrt(3))/2",
     lambda: (sqrt(6) + sqrt(2)) / 4 - sqrt(2 + sqrt(3)) / 2),
    ("1/(root(3,4)+root(3,2)+1)", lambda: 1 / (cbrt(4) + cbrt(2) + 1)),
]


def timed(build, rounds):
    """Best wall time and best processor time: on a busy machine the second
    compares with the CPU column of simplify_bench."""
    expression = build()
    best = float("inf")
    best_cpu = float("inf")
    result = None
    for _ in range(rounds):
        clear_cache()
        start = time.perf_counter()
        start_cpu = time.process_time()
        result = sympy.radsimp(expression)
        best_cpu = min(best_cpu, time.process_time() - start_cpu)
        best = min(best, time.perf_counter() - start)
    return best, best_cpu, result


def main():
    rounds = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    print(f"sympy {sympy.__version__}, radsimp, best of {rounds} with cleared cache")
    print(f"{'':42s} {'wall':>9s}    {'cpu':>9s}")
    for name, build in EXPRESSIONS:
        seconds, cpu, result = timed(build, rounds)
        print(f"{name:42s} {seconds * 1000:9.3f} ms {cpu * 1000:9.3f} ms   {result}")


if __name__ == "__main__":
    main()
