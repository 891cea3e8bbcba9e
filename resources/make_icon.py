#!/usr/bin/env python3
"""Draws Kelvask's application icon: a data logger's case with its RGB LED
lit in the three colours of the test, and a USB plug. Writes kelvask.ico:
one 64x64 image, 32 bits per pixel (BGRA), stored as a DIB.

    python3 resources/make_icon.py resources/kelvask.ico
"""
import math
import struct
import sys

SIZE = 64


def coverage(distance):
    """Anti-aliased coverage of a pixel whose centre lies `distance` inside an edge."""
    return max(0.0, min(1.0, distance + 0.5))


def rounded_box(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return coverage(radius - math.hypot(x - cx, y - cy))


def disc(x, y, cx, cy, r):
    return coverage(r - math.hypot(x - cx, y - cy))


def blend(under, over, alpha):
    return tuple(u * (1 - alpha) + o * alpha for u, o in zip(under, over))


def pixel(px, py):
    x, y = px + 0.5, py + 0.5
    colour, alpha = (0.0, 0.0, 0.0), 0.0

    plug = rounded_box(x, y, 26, 2, 38, 14, 2)  # the USB plug above the case
    if plug:
        colour, alpha = blend(colour, (150, 155, 165), plug), max(alpha, plug)

    case = rounded_box(x, y, 6, 12, 58, 60, 8)
    if case:
        shade = 60 + 50 * (1 - (y - 12) / 48)  # lighter at the top
        colour = blend(colour, (20, shade * 0.7, shade * 1.6), case)
        alpha = max(alpha, case)

    for cx, led in ((20, (235, 40, 40)), (32, (40, 210, 60)), (44, (50, 90, 240))):
        glow = disc(x, y, cx, 30, 6)
        if glow:
            colour = blend(colour, led, glow)
        shine = disc(x, y, cx - 2, 28, 1.8)
        if shine:
            colour = blend(colour, (255, 255, 255), 0.6 * shine)

    panel = rounded_box(x, y, 14, 42, 50, 52, 3)  # the terminal strip
    if panel:
        colour = blend(colour, (225, 228, 235), panel)
        for tx in (20, 28, 36, 44):
            hole = disc(x, y, tx, 47, 2.2)
            if hole:
                colour = blend(colour, (60, 62, 70), hole)
    return colour, alpha


def main(path):
    rows = []
    for py in range(SIZE - 1, -1, -1):  # a DIB is stored bottom-up
        row = bytearray()
        for px in range(SIZE):
            (r, g, b), a = pixel(px, py)
            row += bytes((round(min(b, 255)), round(min(g, 255)), round(min(r, 255)), round(a * 255)))
        rows.append(bytes(row))
    xor_bitmap = b"".join(rows)
    and_mask = bytes(SIZE * SIZE // 8)  # all zero: the alpha channel decides

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor_bitmap) + len(and_mask), 0, 0, 0, 0)
    image = header + xor_bitmap + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as ico:
        ico.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "kelvask.ico")
