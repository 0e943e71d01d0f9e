#!/usr/bin/env python3
"""make_icon.py OUT.ico: Kelvane's icon, drawn here rather than taken from anywhere.

A blue rounded square with a white "K" and an orange bar under it, as six DIB images: 48, 32
and 16 pixels square, each at 32 bits per pixel (with alpha) and at 8 bits per pixel (256-colour
palette, transparency from the AND mask). Only the standard library is used, so the build needs
nothing beyond Python.
"""

import struct
import sys

SIZES = (48, 32, 16)
SUPERSAMPLE = 4

TOP = (0x3A, 0x7B, 0xC8)
BOTTOM = (0x1A, 0x4A, 0x86)
LETTER = (0xFF, 0xFF, 0xFF)
ACCENT = (0xF2, 0x9B, 0x2E)


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    cx, cy = ax + t * dx, ay + t * dy
    return ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5


def _inside_rounded_square(x, y):
    # Unit coordinates: the square spans 0.04..0.96 with corners of radius 0.2.
    low, high, radius = 0.04, 0.96, 0.2
    if not (low <= x <= high and low <= y <= high):
        return False
    cx = min(max(x, low + radius), high - radius)
    cy = min(max(y, low + radius), high - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def _sample(x, y):
    """Colour and coverage (0 or 1) of one sub-pixel at unit coordinates, y downwards."""
    if not _inside_rounded_square(x, y):
        return (0, 0, 0), 0
    stroke = 0.075
    letter = (
        _segment_distance(x, y, 0.33, 0.2, 0.33, 0.68) <= stroke
        or _segment_distance(x, y, 0.36, 0.47, 0.69, 0.2) <= stroke
        or _segment_distance(x, y, 0.43, 0.41, 0.70, 0.68) <= stroke
    )
    if letter:
        return LETTER, 1
    if 0.24 <= x <= 0.76 and 0.76 <= y <= 0.84:
        return ACCENT, 1
    shade = y
    return tuple(round(t + (b - t) * shade) for t, b in zip(TOP, BOTTOM)), 1


def render(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    n = SUPERSAMPLE
    for row in range(size):
        line = []
        for column in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    colour, coverage = _sample(
                        (column + (sx + 0.5) / n) / size, (row + (sy + 0.5) / n) / size
                    )
                    if coverage:
                        covered += 1
                        for i in range(3):
                            total[i] += colour[i]
            if covered:
                colour = tuple(round(c / covered) for c in total)
            else:
                colour = (0, 0, 0)
            line.append(colour + (round(255 * covered / (n * n)),))
        rows.append(line)
    return rows


def _mask_rows(rows):
    """The AND mask, bottom row first, 1 bit per pixel, rows padded to 32 bits: 1 = transparent."""
    size = len(rows)
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for line in reversed(rows):
        bits = bytearray(stride)
        for column, pixel in enumerate(line):
            if pixel[3] < 128:
                bits[column // 8] |= 0x80 >> (column % 8)
        out += bits
    return bytes(out)


def _header(size, bits, colours):
    # Height counts the XOR image and the AND mask together.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def dib32(rows):
    size = len(rows)
    pixels = bytearray()
    for line in reversed(rows):
        for r, g, b, a in line:
            if a == 0:
                r = g = b = 0
            pixels += bytes((b, g, r, a))
    return _header(size, 32, 0) + bytes(pixels) + _mask_rows(rows)


def _palette(rows):
    counts = {}
    for line in rows:
        for r, g, b, a in line:
            if a >= 128:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    palette = [(0, 0, 0)] + sorted(counts, key=lambda c: -counts[c])[:255]
    return palette + [(0, 0, 0)] * (256 - len(palette))


def dib8(rows):
    size = len(rows)
    palette = _palette(rows)
    index_of = {}

    def nearest(colour):
        if colour not in index_of:
            index_of[colour] = min(
                range(1, 256),
                key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], colour)),
            )
        return index_of[colour]

    stride = ((size + 3) // 4) * 4
    pixels = bytearray()
    for line in reversed(rows):
        row = bytearray(stride)
        for column, (r, g, b, a) in enumerate(line):
            row[column] = nearest((r, g, b)) if a >= 128 else 0
        pixels += row
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return _header(size, 8, 256) + colours + bytes(pixels) + _mask_rows(rows)


def icon_file():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, 32, dib32(rows)))
        images.append((size, 8, dib8(rows)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colour_count = 0  # 256 colours are written as 0 in the directory
        out += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return bytes(out)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as stream:
        stream.write(icon_file())
