#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

"""Where a window lies in a screenshot: the bounding box of the pixels that differ from a shot of
the empty desktop. Both PNGs go through pngtopnm (netpbm). Prints "X Y W H", or nothing when the
shots are alike.

usage: window_box.py EMPTY.png SHOT.png"""
import subprocess
import sys


def pixels(png):
    data = subprocess.run(['pngtopnm', png], check=True, capture_output=True).stdout
    # P6 header: magic, width, height, maxval, each after white space.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def main():
    width, height, empty = pixels(sys.argv[1])
    w2, h2, shot = pixels(sys.argv[2])
    if (width, height) != (w2, h2):
        sys.exit('shots differ in size')
    left, top, right, bottom = width, height, -1, -1
    row = width * 3
    for y in range(height):
        a, b = empty[y * row:(y + 1) * row], shot[y * row:(y + 1) * row]
        if a == b:
            continue
        # Small differences are the pointer and compression noise; a window differs by much.
        xs = [x for x in range(width) if abs(a[3 * x] - b[3 * x]) + abs(a[3 * x + 1] - b[3 * x + 1]) +
              abs(a[3 * x + 2] - b[3 * x + 2]) > 60]
        if len(xs) < 40:
            continue
        left, right = min(left, xs[0]), max(right, xs[-1])
        top, bottom = min(top, y), max(bottom, y)
    if right >= 0:
        print(left, top, right - left + 1, bottom - top + 1)


main()
