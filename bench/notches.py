#!/usr/bin/env python3
"""The wheel notches a stand-in game window received (bench/game_window.cpp), as figures: how many,
the steady rate from the first to the last, and the gaps between them. One place for the demo, the
end-to-end tests and the benchmark.

Usage: notches.py STATUS_FILE [SKIP]   prints "count rate median p99 worst" for the notches after
the first SKIP: the rate in notches a second, the gaps in milliseconds (0 where there are too few
notches)."""

import statistics
import sys


def times(status_path):
    """The notches' times in microseconds, as the stand-in wrote them."""
    with open(status_path) as status:
        for line in status:
            if line.startswith("notch_us"):
                return [int(value) for value in line.split()[1:]]
    return []


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


def stats(notches):
    """Count, steady rate (from the first notch to the last, so that it does not depend on where a
    hold falls between two ticks), and the median, 99th percentile and worst gap in ms."""
    gaps = [(b - a) / 1000 for a, b in zip(notches, notches[1:])]
    if not gaps or notches[-1] == notches[0]:
        return len(notches), 0.0, 0.0, 0.0, 0.0
    rate = (len(notches) - 1) / ((notches[-1] - notches[0]) / 1e6)
    return len(notches), rate, statistics.median(gaps), percentile(gaps, 0.99), max(gaps)


if __name__ == "__main__":
    skip = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    count, rate, median, p99, worst = stats(times(sys.argv[1])[skip:])
    print(f"{count} {rate:.2f} {median:.2f} {p99:.2f} {worst:.1f}")
