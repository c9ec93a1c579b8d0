#!/usr/bin/env python3
"""Reads a list file with Python's csv module and writes it again, timed: the baseline that
bench/list_roundtrip is measured against. Usage: csv_compare.py IN OUT"""
import csv
import sys
import time


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    source, target = sys.argv[1], sys.argv[2]
    t0 = time.perf_counter()
    with open(source, newline="", encoding="cp1252", errors="surrogateescape") as f:
        rows = list(csv.reader(f))
    t1 = time.perf_counter()
    with open(target, "w", newline="", encoding="cp1252", errors="surrogateescape") as f:
        csv.writer(f, lineterminator="\r\n").writerows(rows)
    t2 = time.perf_counter()
    print(f"rows {len(rows)}\nload_ms {(t1 - t0) * 1000:.1f}\nsave_ms {(t2 - t1) * 1000:.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
