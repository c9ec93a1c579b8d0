#!/usr/bin/env python3
"""Writes the second list of a comparison pair: list ONE with every tenth item (the 1st, 11th, ...)
replaced by the items of list OTHER in turn, as compare_bench pairs its lists in memory.
Usage: compare_pair.py ONE OTHER OUT

    build/bench/make_list media 1000000 one.lst
    build/bench/make_list media 100000 other.lst 19991231
    python3 bench/compare_pair.py one.lst other.lst two.lst
    build/bench/compare_lists one.lst two.lst out1.lst out2.lst
"""
import sys

HEADER_LINES = 3  # version, list properties, field names


def items(path):
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return lines[:HEADER_LINES], lines[HEADER_LINES:]


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    header, one = items(sys.argv[1])
    other_header, other = items(sys.argv[2])
    if other_header[2] != header[2] or len(other) * 10 < len(one):
        print("OTHER needs the fields of ONE and a tenth of its items", file=sys.stderr)
        return 1
    two = [other[i // 10] if i % 10 == 0 else line for i, line in enumerate(one)]
    with open(sys.argv[3], "wb") as f:
        f.write(b"\r\n".join(header + two) + b"\r\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
