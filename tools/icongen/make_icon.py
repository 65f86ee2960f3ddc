#!/usr/bin/env python3
"""Draws the Orvane program icon and writes it as a multi-size .ico file.

The icon is a rounded glass tile with a soft blue-violet gradient, a light
rim and a small dock of three dots near the bottom. Every size is rendered
from the same vector description with 4x4 supersampling, so no binary art
lives in the repository. Standard library only.

usage: make_icon.py OUTPUT.ico
"""
import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
SUPERSAMPLE = 4


def lerp(a, b, t):
    return a + (b - a) * t


def rounded_rect_inside(x, y, x0, y0, x1, y1, r):
    """True when (x, y) lies inside the rounded rectangle."""
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def shade(u, v):
    """Colour (r, g, b, a) in 0..1 of the unit-square point (u, v), or None."""
    margin, radius = 0.06, 0.22
    if not rounded_rect_inside(u, v, margin, margin, 1 - margin, 1 - margin, radius):
        return None
    inner = rounded_rect_inside(u, v, margin + 0.025, margin + 0.025,
                                1 - margin - 0.025, 1 - margin - 0.025, radius - 0.025)
    # Diagonal gradient from sky blue to violet.
    t = min(max((u * 0.45 + v * 0.55), 0.0), 1.0)
    r = lerp(0.36, 0.55, t)
    g = lerp(0.72, 0.36, t)
    b = lerp(0.98, 0.93, t)
    if not inner:  # bright rim
        r, g, b = lerp(r, 1, 0.55), lerp(g, 1, 0.55), lerp(b, 1, 0.55)
    # Glossy upper half.
    if v < 0.48:
        k = 0.22 * (1 - v / 0.48)
        r, g, b = lerp(r, 1, k), lerp(g, 1, k), lerp(b, 1, k)
    # The dock: a frosted bar with three dots.
    if rounded_rect_inside(u, v, 0.2, 0.62, 0.8, 0.8, 0.07):
        r, g, b = lerp(r, 1, 0.6), lerp(g, 1, 0.6), lerp(b, 1, 0.6)
        for cx in (0.33, 0.5, 0.67):
            if (u - cx) ** 2 + (v - 0.71) ** 2 <= 0.055 ** 2:
                r, g, b = 0.18, 0.22, 0.42
    return r, g, b, 1.0


def render(size):
    """Premultiplied-free BGRA rows, top-down."""
    rows = []
    n = SUPERSAMPLE
    for y in range(size):
        row = bytearray()
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    c = shade((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size)
                    if c:
                        acc[0] += c[0] * c[3]
                        acc[1] += c[1] * c[3]
                        acc[2] += c[2] * c[3]
                        acc[3] += c[3]
            a = acc[3] / (n * n)
            if a > 0:
                r, g, b = (acc[i] / acc[3] for i in range(3))
            else:
                r = g = b = 0.0
            row += bytes((round(b * 255), round(g * 255), round(r * 255), round(a * 255)))
        rows.append(bytes(row))
    return rows


def dib_image(size, rows):
    """A 32-bit DIB icon image: header, bottom-up XOR pixels, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha carries transparency
    return header + pixels + mask


def png_image(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = bytearray()
    for row in rows:
        raw.append(0)
        for i in range(0, len(row), 4):
            b, g, r, a = row[i:i + 4]
            raw += bytes((r, g, b, a))
    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_image(size, rows) if size >= 256 else dib_image(size, rows)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
