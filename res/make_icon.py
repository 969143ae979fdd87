#!/usr/bin/env python3
"""Draws the program's icon, a football on a field, and writes it as a 32 x 32, 16-colour .ico.

Usage: make_icon.py [OUTPUT]   (default: squadwright.ico beside this script)
"""
import math
import os
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE = 0, 1, 2, 3
LIME, WHITE = 10, 15


def pixel(x, y):
    """The palette index of the pixel at (x, y), y growing downwards; None where the icon is clear."""
    cx, cy = x + 0.5 - SIZE / 2, y + 0.5 - SIZE / 2
    # A rounded square of turf with two yard lines.
    if max(abs(cx), abs(cy)) > 15.5 or (abs(cx) > 12.5 and abs(cy) > 12.5 and math.hypot(abs(cx) - 12.5, abs(cy) - 12.5) > 3):
        return None
    # The ball: an ellipse tilted by 35 degrees, outlined in black.
    angle = math.radians(-35)
    u = cx * math.cos(angle) - cy * math.sin(angle)
    v = cx * math.sin(angle) + cy * math.cos(angle)
    r = (u / 13.0) ** 2 + (v / 7.5) ** 2
    if r <= 1.0:
        if r > 0.78:
            return BLACK
        # White bands near both tips, laces along the long axis.
        if 8.0 < abs(u) < 9.5:
            return WHITE
        if abs(v) < 0.8 and abs(u) < 5.5:
            return WHITE
        if abs(v) < 2.2 and abs(u) < 5.5 and round(u) % 2 == 0:
            return WHITE
        return OLIVE if v < -3.5 and abs(u) < 7 else MAROON
    if abs(cy - 0.5) < 0.6 or abs(cx + 9.5) < 0.6 or abs(cx - 9.5) < 0.6:
        return LIME
    return GREEN


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        for x in range(0, SIZE, 2):
            hi, lo = row[x] or 0, row[x + 1] or 0
            xor.append(hi << 4 | lo)
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "squadwright.ico")
    with open(out, "wb") as f:
        f.write(icon_bytes())


if __name__ == "__main__":
    main()
